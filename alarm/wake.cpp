// Waking the computer for the alarm, and keeping it up for it. While the alarm is armed
// one wake timer stands kWakeEarlySeconds before the next occurrence of the set minute,
// so that a computer asleep through it comes up in time. The wake only brings the computer
// up: the alarm still fires through the once-a-second check, exactly once, and a wake
// that finds the alarm disarmed does nothing. Near its minute and while it fires, the
// alarm asks the system to stay up, and the display to come on.
#include "alarm/wake.h"
#include "app/frm_timer.h"
#include "base/time_format.h"

namespace poko {

void FrmTimer::UpdateWakeTimer() {
    std::optional<LocalTime> due;
    // None after exit (it would find no alarm), nor while the alarm fires (it is about to
    // complete, and a wake for its next day would find it done).
    if (wake_allowed_ && Timer.Enabled() && !unloaded_ && !firing_) {
        // A set time that is no time of day never fires, so it wakes nothing either; a
        // shutdown's warning wakes the computer for itself.
        const LocalTime now = platform_.Now();
        if (const auto at = SetTimeOfDay(TextH.GetText(), TextM.GetText()))
            if (const auto next = NextAlarm(now, *at))
                due = LocalTimeAt(WakeMoment(LocalSeconds(now), *next, kWakeEarlySeconds, WarningLead()));
    }
    if (due == wake_due_ && !wake_again_) return;
    wake_again_ = false;
    if (due)
        wake_again_ = !platform_.SetWakeTimer(*due);
    else
        platform_.CancelWakeTimer();
    wake_due_ = due;
}

// A changed clock or time zone moves the moment a local time stands for, and the next
// occurrence may now be another day: the wake is set again, or cancelled.
void FrmTimer::ClockChanged() {
    platform_.ForgetTimeZone();
    if (!wake_due_) return;
    wake_again_ = true;
    UpdateWakeTimer();
}

void FrmTimer::HoldAwake(Awake hold) {
    if (hold == awake_) return;
    awake_ = hold;
    std::uint32_t flags = ES_CONTINUOUS_;
    if (hold != Awake::None) flags |= ES_SYSTEM_REQUIRED_;
    if (hold == Awake::Display) flags |= ES_DISPLAY_REQUIRED_;
    platform_.SetThreadExecutionState(flags);
}

// The alarm's own tick is busy while its box is open (it never re-enters), so the beat
// itself lets the display go once the alarm has waited long enough for an answer. The
// beat also asks again for a tray icon the shell refused, and opens the box of a missed
// alarm after the check that found it.
void FrmTimer::Beat() {
    Timer_Time.Tick();
    Timer.Tick();
    TrayIconBeat();
    TellMissedAlarm();
    TellShutdownWarning();
    if (awake_ != Awake::Display && !sounding_) return;
    const std::int64_t now = LocalSeconds(platform_.Now());
    const auto lapsed = [now](std::int64_t since) { return now - since >= kDisplayHoldSeconds || now < since; };
    if (awake_ == Awake::Display && lapsed(awake_since_)) HoldAwake(Awake::None);
    if (sounding_ && lapsed(sound_since_)) AlarmSound(false);  // the warning's sound, too
}

}  // namespace poko
