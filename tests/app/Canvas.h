#pragma once

#include <juce_gui_basics/juce_gui_basics.h>

#include <cstdlib>
#include <functional>
#include <ostream>

namespace juce
{
// Lets test failures show colours as ARGB hex.
inline void PrintTo(const Colour& colour, std::ostream* out)
{
    *out << colour.toDisplayString(true);
}
} // namespace juce

namespace testsupport
{
// A font as it was selected or drawn with: the fill colour and JUCE's
// fallback font name at that moment.
struct FontUse
{
    juce::Font font;
    juce::Colour colour;
    juce::String fallbackFontName;
};

// A software renderer that notes every font selected and every glyph drawn,
// so that tests can tell which font was chosen whether or not a typeface of
// that name is installed.
class RecordingRenderer : public juce::LowLevelGraphicsSoftwareRenderer
{
public:
    explicit RecordingRenderer(const juce::Image& image) : juce::LowLevelGraphicsSoftwareRenderer(image) {}

    void setFont(const juce::Font& font) override
    {
        juce::LowLevelGraphicsSoftwareRenderer::setFont(font);
        fontsSelected.add(currentUse());
    }

    void drawGlyph(int glyphNumber, const juce::AffineTransform& transform) override
    {
        glyphs.add(currentUse());
        juce::LowLevelGraphicsSoftwareRenderer::drawGlyph(glyphNumber, transform);
    }

    juce::Array<FontUse> fontsSelected;
    juce::Array<FontUse> glyphs;

private:
    FontUse currentUse() { return { getFont(), stack->fillType.colour, juce::Font::getFallbackFontName() }; }
};

// An opaque image filled with one colour, a graphics context on it, and the
// fonts used on it.
struct Canvas
{
    Canvas(int width, int height, juce::Colour background = juce::Colour(0xFF00FF00))
        : image(juce::Image::RGB, width, height, false, juce::SoftwareImageType()),
          renderer(image),
          g(renderer)
    {
        image.clear(image.getBounds(), background);
    }

    juce::Colour pixel(int x, int y) const { return image.getPixelAt(x, y); }

    juce::Image image;
    RecordingRenderer renderer;
    juce::Graphics g;
};

// Whether a pixel is the given colour but for the rounding of anti-aliasing.
inline bool isNear(juce::Colour pixel, juce::Colour colour)
{
    constexpr int tolerance = 4;
    return std::abs(pixel.getRed() - colour.getRed()) <= tolerance
           && std::abs(pixel.getGreen() - colour.getGreen()) <= tolerance
           && std::abs(pixel.getBlue() - colour.getBlue()) <= tolerance;
}

// Whether the condition holds at every pixel of the area.
inline bool everyPixel(juce::Rectangle<int> area, const std::function<bool(int x, int y)>& holds)
{
    for (int y = area.getY(); y < area.getBottom(); ++y)
        for (int x = area.getX(); x < area.getRight(); ++x)
            if (! holds(x, y))
                return false;

    return true;
}

inline bool allPixelsAre(const juce::Image& image, juce::Colour colour)
{
    return everyPixel(image.getBounds(), [&](int x, int y) { return image.getPixelAt(x, y) == colour; });
}

inline bool sameImages(const juce::Image& a, const juce::Image& b)
{
    return a.getBounds() == b.getBounds()
           && everyPixel(a.getBounds(), [&](int x, int y) { return a.getPixelAt(x, y) == b.getPixelAt(x, y); });
}
} // namespace testsupport
