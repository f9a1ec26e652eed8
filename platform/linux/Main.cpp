// The program's entry on Linux: what JUCE lacks here comes first, then JUCE's
// application main runs the same steps as on Windows.

#include "DisplayCheck.h"
#include "SecondStartHandOver.h"
#include "SecondStartListener.h"
#include "WindowsTypefaces.h"

#include "app/Application.h"

#include <iostream>
#include <memory>

namespace
{
// The application with the listener for later starts that JUCE lacks on Linux,
// kept by the instance that passed JUCE's single-instance check.
class LinuxApplication : public Application
{
public:
    void initialise(const juce::String& commandLine) override
    {
        listener = std::make_unique<SecondStartListener>(getApplicationName());
        Application::initialise(commandLine);
    }

    void shutdown() override
    {
        listener.reset();
        Application::shutdown();
    }

private:
    std::unique_ptr<SecondStartListener> listener;
};

juce::JUCEApplicationBase* createLinuxApplication()
{
    return new LinuxApplication();
}
} // namespace

int main(int argc, char* argv[])
{
    // Without a display JUCE would crash when it centres the window.
    const auto displayProblem = findDisplayProblem();

    if (displayProblem.isNotEmpty())
    {
        std::cerr << displayProblem << std::endl;
        return 1;
    }

    addWindowsTypefaces();

    juce::StringArray arguments;
    for (int i = 1; i < argc; ++i)
        arguments.add(juce::String::fromUTF8(argv[i]));

    // A later start hands its command line over; JUCE's own check then ends it.
    handOverToRunningInstance("VXQMRT6UpdateProgram", arguments.joinIntoString(" "));

    juce::JUCEApplicationBase::createInstance = &createLinuxApplication;
    return juce::JUCEApplicationBase::main(argc, const_cast<const char**>(argv));
}
