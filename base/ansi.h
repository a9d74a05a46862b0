// Conversion between Text and the system ANSI code page (932 on the systems the
// program serves). Every "A" platform call, the settings file and downloaded pages
// go through here. The program uses CP_ACP itself (win32/ansi_win32.cpp); native builds
// (tests) use iconv with CP932 (tests/support/ansi_iconv.cpp), so the host tests see the
// bytes a Japanese Windows would.
#pragma once

#include <string>
#include <string_view>

#include "base/text.h"

namespace poko {

// A character the code page lacks becomes '?'. Embedded NULs pass through.
std::string ToAnsi(const Text& text);

// A byte sequence the code page does not define becomes U+FFFD (Windows may give
// its own substitute instead). Never fails, never stops early except at the end.
Text FromAnsi(std::string_view ansi);

// Whether the code page holds every character of the text: it comes back unchanged.
inline bool FitsAnsi(const Text& text) { return FromAnsi(ToAnsi(text)) == text; }

}  // namespace poko
