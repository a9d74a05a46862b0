// The Timer.ini keys start-up reads and exit writes, as FrmTimer::SettingRows has them, for
// the end-to-end driver, which cannot link the table; a unit test holds the two alike.
#pragma once

#include "app/startup_steps.h"

struct StoredKey {
    const char *section, *key, *fallback;  // fallback: what start-up reads for a missing key
    poko::StartupStep readAt;
};
inline constexpr StoredKey kStoredKeys[] = {
    {"CONFIG", "FILENAME", "", poko::StartupStep::TargetRead},  {"CONFIG", "H", "00", poko::StartupStep::HourRead},
    {"CONFIG", "M", "00", poko::StartupStep::MinuteRead},       {"WINDOW", "X", "0", poko::StartupStep::TopRead},
    {"WINDOW", "Y", "0", poko::StartupStep::LeftRead},          {"CONFIG", "AI", "0", poko::StartupStep::CommunicationRead},
    {"WINDOW", "DATA", "255", poko::StartupStep::OpacityRead},
};
