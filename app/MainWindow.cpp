#include "MainWindow.h"

#include "MainComponent.h"

namespace
{
constexpr int contentWidth = 404, contentHeight = 126;
}

MainWindow::MainWindow()
    : juce::DocumentWindow("VXQ-MRT6 update program", juce::Colour(0xFFEAEAEA), 0, true)
{
    mainComponent = new MainComponent();
    mainComponent->setSize(contentWidth, contentHeight); // the first screen, before it is inside the window
    setContentOwned(mainComponent, true);
    setResizable(false, false);
    centreWithSize(mainComponent->getWidth() + 2, mainComponent->getHeight() + 2 + getTitleBarHeight());
    setAlwaysOnTop(true);
    setUsingNativeTitleBar(true);
    setVisible(true);
}

MainWindow::~MainWindow() = default;
