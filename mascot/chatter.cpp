// The clock label, and the mascot's runs of its own while the program waits unseen in
// the tray with nothing armed.
#include "app/frm_timer.h"
#include "base/time_format.h"
#include "mascot/board.h"
#include "net/global_ip.h"

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

    if (frm_Timer.Visible() || !M_WinCmm->Checked() || Timer.Enabled()) return;
    // On average once a minute: the minute matches a random one in 0..59.
    const int minute = platform_.Now().minute;
    if (static_cast<int>(platform_.Rnd() * 60) == minute) PickBoard();
}

void FrmTimer::M_WinCmm_Click() { M_WinCmm->SetChecked(!M_WinCmm->Checked()); }

void FrmTimer::ShowGIP_Click() { ShowGlobalIP(platform_, hWnd, Net.ipUrl); }

}  // namespace poko
