#pragma once

#include "LanguageTables.h"

#include "platform/win32.h"

#include <juce_core/juce_core.h>

// The one store of localized text: the current language, its messages by
// message slot, every language's font and display name, and which languages
// the installed locales can show. Created on first use and deleted
// explicitly; used on the GUI thread only.
class TxtLoader
{
public:
    virtual ~TxtLoader() = default;

    static TxtLoader* instance; // owns the store; null while there is none

    static TxtLoader* getInstance();
    static void createInstance();
    static void deleteInstance();

    // Rescans the installed locales into the store's available flags and
    // returns the language chosen from the user's language; changes neither
    // the current language nor the messages.
    static int detectLanguage();
    static BOOL CALLBACK enumLocalesProc(LPSTR localeId);

    // Kinds: 1 Windows font names, 2 Mac font names, 3 language names, 4 the
    // current language's messages. Any other kind does nothing.
    void loadTexts(int kind);
    void setLanguage(int languageIndex);

    // Out-of-range indexes give emptyText.
    const juce::String& getText(int slot) const;
    const juce::String& getLanguageName(int languageIndex) const;
    const juce::String& getFontName(int languageIndex) const;
    const juce::String& getCurrentFontName() const;

    int currentLanguage = noLanguage;
    juce::String emptyText;
    bool available[languageCount] = {};
    juce::String fontNames[languageCount];
    juce::String langNames[languageCount];
    juce::String texts[messageSlotCount];

private:
    TxtLoader();

    JUCE_DECLARE_NON_COPYABLE_WITH_LEAK_DETECTOR(TxtLoader)
};
