// Window classes, hidden windows and posted messages, on top of JUCE's
// message loop: a posted message is handed to the window's procedure on the
// JUCE message thread, in posting order, whichever thread posted it.

#include "Win32StandinControl.h"

#include <juce_events/juce_events.h>

#include <atomic>
#include <map>
#include <mutex>

namespace
{
struct WindowClass
{
    WNDPROC procedure = nullptr;
    HINSTANCE instance = nullptr;
};

struct Window
{
    WNDPROC procedure = nullptr;
    win32standin::WindowInfo info;
};

struct Registry
{
    std::mutex mutex;
    std::map<std::string, WindowClass> classes;
    std::map<HWND, Window> windows;
    std::uintptr_t lastHandle = 0x1000;
};

Registry& registry()
{
    static Registry instance;
    return instance;
}

std::atomic<bool> moduleHandleMissing { false };
std::atomic<bool> windowCreationFails { false };

// Any distinct non-null value serves as a handle of these kinds.
int moduleTag, cursorTag, stockObjectTag;

void deliver(HWND window, UINT message, WPARAM wParam, LPARAM lParam)
{
    WNDPROC procedure = nullptr;
    {
        std::lock_guard<std::mutex> guard(registry().mutex);
        auto found = registry().windows.find(window);

        if (found == registry().windows.end())
            return; // destroyed since the post: Windows drops it too

        procedure = found->second.procedure;
    }

    procedure(window, message, wParam, lParam);
}
} // namespace

extern "C" {

ATOM WINAPI RegisterClassA(const WNDCLASSA* windowClass)
{
    if (windowClass == nullptr || windowClass->lpszClassName == nullptr || windowClass->lpfnWndProc == nullptr)
        return 0;

    std::lock_guard<std::mutex> guard(registry().mutex);
    auto inserted = registry().classes.emplace(windowClass->lpszClassName,
                                               WindowClass { windowClass->lpfnWndProc, windowClass->hInstance });
    if (! inserted.second)
        return 0; // already registered, as ERROR_CLASS_ALREADY_EXISTS

    return static_cast<ATOM>(0xC000 + registry().classes.size());
}

BOOL WINAPI UnregisterClassA(LPCSTR className, HINSTANCE)
{
    if (className == nullptr)
        return FALSE;

    std::lock_guard<std::mutex> guard(registry().mutex);

    for (auto& window : registry().windows)
        if (window.second.info.className == className)
            return FALSE; // Windows refuses while a window of the class exists

    return registry().classes.erase(className) > 0 ? TRUE : FALSE;
}

HWND WINAPI CreateWindowExA(DWORD extendedStyle, LPCSTR className, LPCSTR windowName, DWORD style,
                            int x, int y, int width, int height, HWND parent, HMENU,
                            HINSTANCE, LPVOID)
{
    // Messages can only be delivered where JUCE runs its loop.
    if (windowCreationFails || className == nullptr
        || ! juce::MessageManager::getInstance()->isThisTheMessageThread())
        return nullptr;

    std::lock_guard<std::mutex> guard(registry().mutex);
    auto windowClass = registry().classes.find(className);

    if (windowClass == registry().classes.end())
        return nullptr;

    Window window;
    window.procedure = windowClass->second.procedure;
    window.info = { className, windowName != nullptr ? windowName : "", extendedStyle, style,
                    x, y, width, height, parent, (style & WS_VISIBLE) != 0 };

    auto handle = reinterpret_cast<HWND>(++registry().lastHandle); // never reused
    registry().windows.emplace(handle, window);
    return handle;
}

BOOL WINAPI ShowWindow(HWND window, int command)
{
    std::lock_guard<std::mutex> guard(registry().mutex);
    auto found = registry().windows.find(window);

    if (found == registry().windows.end())
        return FALSE;

    const bool wasVisible = found->second.info.visible;
    found->second.info.visible = command != SW_HIDE;
    return wasVisible ? TRUE : FALSE;
}

BOOL WINAPI DestroyWindow(HWND window)
{
    std::lock_guard<std::mutex> guard(registry().mutex);
    return registry().windows.erase(window) > 0 ? TRUE : FALSE;
}

LRESULT WINAPI DefWindowProcA(HWND, UINT, WPARAM, LPARAM)
{
    return 0;
}

BOOL WINAPI PostMessageA(HWND window, UINT message, WPARAM wParam, LPARAM lParam)
{
    {
        std::lock_guard<std::mutex> guard(registry().mutex);

        if (registry().windows.count(window) == 0)
            return FALSE;
    }

    auto* messageManager = juce::MessageManager::getInstanceWithoutCreating();

    if (messageManager == nullptr)
        return FALSE;

    return messageManager->callAsync([=] { deliver(window, message, wParam, lParam); }) ? TRUE : FALSE;
}

HCURSOR WINAPI LoadCursorA(HINSTANCE, LPCSTR)
{
    return reinterpret_cast<HCURSOR>(&cursorTag);
}

HGDIOBJ WINAPI GetStockObject(int)
{
    return reinterpret_cast<HGDIOBJ>(&stockObjectTag);
}

HMODULE WINAPI GetModuleHandleA(LPCSTR moduleName)
{
    if (moduleName != nullptr || moduleHandleMissing)
        return nullptr;

    return reinterpret_cast<HMODULE>(&moduleTag);
}

BOOL WINAPI AllowSetForegroundWindow(DWORD)
{
    return TRUE; // any window may come to the front on the desktops we stand in for
}

} // extern "C"

namespace win32standin
{
std::optional<WindowInfo> findWindow(HWND window)
{
    std::lock_guard<std::mutex> guard(registry().mutex);
    auto found = registry().windows.find(window);

    if (found == registry().windows.end())
        return std::nullopt;

    return found->second.info;
}

bool isClassRegistered(const std::string& className)
{
    std::lock_guard<std::mutex> guard(registry().mutex);
    return registry().classes.count(className) > 0;
}

void setModuleHandleMissing(bool missing)
{
    moduleHandleMissing = missing;
}

void setWindowCreationFails(bool fails)
{
    windowCreationFails = fails;
}
} // namespace win32standin
