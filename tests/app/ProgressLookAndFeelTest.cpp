// The progress bar of the updating screens, painted into an image.

#include "Canvas.h"

#include "app/ProgressLookAndFeel.h"

#include <gtest/gtest.h>

#include <limits>

using testsupport::Canvas;

namespace
{
const juce::Colour nearBlack(0xFF080808);
const juce::Colour pink(0xFFFA32C8);

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

    bool backgroundOnly(const juce::Image& image) const
    {
        return testsupport::allPixelsAre(image, bar.findColour(juce::ProgressBar::backgroundColourId));
    }

    static bool isGrey(juce::Colour colour)
    {
        return colour.getRed() == colour.getGreen() && colour.getGreen() == colour.getBlue()
               && colour.getRed() >= 0x60 && colour.getRed() <= 0xA7;
    }

    double value = 0.0;
    juce::ProgressBar bar { value };
    ProgressLookAndFeel lookAndFeel;
};
} // namespace

TEST_F(ProgressLookAndFeelTest, halfwayTheGreyGradientCoversTheLeftHalfInsideATwoPixelFrame)
{
    for (const auto colour : { nearBlack, pink })
    {
        bar.setColour(juce::ProgressBar::backgroundColourId, colour);
        const auto image = paint(0.5);

        // The frame, 2 px on every side, and the part not done.
        for (const auto& [x, y] : { std::pair { 0, 10 }, { 1, 10 }, { 50, 0 }, { 50, 1 }, { 50, 18 }, { 50, 19 },
                                   { 183, 10 }, { 362, 10 }, { 363, 10 } })
            EXPECT_EQ(image.getPixelAt(x, y), colour) << x << ", " << y;

        // The part done, (2, 2, 180, 16): light at the top, darkest at the middle.
        for (const auto x : { 2, 90, 181 })
        {
            const auto top = image.getPixelAt(x, 2);
            const auto middle = image.getPixelAt(x, 9);
            const auto bottom = image.getPixelAt(x, 17);
            EXPECT_TRUE(isGrey(top) && isGrey(middle) && isGrey(bottom)) << x;
            EXPECT_GT(top.getRed(), 0x9A) << x;
            EXPECT_NEAR(middle.getRed(), 0x64, 4) << x;
            EXPECT_EQ(bottom, juce::Colour(0xFF6C6C6C)) << x;
        }
    }
}

TEST_F(ProgressLookAndFeelTest, theForegroundColourOfTheBarIsIgnored)
{
    const auto unset = paint(0.5, "50%");
    bar.setColour(juce::ProgressBar::foregroundColourId, juce::Colour(0xFF3D3D3D));
    EXPECT_TRUE(testsupport::samePixels(paint(0.5, "50%"), unset));
    bar.setColour(juce::ProgressBar::foregroundColourId, juce::Colours::red);
    EXPECT_TRUE(testsupport::samePixels(paint(0.5, "50%"), unset));
}

TEST_F(ProgressLookAndFeelTest, thePercentageIsWhiteCentredAndFourFifthsOfTheBarHigh)
{
    Canvas canvas(364, 20);
    lookAndFeel.drawProgressBar(canvas.g, bar, 364, 20, 0.5, "50%");

    ASSERT_EQ(canvas.renderer.glyphs.size(), 3);
    for (const auto& glyph : canvas.renderer.glyphs)
    {
        EXPECT_FLOAT_EQ(glyph.font.getHeight(), 16.0f);
        EXPECT_EQ(glyph.colour, juce::Colours::white);
    }

    juce::Rectangle<int> whitePixels;
    for (int y = 0; y < 20; ++y)
        for (int x = 0; x < 364; ++x)
            if (canvas.pixel(x, y) == juce::Colours::white)
                whitePixels = whitePixels.isEmpty() ? juce::Rectangle<int>(x, y, 1, 1)
                                                    : whitePixels.getUnion({ x, y, 1, 1 });

    ASSERT_FALSE(whitePixels.isEmpty());
    EXPECT_NEAR(whitePixels.getCentreX(), 182, 3);
    EXPECT_NEAR(whitePixels.getCentreY(), 10, 3);
}

TEST_F(ProgressLookAndFeelTest, valuesOutsideZeroToOneShowAnEmptyOrAFullBar)
{
    EXPECT_TRUE(backgroundOnly(paint(0.0)));
    EXPECT_TRUE(backgroundOnly(paint(-0.5)));
    EXPECT_TRUE(backgroundOnly(paint(std::numeric_limits<double>::quiet_NaN())));

    const auto full = paint(1.0);
    EXPECT_TRUE(isGrey(full.getPixelAt(2, 10)));
    EXPECT_TRUE(isGrey(full.getPixelAt(361, 10)));
    EXPECT_EQ(full.getPixelAt(362, 10), nearBlack);
    EXPECT_TRUE(testsupport::samePixels(paint(1.7), full));
    EXPECT_TRUE(testsupport::samePixels(paint(std::numeric_limits<double>::infinity()), full));
}

TEST_F(ProgressLookAndFeelTest, aBarUnderFourPixelsWideOrHighShowsOnlyItsBackground)
{
    for (const auto& [width, height] : { std::pair { 3, 20 }, { 364, 3 }, { 4, 4 }, { 1, 1 } })
    {
        EXPECT_TRUE(backgroundOnly(paint(0.5, {}, width, height))) << width << " x " << height;
        EXPECT_TRUE(backgroundOnly(paint(1.0, {}, width, height))) << width << " x " << height;
    }
}
