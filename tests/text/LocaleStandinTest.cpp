// The Win32 stand-in's locale services: real POSIX locale names become the
// Windows identifiers of their language and territory, and the installed list
// is what the system's locale folder holds.

#include "platform/win32-standin/InstalledLocales.h"
#include "platform/win32-standin/Win32StandinControl.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <cstring>
#include <optional>
#include <string>
#include <vector>

namespace
{
std::vector<std::string> reported;
int stopAfter = 0;

BOOL CALLBACK recordLocale(LPSTR localeId)
{
    reported.emplace_back(localeId);
    return static_cast<int>(reported.size()) == stopAfter ? FALSE : TRUE;
}

std::vector<std::string> enumerate(const std::vector<std::string>& installed, int stopAfterCount = 0)
{
    reported.clear();
    stopAfter = stopAfterCount;
    win32standin::setInstalledLocaleNames(installed);
    EXPECT_EQ(EnumSystemLocalesA(recordLocale, LCID_INSTALLED), TRUE);
    win32standin::setInstalledLocaleNames(std::nullopt);
    return reported;
}

LANGID languageIdOfUser(const std::string& localeName)
{
    win32standin::setUserLocaleName(localeName);
    const auto id = GetUserDefaultLangID();
    win32standin::setUserLocaleName(std::nullopt);
    return id;
}

// Saves the locale variables and clears them; puts them back afterwards.
class LocaleEnvironment : public testing::Test
{
protected:
    void SetUp() override
    {
        for (auto& variable : variables)
        {
            const char* value = std::getenv(variable.name);
            variable.saved = value != nullptr ? std::optional<std::string>(value) : std::nullopt;
            unsetenv(variable.name);
        }
    }

    void TearDown() override
    {
        for (const auto& variable : variables)
        {
            if (variable.saved.has_value())
                setenv(variable.name, variable.saved->c_str(), 1);
            else
                unsetenv(variable.name);
        }
    }

    struct Variable
    {
        const char* name;
        std::optional<std::string> saved;
    };

    Variable variables[3] = { { "LC_ALL", {} }, { "LC_MESSAGES", {} }, { "LANG", {} } };
};

// A glibc locale-archive holding the given names; an empty name stands for an
// unused entry of the hash table.
juce::MemoryBlock localeArchive(const std::vector<std::string>& names)
{
    constexpr juce::uint32 headerSize = 14 * 4, entrySize = 3 * 4;
    const auto entryCount = static_cast<juce::uint32>(names.size());

    juce::MemoryOutputStream archive;
    const juce::uint32 header[14] = { 0xde020109, 0, headerSize, entryCount, entryCount };

    for (auto word : header)
        archive.writeInt(static_cast<int>(word));

    juce::uint32 nameOffset = headerSize + entryCount * entrySize;

    for (const auto& name : names)
    {
        archive.writeInt(0x1234);
        archive.writeInt(name.empty() ? 0 : static_cast<int>(nameOffset));
        archive.writeInt(name.empty() ? 0 : 0x4000);

        if (! name.empty())
            nameOffset += static_cast<juce::uint32>(name.size() + 1);
    }

    for (const auto& name : names)
        if (! name.empty())
            archive.write(name.c_str(), name.size() + 1);

    return archive.getMemoryBlock();
}

juce::String namesIn(const juce::File& localeFolder)
{
    return readInstalledLocaleNames(localeFolder).joinIntoString(" ");
}

class InstalledLocaleFolder : public testing::Test
{
protected:
    void SetUp() override { ASSERT_TRUE(folder.createDirectory()); }
    void TearDown() override { folder.deleteRecursively(); }

    void addLocaleFolder(const juce::String& name, bool withLocaleData = true)
    {
        const auto locale = folder.getChildFile(name);
        ASSERT_TRUE(locale.createDirectory());

        if (withLocaleData)
        {
            ASSERT_TRUE(locale.getChildFile("LC_CTYPE").replaceWithText("data"));
        }
    }

    void writeArchive(const juce::MemoryBlock& contents)
    {
        ASSERT_TRUE(folder.getChildFile("locale-archive").replaceWithData(contents.getData(), contents.getSize()));
    }

    juce::File folder = juce::File::createTempFile("locales");
};
} // namespace

TEST(LocaleStandin, theUsersLocaleNameGivesTheWindowsIdentifierOfItsLanguageAndTerritory)
{
    const struct
    {
        const char* name;
        LANGID id;
    } cases[] = {
        { "fr_CA.UTF-8", 0x0C0C }, { "pt_BR", 0x0416 },      { "pt_PT.utf8", 0x0816 },
        { "zh_CN.GB18030", 0x0804 }, { "zh_TW.UTF-8", 0x0404 }, { "zh_HK.utf8", 0x0C04 },
        { "zh_SG.GBK", 0x1004 },   { "ja_JP.eucJP", 0x0411 }, { "ko_KR.euckr", 0x0412 },
        { "de_DE@euro", 0x0407 },  { "de_AT.UTF-8@euro", 0x0C07 }, { "es_ES.ISO-8859-15", 0x0C0A },
        { "nl_BE.utf8", 0x0813 },  { "ru_RU.KOI8-R", 0x0419 }, { "it_CH", 0x0810 },
        { "en_GB.UTF-8", 0x0809 }, { "EN_us", 0x0409 },
        // A territory Windows has no identifier for, or none: the language alone.
        { "ru_UA.UTF-8", 0x0019 }, { "de_IT", 0x0007 }, { "fr", 0x000C }, { "zh", 0x0004 },
    };

    for (const auto& c : cases)
        EXPECT_EQ(languageIdOfUser(c.name), c.id) << c.name;
}

TEST(LocaleStandin, anUnknownOrUnusableLocaleNameGivesEnglish)
{
    for (const char* name : { "C", "POSIX", "C.UTF-8", "", "sv_SE.UTF-8", "cmn_TW", "/usr/share/locale/fr",
                              "fr_CA\xC3\xA9", "fr_FR\xFF", "\xF0", "fr_FR.UTF-8 extra" })
        EXPECT_EQ(languageIdOfUser(name), 0x0409) << name;

    EXPECT_EQ(languageIdOfUser(std::string(100000, 'f')), 0x0409);
}

TEST_F(LocaleEnvironment, theUsersLanguageFollowsLcAllThenLcMessagesThenLang)
{
    EXPECT_EQ(GetUserDefaultLangID(), 0x0409);

    setenv("LANG", "de_DE.UTF-8", 1);
    EXPECT_EQ(GetUserDefaultLangID(), 0x0407);

    setenv("LC_MESSAGES", "ja_JP.UTF-8", 1);
    EXPECT_EQ(GetUserDefaultLangID(), 0x0411);

    setenv("LC_ALL", "", 1); // set but empty: not in force
    EXPECT_EQ(GetUserDefaultLangID(), 0x0411);

    setenv("LC_ALL", "fr_CA.UTF-8", 1);
    EXPECT_EQ(GetUserDefaultLangID(), 0x0C0C);
}

TEST(LocaleStandin, eachInstalledIdentifierIsReportedOnceAsEightHexadecimalDigits)
{
    const auto ids = enumerate({ "fr_FR", "fr_FR.utf8", "fr_FR@euro", "zh_SG.GBK", "fr_CA.UTF-8", "C", "POSIX",
                                 "C.utf8", "sv_SE.UTF-8", "ja_JP.eucjp", "bad name", std::string(300, 'x') });

    EXPECT_EQ(ids, (std::vector<std::string> { "0000040C", "00000411", "00000C0C", "00001004" }));
}

TEST(LocaleStandin, theEnumerationStopsWhenTheCallbackSaysSo)
{
    EXPECT_EQ(enumerate({ "fr_FR", "de_DE", "it_IT" }, 2).size(), 2u);
}

TEST(LocaleStandin, theEnumerationRefusesNoCallbackAndOtherKindsOfList)
{
    reported.clear();
    EXPECT_EQ(EnumSystemLocalesA(nullptr, LCID_INSTALLED), FALSE);
    EXPECT_EQ(EnumSystemLocalesA(recordLocale, 2), FALSE);
    EXPECT_TRUE(reported.empty());
}

TEST_F(InstalledLocaleFolder, theArchiveNamesComeFirstThenTheFoldersThatHoldLocaleData)
{
    writeArchive(localeArchive({ "fr_FR.utf8", "", "de_DE.utf8@euro" }));
    addLocaleFolder("pt_BR.utf8");
    addLocaleFolder("it_IT");
    addLocaleFolder("translations-only", false);
    ASSERT_TRUE(folder.getChildFile("ja_JP").replaceWithText("a file, not a folder"));

    EXPECT_EQ(namesIn(folder), "fr_FR.utf8 de_DE.utf8@euro it_IT pt_BR.utf8");
}

TEST_F(InstalledLocaleFolder, aMalformedArchiveAddsNoNames)
{
    addLocaleFolder("ko_KR.utf8");
    const auto good = localeArchive({ "fr_FR.utf8" });

    auto wrongMagic = good;
    wrongMagic[0] = 0;

    auto tableBeyondTheEnd = good;
    const juce::uint32 hugeCount = 0x7FFFFFFF;
    std::memcpy(static_cast<char*>(tableBeyondTheEnd.getData()) + 16, &hugeCount, sizeof(hugeCount));

    auto nameOffsetBeyondTheEnd = good;
    const juce::uint32 farOffset = 0xFFFFFFF0;
    std::memcpy(static_cast<char*>(nameOffsetBeyondTheEnd.getData()) + 56 + 4, &farOffset, sizeof(farOffset));

    auto unterminatedName = good;
    unterminatedName.setSize(good.getSize() - 1);

    auto nonAsciiName = good;
    nonAsciiName[static_cast<int>(good.getSize()) - 3] = static_cast<char>(0xC3);

    const juce::MemoryBlock truncatedHeader(good.getData(), 20);

    for (const auto& archive : { wrongMagic, tableBeyondTheEnd, nameOffsetBeyondTheEnd, unterminatedName,
                                 nonAsciiName, truncatedHeader, juce::MemoryBlock() })
    {
        writeArchive(archive);
        EXPECT_EQ(namesIn(folder), "ko_KR.utf8");
    }
}

TEST_F(InstalledLocaleFolder, anArchiveThatGlibcWroteIsRead)
{
    if (! juce::File("/usr/bin/localedef").existsAsFile() || ! juce::File("/usr/share/i18n/locales/fr_FR").existsAsFile())
        GTEST_SKIP() << "no localedef or no locale sources";

    // localedef writes its archive below the prefix, into a folder that must exist.
    const auto localeFolder = folder.getChildFile("usr/lib/locale");
    ASSERT_TRUE(localeFolder.createDirectory());

    const auto compile = [this](const char* source, const char* charmap, const char* name) {
        juce::ChildProcess localedef;
        ASSERT_TRUE(localedef.start(juce::StringArray { "/usr/bin/localedef", "--prefix=" + folder.getFullPathName(),
                                                        "-i", source, "-f", charmap, name }));
        localedef.readAllProcessOutput();
        ASSERT_EQ(localedef.getExitCode(), 0u) << name;
    };

    compile("fr_FR", "UTF-8", "fr_FR.UTF-8");
    compile("de_DE", "ISO-8859-15", "de_DE@euro");

    auto names = readInstalledLocaleNames(localeFolder);
    names.sort(false);
    // glibc files a locale with a codeset also under its normalised name.
    EXPECT_EQ(names.joinIntoString(" "), "de_DE.iso885915@euro de_DE@euro fr_FR.utf8");
}

TEST_F(InstalledLocaleFolder, aMissingFolderHasNoLocales)
{
    EXPECT_EQ(namesIn(folder.getChildFile("absent")), "");
}

TEST(LocaleStandin, theSystemsLocalesAreThoseThatLocaleListsWithoutCAndPosix)
{
    juce::ChildProcess locale;

    if (! locale.start("locale -a"))
        GTEST_SKIP() << "no locale command";

    juce::StringArray listed;
    listed.addLines(locale.readAllProcessOutput());
    listed.removeEmptyStrings();
    listed.removeString("C");
    listed.removeString("POSIX");

    auto read = readInstalledLocaleNames(juce::File("/usr/lib/locale"));
    listed.sort(false);
    read.sort(false);

    EXPECT_EQ(read.joinIntoString(" "), listed.joinIntoString(" "));
}
