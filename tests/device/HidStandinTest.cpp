// The stand-in library's own side of the device link: the messages it posts
// to the registered window, under the registered numbers, and the seam where
// a simulated device answers what is written to it.

#include "support/MessageLoop.h"

#include "platform/vxqmrt6hid.h"
#include "platform/vxqmrt6hid-standin/StandinControl.h"

#include <gtest/gtest.h>
#include <juce_events/juce_events.h>

#include <thread>
#include <vector>

namespace
{
// Numbers other than the device link's own, so that the library must use the registered ones.
constexpr UINT inputMessage = WM_USER + 0x103;
constexpr UINT arrivalMessage = WM_USER + 0x102;
constexpr UINT removalMessage = WM_USER + 0x101;
constexpr const char* className = "HID_STANDIN_TEST";

struct Posted
{
    UINT message;
    WPARAM wParam;
    bool onMessageThread;

    bool operator==(const Posted& other) const
    {
        return message == other.message && wParam == other.wParam && onMessageThread == other.onMessageThread;
    }
};

std::vector<Posted> posted;

LRESULT CALLBACK recordingProcedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam)
{
    if (message == inputMessage || message == arrivalMessage || message == removalMessage)
        posted.push_back({ message, wParam, juce::MessageManager::getInstance()->isThisTheMessageThread() });

    return DefWindowProcA(window, message, wParam, lParam);
}

// Sends each written report straight back as the device's input, and notes the writer's thread.
struct EchoingDevice : hidstandin::DeviceResponder
{
    void reportWritten(const hidstandin::Report& report, hidstandin::DeviceLink& link) override
    {
        writerThread = std::this_thread::get_id();
        link.answer(report, 0);
    }

    std::thread::id writerThread;
};

class HidStandin : public testing::Test
{
protected:
    void SetUp() override
    {
        hidstandin::reset();
        posted.clear();

        const auto module = GetModuleHandleA(nullptr);
        WNDCLASSA windowClass {};
        windowClass.lpfnWndProc = recordingProcedure;
        windowClass.hInstance = module;
        windowClass.lpszClassName = className;
        ASSERT_NE(RegisterClassA(&windowClass), 0);
        window = CreateWindowExA(0, className, className, WS_OVERLAPPEDWINDOW, 0, 0, 10, 10,
                                 nullptr, nullptr, module, nullptr);
        ASSERT_NE(window, nullptr);

        HID_Initialize(module);
        HID_SetCallback(window, inputMessage, arrivalMessage, removalMessage);
        HID_Start();
    }

    void TearDown() override
    {
        HID_Stop();
        HID_SetCallback(nullptr, 0, 0, 0);
        HID_Finalize();
        DestroyWindow(window);
        UnregisterClassA(className, GetModuleHandleA(nullptr));
    }

    static bool postedCount(std::size_t count)
    {
        return testsupport::pumpUntil([count] { return posted.size() >= count; }) && posted.size() == count;
    }

    HWND window = nullptr;
};
} // namespace

TEST_F(HidStandin, plugInputAndUnplugArriveAsTheRegisteredMessagesOnTheMessageThread)
{
    const int unit = hidstandin::addDevice(0x45, nullptr, false);

    // Later, so that the library's own thread posts them.
    hidstandin::plugAfter(unit, 1);
    ASSERT_TRUE(postedCount(1));
    hidstandin::queueInput(unit, hidstandin::Report(3, 7), 1);
    ASSERT_TRUE(postedCount(2));
    hidstandin::unplug(unit);
    ASSERT_TRUE(postedCount(3));

    const auto number = static_cast<WPARAM>(unit);
    EXPECT_EQ(posted, (std::vector<Posted> { { arrivalMessage, 0, true },
                                             { inputMessage, number, true },
                                             { removalMessage, number, true } }));
}

TEST_F(HidStandin, aReportWrittenFromAnotherThreadReachesItsDeviceThereAndItsAnswerComesAsInput)
{
    auto device = std::make_shared<EchoingDevice>();
    const int unit = hidstandin::addDevice(0x45, device);
    hidstandin::Report report(64);
    report[0] = 0xF0;
    report[63] = 0x3F;

    int written = 0;
    std::thread::id writer;
    std::thread worker([&] {
        writer = std::this_thread::get_id();
        written = HID_Write(unit, report.data(), 64);
    });
    worker.join();

    EXPECT_NE(written, 0);
    EXPECT_EQ(device->writerThread, writer);
    ASSERT_TRUE(postedCount(1));
    EXPECT_EQ(posted[0], (Posted { inputMessage, static_cast<WPARAM>(unit), true }));

    unsigned char answer[64] = {};
    int length = 64;
    HID_Input(unit, answer, &length);
    EXPECT_EQ(length, 64);
    EXPECT_EQ(hidstandin::Report(answer, answer + 64), report);
}

TEST_F(HidStandin, aStoppedLibraryPostsNothingAndForgetsWhatWasDue)
{
    const int waiting = hidstandin::addDevice(0x45, nullptr, false);
    hidstandin::plugAfter(waiting, 60000);
    EXPECT_FALSE(hidstandin::nothingPending());

    HID_Stop();
    EXPECT_TRUE(hidstandin::nothingPending());

    // Changes still happen while stopped, without a message.
    const int unit = hidstandin::addDevice(0x45, nullptr, false);
    hidstandin::plug(unit);
    hidstandin::queueInput(unit, hidstandin::Report(64, 1));
    hidstandin::unplug(unit);
    testsupport::pumpFor(20);
    EXPECT_TRUE(posted.empty());

    int numbers[HID_MAX_DEVICES] = {};
    EXPECT_EQ(HID_EnumHIDno(numbers), 0) << "the waiting device was never plugged in";
}
