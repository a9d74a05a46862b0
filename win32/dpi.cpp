// Display scaling. The per-window calls came with Windows 10 (version 1607); they are
// looked up rather than imported, so that the program still starts on Windows 7 and
// 8.1. Windows 8.1 tells a monitor's DPI (shcore, loaded then); on Windows 7 every
// window has the system's.
#include <windows.h>

#include "win32/win32.h"

namespace poko {

namespace {

template <typename Fn>
Fn User32(const char* name) {
    return LoadedCall<Fn>(L"user32.dll", name);
}

using GetDpiForWindowFn = UINT(WINAPI*)(HWND);
using GetSystemMetricsForDpiFn = int(WINAPI*)(int, UINT);
using AdjustWindowRectExForDpiFn = BOOL(WINAPI*)(RECT*, DWORD, BOOL, DWORD, UINT);

}  // namespace

int SystemDpi() {
    const int dpi = GetDeviceCaps(WindowDC(nullptr), LOGPIXELSY);
    return dpi > 0 ? dpi : 96;
}

// Windows 8.1's answer: the DPI of the monitor the window is on.
int MonitorDpi(HWND hwnd) {
    using GetDpiForMonitorFn = HRESULT(WINAPI*)(HMONITOR, int, UINT*, UINT*);
    static const auto get = [] {
        const HMODULE shcore = LoadLibraryExW(L"shcore.dll", nullptr, LOAD_LIBRARY_SEARCH_SYSTEM32);
        return shcore ? reinterpret_cast<GetDpiForMonitorFn>(
                            reinterpret_cast<void (*)()>(GetProcAddress(shcore, "GetDpiForMonitor")))
                      : nullptr;
    }();
    constexpr int kEffectiveDpi = 0;  // MDT_EFFECTIVE_DPI
    UINT x = 0, y = 0;
    return get && get(MonitorFromWindow(hwnd, MONITOR_DEFAULTTONEAREST), kEffectiveDpi, &x, &y) == S_OK
               ? static_cast<int>(y)
               : 0;
}

int WindowDpi(HWND hwnd) {
    static const auto get = User32<GetDpiForWindowFn>("GetDpiForWindow");
    const int dpi = get ? static_cast<int>(get(hwnd)) : MonitorDpi(hwnd);
    return dpi > 0 ? dpi : SystemDpi();
}

int SystemMetricAt(int index, int dpi) {
    static const auto get = User32<GetSystemMetricsForDpiFn>("GetSystemMetricsForDpi");
    return get ? get(index, static_cast<UINT>(dpi)) : GetSystemMetrics(index);
}

SIZE WindowSizeAt(int clientWidth, int clientHeight, DWORD style, int dpi) {
    static const auto adjust = User32<AdjustWindowRectExForDpiFn>("AdjustWindowRectExForDpi");
    RECT r{0, 0, clientWidth, clientHeight};
    if (!adjust || !adjust(&r, style, FALSE, 0, static_cast<UINT>(dpi))) AdjustWindowRectEx(&r, style, FALSE, 0);
    return {r.right - r.left, r.bottom - r.top};
}

HFONT CreateLayoutFont(const FontSpec& font, int dpi) {
    return CreateFontW(-FontHeightAt(font.points, dpi), 0, 0, 0, font.weight, 0, 0, 0, static_cast<DWORD>(font.charset),
                       0, 0, DEFAULT_QUALITY, DEFAULT_PITCH, W(Text(font.face)).c_str());
}

}  // namespace poko
