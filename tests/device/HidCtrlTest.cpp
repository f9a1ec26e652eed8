// The device link object: its connection state, its reports and the order
// of the library calls it makes, through the stand-in library.

#include "support/MessageLoop.h"
#include "support/RecordingHandler.h"

#include "device/HidCtrl.h"
#include "platform/vxqmrt6hid-standin/StandinControl.h"

#include <gtest/gtest.h>

#include <numeric>

using hidstandin::callNames;
using Names = std::vector<std::string>;

namespace
{
constexpr int unitType = 0x45;

hidstandin::Report countingReport(std::size_t length, std::uint8_t first)
{
    hidstandin::Report report(length);
    std::iota(report.begin(), report.end(), first);
    return report;
}

class HidCtrlTest : public testing::Test
{
protected:
    void SetUp() override { hidstandin::reset(); }
    void TearDown() override { link.release(); }

    static void settle()
    {
        testsupport::pumpUntil([] { return hidstandin::nothingPending(); });
        testsupport::pumpFor(20);
    }

    testsupport::RecordingHandler owner;
    HidCtrl link;
};
} // namespace

TEST_F(HidCtrlTest, withTheUnitPresentInitialiseConnectsWithoutReadingInput)
{
    hidstandin::addDevice(unitType, nullptr, true, 0x0105);

    EXPECT_EQ(link.initialize(&owner, 64), 1);
    EXPECT_EQ(link.connected, 1);
    EXPECT_EQ(link.firmwareVersion, 0x0105u);
    EXPECT_EQ(callNames(), (Names { "HID_Initialize", "HID_SetCallback", "HID_Start", "HID_EnumHIDno",
                                    "HID_GetDeviceType", "HID_GetFirmwareVersion" }));
    EXPECT_TRUE(owner.events.empty());
}

TEST_F(HidCtrlTest, aUnitPluggedInLaterIsFoundOnItsArrival)
{
    EXPECT_EQ(link.initialize(&owner, 64), 0);
    EXPECT_EQ(link.connected, 0);

    const int unit = hidstandin::addDevice(unitType, nullptr, false);
    hidstandin::clearCalls();
    hidstandin::plug(unit);
    settle();

    ASSERT_EQ(owner.events, (Names { "arrived" }));
    EXPECT_EQ(owner.callsBefore[0], (Names { "HID_EnumHIDno", "HID_GetDeviceType", "HID_GetFirmwareVersion", "HID_Input" }));
    EXPECT_EQ(link.connected, 1);
    EXPECT_EQ(link.length, 0);
}

TEST_F(HidCtrlTest, aReportWaitingAtArrivalFillsTheBufferCutTo64WithoutReachingTheOwner)
{
    const int unit = hidstandin::addDevice(unitType);
    ASSERT_EQ(link.initialize(&owner, 64), 1);

    // With the unit closed, its report stays in the library until the next arrival opens it.
    ASSERT_TRUE(link.util->close());
    hidstandin::queueInput(unit, countingReport(100, 1));
    settle();
    ASSERT_TRUE(owner.events.empty());

    hidstandin::plug(hidstandin::addDevice(0x11, nullptr, false));
    settle();

    EXPECT_EQ(owner.events, (Names { "arrived" }));
    EXPECT_EQ(link.util->deviceNumber(), unit);
    EXPECT_EQ(link.length, 64);
    EXPECT_EQ(link.buffer[0], 1);
    EXPECT_EQ(link.buffer[63], 64);
}

TEST_F(HidCtrlTest, unplugClearsTheStateBeforeTellingTheOwner)
{
    const int unit = hidstandin::addDevice(unitType);
    ASSERT_EQ(link.initialize(&owner, 64), 1);
    hidstandin::queueInput(unit, countingReport(64, 1));
    settle();

    struct : testsupport::RecordingHandler
    {
        HidCtrl* link = nullptr;
        bool clearedFirst = false;
        void deviceRemoved() override
        {
            clearedFirst = link->connected == 0 && link->firmwareVersion == 0 && link->length == 0
                           && std::all_of(std::begin(link->buffer), std::end(link->buffer), [](auto b) { return b == 0; });
            note("removed");
        }
    } checking;
    checking.link = &link;
    link.owner = &checking;

    hidstandin::unplug(unit);
    settle();

    EXPECT_EQ(checking.events, (Names { "removed" }));
    EXPECT_TRUE(checking.clearedFirst);
}

TEST_F(HidCtrlTest, inputReportsAreCopiedUpTo64BytesAndEmptyOnesIgnored)
{
    const int unit = hidstandin::addDevice(unitType);
    ASSERT_EQ(link.initialize(&owner, 64), 1);

    hidstandin::queueInput(unit, countingReport(64, 1));
    settle();
    EXPECT_EQ(owner.events, (Names { "input 0" }));
    EXPECT_EQ(link.length, 64);
    EXPECT_EQ(link.buffer[63], 64);

    // A shorter report overwrites only its own bytes.
    hidstandin::queueInput(unit, countingReport(3, 100));
    settle();
    EXPECT_EQ(link.length, 3);
    EXPECT_EQ(link.buffer[0], 100);
    EXPECT_EQ(link.buffer[2], 102);
    EXPECT_EQ(link.buffer[3], 4);

    // An input message whose report has no bytes changes nothing.
    hidstandin::queueInput(unit, {});
    settle();
    EXPECT_EQ(owner.events.size(), 2u);
    EXPECT_EQ(link.length, 3);

    // A library that claims more than 64 bytes is cut to 64.
    hidstandin::queueInput(unit, countingReport(100, 10));
    settle();
    EXPECT_EQ(owner.events.size(), 3u);
    EXPECT_EQ(link.length, 64);
    EXPECT_EQ(link.buffer[63], 73);
}

TEST_F(HidCtrlTest, writeSendsNothingWhenNotConnectedOrReleased)
{
    const int unit = hidstandin::addDevice(unitType);
    ASSERT_EQ(link.initialize(&owner, 64), 1);
    const std::uint8_t report[64] = { 0xF0, 0x01 };

    EXPECT_TRUE(link.write(report, 64));
    EXPECT_FALSE(link.write(nullptr, 64));

    link.connected = 0;
    hidstandin::clearCalls();
    EXPECT_FALSE(link.write(report, 64));
    EXPECT_TRUE(callNames().empty());

    link.connected = 1;
    link.release();
    hidstandin::clearCalls();
    EXPECT_FALSE(link.write(report, 64));
    EXPECT_TRUE(callNames().empty());
    EXPECT_EQ(hidstandin::writtenReports(unit).size(), 1u);
}

TEST_F(HidCtrlTest, releaseStopsClearsTheCallbackAndFinalisesInThatOrder)
{
    hidstandin::addDevice(unitType);
    ASSERT_EQ(link.initialize(&owner, 64), 1);
    hidstandin::clearCalls();

    link.release();

    EXPECT_EQ(callNames(), (Names { "HID_Stop", "HID_SetCallback", "HID_Finalize" }));
    EXPECT_EQ(link.util, nullptr);
    EXPECT_EQ(link.owner, nullptr);
    EXPECT_EQ(HidUtil::instance, nullptr);
}

TEST_F(HidCtrlTest, aFailedStartLeavesTheLinkWithoutUtilAndUnconnected)
{
    HidUtil occupying;
    ASSERT_TRUE(occupying.initialize(&owner, 0));
    hidstandin::addDevice(unitType);

    EXPECT_EQ(link.initialize(&owner, 64), 0);
    EXPECT_EQ(link.util, nullptr);
    EXPECT_EQ(link.connected, 0);
    EXPECT_EQ(HidUtil::instance, &occupying);
}
