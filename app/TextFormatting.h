#pragma once

#include <juce_core/juce_core.h>

// Fills a message template with up to four texts, printf-style: "%s", and
// "%s" with a width ("%02s", "%04s": filled on the left, with zeros after the
// 0 flag, else with blanks) or the blank flag ("% s", the same as "%s"). The
// result holds at most 255 bytes of UTF-8, cut at a character boundary.
// Only the template is read for conversions; the texts are copied as they are.
juce::String formatText(juce::String templateText, juce::String first, juce::String second,
                        juce::String third, juce::String fourth);
