// The one door to the operating system. The logic calls these operations with the
// arguments the system's rules name; the Win32 implementation makes the real calls and
// the test fake records them. Texts of the "A" calls cross as ANSI bytes (code page 932
// on the systems served), converted by the caller, so the byte-level rules (buffer
// sizes, cuts) stay in the portable code where they can be tested.
#pragma once

#include <array>
#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "base/text.h"
#include "base/time_format.h"
#include "platform/records.h"
#include "platform/system_numbers.h"

namespace poko {

using Bytes = std::string;  // ANSI text or raw bytes

struct OsVersion {
    std::uint32_t recordSize = OSVERSIONINFOA_SIZE_;  // dwOSVersionInfoSize as the caller fills it
    std::uint32_t major = 0, minor = 0, build = 0, platformId = 0;
};

// The open-file dialog's record (OPENFILENAMEA in its 76-byte form), with its texts as
// byte buffers. Members the caller leaves out are zero or NULL.
struct OpenFileRecord {
    std::uint32_t lStructSize = 0;
    Handle hwndOwner = 0;
    Handle hInstance = 0;
    Bytes filter;  // description NUL pattern NUL ... NUL NUL
    std::uint32_t nFilterIndex = 0;
    Bytes file;  // buffer, its size is the buffer length
    std::uint32_t nMaxFile = 0;
    Bytes fileTitle;
    std::uint32_t nMaxFileTitle = 0;
    Bytes initialDir;
    Bytes title;
    std::uint32_t flags = 0;
    // The chosen path whole, where the dialog answers in UTF-16 (empty otherwise): `file`
    // holds it in the code page, with '?' for what that lacks.
    Text fileWide;
};

// One privilege entry, as AdjustTokenPrivileges takes it.
struct TokenPrivileges {
    std::uint32_t count = 0;
    std::uint64_t luid = 0;
    std::uint32_t attributes = 0;
};

enum class FileKind { Absent, Normal, Other };

class FrmMsg;
class MenuItem;

class Platform {
public:
    virtual ~Platform() = default;

    // Application folder (no trailing separator), command-line argument text, clock.
    virtual Text AppFolder() = 0;
    virtual Text CommandLine() = 0;
    virtual LocalTime Now() = 0;
    // The user's date and time separators ("/" and ":" on Japanese systems).
    virtual Text DateSeparator() = 0;
    virtual Text TimeSeparator() = 0;
    virtual FileKind FileAttributes(const Text& path) = 0;
    // Decodes a picture file into the main window's background; false when it cannot.
    virtual bool LoadBackgroundPicture(const Text& path) = 0;

    // kernel32
    virtual std::uint32_t GetPrivateProfileStringA(const Bytes& section, const Bytes& key, const Bytes& def,
                                                   char* buffer, std::uint32_t size, const Bytes& path) = 0;
    virtual bool WritePrivateProfileStringA(const Bytes& section, const Bytes& key, const Bytes& value,
                                            const Bytes& path) = 0;
    virtual bool GetVersionExA(OsVersion& info) = 0;

    // user32, on the main window
    virtual std::int32_t GetWindowLongA(std::int32_t index) = 0;
    virtual std::int32_t SetWindowLongA(std::int32_t index, std::int32_t value) = 0;
    virtual bool SetLayeredWindowAttributes(Colour key, std::uint8_t alpha, std::uint32_t flags) = 0;
    virtual std::uint32_t RegisterWindowMessageA(const Bytes& name) = 0;
    // Replaces the window procedure by WindowProc through the ANSI call (in its pointer
    // form, SetWindowLongPtrA(GWLP_WNDPROC, ...)), the previous one then kept in
    // GWLP_USERDATA.
    virtual void InstallWindowProc() = 0;
    virtual bool SetForegroundWindow() = 0;
    virtual bool LockWindowUpdate(Handle hwnd) = 0;
    // Shows the menu as a pop-up at the mouse position and returns the chosen item (its
    // click handler is the caller's to run), or nullptr.
    virtual MenuItem* TrackPopupMenu(MenuItem& menu) = 0;
    // Handles the pending window messages once.
    virtual void DoEvents() = 0;
    virtual int MessageBox(const Text& text, const Text& title, std::uint32_t style) = 0;

    // shell32
    virtual bool Shell_NotifyIconA(std::uint32_t message, const TrayIconRecord& record) = 0;
    // The answer is ShellExecuteA's, 32 or less for a failure. With an owner window the
    // shell shows no box of its own for a failure (ShellExecuteEx, SEE_MASK_FLAG_NO_UI):
    // the caller tells it; without one the shell's box is the only word of it.
    virtual Handle ShellExecuteA(Handle owner, const Bytes& verb, const Bytes& file, const Bytes& parameters,
                                 const Bytes& directory, std::int32_t show) = 0;
    // The same with UTF-16 texts, for a target the ANSI code page cannot hold.
    virtual Handle ShellExecuteW(Handle owner, const Text& verb, const Text& file, const Text& parameters,
                                 const Text& directory, std::int32_t show) = 0;

    // Shutdown: the calls in the order they are made.
    virtual Handle GetCurrentProcess() = 0;
    virtual bool OpenProcessToken(Handle process, std::uint32_t access, Handle& token) = 0;
    virtual bool LookupPrivilegeValueA(const Bytes* system, const Bytes& name, std::uint64_t& luid) = 0;
    virtual bool AdjustTokenPrivileges(Handle token, bool disableAll, const TokenPrivileges& state,
                                       std::uint32_t bufferLength, TokenPrivileges& previous,
                                       std::uint32_t& returnLength) = 0;
    virtual bool CloseHandle(Handle h) = 0;
    virtual bool ExitWindowsEx(std::uint32_t flags, std::uint32_t reason) = 0;
    // advapi32, Windows Vista and later, looked up on first use: InitiateShutdownW(NULL,
    // NULL, gracePeriod, flags, reason) and its answer, ERROR_SUCCESS_ when the system
    // took the request; nothing where the system lacks the call.
    virtual std::optional<std::uint32_t> InitiateShutdownW(std::uint32_t gracePeriod, std::uint32_t flags,
                                                           std::uint32_t reason) = 0;
    // The calling thread's last-error code, as the call before it left it.
    virtual std::uint32_t GetLastError() = 0;

    // comdlg32
    virtual bool GetOpenFileNameA(OpenFileRecord& record) = 0;
    virtual Handle ModuleHandle() = 0;

    // Network and mascot.
    // wininet. Texts are ANSI; a null pointer stands for a NULL argument. A download may
    // take no longer than the platform allows (see the Win32 side): a call still blocked
    // then fails, as a read of a broken connection would.
    virtual Handle InternetOpenA(const Bytes& agent, std::uint32_t accessType, const Bytes* proxy,
                                 const Bytes* proxyBypass, std::uint32_t flags) = 0;
    virtual Handle InternetOpenUrlA(Handle root, const Bytes& url, const Bytes* headers, std::uint32_t headersLength,
                                    std::uint32_t flags, std::uintptr_t context) = 0;
    virtual bool InternetReadFile(Handle file, char* buffer, std::uint32_t toRead, std::uint32_t& read) = 0;
    virtual bool InternetCloseHandle(Handle h) = 0;
    // The clipboard; SetClipboardData takes the bytes and adds the closing NUL itself.
    virtual bool OpenClipboard(Handle owner) = 0;
    virtual bool EmptyClipboard() = 0;
    virtual bool SetClipboardData(std::uint32_t format, const Bytes& data) = 0;
    virtual bool CloseClipboard() = 0;
    virtual std::uint32_t RegisterClipboardFormatA(const Bytes& name) = 0;
    virtual bool MessageBeep(std::uint32_t type) = 0;
    // The shared generator: Randomize reseeds it from the time of day, Rnd draws
    // 0 <= r < 1.
    virtual void Randomize() = 0;
    virtual double Rnd() = 0;

    // The about box: shown modal, with no owner given, centred over the main window;
    // returns when the box has been closed (box.Loaded() is false).
    virtual void ShowAboutBox(FrmMsg& box) = 0;

    // ---- Protected settings file ----
    // kernel32: the attribute bits of a file or folder, INVALID_FILE_ATTRIBUTES_ when it
    // does not exist. Exit asks before it writes Timer.ini (see IniWritable).
    virtual std::uint32_t GetFileAttributesA(const Bytes& path) = 0;

    // ---- Display scaling ----
    // The two icons (stopped, armed) at the small-icon size of the main window's DPI, as
    // the tray shows them. A handle stays valid until the call after the next one.
    virtual std::array<Handle, 2> SmallIcons() = 0;

    // ---- Waking for the alarm ----
    // One wake timer: it wakes a sleeping computer at a local time, where the power
    // settings allow wake timers. Setting it again moves it.
    virtual bool SetWakeTimer(const LocalTime& due) = 0;
    virtual void CancelWakeTimer() = 0;
    // kernel32: keeps the computer from sleeping (ES_SYSTEM_REQUIRED_) and the display
    // on (ES_DISPLAY_REQUIRED_), held with ES_CONTINUOUS_ until ES_CONTINUOUS_ alone.
    virtual void SetThreadExecutionState(std::uint32_t flags) = 0;
    // The clock's zone or its summer time may have changed: Now() looks it up afresh.
    virtual void ForgetTimeZone() = 0;
    // shell32: a balloon from the tray icon, whole in UTF-16 whatever the code page.
    virtual bool Shell_NotifyIconW(std::uint32_t message, const TrayBalloonRecord& record) = 0;

    // ---- Targets kept whole ----
    // kernel32: WritePrivateProfileStringA with a NULL value, which deletes the key.
    virtual bool DeletePrivateProfileKeyA(const Bytes& section, const Bytes& key, const Bytes& path) = 0;

    // ---- Text compared as the user's locale compares it ----
    // kernel32: CompareStringEx(LOCALE_NAME_USER_DEFAULT, flags, a, b): CSTR_LESS_THAN,
    // CSTR_EQUAL or CSTR_GREATER_THAN, 0 when the system cannot compare them.
    virtual int CompareStringEx(std::uint32_t flags, std::u16string_view a, std::u16string_view b) = 0;

    // ---- Heard, warned, repeated ----
    // winmm: PlaySoundW(file, NULL, flags); a null file stops what is playing.
    virtual bool PlaySoundW(const Text* file, std::uint32_t flags) = 0;
    // Ends the program's open message box that shows `text` as if it had been answered
    // `answer` (the box's call then returns it); false when no such box is open.
    virtual bool EndMessageBox(const Text& text, int answer) = 0;
    // ---- Settings in any folder ----
    // kernel32: the UTF-16 profile calls and attributes, for a Timer.ini whose path the
    // code page cannot hold (through the "A" calls it would name a file of "?"s). A file
    // they create holds the code page's text, as one the "A" calls create.
    virtual std::uint32_t GetPrivateProfileStringW(const Text& section, const Text& key, const Text& def,
                                                   char16_t* buffer, std::uint32_t size, const Text& path) = 0;
    virtual bool WritePrivateProfileStringW(const Text& section, const Text& key, const Text& value,
                                            const Text& path) = 0;
    // WritePrivateProfileStringW with a NULL value, which deletes the key.
    virtual bool DeletePrivateProfileKeyW(const Text& section, const Text& key, const Text& path) = 0;
    virtual std::uint32_t GetFileAttributesW(const Text& path) = 0;
};

}  // namespace poko
