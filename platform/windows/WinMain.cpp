// The Windows entry point: JUCE's application main with our factory. A narrow
// WinMain, as mingw links it without -municode; none of its arguments is
// read, JUCE takes the command line from the system itself.

#include "WineRepaintPump.h"

#include "app/Application.h"

#include "../win32.h"

namespace
{
// Called by JUCE's main once its GUI is initialised.
juce::JUCEApplicationBase* createApplicationOnThisSystem()
{
    startWineRepaintPump();
    return createApplication();
}
} // namespace

int WINAPI WinMain(HINSTANCE, HINSTANCE, LPSTR, int)
{
    juce::JUCEApplicationBase::createInstance = &createApplicationOnThisSystem;
    return juce::JUCEApplicationBase::main();
}
