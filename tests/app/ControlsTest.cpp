// What the buttons do on each screen, and leaving the program with the
// worker waiting for the unit.

#include "support/ProgramWindow.h"

#include "platform/vxqmrt6hid-standin/SimulatedUnit.h"
#include "text/TxtLoader.h"
#include "tools/ImageMaker.h"
#include "update/ImageFolder.h"
#include "update/UpdateStatus.h"

#include <gtest/gtest.h>

using hidstandin::UnitCommand;

namespace
{
class Controls : public testsupport::ProgramWindow
{
protected:
    void SetUp() override
    {
        ProgramWindow::SetUp();
        // Unique across the test processes that run at the same time.
        folder = juce::File::getSpecialLocation(juce::File::tempDirectory).getChildFile("vxq-controls-" + juce::Uuid().toString());
        folder.createDirectory();
        const auto image = makeFirmwareImage({});
        folder.getChildFile("vxqmrt6_A__v110.bin").replaceWithData(image.getData(), image.getSize());
        setImageFolderForTests(folder);
    }

    void TearDown() override
    {
        ProgramWindow::TearDown();
        setImageFolderForTests({});
        folder.deleteRecursively();
    }

    void openWithUnit(hidstandin::UnitConfig config = {})
    {
        unit = std::make_shared<hidstandin::SimulatedUnit>(config);
        hidstandin::addDevice(hidstandin::SimulatedUnit::deviceType, unit);
        open();
    }

    void click(AlineButton* button) { component->buttonClicked(button); }

    bool closed() const { return component->response[0] == 0; }
    void markResponse() { component->response[0] = 0x55; }

    juce::File folder;
    std::shared_ptr<hidstandin::SimulatedUnit> unit;
};
} // namespace

TEST_F(Controls, okWithoutAUnitShowsNotConnected)
{
    open();
    click(component->mainButton);

    EXPECT_EQ(component->status, UpdateStatus::notConnected);
    EXPECT_FALSE(component->isThreadRunning());
    EXPECT_EQ(lines().back(), "Error ID:\t0x0E21");
}

TEST_F(Controls, okStartsTheWorkerOnceAndStartMovesTheReadyScreenOn)
{
    openWithUnit();
    click(component->mainButton);
    click(component->mainButton);
    ASSERT_TRUE(testsupport::pumpUntil([this] { return component->status == UpdateStatus::ready; }));
    EXPECT_EQ(unit->reportsOf(UnitCommand::versionQuery), 1) << "one worker only";

    click(component->mainButton);
    EXPECT_EQ(component->startConfirmed, 1);
    EXPECT_NE(component->status, UpdateStatus::ready);
    markResponse();
    click(component->mainButton); // a second Start does nothing
    EXPECT_FALSE(closed());

    ASSERT_TRUE(testsupport::pumpUntil([this] { return ! component->isThreadRunning(); }, 60000));
    EXPECT_EQ(component->status, UpdateStatus::complete);
    EXPECT_EQ(component->mainButton->getButtonText(), "OK");

    click(component->mainButton);
    EXPECT_TRUE(closed());
}

TEST_F(Controls, okOnTheCompletionScreenQuitsOnlyOnceTheWorkerFinished)
{
    open();
    component->startConfirmed = 1;
    show(UpdateStatus::complete);
    markResponse();
    click(component->mainButton);
    EXPECT_FALSE(closed());

    component->finished = 1;
    click(component->mainButton);
    EXPECT_TRUE(closed());
}

TEST_F(Controls, okWhereItMeansNothingQuitsOnlyBeforeStartWasPressed)
{
    open();

    for (int status : { UpdateStatus::startPressed, 7 })
    {
        show(status);
        component->startConfirmed = 1;
        markResponse();
        click(component->mainButton);
        EXPECT_FALSE(closed()) << status;

        component->startConfirmed = 0;
        click(component->mainButton);
        EXPECT_TRUE(closed()) << status;
    }

    // Neither another button nor another box is this component's.
    show(UpdateStatus::languageSelection);
    markResponse();
    juce::TextButton otherButton("OK");
    component->buttonClicked(&otherButton);
    juce::ComboBox otherBox("langs");
    otherBox.addItem("Japanese", 12);
    otherBox.setSelectedId(12, juce::dontSendNotification);
    component->comboBoxChanged(&otherBox);
    EXPECT_FALSE(closed());
    EXPECT_EQ(component->status, UpdateStatus::languageSelection);
    EXPECT_EQ(TxtLoader::getInstance()->currentLanguage, englishLanguage);
}

TEST_F(Controls, theSecondButtonQuitsOnEveryScreen)
{
    open();

    for (int status : { UpdateStatus::languageSelection, UpdateStatus::ready, UpdateStatus::notConnected, UpdateStatus::noAnswer })
    {
        show(status);
        markResponse();
        click(component->secondButton);
        EXPECT_TRUE(closed()) << status;
    }
}

TEST_F(Controls, leavingWhileTheWorkerWaitsForTheUnitStopsItAtOnce)
{
    hidstandin::UnitConfig silentProbe;
    silentProbe.faults.push_back({ UnitCommand::probe, 1, hidstandin::UnitFault::Action::silent, 0 });
    openWithUnit(silentProbe);
    click(component->mainButton);
    ASSERT_TRUE(testsupport::pumpUntil([this] { return unit->reportsOf(UnitCommand::probe) == 1; }));

    // A worker left waiting would be killed only after 5000 ms.
    const auto started = juce::Time::getMillisecondCounter();
    click(component->secondButton);
    EXPECT_FALSE(component->isThreadRunning());
    EXPECT_LT(juce::Time::getMillisecondCounter() - started, 4000u);
    EXPECT_EQ(unit->reportsOf(UnitCommand::probe), 1) << "nothing sent after the stop";
}

TEST_F(Controls, closingTheWindowWhileTheWorkerWaitsStopsItAndNoCallbackFollows)
{
    hidstandin::UnitConfig silentVersion;
    silentVersion.faults.push_back({ UnitCommand::versionQuery, 1, hidstandin::UnitFault::Action::silent, 0 });
    openWithUnit(silentVersion);
    click(component->mainButton);
    ASSERT_TRUE(testsupport::pumpUntil([this] { return unit->reportsOf(UnitCommand::versionQuery) == 1; }));

    const auto started = juce::Time::getMillisecondCounter();
    window.reset();
    EXPECT_LT(juce::Time::getMillisecondCounter() - started, 4000u);

    hidstandin::queueInput(0, hidstandin::Report(64, 0xF0));
    testsupport::pumpFor(50);
    EXPECT_EQ(hidstandin::callNames().back(), "HID_Finalize");
}
