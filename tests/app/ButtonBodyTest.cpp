// The bevelled body that BtnLookAndFeel draws, painted into an image.

#include "Canvas.h"

#include "app/BtnLookAndFeel.h"

#include <gtest/gtest.h>

using testsupport::Canvas;

namespace
{
const juce::Colour background(0xFF00FF00);
const juce::Colour bodyColour(0xFFEAEAEA);
const juce::Colour white(0xFFFFFFFF);
const juce::Colour black(0xFF000000);

void drawBody(Canvas& canvas, float x, float y, float width, float height, bool left, bool right, bool top,
              bool bottom)
{
    BtnLookAndFeel::drawButtonBody(canvas.g, x, y, width, height, bodyColour, left, right, top, bottom, false);
}
} // namespace

TEST(ButtonBody, aBodyOfTwoAndAHalfPixelsOrLessIsNotDrawnAtAll)
{
    for (const auto& [width, height] : { std::pair { 2.5f, 10.0f }, { 10.0f, 2.5f }, { 1.0f, 1.0f } })
    {
        Canvas canvas(20, 20, background);
        drawBody(canvas, 1.0f, 1.0f, width, height, true, true, true, true);
        EXPECT_TRUE(testsupport::allPixelsAre(canvas.image, background)) << width << " x " << height;
    }

    Canvas canvas(20, 20, background);
    drawBody(canvas, 1.0f, 1.0f, 2.6f, 10.0f, true, true, true, true);
    EXPECT_FALSE(testsupport::allPixelsAre(canvas.image, background));
}

TEST(ButtonBody, aBodyConnectedNowhereIsALozengeWithRoundEnds)
{
    // 100 x 20 with the 1.25-px indents of a button connected on no side: cs = 8.75.
    Canvas canvas(100, 20, background);
    drawBody(canvas, 1.25f, 1.25f, 97.5f, 17.5f, false, false, false, false);

    for (const auto corner : { juce::Point { 1, 1 }, { 98, 1 }, { 1, 18 }, { 98, 18 } })
        EXPECT_EQ(canvas.pixel(corner.x, corner.y), background) << corner.toString();

    // The ends are round: the middle of each end and the straight edges carry the bevel.
    EXPECT_PRED2(testsupport::isNear, canvas.pixel(1, 10), white);
    EXPECT_PRED2(testsupport::isNear, canvas.pixel(50, 1), white);
    EXPECT_PRED2(testsupport::isNear, canvas.pixel(98, 10), black);
    EXPECT_PRED2(testsupport::isNear, canvas.pixel(50, 18), black);
    EXPECT_EQ(canvas.pixel(50, 10), bodyColour);
    EXPECT_EQ(canvas.pixel(6, 10), bodyColour);
}

TEST(ButtonBody, aButtonConnectedOnTheRightHasSquareRightCornersAndRoundLeftOnes)
{
    juce::TextButton button;
    button.setSize(100, 20);
    button.setConnectedEdges(juce::Button::ConnectedOnRight);

    Canvas canvas(100, 20, background);
    BtnLookAndFeel lookAndFeel;
    lookAndFeel.drawButtonBackground(canvas.g, button, bodyColour, false, false);

    EXPECT_EQ(canvas.pixel(1, 1), background);
    EXPECT_EQ(canvas.pixel(1, 18), background);
    EXPECT_NE(canvas.pixel(99, 1), background);
    EXPECT_NE(canvas.pixel(99, 18), background);
    EXPECT_PRED2(testsupport::isNear, canvas.pixel(99, 10), black);
}

TEST(ButtonBody, whereTheHalvesMeetTheLowerRightHalfLiesOnTop)
{
    // Square corners: the halves meet at the top-right and bottom-left corners.
    Canvas canvas(40, 20, background);
    drawBody(canvas, 2.0f, 2.0f, 36.0f, 16.0f, true, true, true, true);

    EXPECT_PRED2(testsupport::isNear, canvas.pixel(37, 2), black);
    EXPECT_PRED2(testsupport::isNear, canvas.pixel(2, 17), black);
    EXPECT_PRED2(testsupport::isNear, canvas.pixel(37, 1), white);
    EXPECT_PRED2(testsupport::isNear, canvas.pixel(1, 17), white);
}
