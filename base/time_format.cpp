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

constexpr std::int64_t kSecondsPerDay = 86400;

std::int64_t FloorDiv(std::int64_t a, std::int64_t b) { return a / b - (a % b != 0 && (a < 0) != (b < 0)); }

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

Text FormatHMm(int hour, int minute) { return DecimalText(hour) + FormatHhMm(hour, minute).substr(2); }

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
    const LocalTime due{now.year, now.month, now.day, at.hour, at.minute, 0};
    if (at.hour * 60 + at.minute >= now.hour * 60 + now.minute) return due;
    return LocalTimeAt(LocalSeconds(due) + kSecondsPerDay);
}

std::int64_t WakeMoment(std::int64_t now, std::int64_t start, int early, int lead) {
    for (const std::int64_t at : {start - lead - early, start - lead, start})
        if (at > now) return at;
    return start - lead - early;  // the minute has begun: the alarm fires now
}

int Weekday(std::int64_t seconds) {
    const std::int64_t days = FloorDiv(seconds, kSecondsPerDay) + 3;  // 1970-01-01 was a Thursday
    return static_cast<int>(days - FloorDiv(days, 7) * 7);
}

// Days from and to the civil calendar, proleptic Gregorian, day 0 being 1970-01-01.
std::int64_t LocalSeconds(const LocalTime& t) {
    const std::int64_t y = t.year - (t.month <= 2);
    const std::int64_t era = FloorDiv(y, 400);
    const std::int64_t yoe = y - era * 400;
    const std::int64_t doy = (153 * (t.month + (t.month > 2 ? -3 : 9)) + 2) / 5 + t.day - 1;
    const std::int64_t days = era * 146097 + yoe * 365 + yoe / 4 - yoe / 100 + doy - 719468;
    return days * kSecondsPerDay + t.hour * 3600 + t.minute * 60 + t.second;
}

LocalTime LocalTimeAt(std::int64_t seconds) {
    const std::int64_t days = FloorDiv(seconds, kSecondsPerDay), rest = seconds - days * kSecondsPerDay;
    const std::int64_t z = days + 719468;
    const std::int64_t era = FloorDiv(z, 146097);
    const std::int64_t doe = z - era * 146097;
    const std::int64_t yoe = (doe - doe / 1460 + doe / 36524 - doe / 146096) / 365;
    const std::int64_t doy = doe - (365 * yoe + yoe / 4 - yoe / 100);
    const std::int64_t mp = (5 * doy + 2) / 153;
    const int month = static_cast<int>(mp < 10 ? mp + 3 : mp - 9);
    return {static_cast<int>(yoe + era * 400 + (month <= 2)), month, static_cast<int>(doy - (153 * mp + 2) / 5 + 1),
            static_cast<int>(rest / 3600), static_cast<int>(rest / 60 % 60), static_cast<int>(rest % 60)};
}

std::optional<std::int64_t> MissedOccurrence(std::int64_t previous, std::int64_t now, TimeOfDay at) {
    // The last occurrence that had ended by now started at least a minute ago.
    const std::int64_t latest = now - 60;
    std::int64_t start = FloorDiv(latest, kSecondsPerDay) * kSecondsPerDay + at.hour * 3600 + at.minute * 60;
    if (start > latest) start -= kSecondsPerDay;
    if (start <= previous) return std::nullopt;
    return start;
}

}  // namespace poko
