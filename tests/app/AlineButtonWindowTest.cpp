// Two push buttons in a real window: the focus rectangle, and Return held and
// released on the X server's keyboard.

#include "Canvas.h"
#include "ClickCounter.h"
#include "support/XErrors.h"

#include "app/AlineButton.h"

#include <gtest/gtest.h>

#include <cstdlib>

using testsupport::isNear;

namespace
{
const juce::Colour bodyColour(0xFFEAEAEA);

// Counts its paints, so that a test can wait for the button to paint again.
struct PaintCountingButton : AlineButton
{
    using AlineButton::AlineButton;

    void paintButton(juce::Graphics& g, bool isMouseOverButton, bool isButtonDown) override
    {
        ++paints;
        AlineButton::paintButton(g, isMouseOverButton, isButtonDown);
    }

    int paints = 0;
};

class AlineButtonWindowTest : public testing::Test
{
protected:
    static void SetUpTestSuite() { testsupport::ignoreXErrors(); }

    void SetUp() override
    {
        for (auto* button : { &first, &second })
        {
            button->setColour(juce::TextButton::buttonColourId, bodyColour);
            window.addAndMakeVisible(*button);
        }

        first.setBounds(10, 10, 100, 20);
        second.setBounds(150, 10, 100, 20);
        first.addListener(&firstClicks);
        second.addListener(&secondClicks);

        window.setBounds(100, 100, 300, 60);
        window.addToDesktop(0);
        window.setVisible(true);
        second.grabKeyboardFocus();
        ASSERT_TRUE(testsupport::pumpUntil([this] { return second.hasKeyboardFocus(false) && second.paints > 0; }));
    }

    void TearDown() override
    {
        if (returnDown)
            sendReturn("keyup");

        first.removeListener(&firstClicks);
        second.removeListener(&secondClicks);
    }

    // Presses or releases Return on the X server's keyboard, into this window.
    bool sendReturn(const char* action)
    {
        const auto windowId = juce::String(static_cast<juce::int64>(
            reinterpret_cast<juce::pointer_sized_int>(window.getWindowHandle())));
        return std::system(("xdotool windowfocus " + windowId + " " + action + " Return").toRawUTF8()) == 0;
    }

    static juce::Image paint(AlineButton& button)
    {
        testsupport::Canvas canvas(button.getWidth(), button.getHeight());
        button.paintButton(canvas.g, false, false);
        return canvas.image;
    }

    juce::Component window;
    PaintCountingButton first { "OK" };
    PaintCountingButton second { "Cancel" };
    testsupport::ClickCounter firstClicks;
    testsupport::ClickCounter secondClicks;
    bool returnDown = false;
};
} // namespace

TEST_F(AlineButtonWindowTest, onlyTheFocusedButtonShowsTheGreyFocusRectangle)
{
    // The 0.5-px lines of (5, 3, 90, 14) half-cover the pixels just inside it.
    const auto focused = paint(second);
    const auto unfocused = paint(first);
    const auto focusLine = bodyColour.interpolatedWith(juce::Colours::grey, 0.5f);

    for (const auto& line : { juce::Rectangle<int>(5, 5, 1, 10), { 94, 5, 1, 10 }, { 20, 3, 10, 1 }, { 20, 16, 10, 1 } })
    {
        EXPECT_TRUE(testsupport::everyPixel(line, [&](int x, int y) { return isNear(focused.getPixelAt(x, y), focusLine); }));
        EXPECT_TRUE(testsupport::everyPixel(line, [&](int x, int y) { return unfocused.getPixelAt(x, y) == bodyColour; }));
    }

    EXPECT_EQ(focused.getPixelAt(4, 10), bodyColour);
    EXPECT_EQ(focused.getPixelAt(6, 10), bodyColour);
}

TEST_F(AlineButtonWindowTest, heldReturnShowsTheFocusedButtonPressedAndClicksItOnceOnRelease)
{
    ASSERT_TRUE(returnDown = sendReturn("keydown"));
    ASSERT_TRUE(testsupport::pumpUntil([] { return juce::KeyPress::isKeyCurrentlyDown(juce::KeyPress::returnKey); }));

    // While Return is down the focused button keeps painting, and so does one
    // that paints for another reason, without being pressed.
    first.repaint();
    const int firstPaints = first.paints, secondPaints = second.paints;
    ASSERT_TRUE(testsupport::pumpUntil([&] { return first.paints > firstPaints + 3 && second.paints > secondPaints + 3; }));
    EXPECT_PRED2(isNear, paint(second).getPixelAt(0, 10), juce::Colours::black) << "drawn pressed";
    EXPECT_PRED2(isNear, paint(first).getPixelAt(0, 10), juce::Colours::white);
    testsupport::deliverPostedMessages();
    EXPECT_EQ(secondClicks.clicks + firstClicks.clicks, 0);

    ASSERT_TRUE(sendReturn("keyup"));
    returnDown = false;
    ASSERT_TRUE(testsupport::pumpUntil([this] { return secondClicks.clicks > 0; }));
    second.repaint();
    const int paintsAfterClick = second.paints;
    ASSERT_TRUE(testsupport::pumpUntil([&] { return second.paints > paintsAfterClick; }));
    testsupport::deliverPostedMessages();
    EXPECT_EQ(secondClicks.clicks, 1);
    EXPECT_EQ(firstClicks.clicks, 0);
}
