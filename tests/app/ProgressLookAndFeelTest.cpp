// The progress bar of the updating screens, painted into images.

#include "Canvas.h"

#include "app/ProgressLookAndFeel.h"

#include <gtest/gtest.h>

#include <limits>

using testsupport::Canvas;

namespace
{
const juce::Colour nearBlack(0xFF080808);

class ProgressLookAndFeelTest : public testing::Test
{
protected:
    void SetUp() override { bar.setColour(juce::ProgressBar::backgroundColourId, nearBlack); }

    juce::Image paint(double progress, const juce::String& text = {}, int width = 364, int height = 20)
    {
        Canvas canvas(width, height);
        lookAndFeel.drawProgressBar(canvas.g, bar, width, height, progress, text);
        return canvas.image;
    }

    static bool isGrey(juce::Colour colour)
    {
        return colour.getRed() == colour.getGreen() && colour.getGreen() == colour.getBlue()
               && colour.getRed() >= 0x64 && colour.getRed() <= 0xA7;
    }

    double value = 0.0;
    juce::ProgressBar bar { value };
    ProgressLookAndFeel lookAndFeel;
};
} // namespace

TEST_F(ProgressLookAndFeelTest, halfwayAGreyGradientFillsTheLeftHalfInsideATwoPixelFrameWhateverTheForeground)
{
    const juce::Colour pink(0xFFFA32C8);
    bar.setColour(juce::ProgressBar::backgroundColourId, pink);
    bar.setColour(juce::ProgressBar::foregroundColourId, juce::Colours::red);
    const auto image = paint(0.5);

    for (const auto& [x, y] : { std::pair { 0, 10 }, { 1, 10 }, { 50, 0 }, { 50, 1 }, { 50, 18 }, { 50, 19 },
                                { 183, 10 }, { 362, 10 }, { 363, 10 } })
        EXPECT_EQ(image.getPixelAt(x, y), pink) << x << ", " << y;

    // The part done, (2, 2, 180, 16): light at the top, darkest at the middle.
    for (const auto x : { 2, 90, 181 })
    {
        EXPECT_TRUE(isGrey(image.getPixelAt(x, 2)) && image.getPixelAt(x, 2).getRed() > 0x9A) << x;
        EXPECT_TRUE(isGrey(image.getPixelAt(x, 9)) && image.getPixelAt(x, 9).getRed() < 0x68) << x;
        EXPECT_EQ(image.getPixelAt(x, 17), juce::Colour(0xFF6C6C6C)) << x;
    }
}

TEST_F(ProgressLookAndFeelTest, thePercentageIsWhiteCentredAndFourFifthsOfTheBarHigh)
{
    Canvas canvas(364, 20);
    lookAndFeel.drawProgressBar(canvas.g, bar, 364, 20, 0.5, "50%");

    ASSERT_EQ(canvas.renderer.glyphs.size(), 3);
    EXPECT_FLOAT_EQ(canvas.renderer.glyphs.getFirst().font.getHeight(), 16.0f);
    EXPECT_EQ(canvas.renderer.glyphs.getFirst().colour, juce::Colours::white);

    juce::Rectangle<int> whitePixels;
    for (int y = 0; y < 20; ++y)
        for (int x = 0; x < 364; ++x)
            if (canvas.pixel(x, y) == juce::Colours::white)
                whitePixels = whitePixels.getUnion({ x, y, 1, 1 });

    EXPECT_NEAR(whitePixels.getCentreX(), 182, 2);
    EXPECT_NEAR(whitePixels.getCentreY(), 10, 2);
}

TEST_F(ProgressLookAndFeelTest, valuesOutsideZeroToOneAndBarsUnderFourPixelsStayWithinTheFrame)
{
    const auto full = paint(1.0);
    EXPECT_TRUE(isGrey(full.getPixelAt(2, 10)) && isGrey(full.getPixelAt(361, 10)));
    EXPECT_EQ(full.getPixelAt(362, 10), nearBlack);
    EXPECT_TRUE(testsupport::sameImages(paint(1.7), full));
    EXPECT_TRUE(testsupport::sameImages(paint(std::numeric_limits<double>::infinity()), full));

    for (const auto progress : { 0.0, -0.5, std::numeric_limits<double>::quiet_NaN() })
        EXPECT_TRUE(testsupport::allPixelsAre(paint(progress), nearBlack)) << progress;

    for (const auto& [width, height] : { std::pair { 3, 20 }, { 364, 3 }, { 4, 4 } })
        EXPECT_TRUE(testsupport::allPixelsAre(paint(1.0, {}, width, height), nearBlack)) << width << " x " << height;
}
