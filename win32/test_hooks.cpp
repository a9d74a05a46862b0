// Every test-only hook of the program, each switched on only by POKOMARU_TEST_HOOKS=1:
// the state dump, the about box's state, the mascot's draws given in advance and the
// clock moved on.
#include <windows.h>
#include <commctrl.h>

#include <algorithm>
#include <cstdio>
#include <cstring>
#include <string>

#include "base/ansi.h"
#include "base/number.h"
#include "win32/test_hooks.h"
#include "win32/win32.h"
#include "ui/about_box.h"

namespace poko {

bool TestHooksOn() {
    char hooks[4] = {};
    return GetEnvironmentVariableA("POKOMARU_TEST_HOOKS", hooks, sizeof hooks) == 1 && hooks[0] == '1';
}

// POKOMARU_TEST_DRAWS, last first: the end-to-end tests make the mascot's choices
// repeatable with them.
std::vector<double> ScriptedDraws() {
    std::vector<double> draws;
    char list[1024] = {};
    if (!TestHooksOn() || GetEnvironmentVariableA("POKOMARU_TEST_DRAWS", list, sizeof list) >= sizeof list) return draws;
    // Read by the program's own number rule: strtod would bring the C library's decimal
    // reader (20 KB) into the executable for a test hook.
    for (const char* p = list; *p;) {
        const char* comma = std::strchr(p, ',');
        const char* end = comma ? comma : p + std::strlen(p);
        if (end == p) break;
        const LeadingNumber r = LeadingNumberValue(Text(p, end));
        if (!r.overflow && r.value >= 0 && r.value < 1) draws.push_back(r.value);
        p = comma ? comma + 1 : end;
    }
    std::reverse(draws.begin(), draws.end());
    return draws;
}

namespace {

// An icon's width in pixels, "0" for a handle that is no icon (any more).
std::string IconWidth(HICON icon) {
    ICONINFO info{};
    BITMAP bm{};
    if (!GetIconInfo(icon, &info)) return "0";
    const GdiObject<HBITMAP> colour(info.hbmColor), mask(info.hbmMask);  // copies made for the caller
    GetObjectW(info.hbmColor ? info.hbmColor : info.hbmMask, sizeof bm, &bm);
    return std::to_string(bm.bmWidth);
}

}  // namespace

std::int64_t g_testClockShift = 0;

// WM_COPYDATA: the state query, and the clock moved on, answered only with the hooks on.
bool FormView::AnswerStateQuery(const COPYDATASTRUCT* cds) {
    if (!hooks_ || !cds) return false;
    if (cds->dwData == kClockShiftMagic && cds->cbData == sizeof(std::int64_t)) {
        std::int64_t seconds;
        std::memcpy(&seconds, cds->lpData, sizeof seconds);
        g_testClockShift += seconds * 10000000;
        return true;
    }
    if (cds->dwData != kStateQueryMagic || cds->cbData < sizeof(wchar_t)) return false;
    std::wstring path(static_cast<const wchar_t*>(cds->lpData), cds->cbData / sizeof(wchar_t));
    path.resize(wcsnlen(path.c_str(), path.size()));
    WriteStateDump(path.c_str());
    return true;
}

void FormView::WriteStateDump(const wchar_t* path) {
    FrmTimer& f = *form_;
    std::string out;
    auto line = [&out](const std::string& k, const std::string& v) { out += k + "=" + v + "\n"; };
    auto hex = [](std::uint32_t v) {  // "0x%08X", without printf's floating-point baggage
        std::string s = "0x";
        for (int shift = 28; shift >= 0; shift -= 4) s += "0123456789ABCDEF"[(v >> shift) & 0xF];
        return s;
    };
    line("window.caption", ToUtf8(f.frm_Timer.Caption()));
    line("window.visible", IsWindowVisible(hwnd_) ? "1" : "0");
    line("window.state", f.frm_Timer.State() == WindowState::Minimised ? "minimised" : "normal");
    line("window.icon", std::to_string(f.frm_Timer.IconIndex()));
    line("window.left_twips", ToUtf8(SingleText(f.frm_Timer.Left())));
    line("window.top_twips", ToUtf8(SingleText(f.frm_Timer.Top())));
    line("alpha", std::to_string(f.Alpha()));
    line("layered", (GetWindowLongW(hwnd_, GWL_EXSTYLE) & WS_EX_LAYERED) ? "1" : "0");
    line("wheel_target", std::to_string(f.WheelBox()));
    line("timer.enabled", f.Timer.Enabled() ? "1" : "0");
    line("timer_time.enabled", f.Timer_Time.Enabled() ? "1" : "0");
    line("startup.step", std::string(StartupStepName(f.StartupStepDone())));
    line("label.L_Title.fore", hex(f.L_Title.ForeColour()));
    line("label.L_Title.back", hex(f.L_Title.BackColour()));
    line("label.L_Title.opaque", f.L_Title.Opaque() ? "1" : "0");
    line("accessible.names", hex(static_cast<std::uint32_t>(names_result_)));
    // The calls the Win32 layer reported failed: how many, the last and its error.
    unsigned long error = 0;
    line("failures", std::to_string(FailureCount()));
    line("failures.last", ToUtf8(T(LastFailedCall(error))) + "|" + std::to_string(error));
    for (auto& [h, b] : bound_) {
        LOGFONTW lf{};
        if (!b.font.Get()) continue;
        GetObjectW(b.font.Get(), sizeof lf, &lf);
        line(std::string("font.") + b.layout->name, ToUtf8(T(lf.lfFaceName)) + "|" + std::to_string(-lf.lfHeight) + "|" +
                                                         std::to_string(lf.lfWeight) + "|" + std::to_string(lf.lfCharSet));
    }
    auto menu = [&](auto& self, const MenuItem& item, int level) -> void {
        line("menu", std::to_string(level) + "|" + item.DisplayName() + "|" + ToUtf8(item.Caption()) + "|" +
                         (item.Enabled() ? "1" : "0") + "|" + (item.Checked() ? "1" : "0"));
        for (auto& child : item.Items()) self(self, *child, level + 1);
    };
    menu(menu, f.mPopUpSys, 0);
    // The menu on screen as the system holds it.
    line("popup.open", popup_.empty() ? "0" : "1");
    for (const PopupEntry& e : popup_) {
        const UINT state = GetMenuState(e.menu, e.position, MF_BYPOSITION);
        wchar_t caption[128] = {};
        GetMenuStringW(e.menu, e.position, caption, 128, MF_BYPOSITION);
        line("popup", std::to_string(e.level) + "|" + e.item->DisplayName() + "|" + ToUtf8(T(caption)) + "|" +
                          ((state & (MF_GRAYED | MF_DISABLED)) ? "0" : "1") + "|" + ((state & MF_CHECKED) ? "1" : "0"));
    }
    out += AboutBoxState();
    line("tray.present", f.TrayIconShown() ? "1" : "0");
    line("tray.cbSize", std::to_string(f.TrayRecord().cbSize));
    line("tray.uID", std::to_string(f.TrayRecord().uID));
    line("tray.uFlags", std::to_string(f.TrayRecord().uFlags));
    line("tray.uCallbackMessage", std::to_string(f.TrayRecord().uCallbackMessage));
    line("tray.icon", f.TrayRecord().hIcon == f.PicIcons()[1] ? "1" : "0");
    // The pixel sizes of the icons the window and the tray were given.
    auto size = [](LRESULT icon) { return IconWidth(reinterpret_cast<HICON>(icon)); };
    // The window shows its class's icons until it is given its own.
    auto shown = [this](WPARAM kind, int classIndex) {
        const LRESULT own = SendMessageW(hwnd_, WM_GETICON, kind, 0);
        return own ? own : static_cast<LRESULT>(GetClassLongPtrW(hwnd_, classIndex));
    };
    line("icon.sizes", size(shown(ICON_SMALL, GCLP_HICONSM)) + "|" + size(shown(ICON_BIG, GCLP_HICON)) + "|" +
                           size(static_cast<LRESULT>(f.TrayRecord().hIcon)));
    std::string tip(f.TrayRecord().szTip.data(), strnlen(f.TrayRecord().szTip.data(), f.TrayRecord().szTip.size()));
    line("tray.tip", ToUtf8(FromAnsi(tip)));
    if (FILE* file = _wfopen(path, L"wb")) {
        std::fwrite(out.data(), 1, out.size(), file);
        std::fclose(file);
    }
}

// What another process cannot read of the open about box.
std::string FormView::AboutBoxState() {
    const AboutWindow* open = OpenAboutWindow();
    if (!open) return "about.open=0\n";
    const AboutWindow& w = *open;
    std::string out = "about.open=1\n";
    LOGFONTW lf{};
    GetObjectW(reinterpret_cast<HFONT>(SendMessageW(w.text, WM_GETFONT, 0, 0)), sizeof lf, &lf);
    const wchar_t* face = lf.lfFaceName;
    out += "about.font=" + ToUtf8(Text(face, face + wcslen(face))) + "|" + std::to_string(-lf.lfHeight) + "|" +
           std::to_string(lf.lfWeight) + "|" + std::to_string(lf.lfCharSet) + "\n";
    // Which icon it shows, of its own, and its size: 0 once a handle is gone.
    const auto icon = reinterpret_cast<HICON>(SendMessageW(w.hwnd.Get(), WM_GETICON, ICON_BIG, 0));
    out += "about.icon=" + std::to_string(icon == w.bigIcon.Get() ? w.box->frm_msg.IconIndex() : -1) + "\n";
    out += "about.icon.size=" + IconWidth(icon) + "\n";
    wchar_t tip[128] = {};
    TTTOOLINFOW ti{};
    ti.cbSize = TTTOOLINFOW_V2_SIZE;
    ti.hwnd = w.hwnd.Get();
    ti.uId = reinterpret_cast<UINT_PTR>(w.text);
    ti.lpszText = tip;
    SendMessageW(w.tip, TTM_GETTEXTW, 128, reinterpret_cast<LPARAM>(&ti));
    out += "about.tooltip=" + ToUtf8(Text(tip, tip + wcslen(tip))) + "\n";
    return out;
}

}  // namespace poko
