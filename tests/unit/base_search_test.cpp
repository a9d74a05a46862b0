#include <iterator>

#include <gtest/gtest.h>

#include "base/search.h"
#include "base/text.h"

namespace poko {
namespace {

TEST(InStr, OneBasedZeroWhenAbsent) {
    const struct {
        const char16_t *s, *find;
        int start, out;
    } cases[] = {
        {u"-M -TS", u"-M", 1, 1}, {u"a-TS", u"-TS", 1, 2}, {u"abcabc", u"bc", 3, 5},
        {u"abcabc", u"bc", 6, 0}, {u"abc", u"x", 1, 0}, {u"abc", u"abcd", 1, 0},
        {u"-m", u"-M", 1, 0},                        // exact code units: no case folding
        {u"ポコ丸", u"丸", 1, 3}, {u"abc", u"a", 0, 1}, {u"abc", u"a", -5, 1},
        {u"abc", u"", 1, 1}, {u"abc", u"", 4, 4}, {u"abc", u"", 5, 0}, {u"", u"", 1, 1},
        {u"", u"a", 1, 0}, {u"abc", u"c", 100, 0},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(InStr(c.s, c.find, c.start), c.out) << ToUtf8(c.s) << " / " << ToUtf8(c.find);
    }
}

TEST(InStrText, CaseWidthAndKanaTypeIgnored) {
    const struct {
        const char16_t *s, *find;
        int start, out;
    } cases[] = {
        {u"x<a href=", u"<A HREF=", 1, 2}, {u"<A HREF=", u"<a href=", 1, 1}, {u"</a></A>", u"</A>", 2, 5},
        {u"ＡＢ", u"ａｂ", 1, 1}, {u"x＜Ａ\u3000ｈｒｅｆ＝", u"<A HREF=", 1, 2},  // full-width forms
        {u"..\uFF97\uFF73\uFF9D\uFF7C\uFF9E!", u"ラウンジ", 1, 3},  // half-width katakana: ﾗｳﾝｼﾞ
        {u"<b>らうんじ</b>", u"ラウンジ", 1, 4},                          // hiragana as katakana
        {u"ラウンジ", u"ウン", 1, 2}, {u"ab", u"B", 3, 0}, {u"ab", u"", 2, 2}, {u"a", u"ab", 1, 0}, {u"Ab", u"b", -4, 2},
    };
    for (const auto& c : cases)
        EXPECT_EQ(InStrText(c.s, c.find, c.start, SameFolded), c.out) << ToUtf8(c.s) << " / " << ToUtf8(c.find);
}

TEST(InStrRev, LastOccurrence) {
    const struct {
        const char16_t *s, *find;
        int out;
    } cases[] = {
        {u"C:\\a\\b.exe", u"\\", 5}, {u"abab", u"ab", 3}, {u"abc", u"x", 0}, {u"aaa", u"aa", 2},
        {u"abc", u"", 4}, {u"", u"a", 0},
    };
    for (const auto& c : cases) EXPECT_EQ(InStrRev(c.s, c.find), c.out) << ToUtf8(c.s);
}

TEST(Cutting, MidLeftRightClampInsteadOfFailing) {
    const Text s = u"TIME=0730";
    const struct {
        Text got;
        const char16_t* want;
    } cases[] = {
        {Mid(s, 6, 4), u"0730"}, {Mid(s, 6), u"0730"}, {Mid(s, 8, 10), u"30"},
        {Mid(s, 10, 4), u""}, {Mid(s, 100), u""}, {Mid(s, 0, 4), u"TIME"}, {Mid(s, -3), s.c_str()},
        {Mid(s, 1, 0), u""}, {Left(s, 4), u"TIME"}, {Left(s, 0), u""}, {Left(s, -1), u""},
        {Left(s, 99), s.c_str()}, {Right(s, 4), u"0730"}, {Right(s, -1), u""},
        {Right(s, 99), s.c_str()}, {Mid(u"ポコ丸", 2, 1), u"コ"},
    };
    for (size_t i = 0; i < std::size(cases); ++i) {
        EXPECT_EQ(ToUtf8(cases[i].got), ToUtf8(cases[i].want)) << "case " << i;
    }
}

TEST(ReplaceAll, NonOverlappingLeftToRight) {
    const struct {
        const char16_t *s, *find, *with, *out;
    } cases[] = {
        {u"a<br>b<br>", u"<br>", u"\n", u"a\nb\n"}, {u"aaa", u"aa", u"b", u"ba"},
        {u"abc", u"", u"x", u"abc"}, {u"abc", u"b", u"", u"ac"}, {u"aa", u"a", u"aa", u"aaaa"},
        {u"", u"a", u"b", u""},
    };
    for (const auto& c : cases) EXPECT_EQ(ToUtf8(ReplaceAll(c.s, c.find, c.with)), ToUtf8(c.out));
}

TEST(AsciiUpper, OnlyLatinLowercase) {
    EXPECT_EQ(ToUtf8(AsciiUpper(u"reboot Exit.bat")), "REBOOT EXIT.BAT");
    // Full-width and accented letters and kana stay as they are.
    EXPECT_EQ(ToUtf8(AsciiUpper(u"ｅｘｉｔ é ぽ {`}")), "ｅｘｉｔ é ぽ {`}");
}

}  // namespace
}  // namespace poko
