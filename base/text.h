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

}  // namespace poko
