#pragma once

#include <juce_gui_basics/juce_gui_basics.h>

namespace juce
{
// The look-and-feel of the language drop-down, and the program's default one:
// the box shows its text in the selected language's font, and each entry of
// the list that it opens is drawn in the font of the language it names.
class LangLookAndFeel : public juce::LookAndFeel_V2
{
public:
    LangLookAndFeel() = default;

    // The selected language's font; a box with no language selected gets a
    // font with the empty name.
    juce::Font getComboBoxFont(juce::ComboBox& box) override;

    // Draws one entry as JUCE's LookAndFeel_V2 does, but in the font of the
    // language that the entry names and on a fixed dark blue when highlighted.
    void drawPopupMenuItem(juce::Graphics& g, const juce::Rectangle<int>& area, bool isSeparator, bool isActive,
                           bool isHighlighted, bool isTicked, bool hasSubMenu, const juce::String& text,
                           const juce::String& shortcutKeyText, const juce::Drawable* icon,
                           const juce::Colour* textColourToUse) override;

private:
    JUCE_DECLARE_NON_COPYABLE_WITH_LEAK_DETECTOR(LangLookAndFeel)
};
} // namespace juce
