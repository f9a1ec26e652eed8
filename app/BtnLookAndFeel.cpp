#include "BtnLookAndFeel.h"

namespace
{
constexpr float connectedIndent = 0.1f;
constexpr float freeIndent = 1.25f;
constexpr float smallestDrawnSide = 2.5f;
constexpr float bevelThickness = 2.5f;
constexpr float pi = juce::MathConstants<float>::pi;

float indentFor(bool connected)
{
    return connected ? connectedIndent : freeIndent;
}

void addTopLeftArc(juce::Path& path, float x, float y, float cs)
{
    path.addCentredArc(x + cs, y + cs, cs, cs, 0.0f, 1.5f * pi, 2.0f * pi);
}

void addTopRightArc(juce::Path& path, float x, float y, float width, float cs)
{
    path.addCentredArc(x + width - cs, y + cs, cs, cs, 0.0f, 0.0f, 0.5f * pi);
}

void addBottomRightArc(juce::Path& path, float x, float y, float width, float height, float cs)
{
    path.addCentredArc(x + width - cs, y + height - cs, cs, cs, 0.0f, 0.5f * pi, pi);
}

void addBottomLeftArc(juce::Path& path, float x, float y, float height, float cs)
{
    path.addCentredArc(x + cs, y + height - cs, cs, cs, 0.0f, pi, 1.5f * pi);
}
} // namespace

void BtnLookAndFeel::drawButtonBackground(juce::Graphics& g, juce::Button& button,
                                          const juce::Colour& backgroundColour, bool /*isMouseOverButton*/,
                                          bool isButtonDown)
{
    const bool left = button.isConnectedOnLeft();
    const bool right = button.isConnectedOnRight();
    const bool top = button.isConnectedOnTop();
    const bool bottom = button.isConnectedOnBottom();

    const float indentLeft = indentFor(left);
    const float indentRight = indentFor(right);
    const float indentTop = indentFor(top);
    const float indentBottom = indentFor(bottom);

    drawButtonBody(g, indentLeft, indentTop,
                   static_cast<float>(button.getWidth()) - indentLeft - indentRight,
                   static_cast<float>(button.getHeight()) - indentTop - indentBottom,
                   backgroundColour, left, right, top, bottom, isButtonDown);
}

void BtnLookAndFeel::drawButtonBody(juce::Graphics& g, float x, float y, float width, float height,
                                    const juce::Colour& colour, bool connectedLeft, bool connectedRight,
                                    bool connectedTop, bool connectedBottom, bool isButtonDown)
{
    if (width <= smallestDrawnSide || height <= smallestDrawnSide)
        return;

    const float cs = juce::jmin(width * 0.5f, height * 0.5f);

    // A corner is rounded only where neither of its edges meets a neighbour.
    const bool curveTopLeft = ! connectedLeft && ! connectedTop;
    const bool curveTopRight = ! connectedRight && ! connectedTop;
    const bool curveBottomLeft = ! connectedLeft && ! connectedBottom;
    const bool curveBottomRight = ! connectedRight && ! connectedBottom;

    juce::Path outline;
    createButtonPath(outline, x, y, width, height, cs, curveTopLeft, curveTopRight, curveBottomLeft,
                     curveBottomRight);
    g.setColour(colour);
    g.fillPath(outline);

    const juce::PathStrokeType bevel(bevelThickness, juce::PathStrokeType::mitered, juce::PathStrokeType::butt);

    // Half B goes last, so its colour lies on top where the halves meet.
    juce::Path upperLeft;
    createHalfOutlinePathA(upperLeft, x, y, width, height, cs, curveTopLeft, curveTopRight, curveBottomLeft,
                           curveBottomRight);
    g.setColour(isButtonDown ? juce::Colours::black : juce::Colours::white);
    g.strokePath(upperLeft, bevel);

    juce::Path lowerRight;
    createHalfOutlinePathB(lowerRight, x, y, width, height, cs, curveTopLeft, curveTopRight, curveBottomLeft,
                           curveBottomRight);
    g.setColour(isButtonDown ? juce::Colours::white : juce::Colours::black);
    g.strokePath(lowerRight, bevel);
}

void createButtonPath(juce::Path& path, float x, float y, float width, float height, float cs,
                      bool curveTopLeft, bool curveTopRight, bool curveBottomLeft, bool curveBottomRight)
{
    if (curveTopLeft)
    {
        path.startNewSubPath(x, y + cs);
        addTopLeftArc(path, x, y, cs);
    }
    else
    {
        path.startNewSubPath(x, y);
    }

    if (curveTopRight)
    {
        path.lineTo(x + width - cs, y);
        addTopRightArc(path, x, y, width, cs);
    }
    else
    {
        path.lineTo(x + width, y);
    }

    if (curveBottomRight)
    {
        path.lineTo(x + width, y + height - cs);
        addBottomRightArc(path, x, y, width, height, cs);
    }
    else
    {
        path.lineTo(x + width, y + height);
    }

    if (curveBottomLeft)
    {
        path.lineTo(x + cs, y + height);
        addBottomLeftArc(path, x, y, height, cs);
    }
    else
    {
        path.lineTo(x, y + height);
    }

    path.closeSubPath();
}

void createHalfOutlinePathA(juce::Path& path, float x, float y, float width, float height, float cs,
                            bool curveTopLeft, bool curveTopRight, bool curveBottomLeft, bool /*curveBottomRight*/)
{
    if (curveBottomLeft)
    {
        path.startNewSubPath(x + cs, y + height);
        addBottomLeftArc(path, x, y, height, cs);
    }
    else
    {
        path.startNewSubPath(x, y + height);
    }

    if (curveTopLeft)
    {
        path.lineTo(x, y + cs);
        addTopLeftArc(path, x, y, cs);
    }
    else
    {
        path.lineTo(x, y);
    }

    path.lineTo(curveTopRight ? x + width - cs : x + width, y);
}

void createHalfOutlinePathB(juce::Path& path, float x, float y, float width, float height, float cs,
                            bool /*curveTopLeft*/, bool curveTopRight, bool curveBottomLeft, bool curveBottomRight)
{
    if (curveTopRight)
    {
        path.startNewSubPath(x + width - cs, y);
        addTopRightArc(path, x, y, width, cs);
    }
    else
    {
        path.startNewSubPath(x + width, y);
    }

    if (curveBottomRight)
    {
        path.lineTo(x + width, y + height - cs);
        addBottomRightArc(path, x, y, width, height, cs);
    }
    else
    {
        path.lineTo(x + width, y + height);
    }

    path.lineTo(curveBottomLeft ? x + cs : x, y + height);
}
