// The text store: the start-up language from the user's locale and the
// installed ones, language changes, and the getters' bounds.

#include "text/TxtLoader.h"

#include "platform/win32-standin/Win32StandinControl.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace
{
class TxtLoaderTest : public testing::Test
{
protected:
    void TearDown() override
    {
        TxtLoader::deleteInstance();
        win32standin::setUserLocaleName(std::nullopt);
        win32standin::setInstalledLocaleNames(std::nullopt);
    }

    static void useLocales(const std::string& user, const std::vector<std::string>& installed)
    {
        win32standin::setUserLocaleName(user);
        win32standin::setInstalledLocaleNames(installed);
    }

    static TxtLoader& startWith(const std::string& user, const std::vector<std::string>& installed)
    {
        useLocales(user, installed);
        TxtLoader::createInstance();
        return *TxtLoader::instance;
    }

    static std::vector<int> availableLanguages(const TxtLoader& store)
    {
        std::vector<int> languages;

        for (int i = 0; i < languageCount; ++i)
            if (store.available[i])
                languages.push_back(i);

        return languages;
    }
};
} // namespace

TEST_F(TxtLoaderTest, aCanadianFrenchUserWithAFrenchLocaleStartsInFrench)
{
    auto& store = startWith("fr_CA.UTF-8", { "fr_FR.UTF-8" });

    EXPECT_EQ(store.currentLanguage, frenchLanguage);
    EXPECT_EQ(store.getText(7), "Fermer");
    EXPECT_EQ(store.getCurrentFontName(), "Verdana");
}

TEST_F(TxtLoaderTest, aBrazilianUserStartsInPortugueseWithAnyPortugueseLocale)
{
    for (const auto* installed : { "pt_PT.UTF-8", "pt_BR.UTF-8" })
    {
        EXPECT_EQ(startWith("pt_BR.UTF-8", { installed }).currentLanguage, portugueseLanguage) << installed;
        TxtLoader::deleteInstance();
    }
}

TEST_F(TxtLoaderTest, chineseUsersStartInTheScriptOfTheirTerritory)
{
    const struct
    {
        const char* user;
        int expected;
    } cases[] = {
        { "zh_CN.UTF-8", simplifiedChineseLanguage },
        { "zh_SG.GBK", traditionalChineseLanguage }, // 0x1004 reads Traditional
        { "zh_TW.UTF-8", traditionalChineseLanguage },
        { "zh_HK.UTF-8", traditionalChineseLanguage },
        { "zh", englishLanguage }, // 0x0004, no territory
    };

    for (const auto& c : cases)
    {
        EXPECT_EQ(startWith(c.user, { "zh_CN.UTF-8" }).currentLanguage, c.expected) << c.user;
        TxtLoader::deleteInstance();
    }
}

TEST_F(TxtLoaderTest, aJapaneseUserWithoutAJapaneseLocaleStartsInEnglishAndCannotChooseJapanese)
{
    auto& store = startWith("ja_JP.UTF-8", { "ko_KR.UTF-8", "fr_FR.UTF-8" });

    EXPECT_EQ(store.currentLanguage, englishLanguage);
    EXPECT_EQ(availableLanguages(store), (std::vector<int> { englishLanguage, frenchLanguage, koreanLanguage }));
    EXPECT_EQ(store.getText(3), "Updater Program");
}

TEST_F(TxtLoaderTest, oneChineseLocaleOffersBothChineseLanguages)
{
    auto& store = startWith("C", { "zh_CN.UTF-8" });

    EXPECT_EQ(availableLanguages(store),
              (std::vector<int> { englishLanguage, simplifiedChineseLanguage, traditionalChineseLanguage }));
}

TEST_F(TxtLoaderTest, englishIsOfferedAndChosenWhenNoLocaleFits)
{
    auto& store = startWith("de_DE.UTF-8", {});
    EXPECT_EQ(store.currentLanguage, englishLanguage);
    EXPECT_EQ(availableLanguages(store), std::vector<int> { englishLanguage });
    TxtLoader::deleteInstance();

    // A language the system does not carry, with its own locale installed.
    EXPECT_EQ(startWith("sv_SE.UTF-8", { "sv_SE.UTF-8", "de_DE.UTF-8", "ja_JP.UTF-8" }).currentLanguage,
              englishLanguage);
}

TEST_F(TxtLoaderTest, aSecondCreationKeepsTheFirstStoreAndItsChoice)
{
    auto& first = startWith("fr_FR.UTF-8", { "fr_FR.UTF-8" });

    useLocales("ja_JP.UTF-8", { "ja_JP.UTF-8" });
    TxtLoader::createInstance();

    EXPECT_EQ(TxtLoader::getInstance(), &first);
    EXPECT_EQ(first.currentLanguage, frenchLanguage);
    EXPECT_FALSE(first.available[japaneseLanguage]);
}

TEST_F(TxtLoaderTest, theStoreIsCreatedOnFirstUseAndAfreshAfterDeletion)
{
    useLocales("ko_KR.UTF-8", { "ko_KR.UTF-8" });
    ASSERT_NE(TxtLoader::getInstance(), nullptr);
    EXPECT_EQ(TxtLoader::getInstance()->currentLanguage, koreanLanguage);

    TxtLoader::deleteInstance();
    EXPECT_EQ(TxtLoader::instance, nullptr);
    TxtLoader::deleteInstance();

    useLocales("nl_BE.UTF-8", { "nl_NL.UTF-8" });
    EXPECT_EQ(TxtLoader::getInstance()->currentLanguage, dutchLanguage);
}

TEST_F(TxtLoaderTest, detectingAgainRescansTheLocalesButKeepsTheLanguage)
{
    auto& store = startWith("fr_FR.UTF-8", { "fr_FR.UTF-8" });

    useLocales("de_AT.UTF-8", { "de_AT.UTF-8" });

    EXPECT_EQ(TxtLoader::detectLanguage(), germanLanguage);
    EXPECT_EQ(availableLanguages(store), (std::vector<int> { englishLanguage, germanLanguage }));
    EXPECT_EQ(store.currentLanguage, frenchLanguage);
    EXPECT_EQ(store.getText(7), "Fermer");
}

TEST_F(TxtLoaderTest, detectingWithoutAStoreCreatesOne)
{
    useLocales("it_IT.UTF-8", { "it_IT.UTF-8" });

    EXPECT_EQ(TxtLoader::detectLanguage(), italianLanguage);
    ASSERT_NE(TxtLoader::instance, nullptr);
    EXPECT_EQ(TxtLoader::instance->currentLanguage, italianLanguage);
}

TEST_F(TxtLoaderTest, changingTheLanguageReplacesEveryMessage)
{
    auto& store = startWith("en_US.UTF-8", {});

    store.setLanguage(koreanLanguage);

    EXPECT_EQ(store.currentLanguage, koreanLanguage);
    EXPECT_EQ(store.getText(4), "OK");
    EXPECT_EQ(store.getText(6), juce::String::fromUTF8("취소"));
    EXPECT_EQ(store.getText(13), juce::String::fromUTF8("현재 버전: Ver. %s.%02s"));
    EXPECT_EQ(store.getText(17), juce::String::fromUTF8("버전 업데이트 되었습니다."));
    EXPECT_EQ(store.getCurrentFontName(), "Malgun Gothic");
}

TEST_F(TxtLoaderTest, anIndexThatIsNoLanguageChangesNothing)
{
    auto& store = startWith("es_MX.UTF-8", { "es_ES.UTF-8" });
    ASSERT_EQ(store.currentLanguage, spanishLanguage);

    for (auto index : { noLanguage, -1, spanishLanguage })
    {
        store.setLanguage(index);
        EXPECT_EQ(store.currentLanguage, spanishLanguage);
        EXPECT_EQ(store.getText(3), juce::String::fromUTF8("Programa de actualización"));
    }
}

TEST_F(TxtLoaderTest, gettersGiveTheEmptyTextOutsideTheirRange)
{
    auto& store = startWith("en_GB.UTF-8", {});

    for (int i = 0; i < languageCount; ++i)
    {
        store.setLanguage(i);
        EXPECT_EQ(store.getText(2), "VXQ-MRT6");
        EXPECT_TRUE(store.getText(0).isEmpty());
    }

    EXPECT_EQ(store.getFontName(japaneseLanguage), "MS PGothic");
    EXPECT_EQ(store.getLanguageName(russianLanguage), juce::String::fromUTF8("Русский"));

    EXPECT_EQ(&store.getText(-1), &store.emptyText);
    EXPECT_EQ(&store.getText(messageSlotCount), &store.emptyText);
    EXPECT_EQ(&store.getLanguageName(noLanguage), &store.emptyText);
    EXPECT_EQ(&store.getFontName(-1), &store.emptyText);
    EXPECT_TRUE(store.emptyText.isEmpty());
}

TEST_F(TxtLoaderTest, theMacintoshFontNamesLoadOnlyWhenAsked)
{
    auto& store = startWith("ru_RU.UTF-8", { "ru_RU.UTF-8" });
    EXPECT_EQ(store.getCurrentFontName(), "Verdana");

    store.loadTexts(0);
    store.loadTexts(5);
    EXPECT_EQ(store.getCurrentFontName(), "Verdana");

    store.loadTexts(2);
    EXPECT_EQ(store.getCurrentFontName(), "Geneva CY");
    EXPECT_EQ(store.getFontName(japaneseLanguage), "Hiragino Sans W5");
}

TEST_F(TxtLoaderTest, theLocaleCallbackReadsThePrimaryLanguageFromTheLastTwoDigits)
{
    auto& store = startWith("C", {});

    char lowerCaseFrench[] = "0000040c";
    char tooShort[] = "c";
    char empty[] = "";
    char japanese[] = "411";

    EXPECT_EQ(TxtLoader::enumLocalesProc(nullptr), FALSE);
    EXPECT_EQ(TxtLoader::enumLocalesProc(tooShort), TRUE);
    EXPECT_EQ(TxtLoader::enumLocalesProc(empty), TRUE);
    EXPECT_EQ(availableLanguages(store), std::vector<int> { englishLanguage });

    EXPECT_EQ(TxtLoader::enumLocalesProc(lowerCaseFrench), TRUE);
    EXPECT_EQ(TxtLoader::enumLocalesProc(japanese), TRUE);
    EXPECT_EQ(availableLanguages(store), (std::vector<int> { englishLanguage, frenchLanguage, japaneseLanguage }));
}
