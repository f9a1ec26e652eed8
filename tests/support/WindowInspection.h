#pragma once

// What the device tests ask of the windows a test creates, the same on both
// platforms: the Win32 stand-in answers on Linux, Win32 itself on Windows.

#include "platform/win32.h"

#include <optional>
#include <string>

namespace testsupport
{
// A window as its creator asked for it (the arguments of CreateWindowExA;
// Windows itself adds style bits and enforces a minimum size), and whether
// it is visible now.
struct CreatedWindow
{
    std::string className;
    std::string title;
    DWORD style = 0;
    int width = 0, height = 0;
    HWND parent = nullptr;
    bool visible = false;
};

// Nothing for a window that does not exist (any more).
std::optional<CreatedWindow> findWindow(HWND window);
bool isClassRegistered(const std::string& className);

// While set, CreateWindowExA fails and returns null.
void setWindowCreationFails(bool fails);

// Only the stand-in can make GetModuleHandleA(NULL) return null; on Windows
// it never does, and setting this does nothing.
bool canLoseModuleHandle();
void setModuleHandleMissing(bool missing);
} // namespace testsupport
