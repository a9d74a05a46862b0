// The record layouts the system relies on, proven where the shipped 32-bit program is
// built: the machines we test on cannot run 32-bit code, so the end-to-end tests never
// see these records at work. The numbers are those the portable code fills in (the
// tray record's cbSize, the open-file record's lStructSize, the privileges buffer
// length, the version record's size); the platform layer passes the system's own
// constants, and these asserts prove the two agree in the i686 build.
#include <windows.h>
#include <commdlg.h>
#include <mmsystem.h>
#include <reason.h>
#include <shellapi.h>
#include <wininet.h>

#include <cstddef>
#include <type_traits>

#include "platform/platform.h"
#include "win32/win32.h"

namespace poko {

// Any pointer width: the portable types hold what the platform layer puts in them, and
// the replacement window procedure has the system's calling convention.
static_assert(sizeof(Handle) >= sizeof(HANDLE) && sizeof(Handle) >= sizeof(WPARAM));
static_assert(sizeof(Colour) == sizeof(COLORREF));
static_assert(COLOR_BTNTEXT_ == COLOR_BTNTEXT);
static_assert(OsVersion{}.recordSize == sizeof(OSVERSIONINFOA));
static_assert(std::is_same_v<decltype(&WindowProc), WNDPROC>);

// The numbers the portable code passes (platform/system_numbers.h) are the system's.
static_assert(NIM_ADD_ == NIM_ADD && NIM_MODIFY_ == NIM_MODIFY && NIM_DELETE_ == NIM_DELETE);
static_assert(NIF_MESSAGE_ == NIF_MESSAGE && NIF_ICON_ == NIF_ICON && NIF_TIP_ == NIF_TIP && NIF_INFO_ == NIF_INFO &&
              NIIF_WARNING_ == NIIF_WARNING);
static_assert(ES_SYSTEM_REQUIRED_ == ES_SYSTEM_REQUIRED && ES_DISPLAY_REQUIRED_ == ES_DISPLAY_REQUIRED &&
              ES_CONTINUOUS_ == ES_CONTINUOUS);
static_assert(WM_MOUSEMOVE_ == WM_MOUSEMOVE && WM_LBUTTONUP_ == WM_LBUTTONUP && WM_LBUTTONDBLCLK_ == WM_LBUTTONDBLCLK &&
              WM_RBUTTONUP_ == WM_RBUTTONUP && WM_MOUSEWHEEL_ == WM_MOUSEWHEEL);
static_assert(MB_OK_ == MB_OK && MB_YESNO_ == MB_YESNO && MB_ICONSTOP_ == MB_ICONSTOP &&
              MB_ICONEXCLAMATION_ == MB_ICONEXCLAMATION && MB_ICONINFORMATION_ == MB_ICONINFORMATION &&
              MB_DEFBUTTON2_ == MB_DEFBUTTON2 && MB_SETFOREGROUND_ == MB_SETFOREGROUND && MB_TOPMOST_ == MB_TOPMOST &&
              IDYES_ == IDYES && IDNO_ == IDNO);
static_assert(SND_ASYNC_ == SND_ASYNC && SND_NODEFAULT_ == SND_NODEFAULT && SND_LOOP_ == SND_LOOP &&
              SND_FILENAME_ == SND_FILENAME);
static_assert(SW_SHOW_ == SW_SHOW && GWL_EXSTYLE_ == GWL_EXSTYLE && WS_EX_LAYERED_ == WS_EX_LAYERED &&
              LWA_ALPHA_ == LWA_ALPHA);
static_assert(VER_PLATFORM_WIN32_NT_ == VER_PLATFORM_WIN32_NT && TOKEN_ADJUST_PRIVILEGES_ == TOKEN_ADJUST_PRIVILEGES &&
              TOKEN_QUERY_ == TOKEN_QUERY && SE_PRIVILEGE_ENABLED_ == SE_PRIVILEGE_ENABLED);
static_assert(EWX_SHUTDOWN_ == EWX_SHUTDOWN && EWX_REBOOT_ == EWX_REBOOT && EWX_FORCE_ == EWX_FORCE);
static_assert(SHUTDOWN_FORCE_OTHERS_ == SHUTDOWN_FORCE_OTHERS && SHUTDOWN_FORCE_SELF_ == SHUTDOWN_FORCE_SELF &&
              SHUTDOWN_POWEROFF_ == SHUTDOWN_POWEROFF && ERROR_SUCCESS_ == ERROR_SUCCESS &&
              ERROR_CALL_NOT_IMPLEMENTED_ == ERROR_CALL_NOT_IMPLEMENTED);
static_assert(SHTDN_REASON_MAJOR_OTHER_ == SHTDN_REASON_MAJOR_OTHER && SHTDN_REASON_MINOR_OTHER_ == SHTDN_REASON_MINOR_OTHER &&
              SHTDN_REASON_FLAG_PLANNED_ == SHTDN_REASON_FLAG_PLANNED);
static_assert(CF_TEXT_ == CF_TEXT && INTERNET_OPEN_TYPE_PRECONFIG_ == INTERNET_OPEN_TYPE_PRECONFIG &&
              INTERNET_FLAG_RELOAD_ == INTERNET_FLAG_RELOAD &&
              INTERNET_FLAG_NO_COOKIES_ == INTERNET_FLAG_NO_COOKIES && INTERNET_FLAG_NO_UI_ == INTERNET_FLAG_NO_UI);
static_assert(LINGUISTIC_IGNORECASE_ == LINGUISTIC_IGNORECASE && NORM_IGNOREKANATYPE_ == NORM_IGNOREKANATYPE &&
              NORM_IGNOREWIDTH_ == NORM_IGNOREWIDTH && CSTR_EQUAL_ == CSTR_EQUAL);
static_assert(INVALID_FILE_ATTRIBUTES_ == INVALID_FILE_ATTRIBUTES &&
              FILE_ATTRIBUTE_READONLY_ == FILE_ATTRIBUTE_READONLY && FILE_ATTRIBUTE_DIRECTORY_ == FILE_ATTRIBUTE_DIRECTORY);

#ifndef _WIN64
static_assert(sizeof(void*) == 4);

// Shell_NotifyIconA: the first ANSI version of the tray record, which ends after a
// tip of 64 bytes (the headers' record is a later, longer version).
static_assert(NOTIFYICONDATAA_V1_SIZE == NOTIFYICONDATAA_V1_SIZE_);
static_assert(offsetof(NOTIFYICONDATAA, hWnd) == 4 && offsetof(NOTIFYICONDATAA, uID) == 8 &&
              offsetof(NOTIFYICONDATAA, uFlags) == 12 && offsetof(NOTIFYICONDATAA, uCallbackMessage) == 16 &&
              offsetof(NOTIFYICONDATAA, hIcon) == 20 && offsetof(NOTIFYICONDATAA, szTip) + 64 == 88);

// GetOpenFileNameA: the record of Windows 95 and NT 4 (OPENFILENAME_SIZE_VERSION_400A,
// which is no constant expression), ending where the Windows 2000 members begin.
static_assert(offsetof(OPENFILENAMEA, lpTemplateName) + sizeof(OPENFILENAMEA::lpTemplateName) ==
              OPENFILENAME_SIZE_VERSION_400A_);
static_assert(offsetof(OPENFILENAMEA, pvReserved) == OPENFILENAME_SIZE_VERSION_400A_);
static_assert(offsetof(OPENFILENAMEW, pvReserved) == OPENFILENAME_SIZE_VERSION_400A_);  // the UTF-16 dialog's, the same

// AdjustTokenPrivileges: one privilege entry, the buffer length the shutdown passes.
static_assert(sizeof(TOKEN_PRIVILEGES) == TOKEN_PRIVILEGES_SIZE_ && sizeof(LUID) == 8);

// GetVersionExA: dwOSVersionInfoSize.
static_assert(sizeof(OSVERSIONINFOA) == OSVERSIONINFOA_SIZE_);

// SetWindowLongA(GWL_WNDPROC) and (GWL_USERDATA) hold the window procedures, and
// the window procedure hook gets wParam whole.
static_assert(sizeof(LONG) == sizeof(WNDPROC) && sizeof(LONG_PTR) == sizeof(LONG));
static_assert(sizeof(WPARAM) == 4 && sizeof(LPARAM) == 4);
#endif

}  // namespace poko
