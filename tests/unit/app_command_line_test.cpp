// The command-line grammar: four case-sensitive substrings, first occurrence each.
#include <gtest/gtest.h>

#include "app/command_line.h"
#include "tests/support/fake_platform.h"

using namespace poko;

namespace {

struct Case {
    Text args;
    bool minimise, toggle;
    std::optional<Text> hour, minute, target;
};

std::string Show(const std::optional<Text>& t) { return t ? "\"" + Utf8(*t) + "\"" : "(none)"; }

TEST(ParseCommandLine, Examples) {
    const std::nullopt_t no = std::nullopt;
    const Text kLong(16000, u'x');
    const Case cases[] = {
        {u"", false, false, no, no, no},
        {u"TIME=0730 -TS", false, true, u"7", u"30", no},
        {u"-TS TIME=0730", false, true, u"7", u"30", no},
        {u"TIME=7:30", false, false, u"7", u"30", no},
        {u"TIME=07:30", false, false, u"7", u"0", no},
        {u"-TS TIME=730", false, true, no, no, no},
        {u"TIME=2359", false, false, u"23", u"59", no},
        {u"TIME=9999", false, false, u"99", u"99", no},  // the change rules deal with range
        {u"TIME=0730 TIME=1200", false, false, u"7", u"30", no},
        {u"FILE=\"C:\\My-Music\\a.mp3\"", true, false, no, no, u"C:\\My-Music\\a.mp3"},
        {u"-m -ts time=0730 file=\"x\"", false, false, no, no, no},
        {u"-M FILE=\"C:\\a b.txt", true, false, no, no, no},
        {u"FILE=\"\"", false, false, no, no, u""},
        {u"FILE=\" EXIT\" -M", true, false, no, no, u" EXIT"},
        {u"FILE=\"!会議\" TIME=0805 -TS -M", true, true, u"8", u"5", u"!会議"},
        {u"-M-TS", true, true, no, no, no},
        {u"FILE=\"a\" FILE=\"b\"", false, false, no, no, u"a"},
        {u"FILE=x FILE=\"y\"", false, false, no, no, no},  // the first FILE= decides
        // Hostile texts: the same rules, no more.
        {u"-TS FILE=\"x", false, true, no, no, no},                      // unmatched quote
        {u"FILE=\"x\" -M FILE=\"", true, false, no, no, u"x"},
        {u"\"\"\" FILE=", false, false, no, no, no},
        {u"-M TIME=", true, false, no, no, no},                          // TIME= at the very end
        {u"TIME=073", false, false, no, no, no},
        {u"FILE=\"\" FILE=\"x\"", false, false, no, no, u""},
        {u"-M -M -TS -TS TIME=1200 TIME=0730", true, true, u"12", u"0", no},
        {u"FILE=\"!\U0001F600 caf\u00E9 \u00A5\"", false, false, no, no, u"!\U0001F600 caf\u00E9 \u00A5"},
        {Text(u"FILE=\"") + char16_t(0xD800) + u"\" TIME=\uFF11\uFF12ab", false, false, u"0", u"0",
         Text(1, char16_t(0xD800))},
        {u"FILE=\"a\nb\"\t-M\r\n", true, false, no, no, u"a\nb"},
        {kLong + u" -TS TIME=0730 FILE=\"" + kLong + u"\"", false, true, u"7", u"30", kLong},
    };
    for (const Case& c : cases) {
        const CommandLine cl = ParseCommandLine(c.args);
        SCOPED_TRACE(Utf8(c.args));
        EXPECT_EQ(cl.minimise, c.minimise);
        EXPECT_EQ(cl.toggleAlarm, c.toggle);
        EXPECT_EQ(Show(cl.hour), Show(c.hour));
        EXPECT_EQ(Show(cl.minute), Show(c.minute));
        EXPECT_EQ(Show(cl.target), Show(c.target));
    }
}

}  // namespace
