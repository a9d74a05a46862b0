// The about box's real window: a fixed-border top-level window with no owner, holding one
// borderless multi-line edit box that shows the text art. Its modal loop dispatches every
// message, so the main window's clock and alarm timers go on while it is open.
#include <windows.h>
#include <commctrl.h>

#include <algorithm>
#include <string>
#include <utility>

#include "win32/win32.h"
#include "ui/about_box.h"

namespace poko {

namespace {

constexpr int kTextId = 1;

AboutWindow* g_about = nullptr;

constexpr DWORD kAboutStyle = WS_OVERLAPPED | WS_CAPTION | WS_SYSMENU;

// The box at a DPI: its size, Text1's place and font. It takes `place` (the rectangle
// WM_DPICHANGED suggests, which keeps it on the monitor it moved to), or, without one,
// goes centred over the main window, yet whole on its screen where that window sits in
// a corner (as it does by default, at 0,0).
void Layout(AboutWindow& w, int dpi, const RECT* place) {
    const int clientWidth = PixelsAt(kAboutClientWidthTwips, dpi);
    const SIZE size = place ? SIZE{place->right - place->left, place->bottom - place->top}
                            : WindowSizeAt(clientWidth, PixelsAt(kAboutClientHeightTwips, dpi), kAboutStyle, dpi);
    POINT at{place ? place->left : 0, place ? place->top : 0};
    if (!place) {
        RECT main;
        GetWindowRect(w.main, &main);
        MONITORINFO screen{};
        screen.cbSize = sizeof screen;
        GetMonitorInfoW(MonitorFromWindow(w.main, MONITOR_DEFAULTTONEAREST), &screen);
        const RECT& work = screen.rcWork;
        at.x = std::max<int>(work.left, std::min<int>((main.left + main.right - size.cx) / 2, work.right - size.cx));
        at.y = std::max<int>(work.top, std::min<int>((main.top + main.bottom - size.cy) / 2, work.bottom - size.cy));
    }
    SetWindowPos(w.hwnd.Get(), nullptr, at.x, at.y, size.cx, size.cy, SWP_NOZORDER | SWP_NOACTIVATE);
    const int textHeight = PixelsAt(kAboutTextHeightTwips, dpi);
    SetWindowPos(w.text, nullptr, 0, 0, clientWidth, textHeight, SWP_NOZORDER | SWP_NOACTIVATE | SWP_NOMOVE);
    GdiObject<HFONT> old = std::move(w.font);
    w.font.Reset(CreateLayoutFont(kAboutFont, dpi));
    SendMessageW(w.text, WM_SETFONT, reinterpret_cast<WPARAM>(w.font.Get()), FALSE);
    // An edit box lays out only the lines that fit whole; where a font's lines are taller
    // than designed, the last one would vanish. Laid out to the next whole line below
    // the edge, it shows as far as the edge lets it.
    TEXTMETRICW tm{};
    {
        const WindowDC dc(w.text);
        const Selected font(dc, w.font.Get());
        GetTextMetricsW(dc, &tm);
    }
    const int line = std::max<int>(1, tm.tmHeight + tm.tmExternalLeading);
    RECT layout{0, 0, clientWidth, (textHeight + line - 1) / line * line};
    SendMessageW(w.text, EM_SETRECTNP, 0, reinterpret_cast<LPARAM>(&layout));
    InvalidateRect(w.hwnd.Get(), nullptr, TRUE);
}

// The box's icons at a DPI; the ones they replace go once the window has let go of them.
void SetIcons(AboutWindow& w, int dpi) {
    const int index = w.box->frm_msg.IconIndex();
    IconHandle big(LoadProgramIcon(index, SystemMetricAt(SM_CXICON, dpi)));
    IconHandle small(LoadProgramIcon(index, SystemMetricAt(SM_CXSMICON, dpi)));
    SendMessageW(w.hwnd.Get(), WM_SETICON, ICON_BIG, reinterpret_cast<LPARAM>(big.Get()));
    SendMessageW(w.hwnd.Get(), WM_SETICON, ICON_SMALL, reinterpret_cast<LPARAM>(small.Get()));
    w.bigIcon = std::move(big);
    w.smallIcon = std::move(small);
}

LRESULT CALLBACK AboutProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam) {
    if (g_about && g_about->hwnd.Get() == hwnd) {
        switch (msg) {
        case WM_CTLCOLORSTATIC:  // a read-only edit box asks with this one
        case WM_CTLCOLOREDIT: {
            HDC dc = reinterpret_cast<HDC>(wParam);
            SetTextColor(dc, kAboutTextColour);
            SetBkColor(dc, kAboutBackColour);
            return reinterpret_cast<LRESULT>(g_about->back.Get());
        }
        case WM_SETFOCUS: SetFocus(g_about->text); return 0;
        case WM_DPICHANGED:
            Layout(*g_about, HIWORD(wParam), reinterpret_cast<const RECT*>(lParam));
            SetIcons(*g_about, HIWORD(wParam));
            return 0;
        case WM_CLOSE: g_about->box->Form_Close(); return 0;
        }
    }
    return DefWindowProcW(hwnd, msg, wParam, lParam);
}

// The text is shown, never edited: a press closes the box before the edit box sees it,
// the characters that follow have no box left to reach, and no caret shows.
LRESULT CALLBACK TextProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam) {
    AboutWindow& w = *g_about;
    switch (msg) {
    case WM_LBUTTONDOWN: w.box->Text1_Click(); return 0;
    case WM_KEYDOWN:
    case WM_SYSKEYDOWN: w.box->Text1_KeyDown(static_cast<int>(wParam)); return 0;
    case WM_CHAR:
    case WM_SYSCHAR:
    case WM_MOUSEWHEEL: return 0;
    case WM_SETFOCUS: {
        const LRESULT r = CallWindowProcW(w.textPrevious, hwnd, msg, wParam, lParam);
        HideCaret(hwnd);
        return r;
    }
    }
    return CallWindowProcW(w.textPrevious, hwnd, msg, wParam, lParam);
}

}  // namespace

void FormView::ShowAboutBox(FrmMsg& box) {
    HINSTANCE instance = GetModuleHandleW(nullptr);
    static const bool registered = [instance] {
        INITCOMMONCONTROLSEX icc{sizeof icc, ICC_BAR_CLASSES};  // the tooltip
        InitCommonControlsEx(&icc);
        return RegisterWindowClass(instance, kAboutWindowClass, AboutProc, 0, nullptr, nullptr,
                                   reinterpret_cast<HBRUSH>(COLOR_BTNFACE + 1));
    }();
    if (!registered || g_about) return;

    AboutWindow w;
    w.box = &box;
    w.main = hwnd_;
    // Made hidden where it will show, then laid out at the DPI of the monitor it is on.
    RECT main;
    GetWindowRect(hwnd_, &main);
    w.hwnd.Reset(Checked(L"CreateWindowExW",
                         CreateWindowExW(0, kAboutWindowClass, W(box.frm_msg.Caption()).c_str(), kAboutStyle,
                                         (main.left + main.right) / 2, (main.top + main.bottom) / 2, 0, 0, nullptr,
                                         nullptr, instance, nullptr)));
    if (!w.hwnd.Get()) return;
    g_about = &w;
    SetIcons(w, WindowDpi(w.hwnd.Get()));

    w.text = Checked(L"CreateWindowExW",
                     CreateWindowExW(0, L"EDIT", W(box.Text1.GetText()).c_str(),
                                     WS_CHILD | WS_VISIBLE | WS_TABSTOP | ES_MULTILINE | ES_READONLY, 0, 0, 0, 0,
                                     w.hwnd.Get(), reinterpret_cast<HMENU>(static_cast<INT_PTR>(kTextId)), instance,
                                     nullptr));
    Layout(w, WindowDpi(w.hwnd.Get()), nullptr);
    w.back.Reset(CreateSolidBrush(kAboutBackColour));
    w.textPrevious =
        reinterpret_cast<WNDPROC>(SetWindowLongPtrW(w.text, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(TextProc)));

    w.tip = Checked(L"CreateWindowExW",
                    CreateWindowExW(WS_EX_TOPMOST, TOOLTIPS_CLASSW, nullptr, WS_POPUP | TTS_ALWAYSTIP, CW_USEDEFAULT,
                                    CW_USEDEFAULT, CW_USEDEFAULT, CW_USEDEFAULT, w.hwnd.Get(), nullptr, instance, nullptr));
    std::wstring tipText = W(Text(kAboutTip));
    TTTOOLINFOW ti{};
    ti.cbSize = TTTOOLINFOW_V2_SIZE;
    ti.uFlags = TTF_IDISHWND | TTF_SUBCLASS;
    ti.hwnd = w.hwnd.Get();
    ti.uId = reinterpret_cast<UINT_PTR>(w.text);
    ti.lpszText = tipText.data();
    SendMessageW(w.tip, TTM_ADDTOOLW, 0, reinterpret_cast<LPARAM>(&ti));

    // Modal: the main window takes no input until the box is closed.
    SaveFocus();
    EnableWindow(hwnd_, FALSE);
    ShowWindow(w.hwnd.Get(), SW_SHOW);
    SetFocus(w.text);
    MSG msg;
    while (box.Loaded()) {
        const BOOL got = GetMessageW(&msg, nullptr, 0, 0);
        if (got <= 0) {
            if (got == 0) PostQuitMessage(static_cast<int>(msg.wParam));  // for the main loop
            break;
        }
        TranslateMessage(&msg);
        DispatchMessageW(&msg);
    }
    // The main window is enabled before the box goes, so that it is the one activated.
    EnableWindow(hwnd_, TRUE);
    SetActiveWindow(hwnd_);
    w.hwnd.Reset();  // while g_about still points at it: its last messages read it
    g_about = nullptr;
}

const AboutWindow* OpenAboutWindow() { return g_about; }

}  // namespace poko
