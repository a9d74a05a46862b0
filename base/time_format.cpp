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
    const LeadingNumber hour = LeadingNumberValue(hour_text);
    const LeadingNumber minute = LeadingNumberValue(minute_text);
    if (IsWholeIn(hour, 0, 23) && IsWholeIn(minute, 0, 59)) {
        return FormatHhMm(static_cast<int>(hour.value), static_cast<int>(minute.value));
    }
    return DecimalText(hour.value) + u":" + DecimalText(minute.value);
}

}  // namespace poko
