// The main window frm_Timer: its controls, the state kept beside them, and one handler
// per control event. The handlers live in the folder of the capability they serve
// (app/ start-up and exit, the tray icon and the window's menus; alarm/ time entry,
// arming, the alarm check, waking, shutdown and target selection; net/ the global IP;
// mascot/ the clock and the mascot).
#pragma once

#include <array>
#include <cstdint>
#include <functional>
#include <optional>
#include <span>
#include <vector>

#include "app/settings.h"
#include "app/startup_steps.h"
#include "base/text.h"
#include "platform/platform.h"
#include "ui/control_ids.h"
#include "ui/controls.h"
#include "ui/tray.h"

namespace poko {

// The signs of the stopped and the armed state that the window as designed shows
// (frm_timer.cpp) and each toggle switches (alarm/arming.cpp): the status line's text and
// colour (red, blue), the arm button's and M_kansi's captions. And the alarm's boxes' title.
// Plain arrays, not Text: a string made at start-up would cost every file that includes
// this its own initialising code.
inline constexpr char16_t kStatusStopped[] = u"ポコ丸\u3000停止中", kStatusArmed[] = u"ポコ丸\u3000監視中";
inline constexpr Colour kStatusColourStopped = 0x000000FF, kStatusColourArmed = 0x00FF0000;
inline constexpr char16_t kArmButton[] = u"タイマ起動", kDisarmButton[] = u"タイマ停止";
inline constexpr char16_t kArmItem[] = u"タイマ起動(&T)", kDisarmItem[] = u"タイマ停止(&T)";
inline constexpr char16_t kAlarmTitle[] = u"ポコ丸";

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

    // The control of a layout row (ui/layout.h), by its id; nullptr for no control.
    Control* ControlOf(ControlId id) {
        switch (id) {
        case ID_L_Title: return &L_Title;
        case ID_L_Time: return &L_Time;
        case ID_Label1_0: return &Label1[0];
        case ID_Label1_1: return &Label1[1];
        case ID_Label1_2: return &Label1[2];
        case ID_Label1_3: return &Label1[3];
        case ID_TextH: return &TextH;
        case ID_TextM: return &TextM;
        case ID_TextFileName: return &TextFileName;
        case ID_VS_h: return &VS_h;
        case ID_VS_m: return &VS_m;
        case ID_C_TimerStart: return &C_TimerStart;
        case ID_cmdFileOpen: return &cmdFileOpen;
        }
        return nullptr;
    }

    // The real window and the two icons (stopped, armed) the platform gives it.
    void Attach(Handle hwnd, const std::array<Handle, 2>& icons) { hWnd = hwnd, PicIcon = icons; }
    Handle Hwnd() const { return hWnd; }
    const std::array<Handle, 2>& PicIcons() const { return PicIcon; }
    // What the window shows of its state: the opacity, the box the wheel steps, the tray
    // record and whether the icon is in the tray.
    std::uint8_t Alpha() const { return WindowAlpha; }
    std::int32_t WheelBox() const { return WheelTarget; }
    const TrayIconRecord& TrayRecord() const { return TrayIconData; }
    bool TrayIconShown() const { return tray_shown_; }

    // Start-up and exit (app/startup.cpp).
    void Form_Load();
    void Form_Unload();
    StartupStep StartupStepDone() const { return startup_done_; }

    // Tray icon and window procedure (app/tray.cpp; the record's fields: ui/tray.cpp).
    void TrayIconAdd();
    void TrayIconModify();
    void TrayIconDelete();
    void TrayTipSetting(const Text& tip);
    Text TrayTipText() const;
    void TrayIconSetting();
    // A balloon from the tray icon (the record of the other tray calls stays as it is):
    // false when there is no icon to show it.
    bool TrayBalloon(const Text& title, const Text& text, std::uint32_t icon);
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

    // Arming (alarm/arming.cpp), the alarm check (alarm/alarm_check.cpp), shutdown and
    // restart (alarm/shutdown.cpp).
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

    // Transparency, the window's pop-up menu and the about box (app/window_menu.cpp).
    void M_WinCon_Click(int index);
    void Form_MouseDown(MouseButton button);
    void Form_DblClick();
    void PopupMenu();

    // Set by M_Exit: the platform closes the window, which runs Form_Unload.
    std::function<void()> requestClose;

private:
    friend struct FormInternals;  // the tests' view of the state (tests/support/form_harness.h)

    void BuildMenu();        // app/frm_timer.cpp
    void WireEvents();       // app/frm_timer.cpp
    void WireWindowMouse();  // app/window_menu.cpp
    void WireMascot();       // mascot/chatter.cpp
    void WheelStep(int delta);                                    // alarm/time_entry.cpp
    void TimeChangeRule(TextBox& box, ScrollBar& bar, int max);  // alarm/time_entry.cpp
    // app/tray.cpp: a tray call and the shell's answer; the icon of the state, in the
    // record and the tray; the icon asked for again, or the window shown.
    bool SendTray(std::uint32_t message);
    void TrayIconShows(bool armed);
    void TrayIconBeat();
    void ShowArmed(bool armed);  // alarm/arming.cpp
    bool StartupSequence();      // app/startup.cpp
    // Timer.ini (app/settings.cpp): the keys of `rows` start-up reads up to a step (false
    // when one ends start-up), those read after it, and those exit writes; the rows of
    // every key (app/timer_ini.cpp).
    bool ReadSettings(std::span<const SettingRow> rows, StartupStep last);
    void ReadSettingsAfterStartup();
    void WriteSettings();
    static std::span<const SettingRow> SettingRows();
    // alarm/alarm_check.cpp: the alarm's action, then its completion; the action by the
    // target's kind; the box of a missed alarm the tray could not tell.
    void Fire(std::int64_t at);
    void RunTarget(const Text& target);
    void TellMissedAlarm();
    void SetArmed(bool arm);  // every sign of the armed state (alarm/arming.cpp)
    // Timer.ini's [ALARM] (alarm/options.cpp): whether the occurrence that starts then
    // fires (its day, the minute just fired in, a restart's start-up minute); the start of
    // the next one that does; how long before it a shutdown's warning comes (0: none);
    // the sound on or off; the warning's box.
    bool FiresAt(std::int64_t start) const;
    std::optional<std::int64_t> NextAlarm(const LocalTime& now, TimeOfDay at) const;
    int WarningLead() const;
    void AlarmSound(bool on);
    void TellShutdownWarning();
    // What the alarm asks of the computer's power: nothing, to stay up, or to stay up
    // with the display on (alarm/wake.cpp).
    enum class Awake { None, System, Display };
    void HoldAwake(Awake hold);

    Platform& platform_;
    // State kept beside the controls, under the names the system gives it.
    // PicIcon(0) stopped, PicIcon(1) armed: icon handles given by the platform.
    std::array<Handle, 2> PicIcon{};
    Handle hWnd = 0;
    Text IniPath;
    std::uint8_t WindowAlpha = 0;
    TrayIconRecord TrayIconData;
    std::uint32_t TaskbarCreatedMsg = 0;
    std::int32_t WheelTarget = 0;
    // Read after start-up from Timer.ini's NET and POWER keys.
    NetAddresses net_;
    bool wake_allowed_ = false;
    int late_minutes_ = 0;  // how late a missed alarm still fires
    // Read after start-up from Timer.ini's [ALARM] keys.
    Text sound_;                    // the WAV file played while the alarm fires; empty: none
    int warn_minutes_ = 0;          // how long before a shutdown or restart it is told; 0: not
    std::uint8_t repeat_days_ = 0;  // the days it fires on, bit 0 Monday to bit 6 Sunday; 0: once
    StartupStep startup_done_ = StartupStep::None;
    bool unloaded_ = false;
    bool closing_ = false;  // 終了 chosen or the window closed: a mascot run ends at its next step
    // The icon is wanted from start-up to exit, except after the user removed it (the
    // window was shown from the tray); shown is what the shell answered.
    bool tray_wanted_ = false, tray_shown_ = false;
    int tray_missing_beats_ = 0;  // beats the window has been hidden with no icon
    bool in_window_proc_ = false;
    std::vector<Text> loaded_;  // what start-up left in each key's value, by row
    bool about_open_ = false;
    bool target_cut_ = false;  // the stored target was longer than start-up reads
    std::optional<LocalTime> wake_due_;  // where the wake timer stands, when it is set
    // To be set again: the system refused it (tried again a minute later), or the clock
    // moved under it.
    bool wake_again_ = false;
    bool firing_ = false;  // the alarm's action runs (its box is open)
    std::optional<Text> missed_text_;  // a missed alarm to tell in a box at the next beat
    bool missed_box_open_ = false;
    // Minutes (LocalSeconds / 60) the alarm does not fire in: the one it fired in, when it
    // repeats; the start-up minute, for a restart armed by the command line.
    std::optional<std::int64_t> done_minute_, boot_minute_;
    bool sounding_ = false;
    std::int64_t sound_since_ = 0;
    std::optional<std::int64_t> warned_for_;  // the occurrence the shutdown's warning was due for
    bool warning_due_ = false;                // to be opened at the next beat
    std::optional<Text> warning_open_;        // the warning's text while its box is open
    std::optional<std::int64_t> last_tick_;  // the alarm check's previous reading of the clock
    Awake awake_ = Awake::None;
    std::int64_t awake_since_ = 0;  // when the display was asked for, on the local clock
};

}  // namespace poko
