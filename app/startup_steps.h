// The steps of start-up, in their fixed order. A step that fails ends start-up there,
// and the window opens with what was done so far; exit writes a key whose step start-up
// never reached only when the user has changed it since. The test-only state dump names
// the last step done.
#pragma once

#include <array>
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

inline constexpr std::array<std::string_view, 19> kStartupStepNames{
    "None",        "ClockShown",         "ScrollBarsSet",   "BackgroundSet",  "IniPathSet",
    "TargetRead",  "HourRead",           "MinuteRead",      "TopRead",        "LeftRead",
    "CommunicationRead", "PositionClamped", "OpacityRead", "TrayIconAdded", "OpacityApplied",
    "TaskbarMessageRegistered", "WindowProcInstalled", "CommandLineRead", "CommandLineApplied",
};
static_assert(kStartupStepNames.size() == static_cast<size_t>(StartupStep::CommandLineApplied) + 1);

constexpr std::string_view StartupStepName(StartupStep step) { return kStartupStepNames[static_cast<size_t>(step)]; }

}  // namespace poko
