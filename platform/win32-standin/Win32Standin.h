#pragma once

// Stand-in declarations of the few Win32 names the system uses, for builds
// where Windows is absent. Types keep the Win32 sizes of a 64-bit Windows
// build; only the calls that the system makes exist.

#include <cstdint>

extern "C" {

typedef int BOOL;
typedef unsigned int UINT;
typedef std::uint16_t WORD;
typedef std::uint32_t DWORD;
typedef WORD ATOM;
typedef WORD LANGID;
typedef DWORD LCID;
typedef std::uintptr_t WPARAM;
typedef std::intptr_t LPARAM;
typedef std::intptr_t LRESULT;
typedef char* LPSTR;
typedef const char* LPCSTR;
typedef void* LPVOID;

typedef struct Win32StandinWindow* HWND;
typedef struct Win32StandinModule* HINSTANCE;
typedef HINSTANCE HMODULE;
typedef struct Win32StandinMenu* HMENU;
typedef struct Win32StandinIcon* HICON;
typedef HICON HCURSOR;
typedef struct Win32StandinGdiObject* HGDIOBJ;
typedef HGDIOBJ HBRUSH;

#define WINAPI
#define CALLBACK

#ifndef TRUE
 #define TRUE 1
#endif
#ifndef FALSE
 #define FALSE 0
#endif

typedef LRESULT (CALLBACK* WNDPROC)(HWND, UINT, WPARAM, LPARAM);
typedef BOOL (CALLBACK* LOCALE_ENUMPROCA)(LPSTR);

typedef struct tagWNDCLASSA
{
    UINT style;
    WNDPROC lpfnWndProc;
    int cbClsExtra;
    int cbWndExtra;
    HINSTANCE hInstance;
    HICON hIcon;
    HCURSOR hCursor;
    HBRUSH hbrBackground;
    LPCSTR lpszMenuName;
    LPCSTR lpszClassName;
} WNDCLASSA;

#define WM_USER 0x0400

#define WS_OVERLAPPED 0x00000000L
#define WS_CAPTION 0x00C00000L
#define WS_SYSMENU 0x00080000L
#define WS_THICKFRAME 0x00040000L
#define WS_MINIMIZEBOX 0x00020000L
#define WS_MAXIMIZEBOX 0x00010000L
#define WS_OVERLAPPEDWINDOW (WS_OVERLAPPED | WS_CAPTION | WS_SYSMENU | WS_THICKFRAME | WS_MINIMIZEBOX | WS_MAXIMIZEBOX)
#define WS_VISIBLE 0x10000000L
#define WS_DISABLED 0x08000000L

#define SW_HIDE 0
#define SW_SHOW 5

#define MAKEINTRESOURCEA(i) ((LPCSTR) (std::uintptr_t) ((WORD) (i)))
#define IDC_ARROW MAKEINTRESOURCEA(32512)
#define BLACK_BRUSH 4

#define LCID_INSTALLED 0x00000001
#define ASFW_ANY ((DWORD) -1)

// Windowing: classes registered by name, top-level windows with handles, and
// posted messages delivered on the thread that created the window.
ATOM WINAPI RegisterClassA(const WNDCLASSA* windowClass);
BOOL WINAPI UnregisterClassA(LPCSTR className, HINSTANCE instance);
HWND WINAPI CreateWindowExA(DWORD extendedStyle, LPCSTR className, LPCSTR windowName, DWORD style,
                            int x, int y, int width, int height, HWND parent, HMENU menu,
                            HINSTANCE instance, LPVOID parameter);
BOOL WINAPI ShowWindow(HWND window, int command);
BOOL WINAPI DestroyWindow(HWND window);
LRESULT WINAPI DefWindowProcA(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
BOOL WINAPI PostMessageA(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
HCURSOR WINAPI LoadCursorA(HINSTANCE instance, LPCSTR cursorName);
HGDIOBJ WINAPI GetStockObject(int object);
HMODULE WINAPI GetModuleHandleA(LPCSTR moduleName);

// Locale services, answered from the POSIX locale.
LANGID WINAPI GetUserDefaultLangID(void);
BOOL WINAPI EnumSystemLocalesA(LOCALE_ENUMPROCA callback, DWORD flags);

BOOL WINAPI AllowSetForegroundWindow(DWORD processId);

} // extern "C"
