// The steps of start-up and of exit, in their fixed orders. A start-up step that fails
// ends start-up there, and the window opens with what was done so far; exit writes a key
// whose step start-up never reached only when the user has changed it since. The
// test-only state dump names the last start-up step done.
#pragma once

#include <cstddef>
#include <iterator>
#include <string_view>

namespace poko {

enum class StartupStep {
    None,
    ClockShown,             // the first clock tick
    ScrollBarsSet,          // from the time boxes' designed texts
    BackgroundSet,          // back.jpg loaded, or the status line made opaque
    IniPathSet,
    TargetRead,             // "FILENAME"
    HourRead,               // "H"
    MinuteRead,             // "M"
    TopRead,                // "X"
    LeftRead,               // "Y"
    CommunicationRead,      // "AI", the check mark of M_WinCmm
    PositionClamped,        // a negative top or left becomes 0
    OpacityRead,            // "DATA"
    TrayIconAdded,
    OpacityApplied,         // or the opacity menu disabled on an old system
    TaskbarMessageRegistered,
    WindowProcInstalled,
    CommandLineRead,        // the last step of a start without arguments
    CommandLineApplied,
};

// Each step's name as the state dump writes it, beside the step itself. The order is
// proven below, CommandLineApplied last: a step missing here, or out of place, fails to
// build.
struct NamedStartupStep {
    StartupStep step;
    std::string_view name;
};
inline constexpr NamedStartupStep kStartupSteps[] = {
    {StartupStep::None, "None"},
    {StartupStep::ClockShown, "ClockShown"},
    {StartupStep::ScrollBarsSet, "ScrollBarsSet"},
    {StartupStep::BackgroundSet, "BackgroundSet"},
    {StartupStep::IniPathSet, "IniPathSet"},
    {StartupStep::TargetRead, "TargetRead"},
    {StartupStep::HourRead, "HourRead"},
    {StartupStep::MinuteRead, "MinuteRead"},
    {StartupStep::TopRead, "TopRead"},
    {StartupStep::LeftRead, "LeftRead"},
    {StartupStep::CommunicationRead, "CommunicationRead"},
    {StartupStep::PositionClamped, "PositionClamped"},
    {StartupStep::OpacityRead, "OpacityRead"},
    {StartupStep::TrayIconAdded, "TrayIconAdded"},
    {StartupStep::OpacityApplied, "OpacityApplied"},
    {StartupStep::TaskbarMessageRegistered, "TaskbarMessageRegistered"},
    {StartupStep::WindowProcInstalled, "WindowProcInstalled"},
    {StartupStep::CommandLineRead, "CommandLineRead"},
    {StartupStep::CommandLineApplied, "CommandLineApplied"},
};
constexpr bool StartupStepsInOrder() {
    for (size_t i = 0; i < std::size(kStartupSteps); ++i)
        if (kStartupSteps[i].step != static_cast<StartupStep>(i)) return false;
    return std::size(kStartupSteps) == static_cast<size_t>(StartupStep::CommandLineApplied) + 1;
}
static_assert(StartupStepsInOrder(), "kStartupSteps holds every step once, in the order of StartupStep");

constexpr std::string_view StartupStepName(StartupStep step) { return kStartupSteps[static_cast<size_t>(step)].name; }

// The writes of exit, in their order, after the tray icon has gone (app/settings.cpp);
// each key's row names the step that writes it.
enum class ExitStep {
    Never,                 // read only: the NET, POWER and ALARM keys
    TargetWritten,         // "FILENAME", with "FILENAMEW"
    HourWritten,           // "H"
    MinuteWritten,         // "M"
    CommunicationWritten,  // "AI"
    PositionWritten,       // "X", then "Y", only while the window is in its normal state
    OpacityWritten,        // "DATA"
};

}  // namespace poko
