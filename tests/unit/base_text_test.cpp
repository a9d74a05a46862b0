#include <string>

#include <gtest/gtest.h>

#include "base/ansi.h"
#include "base/text.h"

namespace poko {
namespace {

std::string Hex(const std::string& bytes) {
    static const char kDigits[] = "0123456789ABCDEF";
    std::string out;
    for (unsigned char b : bytes) {
        if (!out.empty()) out += ' ';
        out += kDigits[b >> 4];
        out += kDigits[b & 15];
    }
    return out;
}

TEST(Utf8, ValidTextRoundTrips) {
    const char* cases[] = {"", "abc", "ポコ丸　停止中", "設定時刻", "😀 emoji"};
    for (const char* utf8 : cases) EXPECT_EQ(ToUtf8(FromUtf8(utf8)), utf8);
    EXPECT_EQ(FromUtf8("\xF0\x9F\x98\x80"), Text(u"\U0001F600"));
    EXPECT_EQ(FromUtf8(std::string("a\0b", 3)).size(), 3u);
}

TEST(Utf8, MalformedInputBecomesReplacementCharacters) {
    const struct {
        std::string in;
        Text out;
    } cases[] = {
        {"\x80", u"\uFFFD"},                        // stray continuation byte
        {"a\xC3", u"a\uFFFD"},                      // cut off at the end
        {"a\xE3\x81" "b", u"a\uFFFD" "b"},          // cut off before an ASCII letter
        {"\xC0\xAF", u"\uFFFD\uFFFD"},              // overlong '/'
        {"\xE0\x80\xAF", u"\uFFFD"},                // overlong, three bytes
        {"\xED\xA0\x80", u"\uFFFD"},                // encoded surrogate
        {"\xF4\x90\x80\x80", u"\uFFFD"},            // above U+10FFFF
        {"\xFF\xFEok", u"\uFFFD\uFFFDok"},
    };
    for (const auto& c : cases) EXPECT_EQ(ToUtf8(FromUtf8(c.in)), ToUtf8(c.out)) << Hex(c.in);
}

TEST(Utf8, UnpairedSurrogatesBecomeReplacementCharacters) {
    EXPECT_EQ(ToUtf8(Text(u"a") + char16_t(0xD800) + u"b"), "a\xEF\xBF\xBD" "b");
    EXPECT_EQ(ToUtf8(Text(1, char16_t(0xDC00))), "\xEF\xBF\xBD");
}

// The settings file and downloaded pages are code page 932; these bytes are what a
// Japanese Windows writes, so files move between the two worlds unchanged.
TEST(Ansi, JapaneseTextInCodePage932) {
    const struct {
        const char* utf8;
        const char* cp932;
    } cases[] = {
        {"ポ", "83 7C"},
        {"　", "81 40"},
        {"丸", "8A DB"},
        {"ポコ丸　停止中", "83 7C 83 52 8A DB 81 40 92 E2 8E 7E 92 86"},
        {"設定時刻", "90 DD 92 E8 8E 9E 8D 8F"},
        {"ｱ", "B1"},           // half-width katakana: one byte
        {"～", "81 60"},       // code page 932's own choice, not plain Shift_JIS's
        {"C:\\a b", "43 3A 5C 61 20 62"},
    };
    for (const auto& c : cases) {
        const std::string ansi = ToAnsi(FromUtf8(c.utf8));
        EXPECT_EQ(Hex(ansi), c.cp932) << c.utf8;
        EXPECT_EQ(ToUtf8(FromAnsi(ansi)), c.utf8);
    }
}

TEST(Ansi, EmbeddedNulsPassThrough) {
    const Text text(u"a\0ポ\0", 4);
    const std::string ansi = ToAnsi(text);
    EXPECT_EQ(Hex(ansi), "61 00 83 7C 00");
    EXPECT_EQ(FromAnsi(ansi), text);
}

TEST(Ansi, UnconvertibleCharactersBecomeQuestionMarks) {
    const struct {
        Text in;
        const char* out;
    } cases[] = {
        {u"caf\u00E9", "caf?"},
        {Text(u"a") + char16_t(0xD800) + u"b", "a?b"},     // lone high surrogate
        {Text(u"a") + char16_t(0xDC00), "a?"},             // lone low surrogate
        {Text(u"a") + char16_t(0xD800), "a?"},             // cut off at the end
        {u"\u00E9\u00E9\u00E9", "???"},
        // Characters that iconv maps one way only, where Windows without best fit has none.
        {u"\u00A5\u203E\u00A2\u00A3\u00AC\u2014\u2016\u2212\u301C", "?????????"},
    };
    for (const auto& c : cases) EXPECT_EQ(ToAnsi(c.in), c.out) << ToUtf8(c.in);
#ifdef _WIN32
    EXPECT_EQ(ToAnsi(u"\U0001F600!"), "?\?!");  // Windows marks each half of the pair
#else
    EXPECT_EQ(ToAnsi(u"\U0001F600!"), "?!");
#endif
}

TEST(Ansi, UndefinedBytesBecomeReplacementCharacters) {
#ifdef _WIN32
    GTEST_SKIP() << "Windows puts its own substitutes in (U+30FB, private-use characters)";
#endif
    const struct {
        std::string in;
        Text out;
    } cases[] = {
        {"a\x81", u"a\uFFFD"},                // lead byte cut off at the end
        {"\x81 x", u"\uFFFD x"},              // bad trail byte is kept as itself
        {"\xFF\xFF" "ok", u"\uFFFD\uFFFDok"},
        {"\x83\x7C\xA0\x83\x52", u"ポ\uFFFDコ"},
    };
    for (const auto& c : cases) EXPECT_EQ(ToUtf8(FromAnsi(c.in)), ToUtf8(c.out)) << Hex(c.in);
}

}  // namespace
}  // namespace poko
