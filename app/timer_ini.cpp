// Every key of Timer.ini, one row each: where it lives, its default, the start-up step
// that reads it and what its value does, and whether and how exit writes it back. The
// rows stand in the order start-up reads them; exit writes by its own steps.
#include <cfloat>
#include <cmath>

#include "app/frm_timer.h"
#include "base/number.h"
#include "base/search.h"

namespace poko {

namespace {

// A stored position placed by `place` as a single-precision number of twips; false when
// it cannot be one (a number too large for a double or for a single).
bool ReadTwips(Window& window, void (Window::*place)(float), const Text& text) {
    const LeadingNumber n = LeadingNumberValue(text);
    if (n.overflow || std::fabs(n.value) > FLT_MAX) return false;
    (window.*place)(static_cast<float>(n.value));
    return true;
}

// A stored whole number from `low` to `high`, or nothing.
std::optional<int> WholeIn(const Text& text, int low, int high) {
    const LeadingNumber n = LeadingNumberValue(text);
    if (!IsNumeric(text) || n.value < low || n.value > high || n.value != static_cast<int>(n.value)) return std::nullopt;
    return static_cast<int>(n.value);
}

}  // namespace

std::span<const SettingRow> FrmTimer::SettingRows() {
    using enum StartupStep;
    using enum ExitStep;
    using Kind = SettingRow::Kind;
    static const SettingRow rows[] = {
        {.section = u"CONFIG", .key = u"FILENAME", .fallback = u"", .readAt = TargetRead, .writtenAt = TargetWritten,
         .kind = Kind::Target, .read = [](FrmTimer& f, const Text& v) { return f.TextFileName.SetText(v), true; },
         .value = [](const FrmTimer& f) { return f.TextFileName.GetText(); }},
        // The target whole where the code page cannot hold it: read and written with FILENAME.
        {.section = u"CONFIG", .key = u"FILENAMEW", .fallback = u"", .readAt = TargetRead, .writtenAt = TargetWritten,
         .kind = Kind::WithTarget},
        {.section = u"CONFIG", .key = u"H", .fallback = u"00", .readAt = HourRead, .writtenAt = HourWritten,
         .read = [](FrmTimer& f, const Text& v) { return f.TextH.SetText(v), true; },
         .value = [](const FrmTimer& f) { return f.TextH.GetText(); }},
        {.section = u"CONFIG", .key = u"M", .fallback = u"00", .readAt = MinuteRead, .writtenAt = MinuteWritten,
         .read = [](FrmTimer& f, const Text& v) { return f.TextM.SetText(v), true; },
         .value = [](const FrmTimer& f) { return f.TextM.GetText(); }},
        // "X" holds the window's top edge and "Y" its left edge, as files already written
        // have it; both only while the window is in its normal state.
        {.section = u"WINDOW", .key = u"X", .fallback = u"0", .readAt = TopRead, .writtenAt = PositionWritten,
         .read = [](FrmTimer& f, const Text& v) { return ReadTwips(f.frm_Timer, &Window::SetTop, v); },
         .value = [](const FrmTimer& f) { return SingleText(f.frm_Timer.Top()); }, .whileNormal = true},
        {.section = u"WINDOW", .key = u"Y", .fallback = u"0", .readAt = LeftRead, .writtenAt = PositionWritten,
         .read = [](FrmTimer& f, const Text& v) { return ReadTwips(f.frm_Timer, &Window::SetLeft, v); },
         .value = [](const FrmTimer& f) { return SingleText(f.frm_Timer.Left()); }, .whileNormal = true},
        {.section = u"CONFIG", .key = u"AI", .fallback = u"0", .readAt = CommunicationRead, .writtenAt = CommunicationWritten,
         .read =
             [](FrmTimer& f, const Text& v) {
                 const auto ai = TruthValue(v);
                 if (ai) f.M_WinCmm->SetChecked(*ai);
                 return ai.has_value();
             },
         .value = [](const FrmTimer& f) { return Text(f.M_WinCmm->Checked() ? u"True" : u"False"); }},
        {.section = u"WINDOW", .key = u"DATA", .fallback = u"255", .readAt = OpacityRead, .writtenAt = OpacityWritten,
         .read =
             [](FrmTimer& f, const Text& v) {
                 const LeadingNumber data = LeadingNumberValue(v);
                 const double alpha = RoundHalfEven(data.value);
                 if (data.overflow || alpha < 0 || alpha > 255) return false;
                 f.WindowAlpha = static_cast<std::uint8_t>(alpha);
                 return true;
             },
         .value = [](const FrmTimer& f) { return DecimalText(f.WindowAlpha); }},
        // Read after start-up, never written. The network's defaults are the local demo
        // board's (tools/board_server.py): nothing leaves the machine until the user names
        // real servers.
        {.section = u"NET", .key = u"IPURL", .fallback = kDefaultIpUrl,
         .read = [](FrmTimer& f, const Text& v) { return f.net_.ipUrl = v, true; }},
        {.section = u"NET", .key = u"MENUURL", .fallback = kDefaultMenuUrl,
         .read = [](FrmTimer& f, const Text& v) { return f.net_.menuUrl = v, true; }},
        // Whether an armed alarm may wake the computer: "False" (any case) or "0" turns it off.
        {.section = u"POWER", .key = u"WAKE", .fallback = u"",
         .read = [](FrmTimer& f, const Text& v) { return f.wake_allowed_ = AsciiUpper(v) != u"FALSE" && v != u"0", true; }},
        // How many minutes late an alarm the computer slept through still fires: a whole
        // number 0 to 60; anything else is 0, and a missed alarm is only told.
        {.section = u"POWER", .key = u"LATE", .fallback = u"0",
         .read = [](FrmTimer& f, const Text& v) { return f.late_minutes_ = WholeIn(v, 0, 60).value_or(0), true; }},
        // The alarm's options. SOUND: a WAV file played while it fires (a relative path
        // from the program's folder).
        {.section = u"ALARM", .key = u"SOUND", .fallback = u"",
         .read =
             [](FrmTimer& f, const Text& v) {
                 const bool absolute = Left(v, 1) == u"\\" || Mid(v, 2, 1) == u":";
                 return f.sound_ = v.empty() || absolute ? v : f.platform_.AppFolder() + u"\\" + v, true;
             }},
        // WARN: minutes, 1 to 30, that a shutdown or restart is told before its minute.
        {.section = u"ALARM", .key = u"WARN", .fallback = u"0",
         .read = [](FrmTimer& f, const Text& v) { return f.warn_minutes_ = WholeIn(v, 1, 30).value_or(0), true; }},
        // REPEAT: seven of "0" and "1", Monday first, the days it fires on and is armed
        // again for; anything else, "0000000" too, fires once.
        {.section = u"ALARM", .key = u"REPEAT", .fallback = u"",
         .read =
             [](FrmTimer& f, const Text& v) {
                 f.repeat_days_ = 0;
                 if (v.size() != 7 || v.find_first_not_of(u"01") != Text::npos) return true;
                 for (int day = 0; day < 7; ++day)
                     f.repeat_days_ = static_cast<std::uint8_t>(f.repeat_days_ | (v[day] == u'1') << day);
                 return true;
             }},
    };
    return rows;
}

}  // namespace poko
