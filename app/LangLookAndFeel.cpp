#include "LangLookAndFeel.h"

#include "text/LanguageTables.h"
#include "text/TxtLoader.h"

namespace
{
constexpr float largestBoxFontHeight = 15.0f;
constexpr float boxFontHeightRatio = 0.85f;
constexpr float languageFontHeight = 17.0f;
constexpr float areaHeightPerFontHeight = 1.3f;
constexpr juce::uint32 highlightColour = 0xFF000040;
constexpr float inactiveOpacity = 0.3f;

// While one entry draws, JUCE's fallback font is the font of the language the
// entry names, so that glyphs missing from the entry's font come from a font
// of the same language; the previous name is put back afterwards.
class EntryFallbackFont
{
public:
    explicit EntryFallbackFont(const juce::String& entryText)
    {
        const auto& store = *TxtLoader::getInstance();

        for (int language = 0; language < languageCount; ++language)
        {
            if (entryText.equalsIgnoreCase(store.getLanguageName(language)))
            {
                juce::Font::setFallbackFontName(store.getFontName(language));
                return;
            }
        }
    }

    ~EntryFallbackFont() { juce::Font::setFallbackFontName(previousName); }

private:
    const juce::String previousName { juce::Font::getFallbackFontName() };

    JUCE_DECLARE_NON_COPYABLE(EntryFallbackFont)
};

void drawSeparator(juce::Graphics& g, const juce::Rectangle<int>& area)
{
    auto r = area.reduced(5, 0);
    r.removeFromTop(r.getHeight() / 2 - 1);

    g.setColour(juce::Colour(0x33000000));
    g.fillRect(r.removeFromTop(1));

    g.setColour(juce::Colour(0x66FFFFFF));
    g.fillRect(r.removeFromTop(1));
}
} // namespace

juce::Font juce::LangLookAndFeel::getComboBoxFont(juce::ComboBox& box)
{
    const float height = juce::jmin(largestBoxFontHeight, static_cast<float>(box.getHeight()) * boxFontHeightRatio);

    // The items carry the language index + 1 as their id.
    return juce::Font(TxtLoader::getInstance()->getFontName(box.getSelectedId() - 1), height, juce::Font::plain);
}

void juce::LangLookAndFeel::drawPopupMenuItem(juce::Graphics& g, const juce::Rectangle<int>& area, bool isSeparator,
                                              bool isActive, bool isHighlighted, bool isTicked, bool hasSubMenu,
                                              const juce::String& text, const juce::String& shortcutKeyText,
                                              const juce::Drawable* icon, const juce::Colour* textColourToUse)
{
    if (isSeparator)
    {
        drawSeparator(g, area);
        return;
    }

    const auto textColour = textColourToUse != nullptr ? *textColourToUse : findColour(juce::PopupMenu::textColourId);
    auto r = area.reduced(1);

    if (isHighlighted)
    {
        g.setColour(juce::Colour(highlightColour));
        g.fillRect(r);
        g.setColour(findColour(juce::PopupMenu::highlightedTextColourId));
    }
    else
    {
        g.setColour(textColour);
    }

    if (! isActive)
        g.setOpacity(inactiveOpacity);

    const EntryFallbackFont fallbackFont(text);

    auto font = getPopupMenuFont();

    for (int language = 0; language < languageCount; ++language)
    {
        if (text == languageNames[language])
        {
            font = juce::Font(winFontNames[language], languageFontHeight, juce::Font::plain);
            break;
        }
    }

    const float maxFontHeight = static_cast<float>(area.getHeight()) / areaHeightPerFontHeight;

    if (font.getHeight() > maxFontHeight)
        font.setHeight(maxFontHeight);

    g.setFont(font);

    const auto iconArea = r.removeFromLeft((r.getHeight() * 5) / 4).reduced(3).toFloat();

    if (icon != nullptr)
    {
        icon->drawWithin(g, iconArea, juce::RectanglePlacement::centred | juce::RectanglePlacement::onlyReduceInSize,
                         1.0f);
    }
    else if (isTicked)
    {
        const auto tick = getTickShape(1.0f);
        g.fillPath(tick, tick.getTransformToScaleToFit(iconArea, true));
    }

    if (hasSubMenu)
    {
        const float arrowH = 0.6f * getPopupMenuFont().getAscent();
        const auto x = static_cast<float>(r.removeFromRight(static_cast<int>(arrowH)).getX());
        const auto halfH = static_cast<float>(r.getCentreY());

        juce::Path arrow;
        arrow.addTriangle(x, halfH - arrowH * 0.5f, x, halfH + arrowH * 0.5f, x + arrowH * 0.6f, halfH);
        g.fillPath(arrow);
    }

    r.removeFromRight(3);
    g.drawFittedText(text, r, juce::Justification::centredLeft, 1);

    if (shortcutKeyText.isNotEmpty())
    {
        auto shortcutFont = font;
        shortcutFont.setHeight(shortcutFont.getHeight() * 0.75f);
        shortcutFont.setHorizontalScale(0.95f);
        g.setFont(shortcutFont);
        g.drawText(shortcutKeyText, r, juce::Justification::centredRight, true);
    }
}
