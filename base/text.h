// Text as the program holds it: UTF-16 code units, as Win32 "W" calls and the
// control model use them. UTF-8 is only for dumps, logs of tests and test data.
#pragma once

#include <string>
#include <string_view>

namespace poko {

using Text = std::u16string;

// Unpaired surrogates become U+FFFD, so any Text gives valid UTF-8.
std::string ToUtf8(const Text& text);

// Malformed input (stray continuation bytes, truncated or overlong sequences,
// encoded surrogates, values above U+10FFFF) gives one U+FFFD per broken sequence
// or stray byte and never stops the conversion.
Text FromUtf8(std::string_view utf8);

// ASCII character classes, as numbers, stored values and web addresses use them.
constexpr bool IsAsciiDigit(char16_t c) { return c >= u'0' && c <= u'9'; }
constexpr bool IsAsciiLetter(char16_t c) { return (c >= u'a' && c <= u'z') || (c >= u'A' && c <= u'Z'); }
constexpr bool IsHexDigit(char16_t c) {
    return IsAsciiDigit(c) || (c >= u'a' && c <= u'f') || (c >= u'A' && c <= u'F');
}

}  // namespace poko
