// What Timer.ini's [ALARM] adds to the alarm, each off unless its key is set: a sound
// while it fires, a warning before a shutdown or a restart, the days it repeats on. And
// the occurrences that do not fire: a day the repeat leaves out, the minute an alarm
// that repeats has just fired in, and the start-up minute of a restart armed by the
// command line (a computer that restarts and logs on within that minute would be armed
// again in it and restart again, until the minute ends).
#include <utility>

#include "alarm/target_kind.h"
#include "alarm/wake.h"
#include "app/frm_timer.h"
#include "base/time_format.h"

namespace poko {

namespace {
constexpr std::uint32_t kWarningBox = MB_YESNO_ | MB_ICONEXCLAMATION_ | MB_SETFOREGROUND_ | MB_TOPMOST_;
}  // namespace

bool FrmTimer::FiresAt(std::int64_t start) const {
    const std::int64_t minute = start / 60;
    if (repeat_days_ && !(repeat_days_ >> Weekday(start) & 1)) return false;
    if (minute == done_minute_) return false;
    return minute != boot_minute_ || ClassifyTarget(TextFileName.GetText()) != TargetKind::Reboot;
}

std::optional<std::int64_t> FrmTimer::NextAlarm(const LocalTime& now, TimeOfDay at) const {
    std::int64_t start = LocalSeconds(NextOccurrence(now, at));
    for (int day = 0; day < 8; ++day, start = LocalSeconds(NextOccurrence(LocalTimeAt(start + 60), at)))
        if (FiresAt(start)) return start;
    return std::nullopt;
}

int FrmTimer::WarningLead() const {
    const TargetKind kind = ClassifyTarget(TextFileName.GetText());
    return kind == TargetKind::Reboot || kind == TargetKind::Shutdown ? warn_minutes_ * 60 : 0;
}

void FrmTimer::AlarmSound(bool on) {
    if (sound_.empty()) return;
    if (on) sound_since_ = LocalSeconds(platform_.Now());
    if (std::exchange(sounding_, on) == on) return;
    platform_.PlaySoundW(on ? &sound_ : nullptr, on ? SND_FILENAME_ | SND_ASYNC_ | SND_LOOP_ | SND_NODEFAULT_ : 0);
}

// The warning's box, opened from the beat once the check that found it due is over, so
// that the check, the clock and the tray go on while it waits. The check ends it at the
// set minute, where the shutdown goes ahead.
void FrmTimer::TellShutdownWarning() {
    if (!warning_due_ || warning_open_) return;
    warning_due_ = false;
    const std::optional<TimeOfDay> set = SetTimeOfDay(TextH.GetText(), TextM.GetText());
    if (!set || !Timer.Enabled()) return;
    const bool reboot = ClassifyTarget(TextFileName.GetText()) == TargetKind::Reboot;
    warning_open_ = FormatHMm(set->hour, set->minute) + (reboot ? u" にパソコンを再起動します。中止しますか？"
                                            : u" にパソコンをシャットダウンします。中止しますか？");
    AlarmSound(true);
    const int answer = platform_.MessageBox(*warning_open_, kAlarmTitle, kWarningBox);
    warning_open_.reset();
    // はい disarms as the button does; an answer the fire came before changes nothing.
    if (answer == IDYES_ && Timer.Enabled()) ToggleAlarm();
    AlarmSound(false);
}

}  // namespace poko
