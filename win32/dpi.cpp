// Display scaling. The per-monitor calls came with Windows 10 (version 1607); they are
// looked up rather than imported, so that the program still starts on Windows 7 and
// 8.1, where every window has the system's DPI.
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

int WindowDpi(HWND hwnd) {
    static const auto get = User32<GetDpiForWindowFn>("GetDpiForWindow");
    const int dpi = get ? static_cast<int>(get(hwnd)) : 0;
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
