// What each status shows in the real window: its text, its controls with
// their texts and places, the window's title and size, and the focus.

#include "support/ProgramWindow.h"

#include "text/TxtLoader.h"
#include "update/UpdateStatus.h"

#include <gtest/gtest.h>

using Lines = std::vector<juce::String>;

namespace
{
class Screens : public testsupport::ProgramWindow
{
protected:
    void SetUp() override
    {
        ProgramWindow::SetUp();
        open();
        const int w = component->getWidth(), h = component->getHeight();
        boxOrBarPlace = { 20, h - 80, w - 40, 20 };
        defaultButtonPlace = { w - 120, h - 40, 100, 20 };
        secondButtonPlace = { w - 230, h - 40, 100, 20 };
    }

    juce::Rectangle<int> boxOrBarPlace, defaultButtonPlace, secondButtonPlace;

    juce::Colour barColour() const { return component->progressBar->findColour(juce::ProgressBar::backgroundColourId); }

    int count(const juce::String& line) const
    {
        const auto all = lines();
        return static_cast<int>(std::count(all.begin(), all.end(), line));
    }
};
} // namespace

TEST_F(Screens, theWindowHoldsTheComponentAlwaysOnTopUnderTheLocalisedTitle)
{
    // The content asked for 404 x 126; with the native title bar it fills the window.
    EXPECT_GE(component->getWidth(), 404);
    EXPECT_GE(component->getHeight(), 126);
    EXPECT_EQ(component->getParentComponent(), window.get());
    EXPECT_TRUE(window->isAlwaysOnTop());
    EXPECT_FALSE(window->isResizable());
    EXPECT_TRUE(window->isUsingNativeTitleBar());
    EXPECT_EQ(window->getName(), "Updater Program");

    // Outside a window a screen build leaves any title alone.
    window.reset();
    MainComponent alone;
    alone.setSize(404, 126);
    EXPECT_EQ(alone.getParentComponent(), nullptr);
}

TEST_F(Screens, theLanguageScreenOffersTheInstalledLanguages)
{
    show(UpdateStatus::languageSelection);

    EXPECT_EQ(lines(), (Lines { "Language Selections", "Please select a language." }));
    EXPECT_TRUE(component->languageBox->isVisible());
    EXPECT_EQ(component->languageBox->getBounds(), boxOrBarPlace);
    EXPECT_EQ(component->languageBox->getNumItems(), 3);
    EXPECT_EQ(component->languageBox->getItemId(2), 12);
    EXPECT_EQ(component->languageBox->getSelectedId(), 1);
    EXPECT_FALSE(component->progressBar->isVisible());
    EXPECT_EQ(component->mainButton->getButtonText(), "OK");
    EXPECT_EQ(component->mainButton->getBounds(), defaultButtonPlace);
    EXPECT_EQ(component->secondButton->getButtonText(), "Cancel");
    EXPECT_EQ(component->secondButton->getBounds(), secondButtonPlace);
}

TEST_F(Screens, theReadyScreenShowsTheUnitsVersionThenTheImages)
{
    component->layoutReady = 8;
    component->deviceVersion = "1.05";
    component->fileVersion = "1.10";
    show(UpdateStatus::ready);

    EXPECT_EQ(lines(), (Lines { "Updates the version of your VXQ-MRT6 firmware.", "Current Version: Ver. 1.05",
                                "Update Version: Ver. 1.10" }));
    EXPECT_FALSE(component->languageBox->isVisible());
    EXPECT_EQ(component->mainButton->getButtonText(), "Start");
    EXPECT_EQ(component->secondButton->getButtonText(), "Close");
    EXPECT_EQ(component->secondButton->getBounds(), secondButtonPlace);

    component->layoutReady = 0;
    show(UpdateStatus::ready);
    EXPECT_TRUE(lines().empty());
    EXPECT_TRUE(component->mainButton->isVisible());
    EXPECT_TRUE(component->secondButton->isVisible());
}

TEST_F(Screens, theUpdatingScreensShowTheBarInTheRegionsColour)
{
    for (int status = UpdateStatus::announceChunk; status <= UpdateStatus::pollWrite; ++status)
    {
        show(status);
        EXPECT_EQ(lines(), (Lines { "Updating your VXQ-MRT6 firmware.",
                                    "Please wait for a few moments until the update process is complete." }));
        EXPECT_TRUE(component->progressBar->isVisible());
        EXPECT_EQ(component->progressBar->getBounds(), boxOrBarPlace);
        EXPECT_FALSE(component->mainButton->isVisible());
        EXPECT_FALSE(component->secondButton->isVisible());
    }

    EXPECT_EQ(barColour(), juce::Colour(0xFFFA32C8));

    // An update that began with region 0 keeps its colour to the end.
    component->firstRegionStarted = 1;
    component->currentImage = 1;
    show(UpdateStatus::sendChunk);
    EXPECT_EQ(barColour(), juce::Colour(0xFFFA32C8));

    component->firstRegionStarted = 0;
    show(UpdateStatus::sendChunk);
    EXPECT_EQ(barColour(), juce::Colour(0xFF080808));
}

TEST_F(Screens, theCompletionScreenOffersOk)
{
    show(UpdateStatus::complete);

    EXPECT_EQ(lines(), (Lines { "The update of your version of the VXQ-MRT6 firmware is now complete." }));
    EXPECT_EQ(component->mainButton->getButtonText(), "OK");
    EXPECT_EQ(component->mainButton->getBounds(), defaultButtonPlace);
    EXPECT_FALSE(component->progressBar->isVisible());
}

TEST_F(Screens, theNotConnectedAndFileErrorsShowTheirErrorIdBesideTheIcon)
{
    show(UpdateStatus::notConnected);
    EXPECT_EQ(lines(), (Lines { "Your VXQ-MRT6 is not connected.", "Error ID:\t0x0E21" }));
    EXPECT_FALSE(component->mainButton->isVisible());
    EXPECT_EQ(component->secondButton->getButtonText(), "Close");
    EXPECT_EQ(component->secondButton->getBounds(), defaultButtonPlace);
    const int width = component->getWidth();

    const auto image = paint();
    EXPECT_NE(image.getPixelAt(52, 60), juce::Colour(0xFFEAEAEA)) << "the warning icon";

    show(UpdateStatus::imageWrongSize);
    EXPECT_EQ(lines(), (Lines { "There is an error in the update file.", "Error ID:\t0x0E03" }));
    EXPECT_EQ(component->getWidth(), width) << "no size change";

    show(UpdateStatus::languageSelection);
    EXPECT_EQ(paint().getPixelAt(52, 60), juce::Colour(0xFFEAEAEA));
}

TEST_F(Screens, otherFailuresShowTheRecoveryProcedureAtItsOwnSize)
{
    component->fileCpuType = 2;
    show(UpdateStatus::noAnswer);

    EXPECT_EQ(component->getWidth(), 800);
    EXPECT_EQ(component->getHeight(), 240);
    EXPECT_GE(window->getWidth(), 800);
    EXPECT_GE(window->getHeight(), 240);
    EXPECT_EQ(lines(), (Lines { "Failed to update the firmware.", "This unit can't work temporarily.",
                                "Please try the following procedure to start the firmware update again.",
                                "1. Click the Close button to close the Update Program.",
                                "2. Disconnect the USB cable from the unit and reconnect it.",
                                "3. double-click the VXQMRT6_UpdateProgram.exe to start the firmware update.",
                                "-------------", "For RT1062", "-------------" }));
    EXPECT_EQ(count("Failed to update the firmware."), 1) << "laid out once, not twice";
    EXPECT_EQ(component->secondButton->getBounds(), juce::Rectangle<int>(680, 200, 100, 20));
    EXPECT_FALSE(component->mainButton->isVisible());

    component->fileCpuType = 0;
    show(UpdateStatus::unitRemoved);
    EXPECT_EQ(count("UNKNOWN CPU"), 1);
    EXPECT_EQ(count("For RT1062"), 0);
}

TEST_F(Screens, statusesWithoutAScreenShowNoTextAndLeaveTheButtons)
{
    show(UpdateStatus::ready);

    for (int status : { UpdateStatus::startPressed, 7 })
    {
        show(status);
        EXPECT_TRUE(lines().empty());
        EXPECT_FALSE(component->languageBox->isVisible());
        EXPECT_FALSE(component->progressBar->isVisible());
        EXPECT_EQ(component->mainButton->getButtonText(), "Start");
        EXPECT_TRUE(component->secondButton->isVisible());
    }

    show(0xE06);
    EXPECT_TRUE(lines().empty());
    EXPECT_FALSE(component->mainButton->isVisible());
    EXPECT_EQ(component->secondButton->getBounds(), defaultButtonPlace);
}

TEST_F(Screens, paintingGivesTheFocusToTheScreensDefaultButton)
{
    show(UpdateStatus::languageSelection);
    paint();
    EXPECT_TRUE(component->mainButton->hasKeyboardFocus(true));

    component->secondButton->grabKeyboardFocus();
    paint();
    EXPECT_TRUE(component->secondButton->hasKeyboardFocus(true)) << "a button of the screen keeps it";

    show(UpdateStatus::notConnected);
    paint();
    EXPECT_TRUE(component->secondButton->hasKeyboardFocus(true));

    show(UpdateStatus::complete);
    paint();
    EXPECT_TRUE(component->mainButton->hasKeyboardFocus(true));
}

TEST_F(Screens, choosingALanguageRebuildsTheScreenInIt)
{
    show(UpdateStatus::languageSelection);
    component->languageBox->setSelectedId(12, juce::sendNotificationSync);

    EXPECT_EQ(TxtLoader::getInstance()->currentLanguage, japaneseLanguage);
    EXPECT_EQ(lines().front(), languageSelectTitleTexts[japaneseLanguage]);
    EXPECT_EQ(component->secondButton->getButtonText(), cancelTexts[japaneseLanguage]);
    EXPECT_EQ(window->getName(), titleTexts[japaneseLanguage]);
    EXPECT_EQ(juce::Font::getFallbackFontName(), "MS PGothic");
    EXPECT_EQ(component->languageBox->getText(), languageNames[japaneseLanguage]);

    // No selection changes nothing, but the screen is built again.
    component->languageBox->setSelectedId(0, juce::sendNotificationSync);
    EXPECT_EQ(TxtLoader::getInstance()->currentLanguage, japaneseLanguage);
}
