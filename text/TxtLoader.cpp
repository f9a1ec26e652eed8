#include "TxtLoader.h"

#include <cstdio>
#include <cstring>

namespace
{
enum LoadKind
{
    windowsFontNames = 1,
    macintoshFontNames = 2,
    displayNames = 3,
    currentMessages = 4
};

constexpr int primaryLanguageOf(int languageId)
{
    return languageId & 0xFF;
}

constexpr int chinesePrimaryLanguage = 0x04;
constexpr int chineseSimplifiedId = 0x804;
// Taiwan, Hong Kong, Macao, Singapore and the neutral Traditional identifier.
constexpr int chineseTraditionalIds[] = { 0x404, 0xC04, 0x1404, 0x1004, 0x7C04 };

bool isLanguageIndex(int index)
{
    return index >= 0 && index < languageCount;
}

void copyTable(juce::String (&destination)[languageCount], const juce::String (&source)[languageCount])
{
    for (int i = 0; i < languageCount; ++i)
        destination[i] = source[i];
}

int chineseLanguageFor(int languageId, const bool (&available)[languageCount])
{
    if (languageId == chineseSimplifiedId)
        return available[simplifiedChineseLanguage] ? simplifiedChineseLanguage : englishLanguage;

    for (auto traditionalId : chineseTraditionalIds)
        if (languageId == traditionalId)
            return available[traditionalChineseLanguage] ? traditionalChineseLanguage : englishLanguage;

    return englishLanguage;
}
} // namespace

TxtLoader* TxtLoader::instance = nullptr;

TxtLoader::TxtLoader()
{
    loadTexts(windowsFontNames);
    loadTexts(displayNames);
}

TxtLoader* TxtLoader::getInstance()
{
    if (instance == nullptr)
        createInstance();

    return instance;
}

void TxtLoader::createInstance()
{
    if (instance != nullptr)
        return;

    // Set before the scan, so that enumLocalesProc finds the store.
    instance = new TxtLoader();
    instance->setLanguage(detectLanguage());
}

void TxtLoader::deleteInstance()
{
    delete instance;
    instance = nullptr;
}

int TxtLoader::detectLanguage()
{
    auto& store = *getInstance();

    for (auto& flag : store.available)
        flag = false;

    store.available[englishLanguage] = true;
    EnumSystemLocalesA(enumLocalesProc, LCID_INSTALLED);

    const int userLanguageId = GetUserDefaultLangID();
    const int primary = primaryLanguageOf(userLanguageId);

    if (primary == chinesePrimaryLanguage)
        return chineseLanguageFor(userLanguageId, store.available);

    for (int i = 0; i < languageCount; ++i)
        if (primaryLanguageOf(languageIds[i]) == primary)
            return store.available[i] ? i : englishLanguage;

    return englishLanguage;
}

BOOL CALLBACK TxtLoader::enumLocalesProc(LPSTR localeId)
{
    if (localeId == nullptr)
        return FALSE;

    const auto length = std::strlen(localeId);

    if (length < 2)
        return TRUE;

    // The last two hexadecimal digits are the primary language.
    const juce::CharPointer_ASCII tail(localeId + length - 2);

    // English is always available and is not tested.
    for (int i = englishLanguage + 1; i < languageCount; ++i)
    {
        char primary[3];
        std::snprintf(primary, sizeof(primary), "%02x", primaryLanguageOf(languageIds[i]));

        if (tail.compareIgnoreCase(juce::CharPointer_ASCII(primary)) == 0)
            getInstance()->available[i] = true;
    }

    return TRUE;
}

void TxtLoader::loadTexts(int kind)
{
    switch (kind)
    {
        case windowsFontNames:
            copyTable(fontNames, winFontNames);
            break;
        case macintoshFontNames:
            copyTable(fontNames, macFontNames);
            break;
        case displayNames:
            copyTable(langNames, languageNames);
            break;
        case currentMessages:
            if (isLanguageIndex(currentLanguage))
                for (int slot = 0; slot < messageSlotCount; ++slot)
                    texts[slot] = messageTables[slot][currentLanguage];
            break;
        default:
            break;
    }
}

void TxtLoader::setLanguage(int languageIndex)
{
    if (! isLanguageIndex(languageIndex))
        return;

    currentLanguage = languageIndex;
    loadTexts(currentMessages);
}

const juce::String& TxtLoader::getText(int slot) const
{
    return slot >= 0 && slot < messageSlotCount ? texts[slot] : emptyText;
}

const juce::String& TxtLoader::getLanguageName(int languageIndex) const
{
    return isLanguageIndex(languageIndex) ? langNames[languageIndex] : emptyText;
}

const juce::String& TxtLoader::getFontName(int languageIndex) const
{
    return isLanguageIndex(languageIndex) ? fontNames[languageIndex] : emptyText;
}

const juce::String& TxtLoader::getCurrentFontName() const
{
    return getFontName(currentLanguage);
}
