// Arming and disarming: the enabled state of Timer is the armed flag, and every sign of
// it follows in one toggle.
#include "app/frm_timer.h"

namespace poko {

void FrmTimer::ToggleAlarm() {
    if (!Timer.Enabled()) {
        Timer.SetEnabled(true);
        L_Title.SetCaption(u"ポコ丸\u3000監視中");
        L_Title.SetForeColour(0x00FF0000);
        C_TimerStart.SetCaption(u"タイマ停止");
        M_kansi->SetCaption(u"タイマ停止(&T)");
        TrayIconData.hIcon = PicIcon[1];
        frm_Timer.SetIcon(1);
        VS_h.SetEnabled(false);
        VS_m.SetEnabled(false);
        TextFileName.SetEnabled(false);
        cmdFileOpen.SetEnabled(false);
    } else {
        Timer.SetEnabled(false);
        L_Title.SetCaption(u"ポコ丸\u3000停止中");
        L_Title.SetForeColour(0x000000FF);
        C_TimerStart.SetCaption(u"タイマ起動");
        M_kansi->SetCaption(u"タイマ起動(&T)");
        TrayIconData.hIcon = PicIcon[0];
        frm_Timer.SetIcon(0);
        VS_h.SetEnabled(true);
        VS_m.SetEnabled(true);
        TextFileName.SetEnabled(true);
        cmdFileOpen.SetEnabled(true);
    }
    TrayIconModify();
    TrayTipSetting(TrayTipText());
}

}  // namespace poko
