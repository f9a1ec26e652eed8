#pragma once

#include <juce_gui_basics/juce_gui_basics.h>

// The look-and-feel of every AlineButton: it draws only the button's body, a
// flat fill inside an outline with a two-tone bevel that swaps while pressed.
// Hover, focus, toggle and enabled state leave the body as it is.
class BtnLookAndFeel : public juce::LookAndFeel_V2
{
public:
    BtnLookAndFeel() = default;

    void drawButtonBackground(juce::Graphics& g, juce::Button& button, const juce::Colour& backgroundColour,
                              bool isMouseOverButton, bool isButtonDown) override;

    // Draws the body into (x, y, width, height); a body of 2.5 px or less in
    // either direction is not drawn at all.
    static void drawButtonBody(juce::Graphics& g, float x, float y, float width, float height,
                               const juce::Colour& colour, bool connectedLeft, bool connectedRight,
                               bool connectedTop, bool connectedBottom, bool isButtonDown);

private:
    JUCE_DECLARE_NON_COPYABLE_WITH_LEAK_DETECTOR(BtnLookAndFeel)
};

// The closed outline, clockwise from the top-left; a curved corner is a
// quarter arc of radius cs, a square one a plain corner.
void createButtonPath(juce::Path& path, float x, float y, float width, float height, float cs,
                      bool curveTopLeft, bool curveTopRight, bool curveBottomLeft, bool curveBottomRight);

// The open upper-left half of that outline: bottom-left corner, left edge,
// top-left corner and the top edge up to where the top-right corner begins.
void createHalfOutlinePathA(juce::Path& path, float x, float y, float width, float height, float cs,
                            bool curveTopLeft, bool curveTopRight, bool curveBottomLeft, bool curveBottomRight);

// The open lower-right half: top-right corner, right edge, bottom-right corner
// and the bottom edge up to where the bottom-left corner begins.
void createHalfOutlinePathB(juce::Path& path, float x, float y, float width, float height, float cs,
                            bool curveTopLeft, bool curveTopRight, bool curveBottomLeft, bool curveBottomRight);
