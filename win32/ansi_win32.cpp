// The ANSI code page of the Windows builds: the system's own conversions.
#include "base/ansi.h"

#ifndef WIN32_LEAN_AND_MEAN
#define WIN32_LEAN_AND_MEAN
#endif
#ifndef NOMINMAX
#define NOMINMAX
#endif
#include <windows.h>

#include <climits>

namespace poko {

static_assert(sizeof(wchar_t) == sizeof(char16_t), "Win32 wide text is UTF-16");

// No best-fit mapping: it would quietly turn "é" into "e" and so name another
// file; a '?' cannot name a file, and matches what the native build does.
constexpr DWORD kToAnsiFlags = WC_NO_BEST_FIT_CHARS;

// Lengths are passed explicitly (never -1), so embedded NULs are converted too and
// no terminator is added. Texts beyond INT_MAX units cannot occur in this program;
// they are cut rather than overflowing the length argument.

std::string ToAnsi(const Text& text) {
    if (text.empty()) return {};
    const int len = text.size() > INT_MAX / 2 ? INT_MAX / 2 : static_cast<int>(text.size());
    const auto* wide = reinterpret_cast<const wchar_t*>(text.data());
    const int need = WideCharToMultiByte(CP_ACP, kToAnsiFlags, wide, len, nullptr, 0, nullptr, nullptr);
    if (need <= 0) return {};
    std::string out(static_cast<size_t>(need), '\0');
    const int got = WideCharToMultiByte(CP_ACP, kToAnsiFlags, wide, len, out.data(), need, nullptr, nullptr);
    out.resize(got > 0 ? static_cast<size_t>(got) : 0);
    return out;
}

Text FromAnsi(std::string_view ansi) {
    if (ansi.empty()) return {};
    const int len = ansi.size() > INT_MAX ? INT_MAX : static_cast<int>(ansi.size());
    const int need = MultiByteToWideChar(CP_ACP, 0, ansi.data(), len, nullptr, 0);
    if (need <= 0) return {};
    Text out(static_cast<size_t>(need), u'\0');
    const int got =
        MultiByteToWideChar(CP_ACP, 0, ansi.data(), len, reinterpret_cast<wchar_t*>(out.data()), need);
    out.resize(got > 0 ? static_cast<size_t>(got) : 0);
    return out;
}

}  // namespace poko
