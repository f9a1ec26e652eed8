// Two push buttons in a real window: the focus rectangle, and Return held and
// released on the keyboard of the X server.

#include "Canvas.h"
#include "ClickCounter.h"
#include "XErrors.h"

#include "app/AlineButton.h"

#include <gtest/gtest.h>

#include <cstdlib>

using testsupport::Canvas;

namespace
{
const juce::Colour bodyColour(0xFFEAEAEA);
const juce::Colour black(0xFF000000);

// Counts its paints, so that a test can wait for the button to paint again.
class PaintCountingButton : public AlineButton
{
public:
    using AlineButton::AlineButton;

    void paintButton(juce::Graphics& g, bool isMouseOverButton, bool isButtonDown) override
    {
        ++paints;
        AlineButton::paintButton(g, isMouseOverButton, isButtonDown);
    }

    int paints = 0;
};

// Presses or releases a key of the X server's keyboard, as a person would.
bool sendKey(const char* action, juce::Component& window)
{
    const auto windowId = juce::String(static_cast<juce::int64>(
        reinterpret_cast<juce::pointer_sized_int>(window.getWindowHandle())));
    const auto command = "xdotool windowfocus " + windowId + " " + action + " Return";
    return std::system(command.toRawUTF8()) == 0;
}

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
        window.toFront(true);
        second.grabKeyboardFocus();
        ASSERT_TRUE(testsupport::pumpUntil([this] { return second.hasKeyboardFocus(false) && second.paints > 0; }));
    }

    void TearDown() override
    {
        if (returnDown)
            sendKey("keyup", window);

        first.removeListener(&firstClicks);
        second.removeListener(&secondClicks);
    }

    static juce::Image paint(AlineButton& button)
    {
        Canvas canvas(button.getWidth(), button.getHeight());
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
    // The rectangle (5, 3, 90, 14) with 0.5-px lines darkens the pixels just inside it.
    const juce::Rectangle<int> focusLinePixels[] = { { 5, 5, 1, 10 }, { 94, 5, 1, 10 }, { 20, 3, 10, 1 }, { 20, 16, 10, 1 } };
    const auto focused = paint(second);
    const auto unfocused = paint(first);

    for (const auto& line : focusLinePixels)
        for (int y = line.getY(); y < line.getBottom(); ++y)
            for (int x = line.getX(); x < line.getRight(); ++x)
            {
                const auto shade = focused.getPixelAt(x, y);
                EXPECT_TRUE(shade.getRed() == shade.getGreen() && shade.getGreen() == shade.getBlue()
                            && shade.getRed() < bodyColour.getRed() - 40
                            && shade.getRed() > 0x80 - 10) << x << ", " << y << ": " << shade.toString();
                EXPECT_EQ(unfocused.getPixelAt(x, y), bodyColour) << x << ", " << y;
            }

    EXPECT_EQ(focused.getPixelAt(4, 10), bodyColour);
    EXPECT_EQ(focused.getPixelAt(6, 10), bodyColour);
}

TEST_F(AlineButtonWindowTest, heldReturnShowsTheFocusedButtonPressedAndClicksOnlyOnRelease)
{
    ASSERT_TRUE(returnDown = sendKey("keydown", window));

    // While Return is down the focused button keeps painting, and so does one
    // painted for another reason.
    ASSERT_TRUE(testsupport::pumpUntil([] { return juce::KeyPress::isKeyCurrentlyDown(juce::KeyPress::returnKey); }));
    const int secondPaints = second.paints;
    first.repaint();
    const int firstPaints = first.paints;
    ASSERT_TRUE(testsupport::pumpUntil([&] { return second.paints > secondPaints + 3 && first.paints > firstPaints + 3; }));

    EXPECT_PRED2(testsupport::isNear, paint(second).getPixelAt(0, 10), black) << "the held button is drawn pressed";
    EXPECT_PRED2(testsupport::isNear, paint(first).getPixelAt(0, 10), juce::Colours::white);
    testsupport::deliverPostedMessages();
    EXPECT_EQ(secondClicks.clicks, 0);
    EXPECT_EQ(firstClicks.clicks, 0);

    ASSERT_TRUE(sendKey("keyup", window));
    returnDown = false;

    ASSERT_TRUE(testsupport::pumpUntil([this] { return secondClicks.clicks > 0; }));
    second.repaint();
    const int paintsAfterClick = second.paints;
    ASSERT_TRUE(testsupport::pumpUntil([&] { return second.paints > paintsAfterClick; }));
    testsupport::deliverPostedMessages();

    EXPECT_EQ(secondClicks.clicks, 1);
    EXPECT_EQ(firstClicks.clicks, 0);
}
