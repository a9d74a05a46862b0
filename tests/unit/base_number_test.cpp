#include <cmath>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <random>
#include <string>
#include <utility>

#include <gtest/gtest.h>

#include "base/number.h"
#include "base/text.h"

namespace poko {
namespace {

struct ValueCase {
    const char16_t* text;
    double value;
};

// Every example the rule's own description gives comes first.
const ValueCase kLeadingNumberCases[] = {
    {u"12abc", 12}, {u"abc", 0}, {u"", 0}, {u"1 5", 15}, {u"2e1", 20},
    {u"7.9", 7.9}, {u"-0.5", -0.5}, {u"07", 7}, {u"1.5.3", 1.5}, {u"2d2", 200},
    {u"&H1F", 31}, {u"&O17", 15}, {u" - 3", -3}, {u"+4", 4}, {u".5", 0.5},
    {u"1e-400", 0}, {u"1e", 1},
    // Ignored characters may stand anywhere, even inside the exponent or "&H".
    {u"\t7\n", 7}, {u"1\t2\n3", 123}, {u"1 e 2", 100}, {u"& h 1f", 31}, {u"2e - 1", 0.2},
    // Other white space is not ignored.
    {u"\r3", 0}, {u"\u30003", 0}, {u"3\r4", 3},
    // Exponent letters and forms.
    {u"1E2", 100}, {u"1D-2", 0.01}, {u"1e+", 1}, {u"1e-", 1}, {u"1ex", 1}, {u"1e1.5", 10},
    {u"5.", 5}, {u"-.5", -0.5}, {u".", 0}, {u"e5", 0}, {u".e5", 0}, {u"0.0e5", 0},
    // A sign only once, and only before the digits.
    {u"--3", 0}, {u"+-3", 0}, {u"-", 0}, {u"3-2", 3},
    // Radix forms: either case, digits of their own radix only, no sign.
    {u"&hff", 255}, {u"&o777", 511}, {u"&H", 0}, {u"&Hg", 0}, {u"&O8", 0}, {u"&O78", 7},
    {u"&X1", 0}, {u"&", 0}, {u"-&H1", 0}, {u"&H1F.5", 31},
    // Only ASCII digits count.
    {u"\uFF11\uFF12", 0}, {u"1\uFF12", 1}, {u"0x1F", 0},
    // The nearest double: a decimal tie rounds to even, and digits far to the right
    // still decide (more digits than any fixed buffer would hold).
    {u"0.1", 0.1}, {u"9007199254740993", 9007199254740992.0},
    {u"1.7976931348623157e308", 1.7976931348623157e308}, {u"4.9406564584124654e-324", 5e-324},
};

TEST(LeadingNumberValue, ReadsTheLongestLeadingNumber) {
    for (const auto& c : kLeadingNumberCases) {
        const LeadingNumber n = LeadingNumberValue(c.text);
        EXPECT_FALSE(n.overflow) << ToUtf8(c.text);
        EXPECT_EQ(n.value, c.value) << ToUtf8(c.text);
    }
}

TEST(LeadingNumberValue, LongDigitStringsRoundCorrectly) {
    const std::u16string zeros(900, u'0');
    struct {
        std::u16string text;
        double value;
    } cases[] = {
        {u"1" + zeros + u"e-900", 1},
        {u"0." + zeros + u"25e901", 2.5},
        // Exactly halfway between two doubles rounds to even; a non-zero digit
        // hundreds of places later tips it up.
        {u"9007199254740993." + zeros, 9007199254740992.0},
        {u"9007199254740993." + zeros + u"1", 9007199254740994.0},
    };
    for (const auto& c : cases) {
        const LeadingNumber n = LeadingNumberValue(c.text);
        EXPECT_FALSE(n.overflow) << ToUtf8(c.text).substr(0, 40);
        EXPECT_EQ(n.value, c.value) << ToUtf8(c.text).substr(0, 40);
    }
}

TEST(LeadingNumberValue, TooLargeIsOverflowNotACrash) {
    const std::u16string cases[] = {
        u"1e400", u"-1e400", std::u16string(400, u'9'), u"1e99999999999999999999",
        u"0.01e311", u"&H" + std::u16string(300, u'F'),
    };
    for (const auto& text : cases) {
        EXPECT_TRUE(LeadingNumberValue(text).overflow) << ToUtf8(text).substr(0, 40);
    }
    // Too small is not overflow: it reads 0.
    const LeadingNumber tiny = LeadingNumberValue(u"1e-99999999999999999999");
    EXPECT_FALSE(tiny.overflow);
    EXPECT_EQ(tiny.value, 0);
}

// The conversions are written out by hand (the library's would triple the size of the
// program); the C library's correctly rounded ones are the reference here.
TEST(LeadingNumberValue, AgreesWithStrtodOnRandomTexts) {
    std::mt19937_64 random(8);
    for (int i = 0; i < 20000; ++i) {
        char text[900];
        if (i % 2) {
            // Random digits around a random point, with exponents across the whole range.
            std::string digits;
            for (int n = static_cast<int>(random() % 30) + 1; n > 0; --n) digits += static_cast<char>('0' + random() % 10);
            std::snprintf(text, sizeof text, "%s.%se%d", digits.substr(0, random() % digits.size()).c_str(),
                          digits.substr(digits.size() / 2).c_str(), static_cast<int>(random() % 700) - 350);
        } else {
            // Exactly halfway between two neighbouring doubles, or cut short just below it.
            double x;
            const uint64_t bits = random() >> 1;
            std::memcpy(&x, &bits, sizeof x);
            if (!std::isfinite(x) || !std::isfinite(std::nextafter(x, INFINITY))) continue;
            const long double half = (static_cast<long double>(x) + std::nextafter(x, INFINITY)) / 2;
            std::snprintf(text, sizeof text, "%.*Le", i % 4 ? 800 : 40, half);
        }
        const double expected = std::strtod(text, nullptr);
        const LeadingNumber n = LeadingNumberValue(FromUtf8(text));
        ASSERT_EQ(n.overflow, std::isinf(expected)) << text;
        if (!n.overflow) {
            ASSERT_EQ(n.value, expected) << text;
        }
    }
}

// The significant digits (no leading or trailing zeros) and the power of ten of the
// first one, of a number written positionally or with an exponent.
std::pair<std::string, int> Significant(const std::string& s) {
    std::string digits;
    size_t point = std::string::npos, i = 0;
    for (; i < s.size() && s[i] != 'e' && s[i] != 'E'; ++i) {
        if (s[i] == '.') point = digits.size();
        else if (s[i] != '-') digits += s[i];
    }
    if (point == std::string::npos) point = digits.size();
    const size_t lead = digits.find_first_not_of('0');
    digits = digits.substr(lead, digits.find_last_not_of('0') + 1 - lead);
    return {digits, static_cast<int>(point - lead) - 1 + (i < s.size() ? std::atoi(s.c_str() + i + 1) : 0)};
}

TEST(DecimalText, AgreesWithPrintfOnRandomNumbers) {
    std::mt19937_64 random(9);
    for (int i = 0; i < 20000; ++i) {
        const uint64_t bits = random();
        double x;
        std::memcpy(&x, &bits, sizeof x);
        const bool single = i % 2;
        if (single) x = std::ldexp(static_cast<double>(bits >> 40), static_cast<int>(bits % 300) - 170);
        if (!std::isfinite(x) || x == 0 || (single && static_cast<float>(x) != x)) continue;
        char expected[64];
        std::snprintf(expected, sizeof expected, "%.*e", single ? 6 : 14, x);
        const std::string ours = ToUtf8(single ? SingleText(static_cast<float>(x)) : DecimalText(x));
        ASSERT_EQ(Significant(ours), Significant(expected)) << ours << " " << expected;
    }
}

TEST(RoundHalfEven, HalvesGoToEven) {
    const struct {
        double in, out;
    } cases[] = {
        {0.5, 0}, {1.5, 2}, {2.5, 2}, {255.5, 256}, {254.5, 254}, {-1.5, -2}, {-2.5, -2},
        {1.2, 1}, {-1.7, -2}, {204, 204},
        // Traps of the floor(x + 0.5) shortcut.
        {0.49999999999999994, 0}, {4503599627370497.0, 4503599627370497.0},
        {1e300, 1e300},
    };
    for (const auto& c : cases) EXPECT_EQ(RoundHalfEven(c.in), c.out) << c.in;
    EXPECT_TRUE(std::signbit(RoundHalfEven(-0.5)));
}

TEST(DecimalText, PlainFormAsWrittenIntoABox) {
    const struct {
        double in;
        const char16_t* out;
    } cases[] = {
        {7, u"7"}, {-1, u"-1"}, {0, u"0"}, {-0.0, u"0"}, {0.5, u"0.5"}, {7.9, u"7.9"},
        {0.1 + 0.2, u"0.3"}, {1.0 / 3, u"0.333333333333333"}, {-2.0 / 3, u"-0.666666666666667"},
        {123456789012345.6, u"123456789012346"}, {999999999999999, u"999999999999999"},
        {999999999999999.9, u"1E+15"}, {1e15, u"1E+15"}, {1e20, u"1E+20"},
        {-1.25e100, u"-1.25E+100"}, {1.5e-7, u"1.5E-07"}, {0.0001, u"0.0001"},
        {0.00012, u"0.00012"}, {0.00001, u"1E-05"}, {5e-324, u"4.94065645841247E-324"},
        // Rounding up would pass the largest double, and the text would read as overflow.
        {1.7976931348623157e308, u"1.79769313486231E+308"}, {-1.797693134862312e308, u"-1.79769313486231E+308"},
        {1.79769313486231e308, u"1.79769313486231E+308"},
    };
    for (const auto& c : cases) EXPECT_EQ(ToUtf8(DecimalText(c.in)), ToUtf8(c.out)) << c.in;
}

// Writing back what was read must change nothing, for any double.
TEST(DecimalText, ReadingItBackIsStable) {
    std::mt19937_64 random(20261206);
    std::uniform_real_distribution<double> modest(-1e6, 1e6);
    for (int i = 0; i < 20000; ++i) {
        double x;
        if (i % 2 == 0) {
            const uint64_t bits = random();
            std::memcpy(&x, &bits, sizeof x);
            if (!std::isfinite(x)) continue;
        } else {
            x = modest(random);
        }
        const Text once = DecimalText(x);
        const LeadingNumber back = LeadingNumberValue(once);
        ASSERT_FALSE(back.overflow) << ToUtf8(once);
        ASSERT_EQ(ToUtf8(DecimalText(back.value)), ToUtf8(once)) << x;
    }
}

TEST(SingleText, SevenSignificantDigits) {
    const struct {
        float in;
        const char16_t* out;
    } cases[] = {
        {1500, u"1500"}, {-75, u"-75"}, {0, u"0"}, {-0.0f, u"0"}, {0.5f, u"0.5"}, {0.1f, u"0.1"},
        {1234567, u"1234567"}, {12345678, u"1.234568E+07"}, {16777216, u"1.677722E+07"},
        {1e-5f, u"1E-05"}, {-3.25f, u"-3.25"}, {1.0f / 3, u"0.3333333"},
    };
    for (const auto& c : cases) EXPECT_EQ(ToUtf8(SingleText(c.in)), ToUtf8(c.out)) << c.in;
}

}  // namespace
}  // namespace poko
