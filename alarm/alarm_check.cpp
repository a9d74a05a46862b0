// The once-a-second alarm check and the actions it fires. Timer never re-enters its
// tick, so an alarm whose message box stays open through its minute fires once. A set
// minute that passed between two ticks (the computer slept, the clock jumped) is told
// in a balloon, in a box where the tray holds no icon, or fired late within the
// catch-up window Timer.ini allows.
#include <utility>

#include "alarm/target_kind.h"
#include "alarm/wake.h"
#include "app/frm_timer.h"
#include "base/ansi.h"
#include "base/number.h"
#include "base/time_format.h"

namespace poko {

namespace {
// Only the alarm's own boxes come to the front: they must be seen at their minute. Since
// Windows 98/2000 a program in the background may not take the foreground while the user
// works, so the box also stands over every other window.
constexpr std::uint32_t kInFront = MB_SETFOREGROUND_ | MB_TOPMOST_;
constexpr std::uint32_t kAlarmBox = MB_ICONINFORMATION_ | kInFront;

Text MissedText(TimeOfDay at) {
    return FormatHMm(at.hour, at.minute) +
           u" の目覚ましは、パソコンが止まっていたため実行されませんでした。監視は続けています。";
}
}  // namespace

void FrmTimer::Timer_Timer() {
    const LocalTime now = platform_.Now();
    const std::int64_t at = LocalSeconds(now);
    const std::optional<std::int64_t> previous = std::exchange(last_tick_, at);
    // The set time read once a tick: "hh:mm" of it equals the clock's exactly when it is a
    // time of day of this hour and minute (a text that makes none never fires).
    const std::optional<TimeOfDay> set = SetTimeOfDay(TextH.GetText(), TextM.GetText());
    if (set && set->hour == now.hour && set->minute == now.minute && FiresAt(at - now.second)) {
        // A shutdown's warning still open goes: the shutdown stays on its minute.
        if (warning_open_) platform_.EndMessageBox(*warning_open_, IDNO_);
        return Fire(at);
    }

    if (set && previous) {
        if (const auto missed = MissedOccurrence(*previous, at, *set); missed && FiresAt(*missed)) {
            if (at - *missed <= late_minutes_ * 60) return Fire(at);
            // Still armed, for the next occurrence; the balloon says what happened, or
            // without an icon a box, opened from the beat once this check is over.
            if (!TrayBalloon(kAlarmTitle, MissedText(*set), NIIF_WARNING_) && !missed_box_open_)
                missed_text_ = MissedText(*set);
        }
    }
    const std::optional<std::int64_t> next = set ? NextAlarm(now, *set) : std::nullopt;
    // A shutdown or a restart is told WARN minutes before its minute (at once when armed
    // later), once, in a box the beat opens.
    const int lead = WarningLead();
    if (next && lead && *next - at <= lead && warned_for_ != next) warned_for_ = next, warning_due_ = true;
    // The computer stays up through the last minutes before its alarm, and its warning.
    const bool near = next && *next - at < kHoldBeforeSeconds + lead;
    HoldAwake(near ? Awake::System : Awake::None);
    // A wake the system refused is asked again, and one whose minute went by moves on.
    if (previous && *previous / 60 != at / 60) UpdateWakeTimer();
}

// The missed alarm's box. Opened outside the check, it lets the check run on while it
// waits; a minute missed again meanwhile opens no second one.
void FrmTimer::TellMissedAlarm() {
    if (!missed_text_) return;
    missed_box_open_ = true;
    platform_.MessageBox(*std::exchange(missed_text_, std::nullopt), kAlarmTitle, MB_ICONEXCLAMATION_ | kInFront);
    missed_box_open_ = false;
}

void FrmTimer::Fire(std::int64_t at) {
    HoldAwake(Awake::Display);  // after a timer wake, this is what lights the screen
    awake_since_ = at;
    AlarmSound(true);
    firing_ = true;  // the alarm is about to complete: no wake for its next day meanwhile
    RunTarget(TextFileName.GetText());
    firing_ = false;
    AlarmSound(false);
    // Disarmed meanwhile (from the tray's menu while the box was open): not again.
    const bool again = repeat_days_ && Timer.Enabled() && !unloaded_;

    // Whatever the action did, the alarm is done and disarmed. The tip goes out while
    // the icon is still the armed one.
    L_Title.SetCaption(u"ポコ丸\u3000定時任務実行完了");
    TrayTipSetting(TrayTipText());
    TrayIconShows(false);
    L_Title.SetForeColour(0x00000000);
    Timer.SetEnabled(false);
    ShowArmed(false);
    UpdateWakeTimer();
    HoldAwake(Awake::None);
    if (!again) return;
    // Repeating: armed again, as by the button, for the next day it marks.
    done_minute_ = at / 60;
    SetArmed(true);
}

void FrmTimer::RunTarget(const Text& target) {
    switch (ClassifyTarget(target)) {
    case TargetKind::ItsTime: platform_.MessageBox(u"時間です！", kAlarmTitle, kAlarmBox); break;
    case TargetKind::Message: platform_.MessageBox(target.substr(1), kAlarmTitle, kAlarmBox); break;
    case TargetKind::Mascot:
        if (PickBoard) PickBoard();
        break;
    case TargetKind::Reboot: ShutdownWindows(EWX_REBOOT_); break;
    case TargetKind::Shutdown: ShutdownWindows(EWX_SHUTDOWN_ | EWX_FORCE_); break;
    case TargetKind::Open: {
        // "été.mp3" through the code page would name "?t?.mp3": the wide call opens it.
        const Handle result = FitsAnsi(target)
                                  ? platform_.ShellExecuteA(hWnd, "Open", ToAnsi(target), "", "", SW_SHOW_)
                                  : platform_.ShellExecuteW(hWnd, u"Open", target, u"", u"", SW_SHOW_);
        // A sound file moved away must not leave the morning silent without a word.
        if (result <= 32) platform_.MessageBox(u"「" + target + u"」を開けませんでした。", kAlarmTitle, MB_ICONSTOP_ | kInFront);
        break;
    }
    }
}

}  // namespace poko
