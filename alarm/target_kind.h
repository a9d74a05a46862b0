// What an alarm does with its target, by the target's text alone.
#pragma once

#include <optional>

#include "base/search.h"
#include "base/text.h"

namespace poko {

// The kinds in the order they are tested; the first that matches decides.
enum class TargetKind {
    ItsTime,   // the empty text: "時間です！" in a box
    Message,   // "!" or "！" first: the rest in a box
    Mascot,    // "?" or "？" first: the board picker
    Reboot,    // "REBOOT" first, in any case: a restart, not forced
    Shutdown,  // "EXIT" first, in any case: a forced shutdown
    Open,      // anything else: the whole text opened through the shell
};

// The character tests compare codes exactly; only the REBOOT and EXIT prefixes ignore
// case, and REBOOT is tested first.
inline TargetKind ClassifyTarget(const Text& target) {
    if (target.empty()) return TargetKind::ItsTime;
    if (target[0] == u'!' || target[0] == u'！') return TargetKind::Message;
    if (target[0] == u'?' || target[0] == u'？') return TargetKind::Mascot;
    if (AsciiUpper(Left(target, 6)) == u"REBOOT") return TargetKind::Reboot;
    if (AsciiUpper(Left(target, 4)) == u"EXIT") return TargetKind::Shutdown;
    return TargetKind::Open;
}

// A 32-bit program on 64-bit Windows finds the 32-bit system (SysWOW64) where it asks for
// System32; "Sysnative" names the real System32 to it. The target under `windows` (the
// Windows folder) "\System32\" named that way, or nothing for a target elsewhere.
inline std::optional<Text> SysnativeTarget(const Text& target, Text windows) {
    while (!windows.empty() && windows.back() == u'\\') windows.pop_back();
    const Text system32 = windows + u"\\System32\\";
    const int n = static_cast<int>(system32.size());
    if (windows.empty() || target.size() <= system32.size() || AsciiUpper(Left(target, n)) != AsciiUpper(system32))
        return std::nullopt;
    return windows + u"\\Sysnative\\" + target.substr(system32.size());
}

}  // namespace poko
