// The push button and its body painted into images, and Return driven
// through the button's key and paint calls (the key itself is up).

#include "Canvas.h"
#include "ClickCounter.h"

#include "app/AlineButton.h"

#include <gtest/gtest.h>

using testsupport::Canvas;
using testsupport::isNear;

namespace
{
const juce::Colour background(0xFF00FF00);
const juce::Colour bodyColour(0xFFEAEAEA);
const juce::Colour white(0xFFFFFFFF);
const juce::Colour black(0xFF000000);

class AlineButtonTest : public testing::Test
{
protected:
    void SetUp() override
    {
        button.setBounds(0, 0, 100, 20);
        button.setColour(juce::TextButton::buttonColourId, bodyColour);
        button.addListener(&listener);
    }

    void TearDown() override { button.removeListener(&listener); }

    juce::Image paint(bool isMouseOverButton, bool isButtonDown)
    {
        Canvas canvas(button.getWidth(), button.getHeight(), background);
        button.paintButton(canvas.g, isMouseOverButton, isButtonDown);
        return canvas.image;
    }

    // The bevel along the button's sides: the left and top sides one colour,
    // the right and bottom ones the other; only the corners where the two
    // halves meet mix them.
    static bool bevelIs(const juce::Image& image, juce::Colour upperLeft, juce::Colour lowerRight)
    {
        const auto runIs = [&](juce::Rectangle<int> run, juce::Colour colour) {
            return testsupport::everyPixel(run, [&](int x, int y) { return isNear(image.getPixelAt(x, y), colour); });
        };

        return runIs({ 0, 0, 1, 18 }, upperLeft) && runIs({ 0, 0, 98, 1 }, upperLeft)
               && runIs({ 99, 1, 1, 19 }, lowerRight) && runIs({ 1, 19, 99, 1 }, lowerRight);
    }

    AlineButton button { "OK" };
    testsupport::ClickCounter listener;
};
} // namespace

TEST_F(AlineButtonTest, bodyIsTheButtonColourWithABevelThatSwapsWhenPressedAndIgnoresHover)
{
    const auto up = paint(false, false);
    EXPECT_EQ(up.getPixelAt(20, 10), bodyColour);
    EXPECT_TRUE(bevelIs(up, white, black));

    const auto down = paint(false, true);
    EXPECT_EQ(down.getPixelAt(20, 10), bodyColour);
    EXPECT_TRUE(bevelIs(down, black, white));

    EXPECT_TRUE(testsupport::sameImages(paint(true, false), up));
    EXPECT_TRUE(testsupport::sameImages(paint(true, true), down));
}

TEST_F(AlineButtonTest, pressedTextMovesOnePixelRightAndDown)
{
    const auto up = paint(false, false);
    const auto down = paint(false, true);

    // Inside the bevel only the body and the text are drawn.
    const juce::Rectangle<int> inside(2, 2, 95, 15);
    EXPECT_TRUE(testsupport::everyPixel(inside, [&](int x, int y) { return down.getPixelAt(x + 1, y + 1) == up.getPixelAt(x, y); }));
    EXPECT_FALSE(testsupport::everyPixel(inside, [&](int x, int y) { return up.getPixelAt(x, y) == bodyColour; }));
}

TEST_F(AlineButtonTest, textIsNearBlackInTheChosenFontAtFourFifthsOfTheHeightUpToThirteenPixels)
{
    button.setFontName("Test Face");
    button.setFontStyle(juce::Font::bold);

    for (const auto& [height, fontHeight] : { std::pair { 20, 13.0f }, { 10, 8.0f } })
    {
        button.setSize(100, height);
        Canvas canvas(100, height);
        button.paintButton(canvas.g, false, false);

        ASSERT_EQ(canvas.renderer.glyphs.size(), 2);
        const auto& glyph = canvas.renderer.glyphs.getFirst();
        EXPECT_EQ(glyph.font.getTypefaceName(), "Test Face");
        EXPECT_FLOAT_EQ(glyph.font.getHeight(), fontHeight);
        EXPECT_TRUE(glyph.font.isBold());
        EXPECT_EQ(glyph.colour, juce::Colour(0xFF101010));
    }
}

TEST(ButtonBody, bodiesOfTwoAndAHalfPixelsOrLessAreNotDrawnAndAFreeBodyIsALozenge)
{
    const auto drawn = [](float width, float height) {
        Canvas canvas(100, 20, background);
        BtnLookAndFeel::drawButtonBody(canvas.g, 1.25f, 1.25f, width, height, bodyColour, false, false, false,
                                       false, false);
        return canvas.image;
    };

    EXPECT_TRUE(testsupport::allPixelsAre(drawn(2.5f, 10.0f), background));
    EXPECT_TRUE(testsupport::allPixelsAre(drawn(10.0f, 2.5f), background));
    EXPECT_FALSE(testsupport::allPixelsAre(drawn(2.6f, 10.0f), background));

    // Connected on no side, 100 x 20 with 1.25-px indents: cs = 8.75, round ends.
    const auto lozenge = drawn(97.5f, 17.5f);
    for (const auto& [x, y] : { std::pair { 1, 1 }, { 98, 1 }, { 1, 18 }, { 98, 18 } })
        EXPECT_EQ(lozenge.getPixelAt(x, y), background) << x << ", " << y;

    EXPECT_EQ(lozenge.getPixelAt(6, 10), bodyColour);

    // Every pixel wholly under the 2.5-px bevel round a semicircular end, of
    // radius 8.75 about (10, 10) or (90, 10): the left end is white and the
    // right end black when up.
    int pixelsUnderEnds = 0;
    for (int y = 0; y < 20; ++y)
    {
        for (int x = 0; x < 100; ++x)
        {
            if (x + 1 > 10 && x < 90)
                continue;

            const juce::Point<float> centre(x < 50 ? 10.0f : 90.0f, 10.0f);
            const juce::Rectangle<float> square(static_cast<float>(x), static_cast<float>(y), 1.0f, 1.0f);
            const float nearest = square.getConstrainedPoint(centre).getDistanceFrom(centre);
            float farthest = 0.0f;
            for (const auto corner : { square.getTopLeft(), square.getTopRight(), square.getBottomLeft(),
                                       square.getBottomRight() })
                farthest = juce::jmax(farthest, corner.getDistanceFrom(centre));

            if (nearest < 7.5f || farthest > 10.0f)
                continue;

            ++pixelsUnderEnds;
            EXPECT_PRED2(isNear, lozenge.getPixelAt(x, y), x < 50 ? white : black) << x << ", " << y;
        }
    }
    EXPECT_GT(pixelsUnderEnds, 40);
}

TEST(ButtonBody, aConnectedEdgeLiesAlongTheButtonsSideAndSquaresTheTwoCornersOnIt)
{
    const int edges[] = { juce::Button::ConnectedOnLeft, juce::Button::ConnectedOnRight, juce::Button::ConnectedOnTop,
                          juce::Button::ConnectedOnBottom };
    // Two pixels in from the left, right, top and bottom sides: inside the
    // bevel of a connected side, under the bevel of a free one.
    const juce::Point<int> sides[] = { { 2, 10 }, { 97, 10 }, { 50, 2 }, { 50, 17 } };
    // The corner pixels, outside a rounded corner, and the edges that meet there.
    const std::pair<juce::Point<int>, int> corners[] = {
        { { 1, 1 }, juce::Button::ConnectedOnLeft | juce::Button::ConnectedOnTop },
        { { 98, 1 }, juce::Button::ConnectedOnRight | juce::Button::ConnectedOnTop },
        { { 1, 18 }, juce::Button::ConnectedOnLeft | juce::Button::ConnectedOnBottom },
        { { 98, 18 }, juce::Button::ConnectedOnRight | juce::Button::ConnectedOnBottom },
    };

    BtnLookAndFeel lookAndFeel;

    for (int connected = 0; connected < 4; ++connected)
    {
        juce::TextButton button;
        button.setSize(100, 20);
        button.setConnectedEdges(edges[connected]);
        Canvas canvas(100, 20, background);
        lookAndFeel.drawButtonBackground(canvas.g, button, bodyColour, false, false);

        for (int side = 0; side < 4; ++side)
            EXPECT_EQ(canvas.pixel(sides[side].x, sides[side].y) == bodyColour, side == connected)
                << "connected edge " << edges[connected] << ", side " << side;

        for (const auto& [corner, edgesAtCorner] : corners)
            EXPECT_EQ(canvas.pixel(corner.x, corner.y) == background, (edgesAtCorner & edges[connected]) == 0)
                << "connected edge " << edges[connected] << ", corner " << corner.toString();
    }
}

TEST_F(AlineButtonTest, returnClicksOnceOnThePaintThatFindsTheKeyReleased)
{
    EXPECT_TRUE(button.keyPressed(juce::KeyPress(juce::KeyPress::returnKey)));
    testsupport::deliverPostedMessages();
    EXPECT_EQ(listener.clicks, 0) << "the click comes on the release, not on the press";

    EXPECT_TRUE(bevelIs(paint(false, false), black, white)) << "drawn pressed";
    testsupport::deliverPostedMessages();
    EXPECT_EQ(listener.clicks, 1);

    EXPECT_TRUE(bevelIs(paint(false, false), white, black));
    testsupport::deliverPostedMessages();
    EXPECT_EQ(listener.clicks, 1);
}

TEST_F(AlineButtonTest, returnWithShiftCtrlOrAltIsLeftToTheParent)
{
    for (const auto modifier : { juce::ModifierKeys::shiftModifier, juce::ModifierKeys::ctrlModifier,
                                 juce::ModifierKeys::altModifier })
        EXPECT_FALSE(button.keyPressed(juce::KeyPress(juce::KeyPress::returnKey, modifier, 0))) << modifier;

    EXPECT_FALSE(button.keyPressed(juce::KeyPress(juce::KeyPress::spaceKey)));
    EXPECT_TRUE(bevelIs(paint(false, false), white, black));
    testsupport::deliverPostedMessages();
    EXPECT_EQ(listener.clicks, 0);
}
