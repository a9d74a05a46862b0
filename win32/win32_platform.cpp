// The Win32 platform calls of the settings file, the window, the shell, the shutdown and the dialog.
#include <windows.h>
#include <commdlg.h>
#include <mmsystem.h>
#include <ole2.h>
#include <shellapi.h>

#include <algorithm>
#include <cstring>
#include <cwchar>
#include <iterator>
#include <utility>

#include "alarm/target_kind.h"
#include "base/ansi.h"
#include "win32/win32.h"

namespace poko {

namespace {
FrmTimer* g_form = nullptr;
}  // namespace

void SetWindowProcTarget(FrmTimer* form) { g_form = form; }

namespace {

// A message sent to the main window while a download waits that would run the program's
// own handlers: the tray icon's (its mouse messages come as mouse moves), a control's,
// a command of the window menu, a close, the taskbar's return.
bool HeldForTheDownload(UINT msg) {
    static const UINT taskbarCreated = RegisterWindowMessageW(L"TaskbarCreated");
    return msg == WM_MOUSEMOVE || msg == WM_COMMAND || msg == WM_VSCROLL || msg == WM_SYSCOMMAND || msg == WM_CLOSE ||
           msg == taskbarCreated;
}

}  // namespace

LRESULT CALLBACK WindowProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam) {
    // It comes again once the download is over, as it would have without the wait.
    if (DownloadWaiting() && HeldForTheDownload(msg)) {
        PostMessageW(hwnd, msg, wParam, lParam);
        return 0;
    }
    if (g_form) g_form->WindowProcHook(msg, wParam);
    auto previous = reinterpret_cast<WNDPROC>(GetWindowLongPtrA(hwnd, GWLP_USERDATA));
    return CallWindowProcA(previous, hwnd, msg, wParam, lParam);
}

Text Win32Platform::AppFolder() {
    std::wstring path(MAX_PATH, L'\0');
    for (;;) {
        DWORD n = GetModuleFileNameW(nullptr, path.data(), static_cast<DWORD>(path.size()));
        if (n < path.size()) {
            path.resize(n);
            break;
        }
        path.resize(path.size() * 2);
    }
    path.resize(path.find_last_of(L"\\/") == std::wstring::npos ? 0 : path.find_last_of(L"\\/"));
    return Text(path.begin(), path.end());
}

// The argument text: everything after the program name and the blanks that follow it.
Text Win32Platform::CommandLine() {
    const wchar_t* p = GetCommandLineW();
    if (*p == L'"') {
        ++p;
        while (*p && *p != L'"') ++p;
        if (*p) ++p;
    } else {
        while (*p && *p != L' ' && *p != L'\t') ++p;
    }
    while (*p == L' ' || *p == L'\t') ++p;
    return Text(p, p + wcslen(p));
}

// The system clock plus the zone's offset from it. The offset is looked up again when the
// minute turns, the earliest a change of summer time can take effect, and after a change
// of the clock or its zone (ForgetTimeZone): under Wine looking it up costs ~40 us, and
// the clock is read every second.
LocalTime Win32Platform::Now() {
    FILETIME now;
    GetSystemTimeAsFileTime(&now);
    const auto ticks = [](const FILETIME& t) { return (ULONGLONG{t.dwHighDateTime} << 32) | t.dwLowDateTime; };
    const ULONGLONG utc = ticks(now) + static_cast<ULONGLONG>(g_testClockShift);
    constexpr ULONGLONG kTicksPerMinute = 60 * 10000000ULL;
    if (utc / kTicksPerMinute != offsetMinute_) {
        FILETIME local;
        FileTimeToLocalFileTime(&now, &local);
        offset_ = ticks(local) - ticks(now);  // modulo 2^64: a zone west of Greenwich wraps round
        offsetMinute_ = utc / kTicksPerMinute;
    }
    const ULONGLONG local = utc + offset_;
    const FILETIME at{static_cast<DWORD>(local), static_cast<DWORD>(local >> 32)};
    SYSTEMTIME st;
    FileTimeToSystemTime(&at, &st);
    return {st.wYear, st.wMonth, st.wDay, st.wHour, st.wMinute, st.wSecond};
}

// The clock label asks for both every second; the locale is asked again after a minute,
// about when the label shows a change anyway.
void Win32Platform::ReadSeparators() {
    const std::uint64_t minute = GetTickCount() / 60000;  // a wrap-around only reads them once more
    if (minute == separatorsMinute_) return;
    separatorsMinute_ = minute;
    const auto read = [](LCTYPE type, const char16_t* fallback) {
        wchar_t buffer[8];  // the system allows up to four characters
        const int n = GetLocaleInfoW(LOCALE_USER_DEFAULT, type, buffer, 8);
        return n > 1 ? Text(buffer, buffer + n - 1) : Text(fallback);
    };
    dateSeparator_ = read(LOCALE_SDATE, u"/");
    timeSeparator_ = read(LOCALE_STIME, u":");
}

Text Win32Platform::DateSeparator() {
    ReadSeparators();
    return dateSeparator_;
}

Text Win32Platform::TimeSeparator() {
    ReadSeparators();
    return timeSeparator_;
}

FileKind Win32Platform::FileAttributes(const Text& path) {
    const DWORD a = ::GetFileAttributesW(W(path).c_str());
    if (a == INVALID_FILE_ATTRIBUTES) return FileKind::Absent;
    if (a & (FILE_ATTRIBUTE_DIRECTORY | FILE_ATTRIBUTE_HIDDEN | FILE_ATTRIBUTE_SYSTEM | FILE_ATTRIBUTE_DEVICE))
        return FileKind::Other;
    return FileKind::Normal;
}

bool Win32Platform::LoadBackgroundPicture(const Text& path) { return view_.LoadPicture(path); }

std::uint32_t Win32Platform::GetPrivateProfileStringA(const Bytes& section, const Bytes& key, const Bytes& def,
                                                      char* buffer, std::uint32_t size, const Bytes& path) {
    return ::GetPrivateProfileStringA(section.c_str(), key.c_str(), def.c_str(), buffer, size, path.c_str());
}

bool Win32Platform::WritePrivateProfileStringA(const Bytes& section, const Bytes& key, const Bytes& value,
                                               const Bytes& path) {
    return ::WritePrivateProfileStringA(section.c_str(), key.c_str(), value.c_str(), path.c_str());
}

bool Win32Platform::GetVersionExA(OsVersion& info) {
    OSVERSIONINFOA v{};
    v.dwOSVersionInfoSize = info.recordSize;
    if (!::GetVersionExA(&v)) return false;
    info.major = v.dwMajorVersion;
    info.minor = v.dwMinorVersion;
    info.build = v.dwBuildNumber;
    info.platformId = v.dwPlatformId;
    return true;
}

std::int32_t Win32Platform::GetWindowLongA(std::int32_t index) { return ::GetWindowLongA(view_.Hwnd(), index); }

std::int32_t Win32Platform::SetWindowLongA(std::int32_t index, std::int32_t value) {
    return ::SetWindowLongA(view_.Hwnd(), index, value);
}

bool Win32Platform::SetLayeredWindowAttributes(Colour key, std::uint8_t alpha, std::uint32_t flags) {
    return ::SetLayeredWindowAttributes(view_.Hwnd(), key, alpha, flags);
}

std::uint32_t Win32Platform::RegisterWindowMessageA(const Bytes& name) { return ::RegisterWindowMessageA(name.c_str()); }

// The previous procedure is kept in the window's user data, where WindowProc reads it.
void Win32Platform::InstallWindowProc() {
    const LONG_PTR previous =
        ::SetWindowLongPtrA(view_.Hwnd(), GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(&poko::WindowProc));
    ::SetWindowLongPtrA(view_.Hwnd(), GWLP_USERDATA, previous);
}

bool Win32Platform::SetForegroundWindow() { return ::SetForegroundWindow(view_.Hwnd()); }
bool Win32Platform::LockWindowUpdate(Handle hwnd) { return ::LockWindowUpdate(reinterpret_cast<HWND>(hwnd)); }
MenuItem* Win32Platform::TrackPopupMenu(MenuItem& menu) { return view_.TrackPopup(menu); }

void Win32Platform::DoEvents() {
    MSG msg;
    while (PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE)) {
        if (msg.message == WM_QUIT) {
            PostQuitMessage(static_cast<int>(msg.wParam));
            break;
        }
        TranslateMessage(&msg);
        DispatchMessageW(&msg);
    }
}

namespace {
HHOOK g_lift = nullptr;  // while a box that must stand over every window is opening

// Wine 8 ignores MB_TOPMOST (Windows and later Wine honour it): the box is lifted over
// every window as it first shows, all the same.
LRESULT CALLBACK LiftBox(int code, WPARAM wParam, LPARAM lParam) {
    wchar_t name[8];
    const auto box = reinterpret_cast<HWND>(wParam);
    if (code == HCBT_ACTIVATE && g_lift && GetClassNameW(box, name, 8) && std::wcscmp(name, L"#32770") == 0) {
        SetWindowPos(box, HWND_TOPMOST, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
        UnhookWindowsHookEx(std::exchange(g_lift, nullptr));
    }
    return CallNextHookEx(nullptr, code, wParam, lParam);
}
}  // namespace

// The style as the caller gives it (the alarm's boxes ask to come to the front). While
// the window hides in the tray a box stands on its own rather than under a hidden owner.
int Win32Platform::MessageBox(const Text& text, const Text& title, std::uint32_t style) {
    HWND owner = IsWindowVisible(view_.Hwnd()) ? view_.Hwnd() : nullptr;
    if ((style & MB_TOPMOST) && !g_lift) g_lift = SetWindowsHookExW(WH_CBT, LiftBox, nullptr, GetCurrentThreadId());
    const int answer = ::MessageBoxW(owner, W(text).c_str(), W(title).c_str(), style);
    if (g_lift) UnhookWindowsHookEx(std::exchange(g_lift, nullptr));
    return answer;
}

bool Win32Platform::Shell_NotifyIconA(std::uint32_t message, const TrayIconRecord& record) {
    NOTIFYICONDATAA nid{};
    nid.cbSize = NOTIFYICONDATAA_V1_SIZE;  // 88 bytes in the 32-bit program
    nid.hWnd = reinterpret_cast<HWND>(record.hWnd);
    nid.uID = record.uID;
    nid.uFlags = record.uFlags;
    nid.uCallbackMessage = record.uCallbackMessage;
    nid.hIcon = reinterpret_cast<HICON>(record.hIcon);
    std::memcpy(nid.szTip, record.szTip.data(), sizeof nid.szTip < record.szTip.size() ? sizeof nid.szTip : record.szTip.size());
    nid.szTip[63] = '\0';
    return Checked(L"Shell_NotifyIconA", ::Shell_NotifyIconA(message, &nid));
}

namespace {

// The target as the program itself would find it: on 64-bit Windows the 32-bit program
// is shown SysWOW64 for System32, so a target that only the 64-bit system has there
// (wsl.exe, say) is opened through Sysnative.
Text NativeTarget(const Text& file) {
    static const bool wow64 = [] {
        const auto isWow64 = LoadedCall<BOOL(WINAPI*)(HANDLE, BOOL*)>(L"kernel32.dll", "IsWow64Process");
        BOOL on = FALSE;
        return isWow64 && isWow64(::GetCurrentProcess(), &on) && on;
    }();
    if (!wow64) return file;
    wchar_t windows[MAX_PATH];
    const UINT n = GetSystemWindowsDirectoryW(windows, MAX_PATH);
    if (n == 0 || n >= MAX_PATH) return file;
    const auto native = SysnativeTarget(file, Text(windows, windows + n));
    if (!native || ::GetFileAttributesW(W(file).c_str()) != INVALID_FILE_ATTRIBUTES) return file;
    return *native;
}

// ShellExecuteEx with ShellExecute's arguments and answer (hInstApp, 32 or less for a
// failure). The shell's own error box would come before the one the program shows for
// a target that failed to open, so a call with an owner (the alarm's) asks for none; the
// mascot's, without one, has no word of its own for a failure and leaves it to the shell.
template <typename Info, typename String>
Handle Execute(BOOL(WINAPI* execute)(Info*), Handle owner, const String& verb, const String& file,
               const String& parameters, const String& directory, std::int32_t show) {
    NeedOle();  // for the shell's handlers of what is opened
    Info info{};
    info.cbSize = sizeof info;
    info.fMask = owner ? SEE_MASK_FLAG_NO_UI : 0;
    info.hwnd = reinterpret_cast<HWND>(owner);
    info.lpVerb = verb.c_str();
    info.lpFile = file.c_str();
    info.lpParameters = parameters.c_str();
    info.lpDirectory = directory.c_str();
    info.nShow = show;
    const bool ok = Checked(L"ShellExecuteEx", execute(&info));
    const auto answer = reinterpret_cast<Handle>(info.hInstApp);
    return ok ? std::max<Handle>(answer, 33) : std::min<Handle>(answer, 32);
}

}  // namespace

Handle Win32Platform::ShellExecuteA(Handle owner, const Bytes& verb, const Bytes& file, const Bytes& parameters,
                                    const Bytes& directory, std::int32_t show) {
    const Text target = FromAnsi(file), native = NativeTarget(target);
    return Execute(&::ShellExecuteExA, owner, verb, native != target && FitsAnsi(native) ? ToAnsi(native) : file,
                   parameters, directory, show);
}

Handle Win32Platform::ShellExecuteW(Handle owner, const Text& verb, const Text& file, const Text& parameters,
                                    const Text& directory, std::int32_t show) {
    return Execute(&::ShellExecuteExW, owner, W(verb), W(NativeTarget(file)), W(parameters), W(directory), show);
}

Handle Win32Platform::GetCurrentProcess() { return reinterpret_cast<Handle>(::GetCurrentProcess()); }

bool Win32Platform::OpenProcessToken(Handle process, std::uint32_t access, Handle& token) {
    HANDLE h = nullptr;
    const bool ok = ::OpenProcessToken(reinterpret_cast<HANDLE>(process), access, &h);
    token = reinterpret_cast<Handle>(h);
    return ok;
}

bool Win32Platform::LookupPrivilegeValueA(const Bytes* system, const Bytes& name, std::uint64_t& luid) {
    LUID l{};
    const bool ok = ::LookupPrivilegeValueA(system ? system->c_str() : nullptr, name.c_str(), &l);
    luid = (static_cast<std::uint64_t>(static_cast<std::uint32_t>(l.HighPart)) << 32) | l.LowPart;
    return ok;
}

bool Win32Platform::AdjustTokenPrivileges(Handle token, bool disableAll, const TokenPrivileges& state,
                                          std::uint32_t bufferLength, TokenPrivileges& previous,
                                          std::uint32_t& returnLength) {
    TOKEN_PRIVILEGES tp{};
    tp.PrivilegeCount = state.count;
    tp.Privileges[0].Luid.LowPart = static_cast<DWORD>(state.luid);
    tp.Privileges[0].Luid.HighPart = static_cast<LONG>(state.luid >> 32);
    tp.Privileges[0].Attributes = state.attributes;
    TOKEN_PRIVILEGES prev{};
    DWORD returned = 0;
    const DWORD length = bufferLength < sizeof prev ? bufferLength : sizeof prev;
    const bool ok = ::AdjustTokenPrivileges(reinterpret_cast<HANDLE>(token), disableAll, &tp, length, &prev, &returned);
    previous.count = prev.PrivilegeCount;
    returnLength = returned;
    return ok;
}

bool Win32Platform::CloseHandle(Handle h) { return ::CloseHandle(reinterpret_cast<HANDLE>(h)); }
bool Win32Platform::ExitWindowsEx(std::uint32_t flags, std::uint32_t reason) { return ::ExitWindowsEx(flags, reason); }

std::optional<std::uint32_t> Win32Platform::InitiateShutdownW(std::uint32_t gracePeriod, std::uint32_t flags,
                                                              std::uint32_t reason) {
    static const auto initiate =
        LoadedCall<DWORD(WINAPI*)(LPWSTR, LPWSTR, DWORD, DWORD, DWORD)>(L"advapi32.dll", "InitiateShutdownW");
    if (!initiate) return std::nullopt;
    return initiate(nullptr, nullptr, gracePeriod, flags, reason);
}
std::uint32_t Win32Platform::GetLastError() { return ::GetLastError(); }

// The record as the caller filled it, asked of the dialog in UTF-16: a chosen name the
// code page cannot hold comes back whole in fileWide, and in the code page in file. A
// path with more bytes in the code page than nMaxFile allows fails, as the code-page
// dialog would.
bool Win32Platform::GetOpenFileNameA(OpenFileRecord& r) {
    const std::wstring filter = W(FromAnsi(r.filter)), initialDir = W(FromAnsi(r.initialDir)),
                       title = W(FromAnsi(r.title));
    std::wstring file = W(FromAnsi(std::string_view(r.file.c_str()))), fileTitle;
    file.resize(std::max<size_t>(r.file.size(), file.size() + 1), L'\0');
    fileTitle.resize(r.fileTitle.size(), L'\0');
    OPENFILENAMEW ofn{};
    ofn.lStructSize = OPENFILENAME_SIZE_VERSION_400W;  // 76 bytes in the 32-bit program
    ofn.hwndOwner = reinterpret_cast<HWND>(r.hwndOwner);
    ofn.hInstance = reinterpret_cast<HINSTANCE>(r.hInstance);
    ofn.lpstrFilter = filter.c_str();
    ofn.nFilterIndex = r.nFilterIndex;
    ofn.lpstrFile = file.data();
    ofn.nMaxFile = r.nMaxFile;
    ofn.lpstrFileTitle = fileTitle.empty() ? nullptr : fileTitle.data();
    ofn.nMaxFileTitle = r.nMaxFileTitle;
    ofn.lpstrInitialDir = initialDir.empty() ? nullptr : initialDir.c_str();
    ofn.lpstrTitle = title.c_str();
    ofn.Flags = r.flags;
    NeedOle();  // for the dialog's shell folders
    if (!::GetOpenFileNameW(&ofn)) return false;
    const auto chosen = [](const std::wstring& buffer) {
        const wchar_t* p = buffer.c_str();
        return Text(p, p + wcslen(p));
    };
    r.fileWide = chosen(file);
    const Bytes path = ToAnsi(r.fileWide), name = ToAnsi(chosen(fileTitle));
    if (path.size() >= std::min<size_t>(r.nMaxFile, r.file.size())) {
        r.fileWide.clear();
        return false;
    }
    std::memcpy(r.file.data(), path.c_str(), path.size() + 1);
    if (name.size() < std::min<size_t>(r.nMaxFileTitle, r.fileTitle.size()))
        std::memcpy(r.fileTitle.data(), name.c_str(), name.size() + 1);
    return true;
}

Handle Win32Platform::ModuleHandle() { return reinterpret_cast<Handle>(GetModuleHandleW(nullptr)); }

void Win32Platform::ShowAboutBox(FrmMsg& box) { view_.ShowAboutBox(box); }

// ---- Protected settings file ----
std::uint32_t Win32Platform::GetFileAttributesA(const Bytes& path) { return ::GetFileAttributesA(path.c_str()); }

// ---- Display scaling ----
std::array<Handle, 2> Win32Platform::SmallIcons() { return view_.SmallIcons(); }

// ---- Waking for the alarm ----
// A waitable timer set with resume wakes a sleeping computer where the power plan
// allows wake timers. Nothing waits on it: the wake is all it is for.
bool Win32Platform::SetWakeTimer(const LocalTime& due) {
    if (!wake_.Get()) wake_.Reset(Checked(L"CreateWaitableTimerW", CreateWaitableTimerW(nullptr, TRUE, nullptr)));
    const SYSTEMTIME local{static_cast<WORD>(due.year), static_cast<WORD>(due.month), 0, static_cast<WORD>(due.day),
                           static_cast<WORD>(due.hour), static_cast<WORD>(due.minute), static_cast<WORD>(due.second), 0};
    SYSTEMTIME utc;
    FILETIME at;
    if (!wake_.Get() || !TzSpecificLocalTimeToSystemTime(nullptr, &local, &utc) || !SystemTimeToFileTime(&utc, &at))
        return false;
    LARGE_INTEGER when;  // positive: an absolute time
    when.LowPart = at.dwLowDateTime;
    when.HighPart = static_cast<LONG>(at.dwHighDateTime);
    return Checked(L"SetWaitableTimer", SetWaitableTimer(wake_.Get(), &when, 0, nullptr, nullptr, TRUE));
}

void Win32Platform::CancelWakeTimer() {
    if (wake_.Get()) CancelWaitableTimer(wake_.Get());
}

void Win32Platform::SetThreadExecutionState(std::uint32_t flags) { ::SetThreadExecutionState(flags); }

void Win32Platform::ForgetTimeZone() { offsetMinute_ = ~0ULL; }

// The UTF-16 record of the shell's second version, the first that carries a balloon.
bool Win32Platform::Shell_NotifyIconW(std::uint32_t message, const TrayBalloonRecord& record) {
    NOTIFYICONDATAW nid{};
    nid.cbSize = NOTIFYICONDATAW_V2_SIZE;
    nid.hWnd = reinterpret_cast<HWND>(record.hWnd);
    nid.uID = record.uID;
    nid.uFlags = record.uFlags;
    const auto copy = [](wchar_t* field, size_t size, const Text& text) {
        const size_t n = std::min(text.size(), size - 1);
        std::copy_n(text.begin(), n, field);
        field[n] = L'\0';
    };
    copy(nid.szInfo, std::size(nid.szInfo), record.szInfo);
    copy(nid.szInfoTitle, std::size(nid.szInfoTitle), record.szInfoTitle);
    nid.dwInfoFlags = record.dwInfoFlags;
    return Checked(L"Shell_NotifyIconW", ::Shell_NotifyIconW(message, &nid));
}

// ---- Targets kept whole ----
bool Win32Platform::DeletePrivateProfileKeyA(const Bytes& section, const Bytes& key, const Bytes& path) {
    return ::WritePrivateProfileStringA(section.c_str(), key.c_str(), nullptr, path.c_str());
}

// ---- Text compared as the user's locale compares it ----
int Win32Platform::CompareStringEx(std::uint32_t flags, std::u16string_view a, std::u16string_view b) {
    // The mascot's searches compare short stretches of a page: never near INT_MAX.
    return ::CompareStringEx(LOCALE_NAME_USER_DEFAULT, flags, reinterpret_cast<const wchar_t*>(a.data()),
                             static_cast<int>(a.size()), reinterpret_cast<const wchar_t*>(b.data()),
                             static_cast<int>(b.size()), nullptr, nullptr, 0);
}

// ---- Heard, warned, repeated ----
bool Win32Platform::PlaySoundW(const Text* file, std::uint32_t flags) {
    return ::PlaySoundW(file ? W(*file).c_str() : nullptr, nullptr, flags);
}

namespace {
struct BoxSearch {
    std::wstring text;
    HWND box = nullptr;
};

// A message box's text is the static of id 65535.
BOOL CALLBACK FindBox(HWND window, LPARAM lParam) {
    auto& s = *reinterpret_cast<BoxSearch*>(lParam);
    wchar_t name[8];
    if (!GetClassNameW(window, name, 8) || std::wcscmp(name, L"#32770") != 0) return TRUE;
    std::wstring shown(s.text.size() + 2, L'\0');
    const int n = GetDlgItemTextW(window, 0xFFFF, shown.data(), static_cast<int>(shown.size()));
    if (n != static_cast<int>(s.text.size()) || shown.compare(0, n, s.text) != 0) return TRUE;
    s.box = window;
    return FALSE;
}
}  // namespace

// The box is one of this thread's windows.
bool Win32Platform::EndMessageBox(const Text& text, int answer) {
    BoxSearch search{W(text)};
    EnumThreadWindows(GetCurrentThreadId(), FindBox, reinterpret_cast<LPARAM>(&search));
    return search.box && EndDialog(search.box, answer);
}

// ---- Settings in any folder ----
std::uint32_t Win32Platform::GetPrivateProfileStringW(const Text& section, const Text& key, const Text& def,
                                                      char16_t* buffer, std::uint32_t size, const Text& path) {
    return ::GetPrivateProfileStringW(W(section).c_str(), W(key).c_str(), W(def).c_str(),
                                      reinterpret_cast<wchar_t*>(buffer), size, W(path).c_str());
}

bool Win32Platform::WritePrivateProfileStringW(const Text& section, const Text& key, const Text& value,
                                               const Text& path) {
    return ::WritePrivateProfileStringW(W(section).c_str(), W(key).c_str(), W(value).c_str(), W(path).c_str());
}

bool Win32Platform::DeletePrivateProfileKeyW(const Text& section, const Text& key, const Text& path) {
    return ::WritePrivateProfileStringW(W(section).c_str(), W(key).c_str(), nullptr, W(path).c_str());
}

std::uint32_t Win32Platform::GetFileAttributesW(const Text& path) { return ::GetFileAttributesW(W(path).c_str()); }

}  // namespace poko
