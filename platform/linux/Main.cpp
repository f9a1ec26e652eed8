// The program's entry on Linux: what JUCE lacks here comes first, then JUCE's
// application main runs the same steps as on Windows.

#include "WindowsTypefaces.h"

#include "app/Application.h"

int main(int argc, char* argv[])
{
    addWindowsTypefaces();

    juce::JUCEApplicationBase::createInstance = &createApplication;
    return juce::JUCEApplicationBase::main(argc, const_cast<const char**>(argv));
}
