#pragma once

#include "hostsdk/HostSdkExport.h"

// The Win32 types and calls that host modules use. On Windows they are the system's own; this
// stand-in supplies the handful the plug-in needs elsewhere. Window handles name the runtime's
// QWidgets; instance handles name the modules registered with the runtime.
#ifdef _WIN32
#include <windows.h>
#else

#include <cstdint>

// DWORD and ULONG keep Windows' 32 bits here: `unsigned long` would be 64 bits wide on Linux.
// The Windows compile of the plug-in checks it against the system's own `unsigned long`.

using BOOL = int;
using BYTE = std::uint8_t;
using WORD = std::uint16_t;
using DWORD = std::uint32_t;
using UINT = unsigned int;
using ULONG = std::uint32_t;
using LONG = std::int32_t;
using INT_PTR = std::intptr_t;
using UINT_PTR = std::uintptr_t;
using LONG_PTR = std::intptr_t;
using ULONG_PTR = std::uintptr_t;
using DWORD_PTR = std::uintptr_t;
using WCHAR = wchar_t;
using LPWSTR = wchar_t*;
using LPCWSTR = const wchar_t*;
using LPVOID = void*;
using COLORREF = DWORD;

struct HWND__;
struct HINSTANCE__;
using HWND = HWND__*;
using HINSTANCE = HINSTANCE__*;
using HMODULE = HINSTANCE;

// A rectangle in screen coordinates.
struct RECT
{
    LONG left = 0;
    LONG top = 0;
    LONG right = 0;
    LONG bottom = 0;
};

#ifndef TRUE
#define TRUE 1
#endif
#ifndef FALSE
#define FALSE 0
#endif
#define WINAPI

#define DLL_PROCESS_DETACH 0
#define DLL_PROCESS_ATTACH 1
#define DLL_THREAD_ATTACH 2
#define DLL_THREAD_DETACH 3

// Packed colors: red in bits 0..7, green in 8..15, blue in 16..23.
#define RGB(r, g, b)                                                                               \
    (static_cast<COLORREF>(static_cast<BYTE>(r)) |                                                 \
     (static_cast<COLORREF>(static_cast<BYTE>(g)) << 8) |                                          \
     (static_cast<COLORREF>(static_cast<BYTE>(b)) << 16))
#define GetRValue(rgb) (static_cast<BYTE>(rgb))
#define GetGValue(rgb) (static_cast<BYTE>(static_cast<WORD>(rgb) >> 8))
#define GetBValue(rgb) (static_cast<BYTE>((rgb) >> 16))

// Copies the window's title (at most maxCount - 1 characters and a terminating zero) and
// returns the number of characters copied; 0 for an unknown handle.
HOSTSDK_API int GetWindowTextW(HWND window, LPWSTR text, int maxCount);

// Copies string resource `id` of the module (at most bufferMax - 1 characters and a
// terminating zero) and returns its length; 0 when the module has no such string.
HOSTSDK_API int LoadStringW(HINSTANCE instance, UINT id, LPWSTR buffer, int bufferMax);

// Returns TRUE for a module known to the runtime.
HOSTSDK_API BOOL DisableThreadLibraryCalls(HMODULE module);

// Thread-local slots; the script engine keeps its per-thread state in `thread_locals_index`.
HOSTSDK_API LPVOID TlsGetValue(DWORD index);

#endif // _WIN32
