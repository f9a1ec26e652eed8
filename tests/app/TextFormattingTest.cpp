// Filling message templates: the conversions the tables use, the size limit,
// and texts from outside taken as they are.

#include "app/TextFormatting.h"
#include "text/LanguageTables.h"

#include <gtest/gtest.h>

namespace
{
juce::String fill(const juce::String& pattern, const juce::String& first = {}, const juce::String& second = {})
{
    return formatText(pattern, first, second, {}, {});
}
} // namespace

TEST(FormatText, fillsTheTablesConversionsIncludingTheirQuirks)
{
    EXPECT_EQ(fill(updatingTexts[portugueseLanguage], "VXQ-MRT6"), "Atualizando o firmware do seuVXQ-MRT6.");
    EXPECT_EQ(fill(updatingTexts[dutchLanguage], "VXQ-MRT6"), "De firmware van uw VXQ-MRT6wordt bijgewerkt.");
    EXPECT_EQ(fill(completeTexts[koreanLanguage], "VXQ-MRT6"), completeTexts[koreanLanguage]);
    EXPECT_EQ(fill(currentVersionTexts[englishLanguage], "1", "05"), "Current Version: Ver. 1.05");
    EXPECT_EQ(fill(currentVersionTexts[italianLanguage], "1", "05"), "Versione attualmente installata: 1.05");
    EXPECT_EQ(fill(currentVersionTexts[japaneseLanguage], "1", "05"), juce::String::fromUTF8("現在のバージョン: Ver1.05"));
}

TEST(FormatText, padsToTheWidthAndNeverCuts)
{
    EXPECT_EQ(fill("%s.%02s", "1", "5"), "1.05");
    EXPECT_EQ(fill("%s.%02s", "1", "05"), "1.05");
    EXPECT_EQ(fill("%04s", "E21"), "0E21");
    EXPECT_EQ(fill("%04s", "E21AB"), "E21AB");
    EXPECT_EQ(fill("[%4s]", "ab"), "[  ab]");
    EXPECT_EQ(fill("no conversion"), "no conversion");
    EXPECT_EQ(fill("%s and %s", "one"), "one and ");
}

TEST(FormatText, takesArgumentsAsTheyAreEvenWithPercentSigns)
{
    EXPECT_EQ(fill("Ver. %s", "%s%n%04s"), "Ver. %s%n%04s");
    EXPECT_EQ(fill("100%% %d"), "100% %d");
}

TEST(FormatText, cutsAnOverLongResultAt255BytesOnACharacterBoundary)
{
    const auto ascii = fill("%s", juce::String::repeatedString("x", 400));
    EXPECT_EQ(ascii.getNumBytesAsUTF8(), 255u);

    // Two bytes each: 127 whole characters fit, the 128th would pass the limit.
    const auto cyrillic = fill("%s", juce::String::repeatedString(juce::String::fromUTF8("Я"), 200));
    EXPECT_EQ(cyrillic.getNumBytesAsUTF8(), 254u);
    EXPECT_EQ(cyrillic.length(), 127);

    EXPECT_EQ(fill("%300s", "x").getNumBytesAsUTF8(), 255u);
}
