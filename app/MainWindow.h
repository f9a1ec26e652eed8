#pragma once

#include <juce_gui_basics/juce_gui_basics.h>

class MainComponent;

// The one window: always on top, not resizable, no title-bar buttons; a
// close request from the system leaves it open.
class MainWindow : public juce::DocumentWindow
{
public:
    MainWindow();
    ~MainWindow() override;

private:
    MainComponent* mainComponent = nullptr; // owned as the window's content

    JUCE_DECLARE_NON_COPYABLE_WITH_LEAK_DETECTOR(MainWindow)
};
