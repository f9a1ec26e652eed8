#pragma once

#include "HidHandler.h"

#include "../platform/win32.h"

#include <atomic>
#include <cstdint>

// The unit's device type, at the index HidUtil uses; entry 0 is never used.
extern const std::int32_t hidDeviceTypes[2];

// The system's one connection to the vendor HID library: a hidden window that
// receives the library's messages, the library's start and stop, and the
// device number of the open unit.
class HidUtil
{
public:
    // The messages the library posts to the hidden window.
    static constexpr UINT removalMessage = WM_USER + 1; // wParam: device number
    static constexpr UINT arrivalMessage = WM_USER + 2;
    static constexpr UINT inputMessage = WM_USER + 3;   // wParam: device number

    static constexpr int reportSize = 64;

    HidUtil() = default;
    virtual ~HidUtil();

    bool initialize(HidHandler* handlerToNotify, int unused);
    void release();
    bool findDevice();
    bool close();
    bool write(const std::uint8_t* report, int unused);
    int read(std::uint8_t* buffer, int unused1, int unused2);
    std::uint32_t getFirmwareVersion();

    // The device number of the open unit, -1 when none. The worker thread
    // reads it when it writes while the GUI thread may clear it.
    int deviceNumber() const { return device.load(); }

    // The one initialised HidUtil; the window procedure reaches it only here.
    static HidUtil* instance;

private:
    static LRESULT CALLBACK hidWindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
    static void onHidRemoval(WPARAM wParam);
    static void onHidArrival();
    static void onHidInput(WPARAM wParam, LPARAM lParam);

    HidHandler* handler = nullptr;
    std::int32_t typeIndex = 0;
    HINSTANCE module = nullptr;
    HWND window = nullptr;
    std::atomic<std::int32_t> device { -1 };
};
