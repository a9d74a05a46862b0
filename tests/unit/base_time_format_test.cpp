#include <gtest/gtest.h>

#include "base/text.h"
#include "base/time_format.h"

namespace poko {
namespace {

TEST(FormatHhMm, TwoDigitsEach) {
    const struct {
        int hour, minute;
        const char* out;
    } cases[] = {{7, 5, "07:05"}, {0, 0, "00:00"}, {23, 59, "23:59"}, {12, 30, "12:30"}};
    for (const auto& c : cases) EXPECT_EQ(ToUtf8(FormatHhMm(c.hour, c.minute)), c.out);
}

TEST(FormatClock, DateBlankTime) {
    const struct {
        LocalTime t;
        const char* out;
    } cases[] = {
        {{2026, 12, 6, 9, 5, 0}, "2026/12/06 09:05"},
        {{2026, 12, 6, 21, 5, 59}, "2026/12/06 21:05"},  // seconds never show
        {{2000, 1, 1, 0, 0, 0}, "2000/01/01 00:00"},
        {{999, 10, 31, 23, 59, 0}, "0999/10/31 23:59"},
    };
    for (const auto& c : cases) EXPECT_EQ(ToUtf8(FormatClock(c.t)), c.out);
}

// A result that some clock reading formatted "hh:mm" could equal.
bool IsClockReading(const Text& t) {
    if (t.size() != 5 || t[2] != u':') return false;
    for (int i : {0, 1, 3, 4}) {
        if (t[i] < u'0' || t[i] > u'9') return false;
    }
    return (t[0] - u'0') * 10 + (t[1] - u'0') < 24 && (t[3] - u'0') * 10 + (t[4] - u'0') < 60;
}

TEST(SetTimeText, CanonicalBoxesGiveTheClockPattern) {
    const struct {
        const char16_t *hour, *minute;
        const char* out;
    } cases[] = {
        {u"7", u"5", "07:05"}, {u"0", u"0", "00:00"}, {u"23", u"59", "23:59"},
        // Texts not yet canonical are read by their leading-number value.
        {u"07", u"05", "07:05"}, {u"7.0", u"5abc", "07:05"}, {u"", u"abc", "00:00"},
        {u" 1 2", u"3e1", "12:30"}, {u"-0", u"0", "00:00"}, {u"&H17", u"&O73", "23:59"},
    };
    for (const auto& c : cases) EXPECT_EQ(ToUtf8(SetTimeText(c.hour, c.minute)), c.out);
}

TEST(SetTimeText, NoTimeOfDayNeverMatchesTheClock) {
    const struct {
        const char16_t *hour, *minute;
        const char* out;
    } cases[] = {
        {u"24", u"0", "24:0"}, {u"24", u"10", "24:10"}, {u"10", u"60", "10:60"},
        {u"-1", u"0", "-1:0"}, {u"7.5", u"3", "7.5:3"}, {u"7", u"0.5", "7:0.5"},
        {u"1e20", u"0", "1E+20:0"},
    };
    for (const auto& c : cases) {
        const Text t = SetTimeText(c.hour, c.minute);
        EXPECT_EQ(ToUtf8(t), c.out);
        EXPECT_FALSE(IsClockReading(t)) << c.out;
    }
    EXPECT_FALSE(IsClockReading(SetTimeText(u"1e400", u"0")));
    EXPECT_FALSE(IsClockReading(SetTimeText(u"0", u"-1e400")));
}

TEST(NextOccurrence, TodayUntilTheMinuteHasPassedThenTomorrow) {
    const struct {
        LocalTime now;
        TimeOfDay at;
        LocalTime due;
    } cases[] = {
        {{2026, 12, 8, 6, 0, 0}, {7, 30}, {2026, 12, 8, 7, 30, 0}},
        {{2026, 12, 8, 7, 30, 45}, {7, 30}, {2026, 12, 8, 7, 30, 0}},  // within the minute: it fires now
        {{2026, 12, 8, 7, 31, 0}, {7, 30}, {2026, 12, 9, 7, 30, 0}},
        {{2026, 12, 8, 23, 50, 0}, {0, 10}, {2026, 12, 9, 0, 10, 0}},  // across midnight
        {{2026, 1, 31, 12, 0, 0}, {0, 0}, {2026, 2, 1, 0, 0, 0}},
        {{2026, 12, 31, 23, 59, 59}, {23, 58}, {2027, 1, 1, 23, 58, 0}},
        {{2028, 2, 28, 9, 0, 0}, {8, 0}, {2028, 2, 29, 8, 0, 0}},      // leap year
        {{2100, 2, 28, 9, 0, 0}, {8, 0}, {2100, 3, 1, 8, 0, 0}},       // no leap year
    };
    for (const auto& c : cases) EXPECT_EQ(NextOccurrence(c.now, c.at), c.due) << ToUtf8(FormatClock(c.now));
}

}  // namespace
}  // namespace poko
