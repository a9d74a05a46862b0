// The tray icon, its mouse messages, the minimise rule and the program's part of the
// replaced window procedure.
#include <algorithm>
#include <cstring>

#include "app/frm_timer.h"
#include "base/ansi.h"
#include "base/time_format.h"

namespace poko {

namespace {
constexpr size_t kTipChars = 64;
}  // namespace

Text FrmTimer::TrayTipText() const {
    return L_Title.Caption() + u"  設定時刻 [" + SetTimeText(TextH.GetText(), TextM.GetText()) + u"]" + u'\0';
}

// The tip is kept as 64 characters, blank-filled or cut, and goes into the 64-byte
// field in the ANSI code page; the field always ends in a NUL.
void FrmTimer::StoreTip(const Text& tip) {
    Text field = tip.substr(0, kTipChars);
    field.resize(kTipChars, u' ');
    const std::string ansi = ToAnsi(field);
    TrayIconData.szTip.fill('\0');
    std::memcpy(TrayIconData.szTip.data(), ansi.data(), std::min(ansi.size(), TrayIconData.szTip.size() - 1));
}

void FrmTimer::SendTray(std::uint32_t message) {
    platform_.Shell_NotifyIconA(message, TrayIconData);
}

void FrmTimer::TrayIconAdd() {
    SendTray(NIM_ADD_);
    tray_shown_ = true;
}

void FrmTimer::TrayIconModify() { SendTray(NIM_MODIFY_); }

void FrmTimer::TrayIconDelete() {
    SendTray(NIM_DELETE_);
    tray_shown_ = false;
}

// Only the balloon's fields are named, so the icon and the tip stay as they are.
void FrmTimer::TrayBalloon(const Text& title, const Text& text, std::uint32_t icon) {
    TrayBalloonRecord balloon;
    balloon.hWnd = hWnd;
    balloon.uID = TrayIconData.uID;
    balloon.uFlags = NIF_INFO_;
    balloon.szInfo = text;
    balloon.szInfoTitle = title;
    balloon.dwInfoFlags = icon;
    platform_.Shell_NotifyIconW(NIM_MODIFY_, balloon);
}

void FrmTimer::TrayTipSetting(const Text& tip) {
    StoreTip(tip);
    TrayIconModify();
}

// A new taskbar may stand at another DPI than the last: the icons come again at the
// small-icon size of now.
void FrmTimer::TrayIconSetting() {
    PicIcon = platform_.SmallIcons();
    FillTrayRecord(PicIcon[Timer.Enabled() ? 1 : 0]);
    TrayIconAdd();
}

// Every field fresh: this window, icon 1, a message, an icon and a tip, the icon's mouse
// messages sent as mouse moves, the given icon and the tip of the moment.
void FrmTimer::FillTrayRecord(Handle icon) {
    TrayIconData.cbSize = NOTIFYICONDATAA_V1_SIZE_;
    TrayIconData.hWnd = hWnd;
    TrayIconData.uID = 1;
    TrayIconData.uFlags = NIF_MESSAGE_ | NIF_ICON_ | NIF_TIP_;
    TrayIconData.uCallbackMessage = WM_MOUSEMOVE_;
    TrayIconData.hIcon = icon;
    StoreTip(TrayTipText());
}

void FrmTimer::IconsChanged() {
    const std::array<Handle, 2> icons = platform_.SmallIcons();
    if (icons == PicIcon) return;
    TrayIconData.hIcon = icons[TrayIconData.hIcon == PicIcon[1] ? 1 : 0];
    PicIcon = icons;
    if (tray_shown_) TrayIconModify();
}

bool FrmTimer::WindowProcHook(std::uint32_t message, std::uintptr_t wParam) {
    if (in_window_proc_) return false;
    in_window_proc_ = true;
    if (message == WM_MOUSEWHEEL_) {
        if (static_cast<std::int32_t>(static_cast<std::uint32_t>(wParam)) < 0)
            vbWheelMinus();
        else
            vbWheelPlus();
    } else if (TaskbarCreatedMsg != 0 && message == TaskbarCreatedMsg) {
        TrayIconSetting();
    }
    in_window_proc_ = false;
    return true;
}

// The icon's mouse messages arrive as mouse moves whose x is the message number; they
// count only while the window is hidden.
void FrmTimer::Form_MouseMove(int x) {
    if (frm_Timer.Visible()) return;
    switch (x) {
    case WM_LBUTTONUP_:
    case WM_LBUTTONDBLCLK_:
        frm_Timer.SetState(WindowState::Normal);
        platform_.SetForegroundWindow();
        frm_Timer.SetVisible(true);
        if (x == WM_LBUTTONDBLCLK_) TrayIconDelete();
        break;
    case WM_RBUTTONUP_:
        platform_.SetForegroundWindow();
        M_WindowView->SetEnabled(true);
        PopupMenu();
        break;
    default:
        break;
    }
}

// Minimising hides the window into the tray. When the icon was removed (the window was
// shown from the tray menu), it is added again, or the window could not come back.
void FrmTimer::Form_Resize() {
    if (frm_Timer.State() != WindowState::Minimised) return;
    frm_Timer.SetVisible(false);
    if (!tray_shown_) TrayIconSetting();
}

void FrmTimer::M_WindowView_Click() {
    frm_Timer.SetState(WindowState::Normal);
    platform_.SetForegroundWindow();
    frm_Timer.SetVisible(true);
    TrayIconDelete();
}

void FrmTimer::M_Exit_Click() {
    closing_ = true;
    if (requestClose) requestClose();
}

}  // namespace poko
