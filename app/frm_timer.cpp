// The main window's controls as designed: captions, the menu tree, and which handler each event runs.
#include "app/frm_timer.h"

#include "ui/transparency.h"

namespace poko {

FrmTimer::FrmTimer(Platform& platform) : platform_(platform) {
    frm_Timer.SetCaption(u"ポコ丸１号");
    L_Title.SetCaption(kStatusStopped);
    L_Title.SetForeColour(kStatusColourStopped);
    L_Title.SetBackColour(0x00C0FFFF);
    Label1[0].SetCaption(u"起動時刻(&T)");
    Label1[1].SetCaption(u"起動ファイル or メッセージ(&F)");
    Label1[2].SetCaption(u"時");
    Label1[3].SetCaption(u"分");
    TextH.SetText(u"20");
    TextM.SetText(u"25");
    C_TimerStart.SetCaption(kArmButton);
    cmdFileOpen.SetCaption(u"参照");
    BuildMenu();
    WireEvents();
}

void FrmTimer::BuildMenu() {
    M_kansi = &mPopUpSys.Add(u"M_kansi", kArmItem);
    mPopUpSys.Add(u"Bar04", u"-");
    M_toumei = &mPopUpSys.Add(u"M_toumei", u"透明度(&V)");
    for (size_t i = 0; i < M_WinCon.size(); ++i)
        M_WinCon[i] = &M_toumei->Add(u"M_WinCon", kOpacitySteps[i].caption, static_cast<int>(i));
    mPopUpSys.Add(u"Bar3", u"-");
    ShowGIP = &mPopUpSys.Add(u"ShowGIP", u"グローバルIPをコピー(&I)");
    mPopUpSys.Add(u"Bar02", u"-");
    M_WinCmm = &mPopUpSys.Add(u"M_WinCmm", u"Windows Communication(&M)");
    mPopUpSys.Add(u"Bar05", u"-");
    M_WindowView = &mPopUpSys.Add(u"M_WindowView", u"ウィンドウ表示(&W)");
    mPopUpSys.Add(u"Bar01", u"-");
    M_Exit = &mPopUpSys.Add(u"M_Exit", u"終了(&E)");
}

void FrmTimer::WireEvents() {
    frm_Timer.onMouseMove = [this](int x) { Form_MouseMove(x); };
    frm_Timer.onResize = [this] { Form_Resize(); };
    M_WindowView->onClick = [this] { M_WindowView_Click(); };
    M_Exit->onClick = [this] { M_Exit_Click(); };

    TextH.onChange = [this] { TextH_Change(); };
    TextM.onChange = [this] { TextM_Change(); };
    VS_h.onChange = [this] { VS_h_Change(); };
    VS_m.onChange = [this] { VS_m_Change(); };
    TextH.onGotFocus = [this] { WheelTarget = 1; };
    TextM.onGotFocus = [this] { WheelTarget = 10; };
    TextH.onMouseMove = [this] { TextH.SetFocus(); };
    TextM.onMouseMove = [this] { TextM.SetFocus(); };
    TextH.onMouseDown = [this](MouseButton b) { TimeBox_MouseDown(TextH, b); };
    TextM.onMouseDown = [this](MouseButton b) { TimeBox_MouseDown(TextM, b); };

    C_TimerStart.onClick = [this] { ToggleAlarm(); };
    M_kansi->onClick = [this] { ToggleAlarm(); };
    Timer.onTick = [this] { Timer_Timer(); };
    cmdFileOpen.onClick = [this] { cmdFileOpen_Click(); };

    Timer_Time.onTick = [this] { Timer_Time_Timer(); };
    M_WinCmm->onClick = [this] { M_WinCmm_Click(); };
    ShowGIP->onClick = [this] { ShowGIP_Click(); };
    WireWindowMouse();
    WireMascot();
}

}  // namespace poko
