// The Timer.ini keys that start-up reads and exit writes, as the program's table has them
// (FrmTimer::SettingRows, app/timer_ini.cpp), for the end-to-end driver, which runs the
// program and cannot link its table; a unit test holds this list to the table.
#pragma once

#include "app/startup_steps.h"

struct StoredKey {
    const char* section;
    const char* key;
    const char* fallback;  // what start-up reads for a missing key
    poko::StartupStep readAt;
};
inline constexpr StoredKey kStoredKeys[] = {
    {"CONFIG", "FILENAME", "", poko::StartupStep::TargetRead},  {"CONFIG", "H", "00", poko::StartupStep::HourRead},
    {"CONFIG", "M", "00", poko::StartupStep::MinuteRead},       {"WINDOW", "X", "0", poko::StartupStep::TopRead},
    {"WINDOW", "Y", "0", poko::StartupStep::LeftRead},          {"CONFIG", "AI", "0", poko::StartupStep::CommunicationRead},
    {"WINDOW", "DATA", "255", poko::StartupStep::OpacityRead},
};
