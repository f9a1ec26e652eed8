// What the component builds before its first screen: its controls with their
// names, colours, look-and-feels and listeners, the text store it keeps, and
// the worker that waits for OK.

#include "support/ProgramWindow.h"

#include "text/TxtLoader.h"
#include "update/UpdateStatus.h"

#include <gtest/gtest.h>

namespace
{
class Construction : public testsupport::ProgramWindow
{
};
} // namespace

TEST_F(Construction, theControlsAreReadyAndTheWorkerWaitsForOk)
{
    open();

    EXPECT_EQ(component->getThreadName(), "UpdatingThread");
    EXPECT_FALSE(component->isThreadRunning());
    EXPECT_EQ(component->status, UpdateStatus::languageSelection);
    ASSERT_NE(component->hid, nullptr);
    EXPECT_EQ(component->hid->connected, 0);

    EXPECT_EQ(component->languageBox->getName(), "langs");
    EXPECT_FALSE(component->languageBox->getWantsKeyboardFocus());
    EXPECT_EQ(&component->languageBox->getLookAndFeel(), &component->langLookAndFeel);
    EXPECT_EQ(&juce::Desktop::getInstance().getDefaultLookAndFeel(), &component->langLookAndFeel);
    EXPECT_EQ(component->langLookAndFeel.getTypefaceForFont(juce::Font())->getName(), "MS PGothic");

    EXPECT_EQ(&component->progressBar->getLookAndFeel(), component->progressLookAndFeel);
    EXPECT_EQ(component->progressBar->findColour(juce::ProgressBar::foregroundColourId), juce::Colour(0xFF3D3D3D));
    EXPECT_EQ(component->progressBar->findColour(juce::ProgressBar::backgroundColourId), juce::Colour(0xFF080808));

    for (auto* button : { component->mainButton, component->secondButton })
    {
        EXPECT_EQ(button->findColour(juce::TextButton::buttonColourId), juce::Colour(0xFFEAEAEA));
        EXPECT_EQ(button->findColour(juce::TextButton::buttonOnColourId), juce::Colour(0xFFEAEAEA));
    }

    // The component listens to its own button: a real click of OK without a unit.
    component->mainButton->triggerClick();
    EXPECT_TRUE(testsupport::pumpUntil([this] { return component->status == UpdateStatus::notConnected; }));
}

TEST_F(Construction, aTextStoreThatExistsIsKeptWithItsLanguage)
{
    TxtLoader::createInstance();
    TxtLoader::getInstance()->setLanguage(japaneseLanguage);
    open();

    EXPECT_EQ(TxtLoader::getInstance()->currentLanguage, japaneseLanguage);
    EXPECT_EQ(component->languageBox->getSelectedId(), 12);
    EXPECT_EQ(window->getName(), titleTexts[japaneseLanguage]);

    window.reset();
    EXPECT_EQ(TxtLoader::instance, nullptr) << "the component deletes the store it kept";
}

TEST_F(Construction, withOnlyEnglishInstalledTheBoxOffersEnglishAlone)
{
    win32standin::setInstalledLocaleNames(std::vector<std::string> { "C", "en_US.UTF-8" });
    open();

    ASSERT_EQ(component->languageBox->getNumItems(), 1);
    EXPECT_EQ(component->languageBox->getItemId(0), 1);
    EXPECT_EQ(component->languageBox->getItemText(0), languageNames[englishLanguage]);
    EXPECT_EQ(component->languageBox->getSelectedId(), 1);
}
