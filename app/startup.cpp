// Start-up and exit of the main window: the start-up steps that restore the last run
// from Timer.ini and obey the command line, and the exit that writes the settings back.
#include "app/command_line.h"
#include "app/frm_timer.h"
#include "app/settings.h"
#include "base/ansi.h"
#include "base/number.h"
#include "ui/transparency.h"

namespace poko {

// Steps in the fixed order (app/startup_steps.h); a step that fails ends start-up there,
// quietly, and the window opens with what was done so far.
bool FrmTimer::StartupSequence() {
    using enum StartupStep;
    auto done = [this](StartupStep step) { startup_done_ = step; };

    Timer_Time_Timer();
    done(ClockShown);

    VS_m.SetValue(59 - static_cast<int>(RoundHalfEven(LeadingNumberValue(TextM.GetText()).value)));
    VS_h.SetValue(23 - static_cast<int>(RoundHalfEven(LeadingNumberValue(TextH.GetText()).value)));
    done(ScrollBarsSet);

    const Text folder = platform_.AppFolder();
    const Text picture = folder + u"\\back.jpg";
    if (platform_.FileAttributes(picture) == FileKind::Normal) {
        if (!platform_.LoadBackgroundPicture(picture)) return false;
    } else {
        L_Title.SetOpaque(true);
    }
    done(BackgroundSet);

    IniPath = folder + u"\\Timer.ini";
    done(IniPathSet);

    // FILENAME to AI, each at its step (app/timer_ini.cpp).
    if (!ReadSettings(SettingRows(), CommunicationRead)) return false;

    if (frm_Timer.Top() < 0) frm_Timer.SetTop(0);
    if (frm_Timer.Left() < 0) frm_Timer.SetLeft(0);
    done(PositionClamped);

    if (!ReadSettings(SettingRows(), OpacityRead)) return false;

    FillTrayRecord(TrayIconData, hWnd, PicIcon[0], TrayTipText());
    TrayIconAdd();
    done(TrayIconAdded);

    OsVersion version;
    platform_.GetVersionExA(version);
    if (version.major >= 5) {
        const std::int32_t style = platform_.GetWindowLongA(GWL_EXSTYLE_);
        platform_.SetWindowLongA(GWL_EXSTYLE_, style | WS_EX_LAYERED_);
        platform_.SetLayeredWindowAttributes(0, WindowAlpha, LWA_ALPHA_);
        for (size_t i = 0; i < M_WinCon.size(); ++i)
            if (kOpacitySteps[i].alpha == WindowAlpha) M_WinCon[i]->SetChecked(true);
    } else {
        M_toumei->SetEnabled(false);
    }
    done(OpacityApplied);

    TaskbarCreatedMsg = platform_.RegisterWindowMessageA("TaskbarCreated");
    done(TaskbarMessageRegistered);
    platform_.InstallWindowProc();
    done(WindowProcInstalled);

    const Text args = platform_.CommandLine();
    done(CommandLineRead);
    if (args.empty()) return true;
    const CommandLine cl = ParseCommandLine(args);
    if (cl.minimise) frm_Timer.SetState(WindowState::Minimised);
    if (cl.toggleAlarm) {
        // A restart armed so does not fire in this minute: one that restarts and logs on
        // within it would restart again, until the minute ends (alarm/options.cpp).
        boot_minute_ = LocalSeconds(platform_.Now()) / 60;
        ToggleAlarm();
    }
    if (cl.hour) {
        TextH.SetText(*cl.hour);
        TextM.SetText(*cl.minute);
    }
    if (cl.target) TextFileName.SetText(*cl.target);
    done(CommandLineApplied);
    return true;
}

void FrmTimer::Form_Load() {
    StartupSequence();
    ReadSettingsAfterStartup();
    UpdateWakeTimer();  // a start armed by "-TS" wakes for its alarm too
}

// Tray icon first, then the wake timer and the hold on sleep, then the keys
// (app/settings.cpp).
void FrmTimer::Form_Unload() {
    if (unloaded_) return;
    unloaded_ = closing_ = true;
    TrayIconDelete();
    UpdateWakeTimer();
    HoldAwake(Awake::None);
    AlarmSound(false);
    WriteSettings();
}

}  // namespace poko
