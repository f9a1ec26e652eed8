// The Windows entry point: JUCE's application main with our factory. A narrow
// WinMain, as mingw links it without -municode; none of its arguments is
// read, JUCE takes the command line from the system itself.

#include "app/Application.h"

#include "../win32.h"

int WINAPI WinMain(HINSTANCE, HINSTANCE, LPSTR, int)
{
    juce::JUCEApplicationBase::createInstance = &createApplication;
    return juce::JUCEApplicationBase::main();
}
