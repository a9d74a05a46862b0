// The main window's tray icon (its record is ui/tray.h's), the icon's mouse messages,
// the minimise rule and the program's part of the replaced window procedure. The shell
// may refuse the icon (at logon, before Explorer's tray is ready, an add times out), so
// the icon counts as shown only when the shell took it, and is asked for again.
#include "app/frm_timer.h"

namespace poko {

namespace {
// How long a window hidden to the tray waits for its icon before it shows itself again.
constexpr int kTrayMissingBeats = 60;
}  // namespace

bool FrmTimer::SendTray(std::uint32_t message) {
    return platform_.Shell_NotifyIconA(message, TrayIconData);
}

void FrmTimer::TrayIconAdd() {
    tray_wanted_ = true;
    tray_shown_ = SendTray(NIM_ADD_);
}

// A modify the shell refuses finds the icon gone (Explorer restarted unseen): it is added
// again, unless the user removed it.
void FrmTimer::TrayIconModify() {
    if (!SendTray(NIM_MODIFY_) && tray_wanted_) TrayIconAdd();
}

void FrmTimer::TrayIconDelete() {
    SendTray(NIM_DELETE_);
    tray_wanted_ = tray_shown_ = false;
}

// Once a second while the icon is wanted and not shown: added again (an add that timed
// out may have put it there after all; the shell then refuses the second add and takes a
// modify). A window hidden with no icon for kTrayMissingBeats comes back, so that the
// program is never out of reach.
void FrmTimer::TrayIconBeat() {
    if (tray_wanted_ && !tray_shown_) tray_shown_ = SendTray(NIM_ADD_) || SendTray(NIM_MODIFY_);
    if (tray_shown_ || !tray_wanted_ || frm_Timer.Visible()) {
        tray_missing_beats_ = 0;
    } else if (++tray_missing_beats_ >= kTrayMissingBeats) {
        tray_missing_beats_ = 0;
        frm_Timer.SetState(WindowState::Normal);
        frm_Timer.SetVisible(true);
    }
}

Text FrmTimer::TrayTipText() const { return poko::TrayTipText(L_Title.Caption(), TextH.GetText(), TextM.GetText()); }

bool FrmTimer::TrayBalloon(const Text& title, const Text& text, std::uint32_t icon) {
    if (!tray_shown_) return false;
    if (platform_.Shell_NotifyIconW(NIM_MODIFY_, BalloonOf(TrayIconData, title, text, icon))) return true;
    TrayIconAdd();  // the icon was gone
    return false;
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
