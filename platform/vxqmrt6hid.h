#pragma once

// Our own declaration of the ten operations of the unit maker's HID library
// vxqmrt6hid, as the device link calls them. The library delivers three
// window messages to the window registered with HID_SetCallback: the input
// message (wParam: device number), the arrival message and the removal
// message (wParam: device number).

#include "win32.h"

#if defined(_WIN32)
 #if defined(VXQMRT6HID_BUILDING_LIBRARY)
  #define VXQMRT6HID_API __declspec(dllexport)
 #else
  #define VXQMRT6HID_API __declspec(dllimport)
 #endif
#else
 #define VXQMRT6HID_API __attribute__((visibility("default")))
#endif

extern "C" {

// How many device numbers HID_EnumHIDno may write.
enum { HID_MAX_DEVICES = 128 };

VXQMRT6HID_API int HID_Initialize(HINSTANCE module);
VXQMRT6HID_API int HID_SetCallback(HWND window, UINT inputMessage, UINT arrivalMessage, UINT removalMessage);
VXQMRT6HID_API int HID_Start(void);
VXQMRT6HID_API int HID_EnumHIDno(int* deviceNumbers);
VXQMRT6HID_API int HID_GetDeviceType(int deviceNumber);
VXQMRT6HID_API int HID_GetFirmwareVersion(int deviceType, DWORD* versionWords, int count);
VXQMRT6HID_API int HID_Input(int deviceNumber, unsigned char* buffer, int* length);
VXQMRT6HID_API int HID_Write(int deviceNumber, const unsigned char* report, int length);
VXQMRT6HID_API int HID_Stop(void);
VXQMRT6HID_API int HID_Finalize(void);

} // extern "C"
