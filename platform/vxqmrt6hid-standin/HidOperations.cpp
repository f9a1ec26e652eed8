// The ten operations of the vendor library, over the simulated devices.
// Every call is logged with its arguments so that tests can check the order
// in which the device link makes them.

#include "DeviceSet.h"
#include "ProgramRun.h"

namespace
{
hidstandin::DeviceSet& devices()
{
    return hidstandin::DeviceSet::instance();
}

long long address(const void* pointer)
{
    return static_cast<long long>(reinterpret_cast<std::intptr_t>(pointer));
}
} // namespace

extern "C" {

VXQMRT6HID_API int HID_Initialize(HINSTANCE module)
{
    devices().log("HID_Initialize", { address(module) });
    hidstandin::setUpProgramRun();
    return 1;
}

VXQMRT6HID_API int HID_SetCallback(HWND window, UINT inputMessage, UINT arrivalMessage, UINT removalMessage)
{
    devices().log("HID_SetCallback", { address(window), inputMessage, arrivalMessage, removalMessage });
    devices().setCallback(window, inputMessage, arrivalMessage, removalMessage);
    return 1;
}

VXQMRT6HID_API int HID_Start(void)
{
    devices().log("HID_Start", {});
    devices().start();
    hidstandin::startProgramRun();
    return 1;
}

VXQMRT6HID_API int HID_EnumHIDno(int* deviceNumbers)
{
    devices().log("HID_EnumHIDno", { address(deviceNumbers) });
    return deviceNumbers != nullptr ? devices().enumerate(deviceNumbers) : 0;
}

VXQMRT6HID_API int HID_GetDeviceType(int deviceNumber)
{
    devices().log("HID_GetDeviceType", { deviceNumber });
    return devices().deviceType(deviceNumber);
}

VXQMRT6HID_API int HID_GetFirmwareVersion(int deviceType, DWORD* versionWords, int count)
{
    devices().log("HID_GetFirmwareVersion", { deviceType, address(versionWords), count });
    return versionWords != nullptr && count > 0 && devices().firmwareVersion(deviceType, versionWords) ? 1 : 0;
}

VXQMRT6HID_API int HID_Input(int deviceNumber, unsigned char* buffer, int* length)
{
    devices().log("HID_Input", { deviceNumber, address(buffer), length != nullptr ? *length : -1 });

    if (buffer == nullptr || length == nullptr)
        return 0;

    *length = devices().takeInput(deviceNumber, buffer, *length);
    return *length > 0 ? 1 : 0;
}

VXQMRT6HID_API int HID_Write(int deviceNumber, const unsigned char* report, int length)
{
    devices().log("HID_Write", { deviceNumber, address(report), length });

    if (report == nullptr || length <= 0)
        return 0;

    return devices().write(deviceNumber, report, length) ? 1 : 0;
}

VXQMRT6HID_API int HID_Stop(void)
{
    devices().log("HID_Stop", {});
    devices().stop();
    return 1;
}

VXQMRT6HID_API int HID_Finalize(void)
{
    devices().log("HID_Finalize", {});
    hidstandin::finishProgramRun();
    return 1;
}

} // extern "C"
