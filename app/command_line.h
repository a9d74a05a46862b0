// The command-line switches, each found as a plain, case-sensitive substring of the
// whole argument text (first occurrence only), whatever their order.
#pragma once

#include <optional>

#include "base/text.h"

namespace poko {

struct CommandLine {
    bool minimise = false;            // "-M"
    bool toggleAlarm = false;         // "-TS"
    std::optional<Text> hour, minute; // "TIME=hhmm": both or neither
    std::optional<Text> target;       // FILE="..."
};

CommandLine ParseCommandLine(const Text& args);

}  // namespace poko
