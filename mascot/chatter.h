// The mascot's chatter: the ten lines it says when the user declines a thread, and the
// odds of its runs of its own while the program waits unseen in the tray.
#pragma once

#include <string_view>

#include "platform/platform.h"

namespace poko {

// The title of every box the mascot shows while it walks the boards and talks.
inline constexpr std::u16string_view kMascotTitle = u"Windows";

// Says one of the ten lines, drawn at random; true when it was line 5, after which the
// mascot goes looking again.
bool SayChatterLine(Platform& platform);

// Whether a run of its own starts on this tick: when the current minute equals a minute
// drawn from 0..59, so on average once a minute, whatever the minute.
bool ChatterRunDue(Platform& platform);

}  // namespace poko
