// Every language's texts draw with real glyphs on Linux, in the font that the
// tables name for the language, plain and bold.

#include "platform/linux/WindowsTypefaces.h"
#include "text/LanguageTables.h"

#include <gtest/gtest.h>
#include <juce_graphics/juce_graphics.h>

namespace
{
// Unassigned in Unicode, so no font has a glyph for it: it draws as the
// missing-glyph box.
constexpr juce::juce_wchar characterNoFontHas = 0x0378;

juce::Image draw(juce::juce_wchar character, const juce::Font& font)
{
    juce::Image image(juce::Image::RGB, 40, 40, true);
    juce::Graphics g(image);
    g.fillAll(juce::Colours::white);
    g.setColour(juce::Colours::black);
    g.setFont(font);
    g.drawSingleLineText(juce::String::charToString(character), 4, 30);
    return image;
}

bool samePixels(const juce::Image& a, const juce::Image& b)
{
    for (int y = 0; y < a.getHeight(); ++y)
        for (int x = 0; x < a.getWidth(); ++x)
            if (a.getPixelAt(x, y) != b.getPixelAt(x, y))
                return false;

    return true;
}

bool isBlank(const juce::Image& image)
{
    for (int y = 0; y < image.getHeight(); ++y)
        for (int x = 0; x < image.getWidth(); ++x)
            if (image.getPixelAt(x, y) != juce::Colours::white)
                return false;

    return true;
}
} // namespace

TEST(TextRendering, theWindowsTypefaceNamesAreKnown)
{
    ASSERT_TRUE(addWindowsTypefaces());

    const auto families = juce::Font::findAllTypefaceNames();

    for (const auto& name : winFontNames)
    {
        EXPECT_TRUE(families.contains(name)) << name;
        EXPECT_TRUE(juce::Font::findAllTypefaceStyles(name).contains("Bold")) << name;
    }
}

TEST(TextRendering, everyTextOfEveryLanguageDrawsRealGlyphsInItsFont)
{
    ASSERT_TRUE(addWindowsTypefaces());

    for (int i = 0; i < languageCount; ++i)
    {
        // Each character once: the language's messages and its own name.
        juce::String characters;

        for (const auto* table : messageTables)
            for (auto character : table[i])
                if (character != ' ' && ! characters.containsChar(character))
                    characters += juce::String::charToString(character);

        for (auto character : languageNames[i])
            if (! characters.containsChar(character))
                characters += juce::String::charToString(character);

        for (auto style : { juce::Font::plain, juce::Font::bold })
        {
            const juce::Font font(winFontNames[i], 24.0f, style);
            const auto missingGlyph = draw(characterNoFontHas, font);

            for (auto character : characters)
            {
                const auto glyph = draw(character, font);
                const auto where = winFontNames[i] + ", language " + juce::String(i) + ": U+"
                                 + juce::String::toHexString(static_cast<int>(character));
                EXPECT_FALSE(samePixels(glyph, missingGlyph)) << where;
                EXPECT_FALSE(isBlank(glyph)) << where;
            }
        }
    }
}
