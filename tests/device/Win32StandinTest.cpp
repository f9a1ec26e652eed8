// The Win32 stand-in's windows: posted messages reach the window's procedure
// on the message thread, in posting order, and never after the window is gone.

#include "support/MessageLoop.h"

#include "platform/win32-standin/Win32StandinControl.h"

#include <gtest/gtest.h>
#include <juce_events/juce_events.h>

#include <thread>
#include <vector>

namespace
{
struct Delivery
{
    UINT message;
    WPARAM wParam;
    bool onMessageThread;
};

std::vector<Delivery> deliveries;

LRESULT CALLBACK recordingProcedure(HWND, UINT message, WPARAM wParam, LPARAM)
{
    deliveries.push_back({ message, wParam, juce::MessageManager::getInstance()->isThisTheMessageThread() });
    return 0;
}

class Win32Standin : public testing::Test
{
protected:
    void SetUp() override
    {
        deliveries.clear();
        WNDCLASSA windowClass {};
        windowClass.lpfnWndProc = recordingProcedure;
        windowClass.lpszClassName = "TEST_CLASS";
        ASSERT_NE(RegisterClassA(&windowClass), 0);
        window = CreateWindowExA(0, "TEST_CLASS", "title", WS_OVERLAPPEDWINDOW, 0, 0, 10, 10,
                                 nullptr, nullptr, GetModuleHandleA(nullptr), nullptr);
        ASSERT_NE(window, nullptr);
    }

    void TearDown() override
    {
        DestroyWindow(window);
        UnregisterClassA("TEST_CLASS", GetModuleHandleA(nullptr));
    }

    HWND window = nullptr;
};
} // namespace

TEST_F(Win32Standin, messagesPostedFromAnotherThreadArriveOnTheMessageThreadInOrder)
{
    std::thread poster([this] {
        for (WPARAM i = 0; i < 100; ++i)
            PostMessageA(window, WM_USER + 3, i, 0);
    });
    poster.join();

    ASSERT_TRUE(testsupport::pumpUntil([] { return deliveries.size() == 100; }));

    for (WPARAM i = 0; i < 100; ++i)
    {
        EXPECT_EQ(deliveries[i].wParam, i);
        EXPECT_TRUE(deliveries[i].onMessageThread);
    }
}

TEST_F(Win32Standin, aMessageForADestroyedWindowIsDropped)
{
    ASSERT_TRUE(PostMessageA(window, WM_USER + 1, 7, 0));
    DestroyWindow(window);
    testsupport::pumpFor(50);

    EXPECT_TRUE(deliveries.empty());
    EXPECT_FALSE(PostMessageA(window, WM_USER + 1, 7, 0));
}

TEST_F(Win32Standin, aClassCannotBeRegisteredTwiceNorUnregisteredWhileAWindowUsesIt)
{
    WNDCLASSA again {};
    again.lpfnWndProc = recordingProcedure;
    again.lpszClassName = "TEST_CLASS";

    EXPECT_EQ(RegisterClassA(&again), 0);
    EXPECT_FALSE(UnregisterClassA("TEST_CLASS", GetModuleHandleA(nullptr)));

    DestroyWindow(window);
    EXPECT_TRUE(UnregisterClassA("TEST_CLASS", GetModuleHandleA(nullptr)));
    EXPECT_FALSE(win32standin::isClassRegistered("TEST_CLASS"));
}
