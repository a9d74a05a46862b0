// Timer.ini access through the profile calls, in the system's ANSI code page.
#pragma once

#include <optional>

#include "base/text.h"
#include "platform/platform.h"

namespace poko {

// The value as GetPrivateProfileStringA copies it into a 255-byte buffer, cut at the
// reported byte length before conversion so that double-byte values come back whole.
Text ReadIni(Platform& platform, const Text& path, const Text& section, const Text& key, const Text& def);
void WriteIni(Platform& platform, const Text& path, const Text& section, const Text& key, const Text& value);

// A stored truth value: the words True and False (any case) or a number, 0 being
// false. Anything else has no truth value.
std::optional<bool> TruthValue(const Text& text);

}  // namespace poko
