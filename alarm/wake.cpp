// Waking the computer for the alarm. While the alarm is armed one wake timer stands at
// the start of the next occurrence of the set minute, so that a computer asleep through
// it comes up in time. The wake only brings the computer up: the alarm still fires
// through the once-a-second check, exactly once, and a wake that finds the alarm
// disarmed does nothing.
#include "app/frm_timer.h"
#include "base/time_format.h"

namespace poko {

void FrmTimer::UpdateWakeTimer() {
    std::optional<LocalTime> due;
    if (WakeAllowed && Timer.Enabled() && !unloaded_) {  // none after exit: it would find no alarm
        // A set time that is no time of day never fires, so it wakes nothing either.
        if (const auto at = SetTimeOfDay(TextH.GetText(), TextM.GetText())) due = NextOccurrence(platform_.Now(), *at);
    }
    if (due == wake_due_) return;
    if (due)
        platform_.SetWakeTimer(*due);
    else
        platform_.CancelWakeTimer();
    wake_due_ = due;
}

// A changed clock or time zone moves the moment a local time stands for, and the next
// occurrence may now be another day.
void FrmTimer::ClockChanged() {
    if (!wake_due_) return;
    wake_due_.reset();
    UpdateWakeTimer();
}

}  // namespace poko
