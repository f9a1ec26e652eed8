#pragma once

// Takes the place of the program's application header in the carrier
// executable, which has the Windows program parts without the program.

#include <juce_gui_basics/juce_gui_basics.h>

juce::JUCEApplicationBase* createApplication();
