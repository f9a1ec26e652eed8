#pragma once

#include "BtnLookAndFeel.h"

#include <juce_gui_basics/juce_gui_basics.h>

#include <memory>

// The program's push button: a bevelled body from its own BtnLookAndFeel, its
// text in a font chosen from outside, a grey focus rectangle while it has the
// keyboard focus, and a click when Return is released on it.
class AlineButton : public juce::Button
{
public:
    explicit AlineButton(const juce::String& name);
    ~AlineButton() override;

    // Font style flags of juce::Font; take effect at the next paint.
    void setFontStyle(const int& style);
    // Typeface name of the text; takes effect at the next paint.
    void setFontName(const juce::String& name);
    // Always repaints, whether or not the text changed.
    void setTextAndRepaint(const juce::String& newText);

    // Return without Shift, Ctrl or Alt presses the button; the click follows
    // on the release.
    bool keyPressed(const juce::KeyPress& key) override;
    void paintButton(juce::Graphics& g, bool isMouseOverButton, bool isButtonDown) override;

private:
    void followReturnKey();

    std::unique_ptr<BtnLookAndFeel> buttonLookAndFeel;
    juce::Justification textJustification { juce::Justification::centred };
    juce::String fontName { juce::Font::getDefaultSansSerifFontName() };
    int fontStyle = juce::Font::plain;
    bool returnKeyHeld = false;

    JUCE_DECLARE_NON_COPYABLE_WITH_LEAK_DETECTOR(AlineButton)
};
