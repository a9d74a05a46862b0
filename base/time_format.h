// The date and time patterns of the clock label, the tray tip and the alarm check. The
// clock label takes the user's separators ("/" and ":" in the Japanese locale); the tip
// and the alarm check write ":", as the alarm check only needs both sides alike.
#pragma once

#include <cstdint>
#include <optional>

#include "base/text.h"

namespace poko {

struct LocalTime {
    int year, month, day, hour, minute, second;
    friend bool operator==(const LocalTime&, const LocalTime&) = default;
};

// "hh:mm", each at least two digits: (7, 5) gives "07:05".
Text FormatHhMm(int hour, int minute);

// "h:mm", the hour as the program's boxes write it: (7, 5) gives "7:05".
Text FormatHMm(int hour, int minute);

// "yyyy/mm/dd hh:mm" with the given separators, one blank between date and time:
// "2026/12/06 09:05".
Text FormatClock(const LocalTime& t, const Text& dateSeparator = u"/", const Text& timeSeparator = u":");

// The set time as the alarm check compares it: the leading-number values of the two
// box texts in DecimalText form, joined by ":", read as a time of day and written
// "hh:mm". When they do not make a time of day (not whole numbers in 0..23 and
// 0..59, or too large) the joined text itself is returned, for example "24:0" or
// "7.5:3"; the current time formatted "hh:mm" never equals it, so such a setting
// simply never fires.
Text SetTimeText(const Text& hour_text, const Text& minute_text);

struct TimeOfDay {
    int hour, minute;
};
// The set time as a time of day, or nothing when the two box texts make none (the
// cases above in which SetTimeText returns the joined text).
std::optional<TimeOfDay> SetTimeOfDay(const Text& hour_text, const Text& minute_text);

// The start of the next occurrence of a time of day on the local clock: today while
// that minute has not passed (the current minute included), else tomorrow.
LocalTime NextOccurrence(const LocalTime& now, TimeOfDay at);

// When to wake the computer for an occurrence that starts at `start` (seconds as
// LocalSeconds counts them): `early` seconds before `lead` seconds before it, or, once
// that moment has come, `lead` seconds before it, then at its start (a wake set in the
// past would never come). Within the minute itself, the first of them.
std::int64_t WakeMoment(std::int64_t now, std::int64_t start, int early, int lead = 0);

// The day of the week of a reading of the clock: 0 for Monday to 6 for Sunday.
int Weekday(std::int64_t seconds);

// A reading of the local clock as seconds since 1970-01-01 00:00:00 on that clock, every
// day 86,400 of them, and back: the distance between two readings as the clock shows it
// (a change of summer time is a jump, like any other change of the clock).
std::int64_t LocalSeconds(const LocalTime& t);
LocalTime LocalTimeAt(std::int64_t seconds);

// The start of the last occurrence of a time of day that fell wholly between two
// readings of the clock (after `previous` began, before `now`), or nothing: a minute the
// once-a-second check never saw because the computer slept or the clock jumped.
std::optional<std::int64_t> MissedOccurrence(std::int64_t previous, std::int64_t now, TimeOfDay at);

}  // namespace poko
