#pragma once

// What tests may ask of, and do to, the Win32 stand-in. The system itself
// never includes this header.

#include "Win32Standin.h"

#include <optional>
#include <string>

namespace win32standin
{
struct WindowInfo
{
    std::string className;
    std::string title;
    DWORD extendedStyle = 0;
    DWORD style = 0;
    int x = 0, y = 0, width = 0, height = 0;
    HWND parent = nullptr;
    bool visible = false;
};

std::optional<WindowInfo> findWindow(HWND window);
bool isClassRegistered(const std::string& className);

// Makes the next calls fail as Windows may: GetModuleHandleA(NULL) returning
// null, CreateWindowExA returning null.
void setModuleHandleMissing(bool missing);
void setWindowCreationFails(bool fails);

} // namespace win32standin
