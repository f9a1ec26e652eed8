// The language drop-down's look-and-feel: entries painted into images, the
// fonts they select, and JUCE's fallback font name around them.

#include "Canvas.h"

#include "app/LangLookAndFeel.h"
#include "text/LanguageTables.h"
#include "text/TxtLoader.h"

#include <gtest/gtest.h>

using testsupport::Canvas;

namespace
{
const juce::Colour background(0xFF808080);
const juce::String fallbackBefore("Fallback Before");
const juce::String notALanguage("Firmware");

class LangLookAndFeelTest : public testing::Test
{
protected:
    void SetUp() override { juce::Font::setFallbackFontName(fallbackBefore); }

    void TearDown() override
    {
        juce::Font::setFallbackFontName(originalFallback);
        TxtLoader::deleteInstance();
    }

    // Draws an entry as wide and high as the canvas and gives the font its
    // text was laid out in: the last one selected.
    testsupport::FontUse drawEntry(Canvas& canvas, const juce::String& text, bool isActive = true,
                                   bool isHighlighted = false, bool isSeparator = false)
    {
        lookAndFeel.drawPopupMenuItem(canvas.g, canvas.image.getBounds(), isSeparator, isActive, isHighlighted,
                                      false, false, text, {}, nullptr, nullptr);
        return canvas.renderer.fontsSelected.isEmpty() ? testsupport::FontUse {}
                                                       : canvas.renderer.fontsSelected.getLast();
    }

    const juce::String originalFallback { juce::Font::getFallbackFontName() };
    juce::LangLookAndFeel lookAndFeel;
};
} // namespace

TEST_F(LangLookAndFeelTest, theJapaneseEntryIsDrawnInItsFontWhichIsTheFallbackOnlyWhileItDraws)
{
    const auto& japaneseFont = TxtLoader::getInstance()->getFontName(japaneseLanguage);

    for (const auto& [height, fontHeight] : { std::pair { 30, 17.0f }, { 18, 18.0f / 1.3f } })
    {
        Canvas canvas(200, height, background);
        const auto used = drawEntry(canvas, languageNames[japaneseLanguage]);

        EXPECT_EQ(used.font.getTypefaceName(), winFontNames[japaneseLanguage]);
        EXPECT_FLOAT_EQ(used.font.getHeight(), fontHeight);
        EXPECT_EQ(used.fallbackFontName, japaneseFont);
        for (const auto& glyph : canvas.renderer.glyphs)
            EXPECT_EQ(glyph.fallbackFontName, japaneseFont);

        EXPECT_EQ(juce::Font::getFallbackFontName(), fallbackBefore) << "restored after the entry";
    }
}

TEST_F(LangLookAndFeelTest, anEntryNamingNoLanguageShrinksThePopupFontAndLeavesTheFallback)
{
    Canvas canvas(200, 18, background);
    const auto used = drawEntry(canvas, notALanguage);

    EXPECT_EQ(used.font.getTypefaceName(), lookAndFeel.getPopupMenuFont().getTypefaceName());
    EXPECT_FLOAT_EQ(used.font.getHeight(), 18.0f / 1.3f);
    EXPECT_EQ(used.fallbackFontName, fallbackBefore);
    EXPECT_EQ(juce::Font::getFallbackFontName(), fallbackBefore);
}

TEST_F(LangLookAndFeelTest, aHighlightedEntryIsDarkBlueWhateverItsColourIdAndAnInactiveOneFaint)
{
    lookAndFeel.setColour(juce::PopupMenu::highlightedBackgroundColourId, juce::Colours::red);

    Canvas highlighted(200, 24, background);
    EXPECT_EQ(drawEntry(highlighted, notALanguage, true, true).colour, juce::Colours::white);
    EXPECT_EQ(highlighted.pixel(0, 0), background);
    EXPECT_EQ(highlighted.pixel(1, 1), juce::Colour(0xFF000040));
    EXPECT_EQ(highlighted.pixel(198, 22), juce::Colour(0xFF000040));

    Canvas active(200, 24, background);
    EXPECT_EQ(drawEntry(active, notALanguage).colour, juce::Colours::black);
    Canvas inactive(200, 24, background);
    EXPECT_EQ(drawEntry(inactive, notALanguage, false).colour, juce::Colours::black.withAlpha(0.3f));
}

TEST_F(LangLookAndFeelTest, aSeparatorDrawsOnlyTwoLinesFivePixelsInFromBothSides)
{
    Canvas canvas(100, 10, background);
    drawEntry(canvas, {}, true, false, true);

    // 0x33000000 over 0x66FFFFFF, on row 10 / 2 - 1 and the row below it.
    const auto dark = background.overlaidWith(juce::Colour(0x33000000));
    const auto light = background.overlaidWith(juce::Colour(0x66FFFFFF));
    EXPECT_TRUE(testsupport::everyPixel(canvas.image.getBounds(), [&](int x, int y) {
        const bool onLine = x >= 5 && x < 95 && (y == 4 || y == 5);
        return testsupport::isNear(canvas.pixel(x, y), ! onLine ? background : y == 4 ? dark : light);
    }));
    EXPECT_EQ(juce::Font::getFallbackFontName(), fallbackBefore);
}

TEST_F(LangLookAndFeelTest, theBoxTextTakesTheSelectedLanguagesFontAtMostFifteenPixelsHigh)
{
    juce::ComboBox box;
    box.addItem(languageNames[japaneseLanguage], japaneseLanguage + 1);
    box.setSize(200, 20);
    EXPECT_EQ(lookAndFeel.getComboBoxFont(box).getTypefaceName(), juce::String()) << "nothing selected";
    EXPECT_FLOAT_EQ(lookAndFeel.getComboBoxFont(box).getHeight(), 15.0f);

    box.setSelectedId(japaneseLanguage + 1, juce::dontSendNotification);
    box.setSize(200, 10);
    EXPECT_EQ(lookAndFeel.getComboBoxFont(box).getTypefaceName(), TxtLoader::getInstance()->getFontName(japaneseLanguage));
    EXPECT_FLOAT_EQ(lookAndFeel.getComboBoxFont(box).getHeight(), 8.5f);
}
