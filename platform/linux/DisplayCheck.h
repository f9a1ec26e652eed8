#pragma once

#include <juce_core/juce_core.h>

// JUCE 7 on Linux crashes when it places a window without an X display. Empty
// when DISPLAY is set and an X connection to it opens; otherwise the one line
// to print before ending, for example
// "VXQMRT6UpdateProgram needs a graphical display: DISPLAY is not set." or
// "VXQMRT6UpdateProgram needs a graphical display: cannot open display :5."
juce::String findDisplayProblem();
