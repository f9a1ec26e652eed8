// The window inspection of the tests on Windows: a computer-based-training
// hook on the test thread sees every window it creates with the arguments of
// CreateWindowExA, before Windows adjusts them, and can refuse the creation.

#include "WindowInspection.h"

#include <map>

namespace testsupport
{
namespace
{
struct Requested
{
    DWORD style;
    int width, height;
    HWND parent;
};

std::map<HWND, Requested> requestedWindows;
bool refuseCreation = false;

LRESULT CALLBACK watchCreation(int code, WPARAM wParam, LPARAM lParam)
{
    if (code == HCBT_CREATEWND)
    {
        if (refuseCreation)
            return 1; // nonzero: CreateWindowExA fails

        const auto* create = reinterpret_cast<CBT_CREATEWNDA*>(lParam)->lpcs;
        requestedWindows[reinterpret_cast<HWND>(wParam)] = { static_cast<DWORD>(create->style),
                                                              create->cx, create->cy, create->hwndParent };
    }

    return CallNextHookEx(nullptr, code, wParam, lParam);
}

// Installed at start-up, on the thread that runs the tests, so that it sees
// every window they create.
const HHOOK creationHook = SetWindowsHookExA(WH_CBT, watchCreation, nullptr, GetCurrentThreadId());
} // namespace

std::optional<CreatedWindow> findWindow(HWND window)
{
    const auto found = requestedWindows.find(window);

    if (creationHook == nullptr || found == requestedWindows.end() || ! IsWindow(window))
        return std::nullopt;

    char className[256] = {};
    char title[256] = {};
    GetClassNameA(window, className, sizeof(className));
    GetWindowTextA(window, title, sizeof(title));

    const auto& requested = found->second;
    return CreatedWindow { className, title, requested.style, requested.width, requested.height,
                           requested.parent, IsWindowVisible(window) != FALSE };
}

bool isClassRegistered(const std::string& className)
{
    WNDCLASSA windowClass {};
    return GetClassInfoA(GetModuleHandleA(nullptr), className.c_str(), &windowClass) != FALSE;
}

void setWindowCreationFails(bool fails)
{
    refuseCreation = fails;
}

bool canLoseModuleHandle()
{
    return false;
}

void setModuleHandleMissing(bool) {}
} // namespace testsupport
