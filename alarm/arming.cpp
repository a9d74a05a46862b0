// Arming and disarming: the enabled state of Timer is the armed flag, and every sign of
// it follows in one toggle.
#include "app/frm_timer.h"
#include "base/time_format.h"

namespace poko {

// Armed by hand, the set minute fires at once, even the one the alarm has just fired in,
// and a shutdown's warning comes again.
void FrmTimer::ToggleAlarm() {
    const bool arm = !Timer.Enabled();
    if (arm) done_minute_.reset(), warned_for_.reset();
    SetArmed(arm);
}

void FrmTimer::SetArmed(bool arm) {
    Timer.SetEnabled(arm);
    L_Title.SetCaption(arm ? kStatusArmed : kStatusStopped);
    L_Title.SetForeColour(arm ? kStatusColourArmed : kStatusColourStopped);
    ShowArmed(arm);
    // The icon changes first, with the tip as it was; then the tip follows.
    TrayIconShows(arm);
    TrayTipSetting(TrayTipText());
    UpdateWakeTimer();
    // A missed minute is one that passed after arming; a gap before it counts for nothing.
    if (arm) last_tick_ = LocalSeconds(platform_.Now());
    if (arm) return;
    HoldAwake(Awake::None);
    AlarmSound(false);
}

// The signs of the state beside the status line, the same for a disarm and the end of an
// alarm: the captions of the arm button and menu item, the window's icon, and the
// controls that may be used while armed (the spinners, then the target box and its
// browse button).
void FrmTimer::ShowArmed(bool armed) {
    C_TimerStart.SetCaption(armed ? kDisarmButton : kArmButton);
    M_kansi->SetCaption(armed ? kDisarmItem : kArmItem);
    frm_Timer.SetIcon(armed ? 1 : 0);
    for (Control* c : {static_cast<Control*>(&VS_h), static_cast<Control*>(&VS_m),
                       static_cast<Control*>(&TextFileName), static_cast<Control*>(&cmdFileOpen)})
        c->SetEnabled(!armed);
}

}  // namespace poko
