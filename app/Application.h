#pragma once

#include <juce_gui_basics/juce_gui_basics.h>

class MainWindow;

// The program: one instance at a time, one window.
class Application : public juce::JUCEApplication
{
public:
    Application() = default;
    ~Application() override;

    const juce::String getApplicationName() override;
    const juce::String getApplicationVersion() override;
    bool moreThanOneInstanceAllowed() override;
    void initialise(const juce::String& commandLine) override;
    void shutdown() override;
    void anotherInstanceStarted(const juce::String& commandLine) override;

private:
    MainWindow* mainWindow = nullptr;

    JUCE_DECLARE_NON_COPYABLE_WITH_LEAK_DETECTOR(Application)
};

// The application factory that the entry point hands to JUCE.
juce::JUCEApplicationBase* createApplication();
