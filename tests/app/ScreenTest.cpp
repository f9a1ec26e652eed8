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

    // Where the glyphs of the laid-out line that starts with the text lie.
    juce::Rectangle<float> placeOf(const juce::String& lineStart) const
    {
        auto& glyphs = component->glyphs;

        for (int i = 0; i < glyphs.getNumGlyphs(); ++i)
        {
            juce::String line;
            const float baseline = glyphs.getGlyph(i).getBaselineY();
            int end = i;

            for (; end < glyphs.getNumGlyphs() && glyphs.getGlyph(end).getBaselineY() == baseline; ++end)
                line += juce::String::charToString(glyphs.getGlyph(end).getCharacter());

            if (line.startsWith(lineStart))
                return glyphs.getBoundingBox(i, end - i, true);

            i = end - 1;
        }

        ADD_FAILURE() << "no line starts with " << lineStart;
        return {};
    }

    void expectOnlyCloseBesideTheIcon(int status)
    {
        EXPECT_FALSE(component->languageBox->isVisible()) << status;
        EXPECT_FALSE(component->progressBar->isVisible()) << status;
        EXPECT_FALSE(component->mainButton->isVisible()) << status;
        EXPECT_TRUE(component->secondButton->isVisible()) << status;
        EXPECT_EQ(component->secondButton->getButtonText(), "Close") << status;
        EXPECT_EQ(component->secondButton->getBounds(),
                  juce::Rectangle<int>(component->getWidth() - 120, component->getHeight() - 40, 100, 20)) << status;
        EXPECT_NE(paint().getPixelAt(52, 60), juce::Colour(0xFFEAEAEA)) << "the warning icon, status " << status;
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
    EXPECT_EQ(window->getBackgroundColour(), juce::Colour(0xFFEAEAEA));

    // No minimise, maximise or close button: the program's own buttons are the way out.
    const int titleBarButtons = juce::ComponentPeer::windowHasMinimiseButton | juce::ComponentPeer::windowHasMaximiseButton
                                | juce::ComponentPeer::windowHasCloseButton;
    ASSERT_NE(window->getPeer(), nullptr);
    EXPECT_EQ(window->getPeer()->getStyleFlags() & titleBarButtons, 0);

    const auto workArea = juce::Desktop::getInstance().getDisplays().getPrimaryDisplay()->userArea;
    EXPECT_LE(window->getScreenBounds().getCentre().getDistanceFrom(workArea.getCentre()), 1);
}

TEST_F(Screens, aBuildOutsideTheWindowLeavesTheTitleTheNextOneInsideSetsIt)
{
    window.reset();
    // A window with a drawn title bar and border, so that its content area differs from its size.
    auto frame = std::make_unique<juce::DocumentWindow>("VXQ-MRT6 update program", juce::Colour(0xFFEAEAEA), 0, true);
    auto* content = new MainComponent();
    content->setSize(404, 126);
    frame->setContentOwned(content, true);
    EXPECT_EQ(frame->getName(), "VXQ-MRT6 update program");

    content->updateScreen();
    EXPECT_EQ(frame->getName(), "Updater Program");

    // The window deletes its content and is not asked to lay it out again meanwhile.
    frame.reset();
    EXPECT_EQ(TxtLoader::instance, nullptr) << "no screen build after the text store went";
}

TEST_F(Screens, theLanguageScreenOffersTheInstalledLanguages)
{
    show(UpdateStatus::languageSelection);

    EXPECT_EQ(lines(), (Lines { "Language Selections", "Please select a language." }));
    EXPECT_TRUE(component->languageBox->isVisible());
    EXPECT_EQ(component->languageBox->getBounds(), boxOrBarPlace);
    // English, Russian and Japanese are installed; the ids keep the gaps of the others.
    EXPECT_EQ(component->languageBox->getNumItems(), 3);
    EXPECT_EQ(component->languageBox->getItemId(1), 7);
    EXPECT_EQ(component->languageBox->getItemId(2), 12);
    EXPECT_EQ(component->languageBox->getItemText(0), languageNames[englishLanguage]);
    EXPECT_EQ(component->languageBox->getItemText(1), languageNames[russianLanguage]);
    EXPECT_EQ(component->languageBox->getItemText(2), languageNames[japaneseLanguage]);
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

    for (int status = UpdateStatus::noImageFile; status <= UpdateStatus::imageCrcMismatch; ++status)
    {
        show(status);
        const auto errorId = "Error ID:\t0x0E0" + juce::String(status - 0xE00);
        EXPECT_EQ(lines(), (Lines { "There is an error in the update file.", errorId }));
        expectOnlyCloseBesideTheIcon(status);
    }

    EXPECT_EQ(placeOf("Error ID:").getY(), placeOf("There is").getBottom() + 13.0f) << "after an empty line";
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

    for (int status : { UpdateStatus::unitBadDateOrVersion, UpdateStatus::refusedReason1, UpdateStatus::imageLostDuringTransfer,
                        UpdateStatus::refusedReason2, UpdateStatus::refusedReason3, UpdateStatus::refusedReason4,
                        UpdateStatus::noAnswer, UpdateStatus::unitRemoved, UpdateStatus::unexpectedAnswer })
    {
        show(status);
        const auto shown = lines();
        EXPECT_EQ(shown.size(), 9u) << status;
        EXPECT_EQ(shown.front(), "Failed to update the firmware.") << status;
        EXPECT_EQ(shown.back(), "-------------") << "no error ID, status " << status;
        expectOnlyCloseBesideTheIcon(status);
    }
}

TEST_F(Screens, eachBlockLiesInItsRectangle)
{
    show(UpdateStatus::languageSelection);
    const auto heading = placeOf("Language Selections");
    const auto prompt = placeOf("Please select");
    EXPECT_NEAR(heading.getX(), 20.0f, 2.0f);
    EXPECT_GE(heading.getY(), 20.0f);
    EXPECT_NEAR(prompt.getX(), 40.0f, 2.0f);
    // The heading's "\n\n" puts the prompt one empty line lower.
    EXPECT_EQ(prompt.getY(), heading.getBottom() + 13.0f);

    component->layoutReady = 8;
    component->deviceVersion = "1.05";
    component->fileVersion = "1.10";
    show(UpdateStatus::ready);
    EXPECT_EQ(placeOf("Current Version").getY(), placeOf("Updates the version").getBottom()) << "right below";
    EXPECT_NEAR(placeOf("Current Version").getX(), 40.0f, 2.0f);

    show(UpdateStatus::notConnected);
    EXPECT_NEAR(placeOf("Your VXQ-MRT6").getX(), 105.0f, 2.0f);

    show(UpdateStatus::noAnswer);
    EXPECT_NEAR(placeOf("Failed to update").getX(), 105.0f, 2.0f);
    EXPECT_LE(placeOf("-------------").getRight(), 780.0f);
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
    expectOnlyCloseBesideTheIcon(0xE06);
    paint();
    EXPECT_TRUE(component->secondButton->hasKeyboardFocus(true));
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

    show(UpdateStatus::ready);
    component->secondButton->grabKeyboardFocus();
    paint();
    EXPECT_TRUE(component->secondButton->hasKeyboardFocus(true)) << "Close keeps it on the ready screen";

    show(UpdateStatus::complete);
    paint();
    EXPECT_TRUE(component->mainButton->hasKeyboardFocus(true)) << "only OK may hold it on the completion screen";

    // While the update runs no control is visible, and none is given the focus.
    show(UpdateStatus::sendChunk);
    juce::Component::unfocusAllComponents();
    paint();
    EXPECT_EQ(juce::Component::getCurrentlyFocusedComponent(), nullptr);
}

TEST_F(Screens, theLanguageBoxKeepsTheFocusOnTheLanguageScreen)
{
    show(UpdateStatus::languageSelection);
    // The box asks for no focus of its own; given it anyway, it keeps it.
    component->languageBox->setWantsKeyboardFocus(true);
    component->languageBox->grabKeyboardFocus();
    ASSERT_TRUE(component->languageBox->hasKeyboardFocus(true));

    paint();
    EXPECT_TRUE(component->languageBox->hasKeyboardFocus(true));
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
