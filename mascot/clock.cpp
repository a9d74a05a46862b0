// The clock label, ticked once a second by Timer_Time, and the tick's chance to let the
// mascot start a run by itself while the program waits unseen in the tray.
#include "app/frm_timer.h"
#include "base/time_format.h"
#include "mascot/chatter.h"

namespace poko {

// A tick that falls due while an earlier one is still inside a mascot run is dropped
// (TimerControl never re-enters a tick): a second run never starts inside the first by
// itself, and the label, hidden with the window, catches up when the run is over.
void FrmTimer::Timer_Time_Timer() {
    // The date and the time are two readings, the date first.
    const LocalTime date = platform_.Now();
    LocalTime time = platform_.Now();
    time.year = date.year, time.month = date.month, time.day = date.day;
    L_Time.SetCaption(FormatClock(time, platform_.DateSeparator(), platform_.TimeSeparator()));

    // The draw is made only on ticks that get this far.
    if (frm_Timer.Visible() || !M_WinCmm->Checked() || Timer.Enabled()) return;
    if (ChatterRunDue(platform_)) PickBoard();
}

}  // namespace poko
