// The alarm and the computer's sleep: how early the wake timer stands before the set
// minute (a slow resume still comes back within the minute; once that moment has passed,
// the wake stands at the minute itself), how long before it the computer is kept up, and
// how long a screen lit for an unanswered alarm stays on (a box left open all day must
// not drain a laptop).
#pragma once

namespace poko {

inline constexpr int kWakeEarlySeconds = 120, kHoldBeforeSeconds = 180, kDisplayHoldSeconds = 600;

}  // namespace poko
