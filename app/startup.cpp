// Start-up and exit of the main window: the start-up steps that restore the last run
// from Timer.ini and obey the command line, and the exit that writes the settings back.
#include <cfloat>
#include <cmath>

#include "app/command_line.h"
#include "app/frm_timer.h"
#include "app/settings.h"
#include "base/ansi.h"
#include "base/number.h"
#include "ui/transparency.h"

namespace poko {

namespace {

// A stored position as a single-precision number of twips, or nothing when it cannot
// be one (a number too large for a double or for a single).
std::optional<float> Twips(const Text& text) {
    const LeadingNumber n = LeadingNumberValue(text);
    if (n.overflow || std::fabs(n.value) > FLT_MAX) return std::nullopt;
    return static_cast<float>(n.value);
}

}  // namespace

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

    const StoredTarget target = ReadTarget(platform_, IniPath);
    TextFileName.SetText(target.text);
    target_cut_ = target.cut;
    done(TargetRead);
    TextH.SetText(ReadIni(platform_, IniPath, u"CONFIG", u"H", u"00"));
    done(HourRead);
    TextM.SetText(ReadIni(platform_, IniPath, u"CONFIG", u"M", u"00"));
    done(MinuteRead);

    const auto top = Twips(ReadIni(platform_, IniPath, u"WINDOW", u"X", u"0"));
    if (!top) return false;
    frm_Timer.SetTop(*top);
    done(TopRead);
    const auto left = Twips(ReadIni(platform_, IniPath, u"WINDOW", u"Y", u"0"));
    if (!left) return false;
    frm_Timer.SetLeft(*left);
    done(LeftRead);

    const auto ai = TruthValue(ReadIni(platform_, IniPath, u"CONFIG", u"AI", u"0"));
    if (!ai) return false;
    M_WinCmm->SetChecked(*ai);
    done(CommunicationRead);

    if (frm_Timer.Top() < 0) frm_Timer.SetTop(0);
    if (frm_Timer.Left() < 0) frm_Timer.SetLeft(0);
    done(PositionClamped);

    const LeadingNumber data = LeadingNumberValue(ReadIni(platform_, IniPath, u"WINDOW", u"DATA", u"255"));
    const double alpha = RoundHalfEven(data.value);
    if (data.overflow || alpha < 0 || alpha > 255) return false;
    WindowAlpha = static_cast<std::uint8_t>(alpha);
    done(OpacityRead);

    FillTrayRecord(PicIcon[0]);
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
    if (cl.toggleAlarm) ToggleAlarm();
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
    const Text ini = IniPath.empty() ? platform_.AppFolder() + u"\\Timer.ini" : IniPath;
    Net = ReadNetAddresses(platform_, ini);
    WakeAllowed = ReadWakeAllowed(platform_, ini);
    LateMinutes = ReadLateMinutes(platform_, ini);
    UpdateWakeTimer();  // a start armed by "-TS" wakes for its alarm too
    loaded_ = {TextFileName.GetText(), TextH.GetText(), TextM.GetText(), frm_Timer.Top(), frm_Timer.Left(),
               M_WinCmm->Checked(), WindowAlpha};
}

// Tray icon first, then the wake timer and the hold on sleep, then the seven keys
// (app/settings.cpp).
void FrmTimer::Form_Unload() {
    if (unloaded_) return;
    unloaded_ = closing_ = true;
    TrayIconDelete();
    UpdateWakeTimer();
    HoldAwake(Awake::None);
    WriteSettings();
}

}  // namespace poko
