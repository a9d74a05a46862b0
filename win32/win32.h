// The Win32 side: the view that binds the control model to real windows, and the
// platform operations made with the calls the system names.
#pragma once

#include <windows.h>

#include <array>
#include <cstdint>
#include <map>
#include <string>
#include <vector>

#include "app/frm_timer.h"
#include "base/random.h"
#include "platform/platform.h"
#include "ui/controls.h"
#include "win32/scoped.h"
#include "ui/layout.h"

namespace poko {

// Text between the model (UTF-16 as char16_t) and the "W" calls (UTF-16 as wchar_t).
inline std::wstring W(const Text& t) { return std::wstring(t.begin(), t.end()); }
inline Text T(const wchar_t* s) { return Text(s, s + wcslen(s)); }

class FormView : public ControlView {
public:
    FormView() { current_ = this; }
    ~FormView() override;

    // Creates the hidden main window and binds the model to it.
    bool Create(FrmTimer& form, HINSTANCE instance);
    // After start-up: creates the controls as start-up left the model, and shows the
    // window unless start-up hid it into the tray.
    void ShowAfterLoad();
    HWND Hwnd() const { return hwnd_; }
    bool HandleAccessKey(const MSG& msg);

    void Changed(Control& control, Property what) override;

    MenuItem* TrackPopup(MenuItem& menu);
    bool LoadPicture(const Text& path);
    // The two icons at the small-icon size of the window's DPI (the tray's and the
    // title bar's).
    std::array<Handle, 2> SmallIcons() const;
    // The window procedures (form_procs.cpp), reached through their thunks.
    static LRESULT CALLBACK MainThunk(HWND h, UINT m, WPARAM w, LPARAM l);
    static LRESULT CALLBACK LabelThunk(HWND h, UINT m, WPARAM w, LPARAM l);
    static LRESULT CALLBACK EditThunk(HWND h, UINT m, WPARAM w, LPARAM l);
    static LRESULT CALLBACK ButtonThunk(HWND h, UINT m, WPARAM w, LPARAM l);
    // Notes the control that has the focus, for when the window gets it back.
    void SaveFocus();

    // The about box (about_window.cpp).
    void ShowAboutBox(FrmMsg& box);
    // The names screen readers announce for the time boxes and their spinners
    // (accessible_names.cpp); asked for once the window is up (kNameControls).
    void NameControlsForReaders();
    static constexpr UINT kNameControls = WM_APP + 1;

private:
    struct Bound {
        const ControlLayout* layout;
        Control* control;
        GdiObject<HFONT> font;
        WNDPROC previous = nullptr;
        // What the real control shows, as last written.
        std::wstring text;
        bool enabled = true;
        int value = 0;
    };
    static constexpr UINT_PTR kBeatTimer = 1;  // paces both timer controls
    static FormView* current_;  // the one view, for the window procedures' thunks

    // Binding (form_view.cpp).
    void CreateControls();
    // The window's layout at a new DPI: fonts, places, picture and icons; the window
    // takes `window` (WM_DPICHANGED's suggested rectangle).
    void Rescale(int dpi, const RECT& window);
    SIZE WindowSize(int dpi) const;
    void LoadIcons();
    Bound* Find(HWND hwnd);
    static std::wstring ModelText(const Bound& b);
    RECT Place(const Bound& b, HDC dc) const;
    void Sync(HWND h, Bound& b);
    void ShowIcon(bool again = false);
    void PlaceWindow();
    int Px(float twips) const { return PixelsAt(twips, dpi_); }
    int ScreenPx(float twips) const { return PixelsAt(twips, system_dpi_); }
    // Painting (form_paint.cpp).
    void Repaint(HWND h);
    void PaintBackground(HDC dc, const RECT& area, POINT origin);
    void PaintLabel(HWND hwnd, HDC dc, const Bound& b);
    // Window procedures (form_procs.cpp).
    LRESULT WndProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam);
    LRESULT LabelProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam);
    LRESULT EditProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam);
    LRESULT ButtonProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam);
    // Test hooks (test_hooks.cpp).
    bool AnswerStateQuery(const COPYDATASTRUCT* query);
    void WriteStateDump(const wchar_t* path);
    std::string AboutBoxState();

    FrmTimer* form_ = nullptr;
    HINSTANCE instance_ = nullptr;
    int dpi_ = 96;         // of the monitor the window is on: sizes and fonts
    int system_dpi_ = 96;  // of the screen: window positions
    HWND hwnd_ = nullptr;
    std::map<HWND, Bound> bound_;
    std::map<Control*, HWND> hwnd_of_;
    IconHandle icons_[2];     // stopped, armed: small-icon size
    IconHandle bigIcons_[2];  // the same at the big-icon size
    IconHandle retired_[4];   // the set before: the shell may still show it
    int shown_icon_ = 0;  // the class's icon until the window's own is set
    GdiObject<HBITMAP> picture_;
    Text picture_path_;
    float twips_per_pixel_ = 15;
    int applying_ = 0;  // >0 while the view itself changes the real window
    bool loading_ = true;  // start-up under way: the window's place and icon wait for its end
    bool beating_ = false;  // the system timer that paces both timer controls runs
    bool hooks_ = false;
    long names_result_ = 1;  // the last annotation's HRESULT; S_FALSE until one is made

    HWND focus_ = nullptr;  // the control that had the focus last
    struct PopupEntry {
        HMENU menu;
        UINT position;
        const MenuItem* item;
        int level;
    };
    std::vector<PopupEntry> popup_;  // the menu on screen, for the test-only dump
};

// The about box while it is open (about_window.cpp). Its icons are its own, at its DPI:
// the main window's go when that window changes its DPI.
struct AboutWindow {
    FrmMsg* box = nullptr;
    HWND main = nullptr, text = nullptr, tip = nullptr;  // the text and its tip go with the box
    GdiObject<HFONT> font;
    GdiObject<HBRUSH> back;
    IconHandle bigIcon, smallIcon;
    WNDPROC textPrevious = nullptr;
    WindowHandle hwnd;  // last: the window goes before the font, brush and icons it shows
};
const AboutWindow* OpenAboutWindow();

struct DownloadWorker;

class Win32Platform : public Platform {
public:
    // A download may take `downloadLimitMs` from InternetOpenA, connect and body together.
    // Both where DownloadWorker is known (win32_network.cpp).
    Win32Platform(FormView& view, std::uint32_t downloadLimitMs);
    ~Win32Platform() override;

    Text AppFolder() override;
    Text CommandLine() override;
    LocalTime Now() override;
    Text DateSeparator() override;
    Text TimeSeparator() override;
    FileKind FileAttributes(const Text& path) override;
    bool LoadBackgroundPicture(const Text& path) override;
    std::uint32_t GetPrivateProfileStringA(const Bytes& section, const Bytes& key, const Bytes& def, char* buffer,
                                           std::uint32_t size, const Bytes& path) override;
    bool WritePrivateProfileStringA(const Bytes& section, const Bytes& key, const Bytes& value,
                                    const Bytes& path) override;
    bool GetVersionExA(OsVersion& info) override;
    std::int32_t GetWindowLongA(std::int32_t index) override;
    std::int32_t SetWindowLongA(std::int32_t index, std::int32_t value) override;
    bool SetLayeredWindowAttributes(Colour key, std::uint8_t alpha, std::uint32_t flags) override;
    std::uint32_t RegisterWindowMessageA(const Bytes& name) override;
    void InstallWindowProc() override;
    bool SetForegroundWindow() override;
    bool LockWindowUpdate(Handle hwnd) override;
    MenuItem* TrackPopupMenu(MenuItem& menu) override;
    void DoEvents() override;
    int MessageBox(const Text& text, const Text& title, std::uint32_t style) override;
    bool Shell_NotifyIconA(std::uint32_t message, const TrayIconRecord& record) override;
    Handle ShellExecuteA(Handle owner, const Bytes& verb, const Bytes& file, const Bytes& parameters,
                         const Bytes& directory, std::int32_t show) override;
    Handle ShellExecuteW(Handle owner, const Text& verb, const Text& file, const Text& parameters,
                         const Text& directory, std::int32_t show) override;
    Handle GetCurrentProcess() override;
    bool OpenProcessToken(Handle process, std::uint32_t access, Handle& token) override;
    bool LookupPrivilegeValueA(const Bytes* system, const Bytes& name, std::uint64_t& luid) override;
    bool AdjustTokenPrivileges(Handle token, bool disableAll, const TokenPrivileges& state,
                               std::uint32_t bufferLength, TokenPrivileges& previous,
                               std::uint32_t& returnLength) override;
    bool CloseHandle(Handle h) override;
    bool ExitWindowsEx(std::uint32_t flags, std::uint32_t reason) override;
    std::optional<std::uint32_t> InitiateShutdownW(std::uint32_t gracePeriod, std::uint32_t flags,
                                                   std::uint32_t reason) override;
    std::uint32_t GetLastError() override;
    bool GetOpenFileNameA(OpenFileRecord& record) override;
    Handle ModuleHandle() override;

    // Network and mascot (win32_network.cpp).
    Handle InternetOpenA(const Bytes& agent, std::uint32_t accessType, const Bytes* proxy, const Bytes* proxyBypass,
                         std::uint32_t flags) override;
    Handle InternetOpenUrlA(Handle root, const Bytes& url, const Bytes* headers, std::uint32_t headersLength,
                            std::uint32_t flags, std::uintptr_t context) override;
    bool InternetReadFile(Handle file, char* buffer, std::uint32_t toRead, std::uint32_t& read) override;
    bool InternetCloseHandle(Handle h) override;
    bool OpenClipboard(Handle owner) override;
    bool EmptyClipboard() override;
    bool SetClipboardData(std::uint32_t format, const Bytes& data) override;
    bool CloseClipboard() override;
    std::uint32_t RegisterClipboardFormatA(const Bytes& name) override;
    bool MessageBeep(std::uint32_t type) override;
    void Randomize() override;
    double Rnd() override;

    void ShowAboutBox(FrmMsg& box) override;

    // ---- Protected settings file ----
    std::uint32_t GetFileAttributesA(const Bytes& path) override;

    std::array<Handle, 2> SmallIcons() override;
    bool SetWakeTimer(const LocalTime& due) override;
    void CancelWakeTimer() override;
    void SetThreadExecutionState(std::uint32_t flags) override;
    void ForgetTimeZone() override;
    bool Shell_NotifyIconW(std::uint32_t message, const TrayBalloonRecord& record) override;

    // ---- Targets kept whole ----
    bool DeletePrivateProfileKeyA(const Bytes& section, const Bytes& key, const Bytes& path) override;

    // ---- Text compared as the user's locale compares it ----
    int CompareStringEx(std::uint32_t flags, std::u16string_view a, std::u16string_view b) override;

    // ---- Heard, warned, repeated ----
    bool PlaySoundW(const Text* file, std::uint32_t flags) override;
    bool EndMessageBox(const Text& text, int answer) override;
    // ---- Settings in any folder ----
    std::uint32_t GetPrivateProfileStringW(const Text& section, const Text& key, const Text& def, char16_t* buffer,
                                           std::uint32_t size, const Text& path) override;
    bool WritePrivateProfileStringW(const Text& section, const Text& key, const Text& value, const Text& path) override;
    bool DeletePrivateProfileKeyW(const Text& section, const Text& key, const Text& path) override;
    std::uint32_t GetFileAttributesW(const Text& path) override;

private:
    KernelHandle wake_;  // the wake timer, made on first use
    FormView& view_;
    std::uint32_t downloadLimitMs_;
    // The download under way: its handles, its helper thread and the moment it must be
    // over by.
    struct Download {
        Handle root = 0, file = 0;
        SharedRef<DownloadWorker> worker;
        unsigned long started = 0;  // GetTickCount at InternetOpenA
        bool expired = false;
        std::vector<Handle> closedEarly;  // closed when time ran out
    } download_;
    bool WaitForHelper(HANDLE done);
    bool CallInTime();
    void EndDownload();
    std::uint64_t offsetMinute_ = ~0ULL, offset_ = 0;  // Now(): the zone's offset, and the minute it is for
    // The user's separators, looked up again a minute later.
    std::uint64_t separatorsMinute_ = ~0ULL;
    Text dateSeparator_, timeSeparator_;
    void ReadSeparators();
    RandomGenerator random_;
    std::vector<double> scriptedDraws_;  // test hook: draws handed out first
    bool drawsRead_ = false;
};

// The one way the Win32 layer reports a failed call whose failure matters (window
// classes, windows and controls, the tray, the wake timer, the clipboard, the shell):
// the failure is counted, for the test-only state dump, and told to a debugger
// (OutputDebugStringW) with the call's name and GetLastError, which it leaves as it found
// it. The user hears of it only where the program's rules say so (failures.cpp).
void ReportFailure(const wchar_t* call);
unsigned long FailureCount();
const wchar_t* LastFailedCall(unsigned long& error);  // "" before the first
// `result` as the call gave it, reported when it is zero (null, FALSE).
template <typename T>
T Checked(const wchar_t* call, T result) {
    if (!result) ReportFailure(call);
    return result;
}

// A call newer systems added to a DLL the program has loaded already (user32, kernel32,
// advapi32), looked up when first asked for: null where the system lacks it.
template <typename Fn>
Fn LoadedCall(const wchar_t* dll, const char* name) {
    // Through a generic function pointer: the compiler has no opinion on that cast.
    return reinterpret_cast<Fn>(reinterpret_cast<void (*)()>(GetProcAddress(GetModuleHandleW(dll), name)));
}

// One of the program's two icons (0 stopped, 1 armed), `size` pixels square.
HICON LoadProgramIcon(int index, int size);

// A window class with the arrow cursor.
bool RegisterWindowClass(HINSTANCE instance, const wchar_t* name, WNDPROC proc, UINT style, HICON icon, HICON small,
                         HBRUSH background);

// Display scaling (dpi.cpp).
int SystemDpi();
int WindowDpi(HWND hwnd);
int SystemMetricAt(int index, int dpi);
// The window size around a client area at a DPI, for a window without a menu bar.
SIZE WindowSizeAt(int clientWidth, int clientHeight, DWORD style, int dpi);
// A font of the layout at a DPI.
HFONT CreateLayoutFont(const FontSpec& font, int dpi);
#ifndef WM_DPICHANGED
#define WM_DPICHANGED 0x02E0
#endif
#ifndef WM_GETDPISCALEDSIZE
#define WM_GETDPISCALEDSIZE 0x02E4
#endif

// The replacement window procedure installed by start-up, and the form it hands the
// program's part of each message to (win32_platform.cpp).
LRESULT CALLBACK WindowProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam);
// Whether the user-interface thread waits for a download's helper, answering only the
// messages sent to it (win32_network.cpp).
bool DownloadWaiting();
void SetWindowProcTarget(FrmTimer* form);

// Test hooks (test_hooks.cpp): whether they are on, and the mascot's draws given in
// advance, last first.
bool TestHooksOn();
std::vector<double> ScriptedDraws();
// The clock moved on by the tests (in 100 ns units), as a sleep or a jump would move it.
extern std::int64_t g_testClockShift;

}  // namespace poko
