// The main window frm_Timer: its controls, the state kept beside them, and one handler
// per control event. The handlers live in the folder of the capability they serve
// (app/ start-up and exit, ui/ tray and window procedure, alarm/ time entry, arming,
// the alarm check, shutdown and target selection).
#pragma once

#include <array>
#include <cstdint>
#include <functional>
#include <optional>

#include "app/settings.h"
#include "app/startup_steps.h"
#include "base/text.h"
#include "platform/platform.h"
#include "ui/controls.h"

namespace poko {

// What start-up read into the controls and WindowAlpha, or found there when it stopped
// early: exit writes a key that start-up never reached only when the user has changed it.
struct SettingsSnapshot {
    Text fileName, hour, minute;
    float top = 0, left = 0;
    bool ai = false;
    std::uint8_t alpha = 0;
};

class FrmTimer {
public:
    explicit FrmTimer(Platform& platform);
    FrmTimer(const FrmTimer&) = delete;
    FrmTimer& operator=(const FrmTimer&) = delete;

    // Controls, named as the system names them.
    Window frm_Timer{u"frm_Timer"};
    Label L_Title{u"L_Title"};
    Label L_Time{u"L_Time"};
    std::array<Label, 4> Label1{Label{u"Label1", 0}, Label{u"Label1", 1}, Label{u"Label1", 2}, Label{u"Label1", 3}};
    TextBox TextH{u"TextH"};
    TextBox TextM{u"TextM"};
    TextBox TextFileName{u"TextFileName"};
    ScrollBar VS_h{u"VS_h", 0, 23};
    ScrollBar VS_m{u"VS_m", 0, 59};
    Button C_TimerStart{u"C_TimerStart"};
    Button cmdFileOpen{u"cmdFileOpen"};
    TimerControl Timer_Time{u"Timer_Time", 1000, true};
    TimerControl Timer{u"Timer", 1000, false};
    MenuItem mPopUpSys{u"mPopUpSys", u"システムトレイメニュー"};
    MenuItem* M_kansi = nullptr;
    MenuItem* M_toumei = nullptr;
    std::array<MenuItem*, 4> M_WinCon{};
    MenuItem* ShowGIP = nullptr;
    MenuItem* M_WinCmm = nullptr;
    MenuItem* M_WindowView = nullptr;
    MenuItem* M_Exit = nullptr;
    // PicIcon(0) stopped, PicIcon(1) armed: icon handles given by the platform.
    std::array<Handle, 2> PicIcon{};
    Handle hWnd = 0;

    // State kept beside the controls.
    Text IniPath;
    std::uint8_t WindowAlpha = 0;
    TrayIconRecord TrayIconData;
    std::uint32_t TaskbarCreatedMsg = 0;
    std::int32_t WheelTarget = 0;
    NetAddresses Net;  // read at start, after the start-up sequence
    bool WakeAllowed = false;  // Timer.ini's POWER/WAKE, read with Net
    int LateMinutes = 0;       // Timer.ini's POWER/LATE: how late a missed alarm still fires

    // Start-up and exit (app/startup.cpp).
    void Form_Load();
    void Form_Unload();
    StartupStep StartupStepDone() const { return startup_done_; }

    // Tray icon and window procedure (ui/tray.cpp).
    void TrayIconAdd();
    void TrayIconModify();
    void TrayIconDelete();
    void TrayTipSetting(const Text& tip);
    Text TrayTipText() const;
    void TrayIconSetting();
    bool TrayIconShown() const { return tray_shown_; }
    // A balloon from the tray icon (the record of the other tray calls stays as it is).
    void TrayBalloon(const Text& title, const Text& text, std::uint32_t icon);
    // The part of WindowProc that is the program's own: true when the message was seen
    // (not nested); the caller passes every message on either way.
    bool WindowProcHook(std::uint32_t message, std::uintptr_t wParam);
    // The main window now stands at another DPI: the icons come again at its small-icon
    // size, and the tray shows the new one.
    void IconsChanged();
    void Form_MouseMove(int x);
    void Form_Resize();
    void M_WindowView_Click();
    void M_Exit_Click();

    // Time entry (alarm/time_entry.cpp).
    void TextH_Change();
    void TextM_Change();
    void VS_h_Change();
    void VS_m_Change();
    void vbWheelPlus();
    void vbWheelMinus();
    void TimeBox_MouseDown(TextBox& box, MouseButton button);
    void PopupMenu();

    // Arming, the alarm check and its actions (alarm/).
    void ToggleAlarm();
    void Timer_Timer();
    void ShutdownWindows(std::uint32_t flags);
    bool RequestShutdown(std::uint32_t flags);
    // Waking the computer for the alarm (alarm/wake.cpp): sets, moves or cancels the
    // wake timer as the armed state and the set time now ask.
    void UpdateWakeTimer();
    // The system clock or its zone was changed or the computer resumed: the wake is set
    // again.
    void ClockChanged();
    // The window's once-a-second beat: both timers tick, and a screen kept on for an
    // alarm left unanswered is let go after a while.
    void Beat();
    std::function<void()> PickBoard;  // the mascot's board picker

    // Target selection (alarm/target_selection.cpp).
    void cmdFileOpen_Click();
    void TextFileName_Dropped(const std::vector<Text>* files);

    // The clock (mascot/clock.cpp), the mascot's switch (mascot/chatter.cpp) and the
    // global IP copy (net/global_ip.cpp).
    void Timer_Time_Timer();
    void M_WinCmm_Click();
    void ShowGIP_Click();

    // Transparency, the window's pop-up menu and the about box (ui/transparency.cpp).
    void M_WinCon_Click(int index);
    void Form_MouseDown(MouseButton button);
    void Form_DblClick();

    // Set by M_Exit: the platform closes the window, which runs Form_Unload.
    std::function<void()> requestClose;

    Platform& platform() { return platform_; }

private:
    void BuildMenu();
    void WireEvents();
    void WireWindowMouse();
    void WheelStep(int delta);
    void TimeChangeRule(TextBox& box, ScrollBar& bar, int max);
    void StoreTip(const Text& tip);
    void FillTrayRecord(Handle icon);
    void SendTray(std::uint32_t message);
    bool StartupSequence();
    void Fire(std::int64_t at);  // the alarm's action, then its completion
    void RunTarget(const Text& target);
    // What the alarm asks of the computer's power: nothing, to stay up, or to stay up
    // with the display on.
    enum class Awake { None, System, Display };
    void HoldAwake(Awake hold);
    void WriteSettings();  // app/settings.cpp

    Platform& platform_;
    StartupStep startup_done_ = StartupStep::None;
    bool unloaded_ = false;
    bool closing_ = false;  // 終了 chosen or the window closed: a mascot run ends at its next step
    bool tray_shown_ = false;
    bool in_window_proc_ = false;
    SettingsSnapshot loaded_;
    bool target_cut_ = false;  // the stored target was longer than start-up reads
    std::optional<LocalTime> wake_due_;  // where the wake timer stands, when it is set
    bool wake_failed_ = false;           // the system refused it: tried again a minute later
    std::optional<std::int64_t> last_tick_;  // the alarm check's previous reading of the clock
    Awake awake_ = Awake::None;
    std::int64_t awake_since_ = 0;  // when the display was asked for, on the local clock
};

}  // namespace poko
