#include "HidUtil.h"

#include "../platform/vxqmrt6hid.h"

namespace
{
const char* const windowClassName = "HID_WINDOW_CALLBACK";
}

const std::int32_t hidDeviceTypes[2] = { 0, 0x45 };

HidUtil* HidUtil::instance = nullptr;

HidUtil::~HidUtil()
{
    release();
}

bool HidUtil::initialize(HidHandler* handlerToNotify, int)
{
    if (instance != nullptr)
        return false;

    instance = this;
    handler = handlerToNotify;
    typeIndex = 1;

    module = GetModuleHandleA(nullptr);

    if (module == nullptr)
    {
        release();
        return false;
    }

    WNDCLASSA windowClass {};
    windowClass.style = 0;
    windowClass.lpfnWndProc = hidWindowProc;
    windowClass.hInstance = module;
    windowClass.hCursor = LoadCursorA(nullptr, IDC_ARROW);
    windowClass.hbrBackground = static_cast<HBRUSH>(GetStockObject(BLACK_BRUSH));
    windowClass.lpszClassName = windowClassName;
    RegisterClassA(&windowClass); // a class left from an earlier failed start serves as well

    // An ordinary top-level window, kept hidden and disabled, not a message-only one.
    window = CreateWindowExA(0, windowClassName, windowClassName, WS_DISABLED | WS_OVERLAPPEDWINDOW,
                             0, 0, 10, 10, nullptr, nullptr, module, nullptr);
    ShowWindow(window, SW_HIDE);

    if (window == nullptr)
    {
        release();
        return false;
    }

    HID_Initialize(module);
    HID_SetCallback(window, inputMessage, arrivalMessage, removalMessage);
    HID_Start();
    return true;
}

void HidUtil::release()
{
    if (device >= 0)
        device = -1;

    if (instance == this)
        instance = nullptr;

    handler = nullptr;

    if (module != nullptr && window != nullptr)
    {
        HID_Stop();
        HID_SetCallback(nullptr, 0, 0, 0);
        HID_Finalize();
        DestroyWindow(window);
        UnregisterClassA(windowClassName, module);
        module = nullptr;
        window = nullptr;
    }
}

bool HidUtil::findDevice()
{
    if (device >= 0)
        return true;

    int numbers[HID_MAX_DEVICES] = {};
    const int count = HID_EnumHIDno(numbers);

    for (int i = 0; i < count && i < HID_MAX_DEVICES; ++i)
    {
        if (HID_GetDeviceType(numbers[i]) == hidDeviceTypes[typeIndex])
        {
            device = numbers[i];
            return true;
        }
    }

    return false;
}

bool HidUtil::close()
{
    if (device < 0)
        return false;

    device = -1;
    return true;
}

bool HidUtil::write(const std::uint8_t* report, int)
{
    const int number = device;

    if (report == nullptr || number < 0)
        return false;

    return HID_Write(number, report, reportSize) != 0;
}

int HidUtil::read(std::uint8_t* buffer, int, int)
{
    const int number = device;

    if (buffer == nullptr || number < 0)
        return 0;

    int length = reportSize;
    HID_Input(number, buffer, &length);
    return length;
}

std::uint32_t HidUtil::getFirmwareVersion()
{
    if (device < 0)
        return 0;

    DWORD words[2] = { 0, 0 };
    HID_GetFirmwareVersion(hidDeviceTypes[typeIndex], words, 1);
    return words[0];
}

LRESULT CALLBACK HidUtil::hidWindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam)
{
    switch (message)
    {
        case removalMessage: onHidRemoval(wParam); break;
        case arrivalMessage: onHidArrival(); break;
        case inputMessage:   onHidInput(wParam, lParam); break;
        default: break;
    }

    return DefWindowProcA(window, message, wParam, lParam);
}

void HidUtil::onHidRemoval(WPARAM wParam)
{
    if (instance == nullptr)
        return;

    const int removed = static_cast<std::int32_t>(wParam);

    if (removed >= 0 && instance->device == removed && instance->handler != nullptr)
    {
        // Cleared first, so that the handler already sees no unit open.
        instance->device = -1;
        instance->handler->deviceRemoved();
    }
}

void HidUtil::onHidArrival()
{
    if (instance != nullptr && instance->handler != nullptr && instance->device < 0 && instance->findDevice())
        instance->handler->deviceArrived();
}

void HidUtil::onHidInput(WPARAM wParam, LPARAM lParam)
{
    if (instance != nullptr && instance->handler != nullptr
        && instance->device == static_cast<std::int32_t>(wParam))
        instance->handler->inputReceived(static_cast<int>(lParam));
}
