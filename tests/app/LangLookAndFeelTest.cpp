// The language drop-down's look-and-feel: entries painted into an image, the
// fonts they select, and JUCE's fallback font name around them.

#include "Canvas.h"

#include "app/LangLookAndFeel.h"
#include "text/LanguageTables.h"
#include "text/TxtLoader.h"

#include <gtest/gtest.h>

using testsupport::Canvas;
using testsupport::FontUse;

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

    // Draws an active, plain entry into a canvas as wide as the list.
    void drawEntry(Canvas& canvas, const juce::String& text, bool isActive = true, bool isHighlighted = false)
    {
        lookAndFeel.drawPopupMenuItem(canvas.g, canvas.image.getBounds(), false, isActive, isHighlighted, false,
                                      false, text, {}, nullptr, nullptr);
    }

    // The font in which the entry's text was laid out: the last one selected.
    static FontUse textFont(const Canvas& canvas)
    {
        EXPECT_FALSE(canvas.renderer.fontsSelected.isEmpty());
        return canvas.renderer.fontsSelected.getLast();
    }

    const juce::String originalFallback { juce::Font::getFallbackFontName() };
    juce::LangLookAndFeel lookAndFeel;
};
} // namespace

TEST_F(LangLookAndFeelTest, theJapaneseEntryIsDrawnInTheJapaneseFontWithItAsFallbackWhileItDraws)
{
    Canvas canvas(200, 30, background);
    drawEntry(canvas, languageNames[japaneseLanguage]);

    const auto used = textFont(canvas);
    EXPECT_EQ(used.font.getTypefaceName(), winFontNames[japaneseLanguage]);
    EXPECT_FLOAT_EQ(used.font.getHeight(), 17.0f);
    EXPECT_EQ(used.fallbackFontName, TxtLoader::getInstance()->getFontName(japaneseLanguage));

    for (const auto& glyph : canvas.renderer.glyphs)
    {
        EXPECT_EQ(glyph.font.getTypefaceName(), winFontNames[japaneseLanguage]);
        EXPECT_EQ(glyph.fallbackFontName, TxtLoader::getInstance()->getFontName(japaneseLanguage));
    }

    EXPECT_EQ(juce::Font::getFallbackFontName(), fallbackBefore) << "restored after the entry";
}

TEST_F(LangLookAndFeelTest, inALowEntryLanguageAndPlainFontsShrinkToTheAreaHeightOverOnePointThree)
{
    const float expected = 18.0f / 1.3f;

    Canvas japanese(200, 18, background);
    drawEntry(japanese, languageNames[japaneseLanguage]);
    EXPECT_EQ(textFont(japanese).font.getTypefaceName(), winFontNames[japaneseLanguage]);
    EXPECT_FLOAT_EQ(textFont(japanese).font.getHeight(), expected);

    Canvas plain(200, 18, background);
    drawEntry(plain, notALanguage);
    EXPECT_EQ(textFont(plain).font.getTypefaceName(), lookAndFeel.getPopupMenuFont().getTypefaceName());
    EXPECT_FLOAT_EQ(textFont(plain).font.getHeight(), expected);
}

TEST_F(LangLookAndFeelTest, anEntryNamingNoLanguageKeepsThePopupFontAndTheFallbackName)
{
    Canvas canvas(200, 30, background);
    drawEntry(canvas, notALanguage);

    const auto used = textFont(canvas);
    EXPECT_EQ(used.font.getTypefaceName(), lookAndFeel.getPopupMenuFont().getTypefaceName());
    EXPECT_FLOAT_EQ(used.font.getHeight(), 17.0f);
    EXPECT_EQ(used.fallbackFontName, fallbackBefore);
    EXPECT_FALSE(canvas.renderer.glyphs.isEmpty());
    EXPECT_EQ(juce::Font::getFallbackFontName(), fallbackBefore);
}

TEST_F(LangLookAndFeelTest, theFallbackMatchIgnoresCaseButTheFontMatchDoesNot)
{
    Canvas canvas(200, 30, background);
    drawEntry(canvas, languageNames[englishLanguage].toUpperCase());

    const auto used = textFont(canvas);
    EXPECT_EQ(used.fallbackFontName, TxtLoader::getInstance()->getFontName(englishLanguage));
    EXPECT_EQ(used.font.getTypefaceName(), lookAndFeel.getPopupMenuFont().getTypefaceName());
    EXPECT_EQ(juce::Font::getFallbackFontName(), fallbackBefore);
}

TEST_F(LangLookAndFeelTest, aHighlightedEntryIsFilledDarkBlueWhateverTheHighlightColourSays)
{
    lookAndFeel.setColour(juce::PopupMenu::highlightedBackgroundColourId, juce::Colours::red);

    Canvas canvas(200, 24, background);
    drawEntry(canvas, notALanguage, true, true);

    EXPECT_EQ(canvas.pixel(0, 0), background);
    EXPECT_EQ(canvas.pixel(1, 1), juce::Colour(0xFF000040));
    EXPECT_EQ(canvas.pixel(198, 22), juce::Colour(0xFF000040));
    EXPECT_EQ(canvas.pixel(199, 23), background);
    EXPECT_EQ(textFont(canvas).colour, juce::Colours::white);
}

TEST_F(LangLookAndFeelTest, anInactiveEntryIsDrawnAtThirtyPercentOpacity)
{
    Canvas active(200, 24, background);
    drawEntry(active, notALanguage);
    Canvas inactive(200, 24, background);
    drawEntry(inactive, notALanguage, false);

    ASSERT_FALSE(active.renderer.glyphs.isEmpty());
    ASSERT_FALSE(inactive.renderer.glyphs.isEmpty());
    EXPECT_EQ(active.renderer.glyphs.getFirst().colour, juce::Colours::black);
    EXPECT_NEAR(inactive.renderer.glyphs.getFirst().colour.getFloatAlpha(), 0.3f, 0.01f);
    EXPECT_EQ(inactive.renderer.glyphs.getFirst().colour.withAlpha(1.0f), juce::Colours::black);
}

TEST_F(LangLookAndFeelTest, aSeparatorDrawsOnlyItsTwoLinesFivePixelsInFromBothSides)
{
    Canvas canvas(100, 10, background);
    lookAndFeel.drawPopupMenuItem(canvas.g, canvas.image.getBounds(), true, true, false, false, false, {}, {},
                                  nullptr, nullptr);

    // 0x33000000 over mid grey, and 0x66FFFFFF below it, on row 10 / 2 - 1.
    const auto dark = background.overlaidWith(juce::Colour(0x33000000));
    const auto light = background.overlaidWith(juce::Colour(0x66FFFFFF));

    for (int y = 0; y < 10; ++y)
        for (int x = 0; x < 100; ++x)
        {
            const bool onLine = x >= 5 && x < 95 && (y == 4 || y == 5);
            const auto expected = ! onLine ? background : y == 4 ? dark : light;
            ASSERT_PRED2(testsupport::isNear, canvas.pixel(x, y), expected) << x << ", " << y;
        }

    EXPECT_TRUE(canvas.renderer.glyphs.isEmpty());
    EXPECT_EQ(juce::Font::getFallbackFontName(), fallbackBefore);
}

TEST_F(LangLookAndFeelTest, aTickedEntryShowsTheTickAndAnEntryWithAnIconShowsTheIconInstead)
{
    const juce::Rectangle<int> iconArea(4, 4, 21, 16); // (22 * 5) / 4 wide, less 3 px, inside the entry
    const auto iconAreaIsBlank = [&](const Canvas& canvas) {
        for (int y = iconArea.getY(); y < iconArea.getBottom(); ++y)
            for (int x = iconArea.getX(); x < iconArea.getRight(); ++x)
                if (canvas.pixel(x, y) != background)
                    return false;
        return true;
    };

    Canvas plain(200, 24, background);
    drawEntry(plain, notALanguage);
    EXPECT_TRUE(iconAreaIsBlank(plain));

    Canvas ticked(200, 24, background);
    lookAndFeel.drawPopupMenuItem(ticked.g, ticked.image.getBounds(), false, true, false, true, false, notALanguage,
                                  {}, nullptr, nullptr);
    EXPECT_FALSE(iconAreaIsBlank(ticked));

    juce::DrawableRectangle icon;
    icon.setRectangle(juce::Rectangle<float>(0.0f, 0.0f, 10.0f, 10.0f));
    icon.setFill(juce::Colours::red);
    Canvas withIcon(200, 24, background);
    lookAndFeel.drawPopupMenuItem(withIcon.g, withIcon.image.getBounds(), false, true, false, true, false,
                                  notALanguage, {}, &icon, nullptr);
    EXPECT_EQ(withIcon.pixel(iconArea.getCentreX(), iconArea.getCentreY()), juce::Colours::red);
    EXPECT_NE(ticked.pixel(iconArea.getCentreX(), iconArea.getCentreY()), juce::Colours::red);
}

TEST_F(LangLookAndFeelTest, theBoxTextTakesTheSelectedLanguagesFontAtMostFifteenPixelsHigh)
{
    juce::ComboBox box;
    box.addItem(languageNames[englishLanguage], englishLanguage + 1);
    box.addItem(languageNames[japaneseLanguage], japaneseLanguage + 1);

    box.setSize(200, 20);
    EXPECT_EQ(lookAndFeel.getComboBoxFont(box).getTypefaceName(), juce::String()) << "nothing selected";
    EXPECT_FLOAT_EQ(lookAndFeel.getComboBoxFont(box).getHeight(), 15.0f);

    box.setSelectedId(japaneseLanguage + 1, juce::dontSendNotification);
    EXPECT_EQ(lookAndFeel.getComboBoxFont(box).getTypefaceName(),
              TxtLoader::getInstance()->getFontName(japaneseLanguage));

    box.setSize(200, 10);
    EXPECT_FLOAT_EQ(lookAndFeel.getComboBoxFont(box).getHeight(), 8.5f);
    EXPECT_EQ(lookAndFeel.getComboBoxFont(box).getStyleFlags(), juce::Font::plain);
}
