#include "DisplayCheck.h"

#include <X11/Xlib.h>

juce::String findDisplayProblem()
{
    const juce::String needsDisplay("VXQMRT6UpdateProgram needs a graphical display: ");
    const auto* displayName = std::getenv("DISPLAY");

    if (displayName == nullptr || *displayName == 0)
        return needsDisplay + "DISPLAY is not set.";

    if (auto* display = XOpenDisplay(displayName))
    {
        XCloseDisplay(display);
        return {};
    }

    return needsDisplay + "cannot open display " + juce::String::fromUTF8(displayName) + ".";
}
