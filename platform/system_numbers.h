// The numbers the portable code hands to the platform, each once, under the system's
// own name (with a trailing "_": the system's headers make the plain names macros). The
// Win32 build proves that they agree with those headers (win32/layout_checks.cpp).
#pragma once

#include <cstdint>

namespace poko {

// Shell_NotifyIconA: its messages, its record's first ANSI size and the fields it sets;
// the icon's mouse messages come back as the window's mouse moves.
inline constexpr std::uint32_t NIM_ADD_ = 0, NIM_MODIFY_ = 1, NIM_DELETE_ = 2;
inline constexpr std::uint32_t NOTIFYICONDATAA_V1_SIZE_ = 88;
inline constexpr std::uint32_t NIF_MESSAGE_ = 1, NIF_ICON_ = 2, NIF_TIP_ = 4;
// Shell_NotifyIconW: a balloon and its warning icon.
inline constexpr std::uint32_t NIF_INFO_ = 0x10, NIIF_WARNING_ = 2;
inline constexpr std::uint32_t WM_MOUSEMOVE_ = 0x200, WM_LBUTTONUP_ = 0x202, WM_LBUTTONDBLCLK_ = 0x203,
                               WM_RBUTTONUP_ = 0x205, WM_MOUSEWHEEL_ = 0x20A;

// MessageBox styles and answers; MessageBeep's default sound.
inline constexpr std::uint32_t MB_OK_ = 0, MB_YESNO_ = 4, MB_ICONSTOP_ = 16, MB_ICONEXCLAMATION_ = 48,
                               MB_ICONINFORMATION_ = 64, MB_DEFBUTTON2_ = 256, MB_SETFOREGROUND_ = 0x10000,
                               MB_TOPMOST_ = 0x40000;
inline constexpr int IDYES_ = 6, IDNO_ = 7;

// ShellExecuteA's show command.
inline constexpr std::int32_t SW_SHOW_ = 5;

// The window's opacity: SetWindowLongA and SetLayeredWindowAttributes.
inline constexpr std::int32_t GWL_EXSTYLE_ = -20, WS_EX_LAYERED_ = 0x80000;
inline constexpr std::uint32_t LWA_ALPHA_ = 2;

// Shutting down: the version's platform, the token and its privilege, ExitWindowsEx.
inline constexpr std::uint32_t OSVERSIONINFOA_SIZE_ = 148, VER_PLATFORM_WIN32_NT_ = 2;
inline constexpr std::uint32_t TOKEN_ADJUST_PRIVILEGES_ = 0x20, TOKEN_QUERY_ = 0x8;
inline constexpr std::uint32_t TOKEN_PRIVILEGES_SIZE_ = 16, SE_PRIVILEGE_ENABLED_ = 2;
inline constexpr std::uint32_t EWX_SHUTDOWN_ = 1, EWX_REBOOT_ = 2, EWX_FORCE_ = 4;
// InitiateShutdownW: every program closed, this one too, without asking, and the power
// off; its answers. The reason of both calls: planned, "other".
inline constexpr std::uint32_t SHUTDOWN_FORCE_OTHERS_ = 1, SHUTDOWN_FORCE_SELF_ = 2, SHUTDOWN_POWEROFF_ = 8;
inline constexpr std::uint32_t ERROR_SUCCESS_ = 0, ERROR_CALL_NOT_IMPLEMENTED_ = 120;
inline constexpr std::uint32_t SHTDN_REASON_MAJOR_OTHER_ = 0, SHTDN_REASON_MINOR_OTHER_ = 0,
                               SHTDN_REASON_FLAG_PLANNED_ = 0x80000000;

// GetOpenFileNameA: the record of Windows 95 and NT 4.
inline constexpr std::uint32_t OPENFILENAME_SIZE_VERSION_400A_ = 76;

// The clipboard's plain text.
inline constexpr std::uint32_t CF_TEXT_ = 1;

// WinINet.
inline constexpr std::uint32_t INTERNET_OPEN_TYPE_PRECONFIG_ = 0;
inline constexpr std::uint32_t INTERNET_FLAG_RELOAD_ = 0x80000000, INTERNET_FLAG_NO_COOKIES_ = 0x80000,
                               INTERNET_FLAG_NO_UI_ = 0x200;

// SetThreadExecutionState.
inline constexpr std::uint32_t ES_SYSTEM_REQUIRED_ = 1, ES_DISPLAY_REQUIRED_ = 2, ES_CONTINUOUS_ = 0x80000000;

// CompareStringEx: the user's locale's comparison that ignores case, width and kana type.
inline constexpr std::uint32_t LINGUISTIC_IGNORECASE_ = 0x10, NORM_IGNOREKANATYPE_ = 0x10000,
                               NORM_IGNOREWIDTH_ = 0x20000;
inline constexpr int CSTR_EQUAL_ = 2;

// GetSysColor: the scheme's button text.
inline constexpr std::uint32_t COLOR_BTNTEXT_ = 18;

// PlaySoundW: a file, played in a loop without waiting, and nothing when it cannot be.
inline constexpr std::uint32_t SND_ASYNC_ = 0x1, SND_NODEFAULT_ = 0x2, SND_LOOP_ = 0x8, SND_FILENAME_ = 0x20000;

// GetFileAttributesA.
inline constexpr std::uint32_t INVALID_FILE_ATTRIBUTES_ = 0xFFFFFFFF;
inline constexpr std::uint32_t FILE_ATTRIBUTE_READONLY_ = 0x1, FILE_ATTRIBUTE_DIRECTORY_ = 0x10;

}  // namespace poko
