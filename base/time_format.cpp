// The clock, tray-tip and alarm time formats, and the next occurrence of a time of day.
#include "base/time_format.h"

#include <charconv>

#include "base/number.h"

namespace poko {

namespace {

void AppendPadded(Text& out, int value, int width) {
    char buf[16];
    const auto r = std::to_chars(buf, buf + sizeof buf, value);
    const char* p = buf;
    if (*p == '-') out += static_cast<char16_t>(*p++);
    for (int digits = static_cast<int>(r.ptr - p); digits < width; ++digits) out += u'0';
    for (; p < r.ptr; ++p) out += static_cast<char16_t>(*p);
}

bool IsWholeIn(const LeadingNumber& n, double low, double high) {
    return !n.overflow && n.value >= low && n.value <= high && n.value == static_cast<int>(n.value);
}

}  // namespace

Text FormatHhMm(int hour, int minute) {
    Text out;
    AppendPadded(out, hour, 2);
    out += u':';
    AppendPadded(out, minute, 2);
    return out;
}

Text FormatClock(const LocalTime& t, const Text& dateSeparator, const Text& timeSeparator) {
    Text out;
    AppendPadded(out, t.year, 4);
    out += dateSeparator;
    AppendPadded(out, t.month, 2);
    out += dateSeparator;
    AppendPadded(out, t.day, 2);
    out += u' ';
    AppendPadded(out, t.hour, 2);
    out += timeSeparator;
    AppendPadded(out, t.minute, 2);
    return out;
}

Text SetTimeText(const Text& hour_text, const Text& minute_text) {
    if (const auto at = SetTimeOfDay(hour_text, minute_text)) return FormatHhMm(at->hour, at->minute);
    return DecimalText(LeadingNumberValue(hour_text).value) + u":" + DecimalText(LeadingNumberValue(minute_text).value);
}

std::optional<TimeOfDay> SetTimeOfDay(const Text& hour_text, const Text& minute_text) {
    const LeadingNumber hour = LeadingNumberValue(hour_text);
    const LeadingNumber minute = LeadingNumberValue(minute_text);
    if (!IsWholeIn(hour, 0, 23) || !IsWholeIn(minute, 0, 59)) return std::nullopt;
    return TimeOfDay{static_cast<int>(hour.value), static_cast<int>(minute.value)};
}

LocalTime NextOccurrence(const LocalTime& now, TimeOfDay at) {
    LocalTime due{now.year, now.month, now.day, at.hour, at.minute, 0};
    if (at.hour * 60 + at.minute >= now.hour * 60 + now.minute) return due;
    const bool leap = (due.year % 4 == 0 && due.year % 100 != 0) || due.year % 400 == 0;
    const int days[] = {31, leap ? 29 : 28, 31, 30, 31, 30, 31, 31, 30, 31, 30, 31};
    if (++due.day > days[due.month - 1]) {
        due.day = 1;
        if (++due.month > 12) due.month = 1, ++due.year;
    }
    return due;
}

}  // namespace poko
