// The record layouts the system relies on, proven where the shipped 32-bit program is
// built: the machines we test on cannot run 32-bit code, so the end-to-end tests never
// see these records at work. The numbers are those the portable code fills in (the
// tray record's cbSize, the open-file record's lStructSize, the privileges buffer
// length, the version record's size); the platform layer passes the system's own
// constants, and these asserts prove the two agree in the i686 build.
#include <windows.h>
#include <commdlg.h>
#include <shellapi.h>

#include <cstddef>
#include <type_traits>

#include "platform/platform.h"
#include "platform/win32/win32.h"

namespace poko {

// Any pointer width: the portable types hold what the platform layer puts in them, and
// the replacement window procedure has the system's calling convention.
static_assert(sizeof(Handle) >= sizeof(HANDLE) && sizeof(Handle) >= sizeof(WPARAM));
static_assert(sizeof(Colour) == sizeof(COLORREF));
static_assert(OsVersion{}.recordSize == sizeof(OSVERSIONINFOA));
static_assert(std::is_same_v<decltype(&WindowProc), WNDPROC>);

#ifndef _WIN64
static_assert(sizeof(void*) == 4);

// Shell_NotifyIconA: the first ANSI version of the tray record, which ends after a
// tip of 64 bytes (the headers' record is a later, longer version).
static_assert(NOTIFYICONDATAA_V1_SIZE == 88);
static_assert(offsetof(NOTIFYICONDATAA, hWnd) == 4 && offsetof(NOTIFYICONDATAA, uID) == 8 &&
              offsetof(NOTIFYICONDATAA, uFlags) == 12 && offsetof(NOTIFYICONDATAA, uCallbackMessage) == 16 &&
              offsetof(NOTIFYICONDATAA, hIcon) == 20 && offsetof(NOTIFYICONDATAA, szTip) + 64 == 88);

// GetOpenFileNameA: the record of Windows 95 and NT 4 (OPENFILENAME_SIZE_VERSION_400A,
// which is no constant expression), ending where the Windows 2000 members begin.
static_assert(offsetof(OPENFILENAMEA, lpTemplateName) + sizeof(OPENFILENAMEA::lpTemplateName) == 76);
static_assert(offsetof(OPENFILENAMEA, pvReserved) == 76);
static_assert(offsetof(OPENFILENAMEW, pvReserved) == 76);  // the UTF-16 dialog's, the same

// AdjustTokenPrivileges: one privilege entry, the buffer length the shutdown passes.
static_assert(sizeof(TOKEN_PRIVILEGES) == 16 && sizeof(LUID) == 8);

// GetVersionExA: dwOSVersionInfoSize.
static_assert(sizeof(OSVERSIONINFOA) == 148);

// SetWindowLongA(GWL_WNDPROC) and (GWL_USERDATA) hold the window procedures, and
// the window procedure hook gets wParam whole.
static_assert(sizeof(LONG) == sizeof(WNDPROC) && sizeof(LONG_PTR) == sizeof(LONG));
static_assert(sizeof(WPARAM) == 4 && sizeof(LPARAM) == 4);
#endif

}  // namespace poko
