#pragma once

// What tests may ask of, and do to, the Win32 stand-in. The system itself
// never includes this header.

#include "Win32Standin.h"

#include <optional>
#include <string>
#include <vector>

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

// Replace the sources of the locale services until given std::nullopt: the
// user's locale name, as LC_ALL would give it, and the installed locales'
// names, as `locale -a` would list them.
void setUserLocaleName(std::optional<std::string> name);
void setInstalledLocaleNames(std::optional<std::vector<std::string>> names);

} // namespace win32standin
