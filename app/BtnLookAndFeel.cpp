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

enum class Corner
{
    topLeft,
    topRight,
    bottomRight,
    bottomLeft
};

// The body's rectangle and corner size, and the moves of an outline round it,
// clockwise: each corner is reached at the start of its arc when curved, or at
// the corner itself when square.
struct Outline
{
    juce::Path& path;
    float x, y, width, height, cs;

    juce::Point<float> arrival(Corner corner, bool curved) const
    {
        const float left = x, right = x + width, top = y, bottom = y + height;

        switch (corner)
        {
            case Corner::topLeft: return { left, curved ? top + cs : top };
            case Corner::topRight: return { curved ? right - cs : right, top };
            case Corner::bottomRight: return { right, curved ? bottom - cs : bottom };
            case Corner::bottomLeft: return { curved ? left + cs : left, bottom };
        }

        return {};
    }

    // Reaches the corner, by starting the sub-path there or by a line.
    void reach(Corner corner, bool curved, bool startsSubPath) const
    {
        const auto point = arrival(corner, curved);

        if (startsSubPath)
            path.startNewSubPath(point);
        else
            path.lineTo(point);
    }

    // Reaches the corner and, when it is curved, goes round its quarter arc.
    void turn(Corner corner, bool curved, bool startsSubPath) const
    {
        reach(corner, curved, startsSubPath);

        if (! curved)
            return;

        switch (corner)
        {
            case Corner::topLeft: arc(x + cs, y + cs, 1.5f * pi); break;
            case Corner::topRight: arc(x + width - cs, y + cs, 0.0f); break;
            case Corner::bottomRight: arc(x + width - cs, y + height - cs, 0.5f * pi); break;
            case Corner::bottomLeft: arc(x + cs, y + height - cs, pi); break;
        }
    }

    // A clockwise quarter arc of radius cs, joined by a line to the current point.
    void arc(float centreX, float centreY, float fromAngle) const
    {
        path.addCentredArc(centreX, centreY, cs, cs, 0.0f, fromAngle, fromAngle + 0.5f * pi);
    }
};
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

    const auto strokeHalf = [&](auto createHalf, juce::Colour halfColour) {
        juce::Path half;
        createHalf(half, x, y, width, height, cs, curveTopLeft, curveTopRight, curveBottomLeft, curveBottomRight);
        g.setColour(halfColour);
        g.strokePath(half, bevel);
    };

    // The lower-right half goes last, so its colour lies on top where the halves meet.
    strokeHalf(createHalfOutlinePathA, isButtonDown ? juce::Colours::black : juce::Colours::white);
    strokeHalf(createHalfOutlinePathB, isButtonDown ? juce::Colours::white : juce::Colours::black);
}

void createButtonPath(juce::Path& path, float x, float y, float width, float height, float cs,
                      bool curveTopLeft, bool curveTopRight, bool curveBottomLeft, bool curveBottomRight)
{
    const Outline outline { path, x, y, width, height, cs };
    outline.turn(Corner::topLeft, curveTopLeft, true);
    outline.turn(Corner::topRight, curveTopRight, false);
    outline.turn(Corner::bottomRight, curveBottomRight, false);
    outline.turn(Corner::bottomLeft, curveBottomLeft, false);
    path.closeSubPath();
}

void createHalfOutlinePathA(juce::Path& path, float x, float y, float width, float height, float cs,
                            bool curveTopLeft, bool curveTopRight, bool curveBottomLeft, bool /*curveBottomRight*/)
{
    const Outline outline { path, x, y, width, height, cs };
    outline.turn(Corner::bottomLeft, curveBottomLeft, true);
    outline.turn(Corner::topLeft, curveTopLeft, false);
    outline.reach(Corner::topRight, curveTopRight, false);
}

void createHalfOutlinePathB(juce::Path& path, float x, float y, float width, float height, float cs,
                            bool /*curveTopLeft*/, bool curveTopRight, bool curveBottomLeft, bool curveBottomRight)
{
    const Outline outline { path, x, y, width, height, cs };
    outline.turn(Corner::topRight, curveTopRight, true);
    outline.turn(Corner::bottomRight, curveBottomRight, false);
    outline.reach(Corner::bottomLeft, curveBottomLeft, false);
}
