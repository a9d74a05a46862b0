// Timer.ini: reading and writing a value, the launch target whole, a protected file, and
// the keys of app/timer_ini.cpp read at start-up and written at exit.
#include "app/settings.h"

#include <algorithm>

#include "app/frm_timer.h"
#include "base/ansi.h"
#include "base/number.h"
#include "base/search.h"

namespace poko {

namespace {

// A full buffer cannot tell a value that just fills it from a longer one cut: the longest
// read has room for one byte more than the longest value, and only a value that fills it
// counts as cut.
constexpr std::uint32_t kLongestBuffer = kLongestIniValue + 2;

// The profile calls trim blanks around a value and drop one pair of enclosing quotes
// when they read it back.
bool ProfileBlank(char16_t c) {
    return c == u' ' || c == u'\t' || c == u'\r' || c == u'\n' || c == u'\v' || c == u'\f' || c == u'\u3000' ||
           c == u'\u00A0';
}

bool NeedsQuotes(const Text& v) {
    if (v.empty()) return false;
    if (ProfileBlank(v.front()) || ProfileBlank(v.back())) return true;
    return v.size() >= 2 && (v.front() == u'"' || v.front() == u'\'') && v.back() == v.front();
}

// The profile calls on one Timer.ini. A path the code page holds takes the "A" calls, as
// it always has; one it cannot hold (a folder named in another script) takes the "W"
// calls, and their texts cross the code page here, so that the file's bytes and the
// byte-level rules (a buffer counted in bytes, and its cut) stay what they are.
class Profile {
public:
    Profile(Platform& platform, const Text& path)
        : p_(platform), path_(path), ansiPath_(ToAnsi(path)), ansi_(FromAnsi(ansiPath_) == path) {}

    // As GetPrivateProfileStringA fills `size` bytes: at most size - 1 of them, a value
    // that filled them perhaps cut.
    std::uint32_t Get(const Bytes& section, const Bytes& key, const Bytes& def, char* buffer, std::uint32_t size) {
        if (ansi_) return p_.GetPrivateProfileStringA(section, key, def, buffer, size, ansiPath_);
        if (size == 0) return 0;
        // A code-page file's character is at least a byte: `size` units hold what `size` bytes would.
        Text wide(size, u'\0');
        const std::uint32_t units =
            std::min(p_.GetPrivateProfileStringW(FromAnsi(section), FromAnsi(key), FromAnsi(def), wide.data(), size, path_),
                     size - 1);
        wide.resize(units);
        const Bytes value = ToAnsi(wide);
        const std::uint32_t n = units + 1 >= size ? size - 1 : std::min(static_cast<std::uint32_t>(value.size()), size - 1);
        std::copy_n(value.begin(), std::min<size_t>(n, value.size()), buffer);
        buffer[n] = '\0';
        return n;
    }
    void Write(const Bytes& section, const Bytes& key, const Bytes& value) {
        if (ansi_)
            p_.WritePrivateProfileStringA(section, key, value, ansiPath_);
        else
            p_.WritePrivateProfileStringW(FromAnsi(section), FromAnsi(key), FromAnsi(value), path_);
    }
    void Delete(const Bytes& section, const Bytes& key) {
        if (ansi_)
            p_.DeletePrivateProfileKeyA(section, key, ansiPath_);
        else
            p_.DeletePrivateProfileKeyW(FromAnsi(section), FromAnsi(key), path_);
    }
    std::uint32_t Attributes() { return ansi_ ? p_.GetFileAttributesA(ansiPath_) : p_.GetFileAttributesW(path_); }

private:
    Platform& p_;
    const Text& path_;
    const Bytes ansiPath_;
    const bool ansi_;
};

// The value's bytes from a buffer of kIniBufferSize bytes; one that filled it may have been
// cut, and is read again with twice the room while the buffer stays within `largest`.
// `cut` tells whether it filled even that; such a value is kept to kLongestIniValue bytes.
Bytes ReadIniBytes(Platform& platform, const Text& path, const Text& section, const Text& key, const Text& def,
                   std::uint32_t largest, bool* cut = nullptr) {
    const Bytes s = ToAnsi(section), k = ToAnsi(key), d = ToAnsi(def);
    Profile profile(platform, path);
    Bytes buffer;
    for (std::uint32_t size = kIniBufferSize;; size = std::min(size * 2, largest)) {
        buffer.assign(size, ' ');
        const std::uint32_t n = std::min(profile.Get(s, k, d, buffer.data(), size), size - 1);
        if (n + 1 < size || size >= largest) {
            if (cut) *cut = n + 1 >= size;
            buffer.resize(std::min(n, kLongestIniValue));
            return buffer;
        }
    }
}

// A value is one line of the file: a line break in it (a command-line FILE= text can
// hold one) would start a key or section of its own, so each becomes a blank.
Text OneLine(const Text& value) {
    Text line = value;
    std::replace_if(line.begin(), line.end(), [](char16_t c) { return c == u'\r' || c == u'\n'; }, u' ');
    return line;
}

int HexValue(char c) { return c <= '9' ? c - '0' : (c | 0x20) - 'a' + 10; }

}  // namespace

Text ReadIni(Platform& platform, const Text& path, const Text& section, const Text& key, const Text& def) {
    return FromAnsi(ReadIniBytes(platform, path, section, key, def, kIniBufferSize));
}

Text ReadIniWhole(Platform& platform, const Text& path, const Text& section, const Text& key, const Text& def) {
    return FromAnsi(ReadIniBytes(platform, path, section, key, def, kLongestBuffer));
}

void WriteIni(Platform& platform, const Text& path, const Text& section, const Text& key, const Text& value) {
    const Text line = OneLine(value);
    // A value that the read would alter (a target " EXIT" would come back as the
    // shutdown "EXIT") is written inside quotes, which the read removes again.
    const Text stored = NeedsQuotes(line) ? u"\"" + line + u"\"" : line;
    Profile(platform, path).Write(ToAnsi(section), ToAnsi(key), ToAnsi(stored));
}

Text PercentEncoded(const Text& text) {
    static constexpr char16_t kHex[] = u"0123456789ABCDEF";
    Text out;
    for (const char c : ToUtf8(text)) {
        const auto b = static_cast<unsigned char>(c);
        if (b >= 0x20 && b < 0x7F && b != '%') {
            out += static_cast<char16_t>(b);
        } else {
            out += u'%';
            out += kHex[b >> 4];
            out += kHex[b & 0xF];
        }
    }
    return out;
}

std::optional<Text> PercentDecoded(std::string_view stored) {
    std::string utf8;
    for (size_t i = 0; i < stored.size(); ++i) {
        const char c = stored[i];
        if (c < 0x20 || c >= 0x7F) return std::nullopt;
        if (c != '%') {
            utf8 += c;
            continue;
        }
        if (stored.size() - i < 3 || !IsHexDigit(stored[i + 1]) || !IsHexDigit(stored[i + 2])) return std::nullopt;
        utf8 += static_cast<char>(HexValue(stored[i + 1]) << 4 | HexValue(stored[i + 2]));
        i += 2;
    }
    Text text = FromUtf8(utf8);
    if (ToUtf8(text) != utf8) return std::nullopt;  // not UTF-8
    return text;
}

StoredTarget ReadTarget(Platform& platform, const Text& path) {
    bool cut = false, wideCut = false;
    const Bytes ansi = ReadIniBytes(platform, path, u"CONFIG", u"FILENAME", u"", kLongestBuffer, &cut);
    const Bytes wide = ReadIniBytes(platform, path, u"CONFIG", u"FILENAMEW", u"", kLongestBuffer, &wideCut);
    if (!wideCut)
        if (const auto whole = PercentDecoded(wide); whole && ToAnsi(OneLine(*whole)) == ansi) return {*whole, cut};
    return {FromAnsi(ansi), cut || wideCut};
}

void WriteTarget(Platform& platform, const Text& path, const Text& target) {
    WriteIni(platform, path, u"CONFIG", u"FILENAME", target);
    if (FitsAnsi(target))
        Profile(platform, path).Delete("CONFIG", "FILENAMEW");
    else
        WriteIni(platform, path, u"CONFIG", u"FILENAMEW", PercentEncoded(target));
}

std::optional<bool> TruthValue(const Text& text) {
    Text t = text;
    while (!t.empty() && (t.front() == u' ' || t.front() == u'\t')) t.erase(0, 1);
    while (!t.empty() && (t.back() == u' ' || t.back() == u'\t')) t.pop_back();
    const Text upper = AsciiUpper(t);
    if (upper == u"TRUE") return true;
    if (upper == u"FALSE") return false;
    if (!IsNumeric(t)) return std::nullopt;
    return LeadingNumberValue(t).value != 0;
}

bool IniWritable(Platform& platform, const Text& path) {
    const std::uint32_t a = Profile(platform, path).Attributes();
    return a == INVALID_FILE_ATTRIBUTES_ || !(a & (FILE_ATTRIBUTE_READONLY_ | FILE_ATTRIBUTE_DIRECTORY_));
}

// Each step after the last one done, up to `last`, with every row it reads: a step is done
// once all its keys are read, so a read that ends start-up leaves its whole step undone,
// and exit keeps what the file holds for each of that step's keys.
bool FrmTimer::ReadSettings(std::span<const SettingRow> rows, StartupStep last) {
    for (auto step = static_cast<int>(startup_done_) + 1; step <= static_cast<int>(last); ++step) {
        bool read = false;
        for (const SettingRow& row : rows) {
            if (!row.read || row.readAt != static_cast<StartupStep>(step)) continue;
            Text value;
            if (row.kind == SettingRow::Kind::Target) {
                const StoredTarget target = ReadTarget(platform_, IniPath);
                value = target.text;
                target_cut_ = target.cut;
            } else {
                value = ReadIni(platform_, IniPath, Text(row.section), Text(row.key), Text(row.fallback));
            }
            if (!row.read(*this, value)) return false;
            read = true;
        }
        if (read) startup_done_ = static_cast<StartupStep>(step);
    }
    return true;
}

// The NET, POWER and ALARM keys, read when start-up is over (or has stopped), and never written.
void FrmTimer::ReadSettingsAfterStartup() {
    const Text ini = IniPath.empty() ? platform_.AppFolder() + u"\\Timer.ini" : IniPath;
    for (const SettingRow& row : SettingRows())
        if (row.read && row.readAt == StartupStep::None)
            row.read(*this, ReadIni(platform_, ini, Text(row.section), Text(row.key), Text(row.fallback)));
    loaded_.clear();
    for (const SettingRow& row : SettingRows()) loaded_.push_back(row.value ? row.value(*this) : Text());
}

// The keys exit writes, by their exit steps; a protected Timer.ini is left as it is. A
// key whose read start-up never reached still holds the layout's value (or 0 for the
// opacity): it is written only when the user has changed it since, so a start-up that
// stopped early does not wipe the stored settings; likewise a target read cut from a
// damaged file. The position is written only while the window is in its normal state.
void FrmTimer::WriteSettings() {
    // Never let the profile calls fall back to a file of the system's own.
    if (IniPath.empty()) IniPath = platform_.AppFolder() + u"\\Timer.ini";
    if (!IniWritable(platform_, IniPath)) return;

    const std::span<const SettingRow> rows = SettingRows();
    for (auto step = ExitStep::TargetWritten; step <= ExitStep::OpacityWritten;
         step = static_cast<ExitStep>(static_cast<int>(step) + 1)) {
        for (size_t i = 0; i < rows.size(); ++i) {
            const SettingRow& row = rows[i];
            if (row.writtenAt != step || !row.value) continue;
            const Text value = row.value(*this);
            const bool changed = i >= loaded_.size() || value != loaded_[i];
            if (startup_done_ < row.readAt && !changed) continue;
            if (row.whileNormal && frm_Timer.State() != WindowState::Normal) continue;
            if (row.kind != SettingRow::Kind::Target)
                WriteIni(platform_, IniPath, Text(row.section), Text(row.key), value);
            else if (changed || !target_cut_)
                WriteTarget(platform_, IniPath, value);
        }
    }
}

}  // namespace poko
