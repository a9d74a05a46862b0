// The once-a-second alarm check and the actions it fires. Timer never re-enters its
// tick, so an alarm whose message box stays open through its minute fires once.
#include "app/frm_timer.h"
#include "base/ansi.h"
#include "base/search.h"
#include "base/time_format.h"

namespace poko {

namespace {
// Only the alarm's own box comes to the front: it must be seen at its minute.
constexpr std::uint32_t kAlarmBox = MB_ICONINFORMATION_ | MB_SETFOREGROUND_;
}  // namespace

void FrmTimer::Timer_Timer() {
    const LocalTime now = platform_.Now();
    if (SetTimeText(TextH.GetText(), TextM.GetText()) != FormatHhMm(now.hour, now.minute)) return;

    const Text target = TextFileName.GetText();
    const char16_t first = target.empty() ? 0 : target[0];
    if (target.empty()) {
        platform_.MessageBox(u"時間です！", u"ポコ丸", kAlarmBox);
    } else if (first == u'!' || first == u'！') {
        platform_.MessageBox(target.substr(1), u"ポコ丸", kAlarmBox);
    } else if (first == u'?' || first == u'？') {
        if (PickBoard) PickBoard();
    } else if (AsciiUpper(Left(target, 6)) == u"REBOOT") {
        ShutdownWindows(EWX_REBOOT_);
    } else if (AsciiUpper(Left(target, 4)) == u"EXIT") {
        ShutdownWindows(EWX_SHUTDOWN_ | EWX_FORCE_);
    } else if (FitsAnsi(target)) {
        platform_.ShellExecuteA(hWnd, "Open", ToAnsi(target), "", "", SW_SHOW_);
    } else {
        // "été.mp3" through the code page would name "?t?.mp3": the wide call opens it.
        platform_.ShellExecuteW(hWnd, u"Open", target, u"", u"", SW_SHOW_);
    }

    // Whatever the action did, the alarm is done and disarmed.
    L_Title.SetCaption(u"ポコ丸\u3000定時任務実行完了");
    C_TimerStart.SetCaption(u"タイマ起動");
    M_kansi->SetCaption(u"タイマ起動(&T)");
    TrayTipSetting(TrayTipText());
    TrayIconData.hIcon = PicIcon[0];
    TrayIconModify();
    VS_h.SetEnabled(true);
    VS_m.SetEnabled(true);
    L_Title.SetForeColour(0x00000000);
    Timer.SetEnabled(false);
    TextFileName.SetEnabled(true);
    cmdFileOpen.SetEnabled(true);
    frm_Timer.SetIcon(0);
    UpdateWakeTimer();
}

}  // namespace poko
