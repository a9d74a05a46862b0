// Conversion between Text and the system ANSI code page (932 on the systems the
// program serves). Every "A" platform call, the settings file and downloaded pages
// go through here. Windows uses CP_ACP itself; native builds (tests) use iconv with
// CP932, so the host tests see the bytes a Japanese Windows would.
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

// Native builds only: the code page that stands for the system's, by its iconv name,
// "CP932" unless a test asks for another ("CP1252", as on a Western Windows).
void UseNativeCodePage(const char* iconvName);

}  // namespace poko
