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

    // The bevel: upper-left white and lower-right black when up, swapped when down.
    static bool bevelIs(const juce::Image& image, juce::Colour upperLeft, juce::Colour lowerRight)
    {
        return isNear(image.getPixelAt(0, 10), upperLeft) && isNear(image.getPixelAt(50, 0), upperLeft)
               && isNear(image.getPixelAt(99, 10), lowerRight) && isNear(image.getPixelAt(50, 19), lowerRight);
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

    EXPECT_PRED2(isNear, lozenge.getPixelAt(1, 10), white);
    EXPECT_PRED2(isNear, lozenge.getPixelAt(98, 10), black);
    EXPECT_EQ(lozenge.getPixelAt(6, 10), bodyColour);
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
