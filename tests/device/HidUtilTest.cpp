// The hidden callback window and the library calls of HidUtil, through the
// stand-in library and the Win32 stand-in, or Win32 itself on Windows.

#include "support/MessageLoop.h"
#include "support/RecordingHandler.h"
#include "support/WindowInspection.h"

#include "device/HidUtil.h"
#include "platform/vxqmrt6hid-standin/StandinControl.h"

#include <gtest/gtest.h>

using hidstandin::callNames;
using Names = std::vector<std::string>;

namespace
{
constexpr int unitType = 0x45;

class HidUtilTest : public testing::Test
{
protected:
    void SetUp() override { hidstandin::reset(); }

    void TearDown() override
    {
        util.release();
        testsupport::setModuleHandleMissing(false);
        testsupport::setWindowCreationFails(false);
    }

    // Lets the library's thread post what is due and the message loop dispatch it.
    static void settle()
    {
        testsupport::pumpUntil([] { return hidstandin::nothingPending(); });
        testsupport::pumpFor(20);
    }

    testsupport::RecordingHandler handler;
    HidUtil util;
};
} // namespace

TEST_F(HidUtilTest, initialiseCreatesAHiddenDisabledTopLevelWindowAndStartsTheLibrary)
{
    ASSERT_TRUE(util.initialize(&handler, 0));

    EXPECT_EQ(callNames(), (Names { "HID_Initialize", "HID_SetCallback", "HID_Start" }));
    const auto setCallback = hidstandin::calls()[1];
    ASSERT_EQ(setCallback.arguments.size(), 4u);
    EXPECT_NE(setCallback.arguments[0], 0);
    EXPECT_EQ(setCallback.arguments[1], 0x403);
    EXPECT_EQ(setCallback.arguments[2], 0x402);
    EXPECT_EQ(setCallback.arguments[3], 0x401);

    const auto window = testsupport::findWindow(reinterpret_cast<HWND>(setCallback.arguments[0]));
    ASSERT_TRUE(window.has_value());
    EXPECT_EQ(window->className, "HID_WINDOW_CALLBACK");
    EXPECT_EQ(window->title, "HID_WINDOW_CALLBACK");
    EXPECT_EQ(window->style, 0x08CF0000u);
    EXPECT_EQ(window->parent, nullptr);
    EXPECT_EQ(window->width, 10);
    EXPECT_EQ(window->height, 10);
    EXPECT_FALSE(window->visible);
    EXPECT_EQ(HidUtil::instance, &util);
}

TEST_F(HidUtilTest, aSecondHidUtilIsRefusedWhileOneIsInitialised)
{
    ASSERT_TRUE(util.initialize(&handler, 0));
    hidstandin::clearCalls();

    HidUtil second;
    EXPECT_FALSE(second.initialize(&handler, 0));
    EXPECT_EQ(HidUtil::instance, &util);
    EXPECT_TRUE(callNames().empty());
}

TEST_F(HidUtilTest, releaseStopsTheLibraryOnceAndRemovesTheWindow)
{
    ASSERT_TRUE(util.initialize(&handler, 0));
    const auto window = reinterpret_cast<HWND>(hidstandin::calls()[1].arguments[0]);
    hidstandin::clearCalls();

    util.release();
    util.release();

    EXPECT_EQ(callNames(), (Names { "HID_Stop", "HID_SetCallback", "HID_Finalize" }));
    EXPECT_EQ(hidstandin::calls()[1].arguments, (std::vector<long long> { 0, 0, 0, 0 }));
    EXPECT_FALSE(testsupport::findWindow(window).has_value());
    EXPECT_FALSE(testsupport::isClassRegistered("HID_WINDOW_CALLBACK"));
    EXPECT_EQ(HidUtil::instance, nullptr);
}

TEST_F(HidUtilTest, withoutAModuleHandleNothingOfTheLibraryIsCalled)
{
    if (! testsupport::canLoseModuleHandle())
        GTEST_SKIP() << "GetModuleHandleA(NULL) cannot fail on Windows";

    testsupport::setModuleHandleMissing(true);
    EXPECT_FALSE(util.initialize(&handler, 0));

    EXPECT_TRUE(callNames().empty());
    EXPECT_EQ(HidUtil::instance, nullptr);
}

TEST_F(HidUtilTest, withoutAWindowNothingOfTheLibraryIsCalled)
{
    testsupport::setWindowCreationFails(true);
    EXPECT_FALSE(util.initialize(&handler, 0));
    testsupport::setWindowCreationFails(false);

    EXPECT_TRUE(callNames().empty());
    EXPECT_EQ(HidUtil::instance, nullptr);

    // The class left registered by the failed start does not stand in the way.
    EXPECT_TRUE(util.initialize(&handler, 0));
}

TEST_F(HidUtilTest, theFirstDeviceOfTheUnitTypeInTheLibrarysListIsOpened)
{
    hidstandin::addDevice(0x11);
    const int first = hidstandin::addDevice(unitType);
    hidstandin::addDevice(unitType);
    ASSERT_TRUE(util.initialize(&handler, 0));
    hidstandin::clearCalls();

    EXPECT_TRUE(util.findDevice());
    EXPECT_EQ(util.deviceNumber(), first);
    EXPECT_EQ(callNames(), (Names { "HID_EnumHIDno", "HID_GetDeviceType", "HID_GetDeviceType" }));

    hidstandin::clearCalls();
    EXPECT_TRUE(util.findDevice());
    EXPECT_TRUE(callNames().empty()) << "an open unit is kept without asking the library";
}

TEST_F(HidUtilTest, aCountOfZeroOrLessQueriesNoDeviceAndOneAbove128IsCut)
{
    hidstandin::addDevice(unitType);
    ASSERT_TRUE(util.initialize(&handler, 0));

    for (int count : { 0, -1, -1000 })
    {
        hidstandin::reportDeviceCount(count);
        hidstandin::clearCalls();
        EXPECT_FALSE(util.findDevice());
        EXPECT_EQ(callNames(), (Names { "HID_EnumHIDno" }));
        EXPECT_EQ(util.deviceNumber(), -1);
    }

    util.release();
    hidstandin::reset();
    ASSERT_TRUE(util.initialize(&handler, 0));

    for (int i = 0; i < 128; ++i)
        hidstandin::addDevice(0x11);

    hidstandin::addDevice(unitType); // listed 129th: beyond what the array holds
    hidstandin::clearCalls();

    EXPECT_FALSE(util.findDevice());
    EXPECT_EQ(callNames().size(), 1u + 128u);
}

TEST_F(HidUtilTest, anArrivalEnumeratesOnlyWhileNoUnitIsOpen)
{
    ASSERT_TRUE(util.initialize(&handler, 0));
    const int other = hidstandin::addDevice(0x11, nullptr, false);
    hidstandin::clearCalls();

    hidstandin::plug(other);
    settle();
    EXPECT_EQ(callNames(), (Names { "HID_EnumHIDno", "HID_GetDeviceType" }));
    EXPECT_TRUE(handler.events.empty());

    const int unit = hidstandin::addDevice(unitType, nullptr, false);
    hidstandin::plug(unit);
    settle();
    EXPECT_EQ(handler.events, (Names { "arrived" }));
    EXPECT_EQ(util.deviceNumber(), unit);

    hidstandin::clearCalls();
    hidstandin::plug(hidstandin::addDevice(0x12, nullptr, false));
    settle();
    EXPECT_TRUE(callNames().empty());
    EXPECT_EQ(handler.events.size(), 1u);
}

TEST_F(HidUtilTest, onlyTheRemovalOfTheOpenUnitIsReportedAndTheUnitIsClosedFirst)
{
    struct : testsupport::RecordingHandler
    {
        HidUtil* util = nullptr;
        int seenDevice = 99;
        void deviceRemoved() override { seenDevice = util->deviceNumber(); note("removed"); }
    } checking;
    checking.util = &util;

    const int other = hidstandin::addDevice(0x11);
    const int unit = hidstandin::addDevice(unitType);
    ASSERT_TRUE(util.initialize(&checking, 0));
    const auto window = reinterpret_cast<HWND>(hidstandin::calls()[1].arguments[0]);
    ASSERT_TRUE(util.findDevice());

    hidstandin::unplug(other);
    settle();
    EXPECT_TRUE(checking.events.empty());

    hidstandin::unplug(unit);
    settle();
    EXPECT_EQ(checking.events, (Names { "removed" }));
    EXPECT_EQ(checking.seenDevice, -1);

    // With nothing open, a removal of any number is ignored.
    PostMessageA(window, HidUtil::removalMessage, static_cast<WPARAM>(unit), 0);
    PostMessageA(window, HidUtil::removalMessage, static_cast<WPARAM>(0xFFFFFFFFu), 0);
    settle();
    EXPECT_EQ(checking.events.size(), 1u);
}

TEST_F(HidUtilTest, inputIsForwardedOnlyForTheOpenDeviceNumber)
{
    const int other = hidstandin::addDevice(0x11);
    const int unit = hidstandin::addDevice(unitType);
    ASSERT_TRUE(util.initialize(&handler, 0));
    ASSERT_TRUE(util.findDevice());

    hidstandin::queueInput(other, hidstandin::Report(64, 1));
    settle();
    EXPECT_TRUE(handler.events.empty());

    hidstandin::queueInput(unit, hidstandin::Report(64, 2));
    settle();
    EXPECT_EQ(handler.events, (Names { "input 0" }));
}

TEST_F(HidUtilTest, anInputMessageForMinusOneIsForwardedWhileNoUnitIsOpen)
{
    // The library's messages can carry any number; -1 matches "no unit open".
    ASSERT_TRUE(util.initialize(&handler, 0));
    const auto window = reinterpret_cast<HWND>(hidstandin::calls()[1].arguments[0]);

    PostMessageA(window, HidUtil::inputMessage, static_cast<WPARAM>(0xFFFFFFFFu), 5);
    settle();
    EXPECT_EQ(handler.events, (Names { "input 5" }));
}

TEST_F(HidUtilTest, withNoUnitOpenReadWriteAndVersionCallNothing)
{
    hidstandin::addDevice(unitType);
    ASSERT_TRUE(util.initialize(&handler, 0));
    hidstandin::clearCalls();

    std::uint8_t buffer[64] = {};
    EXPECT_EQ(util.getFirmwareVersion(), 0u);
    EXPECT_EQ(util.read(buffer, 64, 0), 0);
    EXPECT_FALSE(util.write(buffer, 64));
    EXPECT_FALSE(util.close());

    ASSERT_TRUE(util.findDevice());
    hidstandin::clearCalls();
    EXPECT_EQ(util.read(nullptr, 64, 0), 0);
    EXPECT_FALSE(util.write(nullptr, 64));
    EXPECT_TRUE(callNames().empty());

    EXPECT_TRUE(util.close());
    EXPECT_EQ(util.deviceNumber(), -1);
    EXPECT_TRUE(callNames().empty());
}

TEST_F(HidUtilTest, theVersionQueryAsksByDeviceTypeAndWritesAlwaysSend64Bytes)
{
    const int unit = hidstandin::addDevice(unitType, nullptr, true, 0x0207);
    ASSERT_TRUE(util.initialize(&handler, 0));
    ASSERT_TRUE(util.findDevice());
    hidstandin::clearCalls();

    EXPECT_EQ(util.getFirmwareVersion(), 0x0207u);
    const auto query = hidstandin::calls().at(0);
    EXPECT_EQ(query.arguments[0], unitType);
    EXPECT_EQ(query.arguments[2], 1);

    std::uint8_t report[64] = { 0xF0, 0x00, 0x7F };
    EXPECT_TRUE(util.write(report, 3));
    ASSERT_EQ(hidstandin::writtenReports(unit).size(), 1u);
    EXPECT_EQ(hidstandin::writtenReports(unit)[0].size(), 64u);

    hidstandin::setWriteFails(unit, true);
    EXPECT_FALSE(util.write(report, 64));
}
