// Arming and disarming: the enabled state of Timer is the armed flag, and every sign of
// it follows in one toggle.
#include "app/frm_timer.h"
#include "base/time_format.h"

namespace poko {

void FrmTimer::ToggleAlarm() {
    const bool arm = !Timer.Enabled();
    Timer.SetEnabled(arm);
    L_Title.SetCaption(arm ? u"ポコ丸\u3000監視中" : u"ポコ丸\u3000停止中");
    L_Title.SetForeColour(arm ? 0x00FF0000 : 0x000000FF);
    C_TimerStart.SetCaption(arm ? u"タイマ停止" : u"タイマ起動");
    M_kansi->SetCaption(arm ? u"タイマ停止(&T)" : u"タイマ起動(&T)");
    TrayIconData.hIcon = PicIcon[arm ? 1 : 0];
    frm_Timer.SetIcon(arm ? 1 : 0);
    // In this order: the spinners, then the target box and its browse button.
    for (Control* c : {static_cast<Control*>(&VS_h), static_cast<Control*>(&VS_m),
                       static_cast<Control*>(&TextFileName), static_cast<Control*>(&cmdFileOpen)})
        c->SetEnabled(!arm);
    TrayIconModify();
    TrayTipSetting(TrayTipText());
    UpdateWakeTimer();
    // A missed minute is one that passed after arming; a gap before it counts for nothing.
    if (arm) last_tick_ = LocalSeconds(platform_.Now());
    if (!arm) HoldAwake(Awake::None);
}

}  // namespace poko
