// The main window's tray icon (its record is ui/tray.h's), the icon's mouse messages,
// the minimise rule and the program's part of the replaced window procedure.
#include "app/frm_timer.h"

namespace poko {

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

Text FrmTimer::TrayTipText() const { return poko::TrayTipText(L_Title.Caption(), TextH.GetText(), TextM.GetText()); }

void FrmTimer::TrayBalloon(const Text& title, const Text& text, std::uint32_t icon) {
    platform_.Shell_NotifyIconW(NIM_MODIFY_, BalloonOf(TrayIconData, title, text, icon));
}

void FrmTimer::TrayTipSetting(const Text& tip) {
    StoreTip(TrayIconData, tip);
    TrayIconModify();
}

void FrmTimer::TrayIconShows(bool armed) {
    StoreIcon(TrayIconData, PicIcon[armed ? 1 : 0]);
    TrayIconModify();
}

// A new taskbar may stand at another DPI than the last: the icons come again at the
// small-icon size of now.
void FrmTimer::TrayIconSetting() {
    PicIcon = platform_.SmallIcons();
    FillTrayRecord(TrayIconData, hWnd, PicIcon[Timer.Enabled() ? 1 : 0], TrayTipText());
    TrayIconAdd();
}

void FrmTimer::IconsChanged() {
    const std::array<Handle, 2> icons = platform_.SmallIcons();
    if (icons == PicIcon) return;
    StoreIcon(TrayIconData, icons[TrayIconData.hIcon == PicIcon[1] ? 1 : 0]);
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
