#pragma once

// Every user-visible text, font name and language name once per user
// interface language. Each table holds twelve entries indexed by the language
// index; nothing writes them after static initialisation.

#include <juce_core/juce_core.h>

// The language index: an int in this fixed order, shared by every table.
constexpr int englishLanguage = 0;
constexpr int frenchLanguage = 1;
constexpr int germanLanguage = 2;
constexpr int spanishLanguage = 3;
constexpr int italianLanguage = 4;
constexpr int dutchLanguage = 5;
constexpr int russianLanguage = 6;
constexpr int portugueseLanguage = 7;
constexpr int simplifiedChineseLanguage = 8;
constexpr int traditionalChineseLanguage = 9;
constexpr int koreanLanguage = 10;
constexpr int japaneseLanguage = 11;

constexpr int languageCount = 12;
constexpr int noLanguage = 12; // before the start-up choice

// The number of user interface messages, one table per message slot.
constexpr int messageSlotCount = 25;

// The Windows language identifier (LANGID) of each language; its low byte is
// the primary language.
constexpr juce::uint16 languageIds[languageCount] = {
    0x409, 0x40C, 0x407, 0x40A, 0x410, 0x413, 0x419, 0x816, 0x804, 0x404, 0x412, 0x411
};

extern const juce::String winFontNames[languageCount];
extern const juce::String macFontNames[languageCount];
extern const juce::String languageNames[languageCount];

// The message tables, in slot order 0 to 24.
extern const juce::String blankTexts[languageCount];
extern const juce::String seriesTexts[languageCount];
extern const juce::String modelTexts[languageCount];
extern const juce::String titleTexts[languageCount];
extern const juce::String okTexts[languageCount];
extern const juce::String startTexts[languageCount];
extern const juce::String cancelTexts[languageCount];
extern const juce::String closeTexts[languageCount];
extern const juce::String languageSelectTitleTexts[languageCount];
extern const juce::String languageSelectPromptTexts[languageCount];
extern const juce::String fileErrorTexts[languageCount];
extern const juce::String notConnectedTexts[languageCount];
extern const juce::String updateIntroTexts[languageCount];
extern const juce::String currentVersionTexts[languageCount];
extern const juce::String updateVersionTexts[languageCount];
extern const juce::String updatingTexts[languageCount];
extern const juce::String pleaseWaitTexts[languageCount];
extern const juce::String completeTexts[languageCount];
extern const juce::String failedTexts[languageCount];
extern const juce::String unitUnavailableTexts[languageCount];
extern const juce::String retryIntroTexts[languageCount];
extern const juce::String retryStep1Texts[languageCount];
extern const juce::String retryStep2Texts[languageCount];
extern const juce::String retryStep3ProgramTexts[languageCount];
extern const juce::String retryStep3PackageTexts[languageCount];

// The table behind each message slot: element k feeds slot k.
extern const juce::String* const messageTables[messageSlotCount];
