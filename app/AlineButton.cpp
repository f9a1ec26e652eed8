#include "AlineButton.h"

namespace
{
constexpr float fontHeightRatio = 0.8f;
constexpr float largestFontHeight = 13.0f;
constexpr juce::uint32 textColour = 0xFF101010;
constexpr int textInset = 4;
constexpr int textShrink = 8;
constexpr float focusLineThickness = 0.5f;
constexpr int shiftCtrlAlt = juce::ModifierKeys::shiftModifier | juce::ModifierKeys::ctrlModifier
                           | juce::ModifierKeys::altModifier;
} // namespace

AlineButton::AlineButton(const juce::String& name)
    : juce::Button(name),
      buttonLookAndFeel(std::make_unique<BtnLookAndFeel>())
{
    setLookAndFeel(buttonLookAndFeel.get());
    setColour(juce::TextButton::buttonColourId, juce::Colours::white);
    setColour(juce::TextButton::buttonOnColourId, juce::Colours::white);
    setConnectedEdges(ConnectedOnLeft | ConnectedOnRight | ConnectedOnTop | ConnectedOnBottom);
}

AlineButton::~AlineButton()
{
    // Detached first, so that the component never refers to a deleted look-and-feel.
    setLookAndFeel(nullptr);
    buttonLookAndFeel.reset();
}

void AlineButton::setFontStyle(const int& style)
{
    fontStyle = style;
}

void AlineButton::setFontName(const juce::String& name)
{
    fontName = name;
}

void AlineButton::setTextAndRepaint(const juce::String& newText)
{
    if (newText != getButtonText())
        setButtonText(newText);
    else
        repaint();
}

bool AlineButton::keyPressed(const juce::KeyPress& key)
{
    if (key.getKeyCode() != juce::KeyPress::returnKey
        || (key.getModifiers().getRawFlags() & shiftCtrlAlt) != 0)
        return false;

    returnKeyHeld = true;
    repaint();
    return true;
}

void AlineButton::paintButton(juce::Graphics& g, bool isMouseOverButton, bool isButtonDown)
{
    const bool down = returnKeyHeld || isButtonDown;
    const int colourId = getToggleState() ? juce::TextButton::buttonOnColourId : juce::TextButton::buttonColourId;
    getLookAndFeel().drawButtonBackground(g, *this, findColour(colourId, false), isMouseOverButton, down);

    const auto width = static_cast<float>(getWidth());
    const auto height = static_cast<float>(getHeight());
    g.setFont(juce::Font(fontName, juce::jmin(height * fontHeightRatio, largestFontHeight), fontStyle));
    g.setColour(juce::Colour(textColour));

    // The pressed text moves 1 px right and down.
    const int textOrigin = down ? textInset + 1 : textInset;
    g.drawFittedText(getButtonText(), textOrigin, textOrigin, getWidth() - textShrink, getHeight() - textShrink,
                     textJustification, 1, 0.0f);

    if (hasKeyboardFocus(true))
    {
        g.setColour(juce::Colours::grey);
        g.drawRect(juce::Rectangle<float>(width * 0.05f, height * 0.15f, width * 0.9f, height * 0.7f),
                   focusLineThickness);
    }

    followReturnKey();
}

// Return is followed by painting: while it is down the button keeps repainting,
// and the first paint after its release delivers the click of a Return press.
void AlineButton::followReturnKey()
{
    if (juce::KeyPress::isKeyCurrentlyDown(juce::KeyPress::returnKey))
    {
        repaint();
        return;
    }

    if (returnKeyHeld)
    {
        returnKeyHeld = false;
        triggerClick();
    }
}
