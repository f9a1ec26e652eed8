// The push button painted into an image, and Return handled through its key
// and paint calls.

#include "Canvas.h"
#include "ClickCounter.h"

#include "app/AlineButton.h"

#include <gtest/gtest.h>

using testsupport::Canvas;

namespace
{
const juce::Colour background(0xFF00FF00);
const juce::Colour bodyColour(0xFFEAEAEA);
const juce::Colour white(0xFFFFFFFF);
const juce::Colour black(0xFF000000);

// A 100 x 20 button in the colours the program gives its buttons.
class AlineButtonTest : public testing::Test
{
protected:
    void SetUp() override
    {
        button.setBounds(0, 0, 100, 20);
        button.setColour(juce::TextButton::buttonColourId, bodyColour);
        button.setColour(juce::TextButton::buttonOnColourId, bodyColour);
        button.addListener(&listener);
    }

    void TearDown() override { button.removeListener(&listener); }

    juce::Image paint(bool isMouseOverButton, bool isButtonDown)
    {
        Canvas canvas(button.getWidth(), button.getHeight(), background);
        button.paintButton(canvas.g, isMouseOverButton, isButtonDown);
        return canvas.image;
    }

    // Paints into a canvas that notes the glyphs.
    juce::Array<testsupport::FontUse> paintedGlyphs()
    {
        Canvas canvas(button.getWidth(), button.getHeight(), background);
        button.paintButton(canvas.g, false, false);
        return canvas.renderer.glyphs;
    }

    static bool drawnUp(const juce::Image& image)
    {
        using testsupport::isNear;
        return isNear(image.getPixelAt(0, 10), white) && isNear(image.getPixelAt(50, 0), white)
               && isNear(image.getPixelAt(99, 10), black) && isNear(image.getPixelAt(50, 19), black);
    }

    static bool drawnDown(const juce::Image& image)
    {
        using testsupport::isNear;
        return isNear(image.getPixelAt(0, 10), black) && isNear(image.getPixelAt(50, 0), black)
               && isNear(image.getPixelAt(99, 10), white) && isNear(image.getPixelAt(50, 19), white);
    }

    AlineButton button { "OK" };
    testsupport::ClickCounter listener;
};

juce::KeyPress returnWith(juce::ModifierKeys modifiers)
{
    return juce::KeyPress(juce::KeyPress::returnKey, modifiers, 0);
}
} // namespace

TEST_F(AlineButtonTest, bodyIsFilledInTheButtonColourWithAWhiteUpperLeftAndBlackLowerRightBevel)
{
    const auto image = paint(false, false);

    EXPECT_EQ(image.getPixelAt(20, 10), bodyColour);
    EXPECT_EQ(image.getPixelAt(80, 10), bodyColour);
    EXPECT_TRUE(drawnUp(image));
}

TEST_F(AlineButtonTest, pressingSwapsTheBevelAndKeepsTheFill)
{
    const auto image = paint(false, true);

    EXPECT_EQ(image.getPixelAt(20, 10), bodyColour);
    EXPECT_TRUE(drawnDown(image));
}

TEST_F(AlineButtonTest, aToggledButtonTakesItsOnColour)
{
    const juce::Colour onColour(0xFF3050A0);
    button.setColour(juce::TextButton::buttonOnColourId, onColour);
    button.setToggleState(true, juce::dontSendNotification);

    EXPECT_EQ(paint(false, false).getPixelAt(20, 10), onColour);
}

TEST_F(AlineButtonTest, hoveringChangesNothing)
{
    EXPECT_TRUE(testsupport::samePixels(paint(true, false), paint(false, false)));
    EXPECT_TRUE(testsupport::samePixels(paint(true, true), paint(false, true)));
}

TEST_F(AlineButtonTest, pressedTextMovesOnePixelRightAndDown)
{
    const auto up = paint(false, false);
    const auto down = paint(false, true);

    // Inside the bevel only the body and the text are drawn.
    const juce::Rectangle<int> inside(2, 2, 95, 15);
    bool textDrawn = false;

    for (int y = inside.getY(); y < inside.getBottom(); ++y)
        for (int x = inside.getX(); x < inside.getRight(); ++x)
        {
            ASSERT_EQ(down.getPixelAt(x + 1, y + 1), up.getPixelAt(x, y)) << x << ", " << y;
            textDrawn = textDrawn || up.getPixelAt(x, y) != bodyColour;
        }

    EXPECT_TRUE(textDrawn);
}

TEST_F(AlineButtonTest, textIsNearBlackInTheChosenFontAndStyleAtMostThirteenPixelsHigh)
{
    button.setFontName("Test Face");
    button.setFontStyle(juce::Font::bold);

    const auto glyphs = paintedGlyphs();
    ASSERT_EQ(glyphs.size(), 2);

    for (const auto& glyph : glyphs)
    {
        EXPECT_EQ(glyph.font.getTypefaceName(), "Test Face");
        EXPECT_FLOAT_EQ(glyph.font.getHeight(), 13.0f);
        EXPECT_TRUE(glyph.font.isBold());
        EXPECT_EQ(glyph.colour, juce::Colour(0xFF101010));
    }
}

TEST_F(AlineButtonTest, aLowButtonScalesItsTextToFourFifthsOfItsHeight)
{
    button.setSize(100, 10);

    const auto glyphs = paintedGlyphs();
    ASSERT_FALSE(glyphs.isEmpty());
    EXPECT_FLOAT_EQ(glyphs.getFirst().font.getHeight(), 8.0f);
}

TEST_F(AlineButtonTest, aNewButtonShowsItsNameInThePlainDefaultFontOnWhite)
{
    AlineButton fresh("Cancel");
    fresh.setSize(100, 20);

    Canvas canvas(100, 20, background);
    fresh.paintButton(canvas.g, false, false);

    EXPECT_EQ(fresh.getButtonText(), "Cancel");
    EXPECT_PRED2(testsupport::isNear, canvas.pixel(10, 10), white);
    ASSERT_EQ(canvas.renderer.glyphs.size(), 6);
    EXPECT_EQ(canvas.renderer.glyphs.getFirst().font.getTypefaceName(), juce::Font::getDefaultSansSerifFontName());
    EXPECT_EQ(canvas.renderer.glyphs.getFirst().font.getStyleFlags(), juce::Font::plain);
}

TEST_F(AlineButtonTest, returnClicksOnceWhenThePaintAfterItFindsTheKeyReleased)
{
    EXPECT_TRUE(button.keyPressed(returnWith({})));
    testsupport::deliverPostedMessages();
    EXPECT_EQ(listener.clicks, 0) << "the click comes on the release, not on the press";

    // The key is up here: the paint after the press draws it pressed and then clicks.
    EXPECT_TRUE(drawnDown(paint(false, false)));
    testsupport::deliverPostedMessages();
    EXPECT_EQ(listener.clicks, 1);

    EXPECT_TRUE(drawnUp(paint(false, false)));
    testsupport::deliverPostedMessages();
    EXPECT_EQ(listener.clicks, 1);
}

TEST_F(AlineButtonTest, repeatedReturnPressesBeforeAPaintGiveOneClick)
{
    for (int repeat = 0; repeat < 3; ++repeat)
        EXPECT_TRUE(button.keyPressed(returnWith({})));

    paint(false, false);
    paint(false, false);
    testsupport::deliverPostedMessages();
    EXPECT_EQ(listener.clicks, 1);
}

TEST_F(AlineButtonTest, returnWithShiftCtrlOrAltAndOtherKeysAreLeftToTheParent)
{
    for (const auto modifier : { juce::ModifierKeys::shiftModifier, juce::ModifierKeys::ctrlModifier,
                                 juce::ModifierKeys::altModifier })
        EXPECT_FALSE(button.keyPressed(returnWith(juce::ModifierKeys(modifier)))) << modifier;

    EXPECT_FALSE(button.keyPressed(juce::KeyPress(juce::KeyPress::spaceKey)));
    EXPECT_FALSE(button.keyPressed(juce::KeyPress(juce::KeyPress::escapeKey)));

    EXPECT_TRUE(drawnUp(paint(false, false)));
    testsupport::deliverPostedMessages();
    EXPECT_EQ(listener.clicks, 0);
}
