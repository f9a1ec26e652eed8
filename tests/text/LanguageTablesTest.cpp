// The localized text tables: complete, exact where the texts are fixed, and
// every translation usable with the same arguments as the English text.

#include "text/LanguageTables.h"

#include <gtest/gtest.h>

#include <vector>

namespace
{
juce::String utf8(const char* text)
{
    return juce::String::fromUTF8(text);
}

// The printf conversions of a text, in order ("%s", "%02s", "% s").
std::vector<juce::String> conversionsOf(const juce::String& text)
{
    std::vector<juce::String> conversions;

    for (int start = text.indexOfChar('%'); start >= 0; start = text.indexOfChar(start + 1, '%'))
    {
        int end = start + 1;

        while (end < text.length() && juce::String(" 0123456789").containsChar(text[end]))
            ++end;

        conversions.push_back(text.substring(start, end + 1));
    }

    return conversions;
}

void expectTable(const juce::String (&table)[languageCount], const std::vector<const char*>& expected)
{
    ASSERT_EQ(expected.size(), static_cast<size_t>(languageCount));

    for (int i = 0; i < languageCount; ++i)
        EXPECT_EQ(table[i], utf8(expected[static_cast<size_t>(i)])) << "language " << i;
}

std::vector<const juce::String*> allTables()
{
    std::vector<const juce::String*> tables { winFontNames, macFontNames, languageNames };
    tables.insert(tables.end(), std::begin(messageTables), std::end(messageTables));
    return tables;
}

// The slots whose translations are ours rather than fixed texts.
constexpr int translatedSlots[] = { 3, 8, 9, 10, 11, 12, 15, 16, 17, 18, 19, 20, 21, 22, 23, 24 };
} // namespace

TEST(LanguageTables, everyTableHasATextForEachOfTheTwelveLanguages)
{
    for (const auto* table : allTables())
        for (int i = 0; i < languageCount; ++i)
            EXPECT_EQ(table[i].isEmpty(), table == blankTexts) << "language " << i;
}

TEST(LanguageTables, everyTextIsDecodedFromUtf8)
{
    // A UTF-8 sequence taken byte by byte shows as a Latin-1 letter followed
    // by a character of the range 0x80 to 0xBF.
    for (const auto* table : allTables())
        for (int i = 0; i < languageCount; ++i)
            for (int c = 1; c < table[i].length(); ++c)
                EXPECT_FALSE(table[i][c - 1] >= 0xC0 && table[i][c - 1] <= 0xFF
                             && table[i][c] >= 0x80 && table[i][c] <= 0xBF)
                    << table[i];
}

TEST(LanguageTables, eachLanguageHasItsIdentifierNameAndFonts)
{
    const juce::uint16 ids[] = { 0x409, 0x40C, 0x407, 0x40A, 0x410, 0x413, 0x419, 0x816, 0x804, 0x404, 0x412, 0x411 };

    for (int i = 0; i < languageCount; ++i)
        EXPECT_EQ(languageIds[i], ids[i]) << "language " << i;

    expectTable(languageNames, { "English", "Français", "Deutsch", "Español", "Italiano", "Nederlands", "Русский",
                                 "Português", "简体中文", "繁體中文", "한국어", "日本語" });
    expectTable(winFontNames, { "Verdana", "Verdana", "Verdana", "Verdana", "Verdana", "Verdana", "Verdana", "Verdana",
                                "Microsoft YaHei", "Microsoft JhengHei", "Malgun Gothic", "MS PGothic" });
    expectTable(macFontNames, { "Verdana", "Verdana", "Verdana", "Verdana", "Verdana", "Verdana", "Geneva CY",
                                "Verdana", "Heiti SC", "Heiti TC", "Apple SD Gothic Neo", "Hiragino Sans W5" });
}

TEST(LanguageTables, theFixedTextsAreExact)
{
    for (int i = 0; i < languageCount; ++i)
    {
        EXPECT_EQ(seriesTexts[i], "VXQ");
        EXPECT_EQ(modelTexts[i], "VXQ-MRT6");
    }

    expectTable(okTexts, { "OK", "OK", "OK", "Aceptar", "OK", "Akkoord", "ОК", "OK", "确定", "確定", "OK", "OK" });
    expectTable(startTexts, { "Start", "Démarrer", "Start", "Iniciar", "Start", "Beginnen", "Запустить", "Iniciar",
                              "开始", "開始", "시작", "開始" });
    expectTable(cancelTexts, { "Cancel", "Annuler", "Abbrechen", "Cancelar", "Annulla", "Annuleren", "Отменить",
                               "Cancelar", "取消", "取消", "취소", "キャンセル" });
    expectTable(closeTexts, { "Close", "Fermer", "Schließen", "Cerrar", "Chiudi", "Sluiten", "Закрыть", "Fechar",
                              "关闭", "關閉", "닫기", "終了" });
    expectTable(currentVersionTexts,
                { "Current Version: Ver. %s.%02s", "Version actuelle: Ver. %s.%02s",
                  "Gegenwärtige Version: Ver. %s.%02s", "Versión actual: Ver. %s.%02s",
                  "Versione attualmente installata: %s.%02s", "Huidige versie: Ver. %s.%02s",
                  "Настоящая версия: Версия %s.%02s", "Versão actual: Ver. %s.%02s", "当前版本: Ver. %s.%02s",
                  "目前版本: %s.%02s版", "현재 버전: Ver. %s.%02s", "現在のバージョン: Ver%s.%02s" });
    expectTable(updateVersionTexts,
                { "Update Version: Ver. %s.%02s", "Version de mise à jour: Ver. %s.%02s",
                  "Aktualisierte Version: Ver. %s.%02s", "Versión de actualización: Ver. %s.%02s",
                  "Versione aggiornata: %s.%02s", "Versie na de update: Ver. %s.%02s",
                  "Обновленная версия: Версия %s.%02s", "Actualizar versão: Ver. %s.%02s", "升级版本: Ver. %s.%02s",
                  "更新版本: %s.%02s版", "업데이트 버전: Ver. %s.%02s", "更新バージョン: Ver%s.%02s" });
}

TEST(LanguageTables, theRussianOkIsWrittenInCyrillicLetters)
{
    ASSERT_EQ(okTexts[russianLanguage].length(), 2);
    EXPECT_EQ(okTexts[russianLanguage][0], 0x041E);
    EXPECT_EQ(okTexts[russianLanguage][1], 0x041A);
}

TEST(LanguageTables, theEnglishTextsAreExact)
{
    const char* english[messageSlotCount] = {
        "",
        "VXQ",
        "VXQ-MRT6",
        "Updater Program",
        "OK",
        "Start",
        "Cancel",
        "Close",
        "Language Selections",
        "Please select a language.",
        "There is an error in the update file.",
        "Your %s is not connected.",
        "Updates the version of your %s firmware.",
        "Current Version: Ver. %s.%02s",
        "Update Version: Ver. %s.%02s",
        "Updating your %s firmware.",
        "Please wait for a few moments until the update process is complete.",
        "The update of your version of the %s firmware is now complete.",
        "Failed to update the firmware.",
        "This unit can't work temporarily.",
        "Please try the following procedure to start the firmware update again.",
        "1. Click the Close button to close the Update Program.",
        "2. Disconnect the USB cable from the unit and reconnect it.",
        "3. double-click the VXQMRT6_UpdateProgram.exe to start the firmware update.",
        "3. double-click the VXQ-MRT6_vXXX to start the firmware update.",
    };

    for (int slot = 0; slot < messageSlotCount; ++slot)
        EXPECT_EQ(messageTables[slot][englishLanguage], english[slot]) << "slot " << slot;
}

TEST(LanguageTables, theQuotedTranslationsAreExactQuirksIncluded)
{
    EXPECT_EQ(updatingTexts[portugueseLanguage], "Atualizando o firmware do seu% s.");
    EXPECT_EQ(updatingTexts[dutchLanguage], "De firmware van uw %swordt bijgewerkt.");
    EXPECT_EQ(completeTexts[portugueseLanguage], utf8("A versão foi actualizada."));
    EXPECT_EQ(completeTexts[koreanLanguage], utf8("버전 업데이트 되었습니다."));
    EXPECT_EQ(notConnectedTexts[koreanLanguage], utf8("%s가 연결되어 있지 않습니다."));
    EXPECT_EQ(notConnectedTexts[japaneseLanguage], utf8("%sが接続されていません。"));
    EXPECT_EQ(notConnectedTexts[simplifiedChineseLanguage], utf8("没有连接 %s。"));
    EXPECT_EQ(updateIntroTexts[simplifiedChineseLanguage], utf8("升级您的%s固件版本。"));
    EXPECT_EQ(retryStep1Texts[simplifiedChineseLanguage], utf8("1、单击关闭按钮关闭更新程序。"));
}

TEST(LanguageTables, everyMessageTakesTheArgumentsOfItsEnglishText)
{
    for (int slot = 0; slot < messageSlotCount; ++slot)
    {
        const auto english = conversionsOf(messageTables[slot][englishLanguage]);

        for (int i = 0; i < languageCount; ++i)
        {
            auto expected = english;

            if (slot == 15 && i == portugueseLanguage)
                expected = { "% s" };
            else if (slot == 17 && (i == portugueseLanguage || i == koreanLanguage))
                expected = {};

            EXPECT_EQ(conversionsOf(messageTables[slot][i]), expected) << "slot " << slot << ", language " << i;
        }
    }
}

TEST(LanguageTables, everyTranslationIsInItsOwnLanguageAndScript)
{
    const auto hasCharacterIn = [](const juce::String& text, juce::juce_wchar first, juce::juce_wchar last) {
        for (auto c : text)
            if (c >= first && c <= last)
                return true;

        return false;
    };

    for (auto slot : translatedSlots)
    {
        const auto* table = messageTables[slot];

        for (int i = englishLanguage + 1; i < languageCount; ++i)
            EXPECT_NE(table[i], table[englishLanguage]) << "slot " << slot << ", language " << i;

        EXPECT_TRUE(hasCharacterIn(table[russianLanguage], 0x0400, 0x04FF)) << table[russianLanguage];
        EXPECT_TRUE(hasCharacterIn(table[koreanLanguage], 0xAC00, 0xD7A3)) << table[koreanLanguage];
        EXPECT_TRUE(hasCharacterIn(table[japaneseLanguage], 0x3040, 0x30FF)) << table[japaneseLanguage];

        for (auto chinese : { simplifiedChineseLanguage, traditionalChineseLanguage })
        {
            EXPECT_TRUE(hasCharacterIn(table[chinese], 0x4E00, 0x9FFF)) << table[chinese];
            EXPECT_FALSE(hasCharacterIn(table[chinese], 0x3040, 0x30FF)) << table[chinese];
        }
    }
}

TEST(LanguageTables, theRetryStepsAreNumberedAndNameTheProgramAsInEnglish)
{
    for (int step = 1; step <= 4; ++step)
    {
        const int slot = 20 + step;
        const auto number = juce::String(step == 4 ? 3 : step);

        for (int i = 0; i < languageCount; ++i)
        {
            const auto expectedStart = i == simplifiedChineseLanguage ? number + utf8("、") : number + ". ";
            EXPECT_TRUE(messageTables[slot][i].startsWith(expectedStart)) << messageTables[slot][i];
        }
    }

    for (int i = 0; i < languageCount; ++i)
    {
        EXPECT_TRUE(retryStep3ProgramTexts[i].contains("VXQMRT6_UpdateProgram.exe")) << retryStep3ProgramTexts[i];
        EXPECT_TRUE(retryStep3PackageTexts[i].contains("VXQ-MRT6_vXXX")) << retryStep3PackageTexts[i];
    }
}
