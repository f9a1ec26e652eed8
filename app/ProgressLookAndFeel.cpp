#include "ProgressLookAndFeel.h"

namespace
{
constexpr int frame = 2;
constexpr juce::uint32 lightGrey = 0xFFA7A7A7;
constexpr juce::uint32 darkGrey = 0xFF646464;
constexpr juce::uint32 endGrey = 0xFF6C6C6C;
constexpr float textHeightRatio = 0.8f;

// The track is what lies inside the frame; a bar too small for it has none.
int trackSize(int size)
{
    return juce::jmax(0, size - 2 * frame);
}

// The width of the part done, within the track; a value that is not a number
// shows an empty bar.
float doneWidth(int width, double progress)
{
    const double track = trackSize(width);
    return static_cast<float>(progress > 0.0 ? juce::jmin(track * progress, track) : 0.0);
}
} // namespace

void ProgressLookAndFeel::drawProgressBar(juce::Graphics& g, juce::ProgressBar& progressBar, int width, int height,
                                          double progress, const juce::String& textToShow)
{
    g.fillAll(progressBar.findColour(juce::ProgressBar::backgroundColourId, false));

    constexpr auto inset = static_cast<float>(frame);
    juce::ColourGradient gradient(juce::Colour(lightGrey), inset, inset,
                                  juce::Colour(endGrey), inset, static_cast<float>(height - 2 * frame), false);
    gradient.addColour(0.0, juce::Colour(lightGrey));
    gradient.addColour(0.5, juce::Colour(darkGrey));
    gradient.addColour(1.0, juce::Colour(endGrey));
    g.setGradientFill(gradient);
    g.fillRect(juce::Rectangle<float>(inset, inset, doneWidth(width, progress),
                                      static_cast<float>(trackSize(height))));

    if (textToShow.isEmpty())
        return;

    g.setColour(juce::Colours::white);
    g.setFont(static_cast<float>(height) * textHeightRatio);
    g.drawText(textToShow, 0, 0, width, height, juce::Justification::centred, false);
}
