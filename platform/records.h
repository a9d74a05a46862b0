// The handles, colours and records that cross the platform's calls, apart from the
// interface itself: the control model and the tray record's fields use them too.
#pragma once

#include <array>
#include <cstdint>

#include "base/text.h"

namespace poko {

using Handle = std::uintptr_t;
using Colour = std::uint32_t;  // COLORREF, 0x00BBGGRR

// The tray record in the shell's ANSI NOTIFYICONDATA layout of 88 bytes.
struct TrayIconRecord {
    std::uint32_t cbSize = 0;
    Handle hWnd = 0;
    std::uint32_t uID = 0;
    std::uint32_t uFlags = 0;
    std::uint32_t uCallbackMessage = 0;
    Handle hIcon = 0;
    std::array<char, 64> szTip{};  // ANSI, NUL-terminated
};

// The tray record as a balloon is given, in the shell's UTF-16 record of its second
// version (the first large enough for a balloon): which icon, the fields set, and the
// balloon's texts and icon. Fields not named in uFlags (the tip, the icon) stay as
// they are.
struct TrayBalloonRecord {
    Handle hWnd = 0;
    std::uint32_t uID = 0;
    std::uint32_t uFlags = 0;
    Text szInfo, szInfoTitle;
    std::uint32_t dwInfoFlags = 0;
};

}  // namespace poko
