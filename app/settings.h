// Timer.ini access through the profile calls, in the system's ANSI code page.
#pragma once

#include <cstdint>
#include <optional>
#include <string_view>

#include "app/startup_steps.h"
#include "base/text.h"
#include "platform/platform.h"

namespace poko {

class FrmTimer;

// One key of Timer.ini (the rows are FrmTimer::SettingRows, app/timer_ini.cpp), written
// with the fields named, in this order.
struct SettingRow {
    std::u16string_view section, key;
    std::u16string_view fallback = u"";      // the value of a missing key
    StartupStep readAt = StartupStep::None;  // the start-up step that reads it; None: after start-up
    ExitStep writtenAt = ExitStep::Never;    // the exit step that writes it
    // Line: one value, as ReadIni reads it. Target: the launch target, whole, with its
    // FILENAMEW; WithTarget: read and written as part of the Target row.
    enum class Kind { Line, Target, WithTarget } kind = Kind::Line;
    // What the value read does to the window; false ends start-up at this step.
    bool (*read)(FrmTimer&, const Text&) = nullptr;
    // The value as exit writes it.
    Text (*value)(const FrmTimer&) = nullptr;
    bool whileNormal = false;  // written only while the window is in its normal state
};

// The buffer GetPrivateProfileStringA fills, in bytes: a value takes one byte less.
inline constexpr std::uint32_t kIniBufferSize = 255;
// The longest value read whole. A damaged file may hold far more; reading it all, and the
// copies that follow, could exhaust a 32-bit program's memory at every start.
inline constexpr std::uint32_t kLongestIniValue = 65535;

// The value as GetPrivateProfileStringA copies it into a buffer of kIniBufferSize, cut at
// the reported byte length before conversion so that double-byte values come back whole.
Text ReadIni(Platform& platform, const Text& path, const Text& section, const Text& key, const Text& def);
// The same read, and when the value may have been cut (it filled the buffer) it is read
// again with room enough, up to kLongestIniValue bytes: a long target path read shortened
// would be written back so. A longer value (a damaged file) comes back cut to that.
Text ReadIniWhole(Platform& platform, const Text& path, const Text& section, const Text& key, const Text& def);
void WriteIni(Platform& platform, const Text& path, const Text& section, const Text& key, const Text& value);

// The launch target as Timer.ini keeps it. "FILENAME" holds it in the code page, where a
// character the code page lacks is a "?"; such a target is kept whole beside it in
// "FILENAMEW", as UTF-8 with every byte outside printable ASCII, and "%", written %XX.
// FILENAMEW is taken only while FILENAME still holds its code-page form byte for byte,
// so a FILENAME that someone or some other program changed since is the one that counts.
struct StoredTarget {
    Text text;
    bool cut = false;  // a key longer than a read takes: only its first kLongestIniValue bytes were read
};
StoredTarget ReadTarget(Platform& platform, const Text& path);
// FILENAME, and FILENAMEW written or, for a target the code page holds, deleted.
void WriteTarget(Platform& platform, const Text& path, const Text& target);
// The target in FILENAMEW's form, and back: nothing for a text that is not that form.
Text PercentEncoded(const Text& text);
std::optional<Text> PercentDecoded(std::string_view stored);

// Where the two network features go: section "NET", keys "IPURL" and "MENUURL".
inline constexpr std::u16string_view kDefaultIpUrl = u"http://127.0.0.1:8780/e/?";
inline constexpr std::u16string_view kDefaultMenuUrl = u"http://127.0.0.1:8780/~poko/2chmenu.html";
struct NetAddresses {
    Text ipUrl{kDefaultIpUrl};
    Text menuUrl{kDefaultMenuUrl};
};

// A stored truth value: the words True and False (any case) or a number, 0 being
// false. Anything else has no truth value.
std::optional<bool> TruthValue(const Text& text);

// Whether exit may write the settings file: it is absent, or a file that is not marked
// read-only. Windows refuses such writes itself, but not every system does (Wine run as
// root writes a read-only file anyway), so a Timer.ini the user protected, or a folder
// of that name, is left exactly as it is.
bool IniWritable(Platform& platform, const Text& path);

}  // namespace poko
