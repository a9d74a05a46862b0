// Timer.ini: reading and writing a value, the keys exit writes, the NET and POWER keys, a protected file.
#include "app/settings.h"

#include <algorithm>

#include "app/frm_timer.h"
#include "base/ansi.h"
#include "base/number.h"
#include "base/search.h"

namespace poko {

namespace {

constexpr std::uint32_t kBufferSize = 255;
// A value of up to 65,535 bytes is read whole. A damaged file may hold far more; reading
// it all, and the copies that follow, could exhaust a 32-bit program's memory at every
// start.
constexpr std::uint32_t kLongestBuffer = 65536;

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

bool IsDigitIn(char16_t c, int base) { return base == 16 ? IsHexDigit(c) : IsAsciiDigit(c) && c - u'0' < base; }

// The whole text, blanks aside, reads as one number.
bool IsNumeric(const Text& text) {
    Text s;
    for (char16_t c : text)
        if (c != u' ' && c != u'\t' && c != u'\n') s += c;
    size_t i = 0;
    auto digits = [&](int base) {
        size_t start = i;
        while (i < s.size() && IsDigitIn(s[i], base)) ++i;
        return i > start;
    };
    if (s.size() > 2 && s[0] == u'&') {
        const char16_t k = AsciiUpper(s.substr(1, 1))[0];
        if (k != u'H' && k != u'O') return false;
        i = 2;
        return digits(k == u'H' ? 16 : 8) && i == s.size();
    }
    if (i < s.size() && (s[i] == u'+' || s[i] == u'-')) ++i;
    bool any = digits(10);
    if (i < s.size() && s[i] == u'.') {
        ++i;
        any = digits(10) || any;
    }
    if (!any) return false;
    if (i < s.size() && (s[i] == u'e' || s[i] == u'E' || s[i] == u'd' || s[i] == u'D')) {
        ++i;
        if (i < s.size() && (s[i] == u'+' || s[i] == u'-')) ++i;
        if (!digits(10)) return false;
    }
    return i == s.size();
}

// The value's bytes from a buffer of kBufferSize bytes; one that filled it may have been
// cut, and is read again with twice the room while the buffer stays within `largest`.
// `cut` tells whether it filled even that.
Bytes ReadIniBytes(Platform& platform, const Text& path, const Text& section, const Text& key, const Text& def,
                   std::uint32_t largest, bool* cut = nullptr) {
    const Bytes s = ToAnsi(section), k = ToAnsi(key), d = ToAnsi(def), p = ToAnsi(path);
    Bytes buffer;
    for (std::uint32_t size = kBufferSize;; size = std::min(size * 2, largest)) {
        buffer.assign(size, ' ');
        const std::uint32_t n = std::min(platform.GetPrivateProfileStringA(s, k, d, buffer.data(), size, p), size - 1);
        if (n + 1 < size || size >= largest) {
            if (cut) *cut = n + 1 >= size;
            buffer.resize(n);
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
    return FromAnsi(ReadIniBytes(platform, path, section, key, def, kBufferSize));
}

Text ReadIniWhole(Platform& platform, const Text& path, const Text& section, const Text& key, const Text& def) {
    return FromAnsi(ReadIniBytes(platform, path, section, key, def, kLongestBuffer));
}

void WriteIni(Platform& platform, const Text& path, const Text& section, const Text& key, const Text& value) {
    const Text line = OneLine(value);
    // A value that the read would alter (a target " EXIT" would come back as the
    // shutdown "EXIT") is written inside quotes, which the read removes again.
    const Text stored = NeedsQuotes(line) ? u"\"" + line + u"\"" : line;
    platform.WritePrivateProfileStringA(ToAnsi(section), ToAnsi(key), ToAnsi(stored), ToAnsi(path));
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
        platform.DeletePrivateProfileKeyA("CONFIG", "FILENAMEW", ToAnsi(path));
    else
        WriteIni(platform, path, u"CONFIG", u"FILENAMEW", PercentEncoded(target));
}

NetAddresses ReadNetAddresses(Platform& platform, const Text& path) {
    NetAddresses net;
    net.ipUrl = ReadIni(platform, path, u"NET", u"IPURL", net.ipUrl);
    net.menuUrl = ReadIni(platform, path, u"NET", u"MENUURL", net.menuUrl);
    return net;
}

bool ReadWakeAllowed(Platform& platform, const Text& path) {
    const Text value = ReadIni(platform, path, u"POWER", u"WAKE", u"");
    return AsciiUpper(value) != u"FALSE" && value != u"0";
}

int ReadLateMinutes(Platform& platform, const Text& path) {
    const Text value = ReadIni(platform, path, u"POWER", u"LATE", u"0");
    if (!IsNumeric(value)) return 0;
    const LeadingNumber n = LeadingNumberValue(value);
    const bool whole = !n.overflow && n.value >= 0 && n.value <= kMostLateMinutes && n.value == static_cast<int>(n.value);
    return whole ? static_cast<int>(n.value) : 0;
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
    const std::uint32_t a = platform.GetFileAttributesA(ToAnsi(path));
    return a == INVALID_FILE_ATTRIBUTES_ || !(a & (FILE_ATTRIBUTE_READONLY_ | FILE_ATTRIBUTE_DIRECTORY_));
}

// The seven keys as exit writes them, in this order (FILENAMEW with FILENAME); a
// protected Timer.ini is left as it is. A key whose read start-up never reached still
// holds the layout's value (or 0 for the opacity): it is written only when the user has
// changed it since, so a start-up that stopped early does not wipe the stored settings.
// The position is written only while the window is in its normal state.
void FrmTimer::WriteSettings() {
    // Never let the profile calls fall back to a file of the system's own.
    if (IniPath.empty()) IniPath = platform_.AppFolder() + u"\\Timer.ini";
    if (!IniWritable(platform_, IniPath)) return;

    using enum StartupStep;
    auto keep = [this](StartupStep step, bool changed) { return startup_done_ >= step || changed; };
    // A target read cut from a damaged file is left as stored unless the user changed it.
    const bool targetChanged = TextFileName.GetText() != loaded_.fileName;
    if (keep(TargetRead, targetChanged) && (targetChanged || !target_cut_))
        WriteTarget(platform_, IniPath, TextFileName.GetText());
    if (keep(HourRead, TextH.GetText() != loaded_.hour)) WriteIni(platform_, IniPath, u"CONFIG", u"H", TextH.GetText());
    if (keep(MinuteRead, TextM.GetText() != loaded_.minute)) WriteIni(platform_, IniPath, u"CONFIG", u"M", TextM.GetText());
    if (keep(CommunicationRead, M_WinCmm->Checked() != loaded_.ai))
        WriteIni(platform_, IniPath, u"CONFIG", u"AI", M_WinCmm->Checked() ? u"True" : u"False");
    if (frm_Timer.State() == WindowState::Normal) {
        if (keep(TopRead, frm_Timer.Top() != loaded_.top))
            WriteIni(platform_, IniPath, u"WINDOW", u"X", SingleText(frm_Timer.Top()));
        if (keep(LeftRead, frm_Timer.Left() != loaded_.left))
            WriteIni(platform_, IniPath, u"WINDOW", u"Y", SingleText(frm_Timer.Left()));
    }
    if (keep(OpacityRead, WindowAlpha != loaded_.alpha))
        WriteIni(platform_, IniPath, u"WINDOW", u"DATA", DecimalText(WindowAlpha));
}

}  // namespace poko
