#pragma once

#include <juce_gui_basics/juce_gui_basics.h>

// The look-and-feel of the updating screens' progress bar: a frame and an
// unfilled part in the bar's background colour, a fixed grey gradient for the
// part done and the bar's text in white over it. The bar's foreground colour
// is not used.
class ProgressLookAndFeel : public juce::LookAndFeel_V2
{
public:
    ProgressLookAndFeel() = default;

    void drawProgressBar(juce::Graphics& g, juce::ProgressBar& progressBar, int width, int height,
                         double progress, const juce::String& textToShow) override;

private:
    JUCE_DECLARE_NON_COPYABLE_WITH_LEAK_DETECTOR(ProgressLookAndFeel)
};
