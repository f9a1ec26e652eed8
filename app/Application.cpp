#include "Application.h"

#include "MainWindow.h"

#include "platform/win32.h"

Application::~Application() = default;

const juce::String Application::getApplicationName()
{
    return "VXQMRT6UpdateProgram";
}

const juce::String Application::getApplicationVersion()
{
    return "1.0.0";
}

bool Application::moreThanOneInstanceAllowed()
{
    // The running instance may then bring its window to the front for a later start.
    AllowSetForegroundWindow(ASFW_ANY);
    return false;
}

void Application::initialise(const juce::String&)
{
    mainWindow = new MainWindow();
}

void Application::shutdown()
{
    delete mainWindow;
    mainWindow = nullptr;
}

void Application::anotherInstanceStarted(const juce::String&)
{
    if (mainWindow != nullptr && mainWindow->isVisible())
        mainWindow->toFront(true);
}

juce::JUCEApplicationBase* createApplication()
{
    return new Application();
}
