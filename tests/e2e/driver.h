// Driver for the end-to-end scenarios. It runs PokomaruNo1.exe under Wine from a fresh
// application folder and looks at and works the program from another process, the way a
// user and the shell would. Every wait polls a condition against a deadline and, when it
// gives up, throws e2e::Failure naming what it waited for; GoogleTest reports that as a
// failure of the running test.
#pragma once

#include <windows.h>

#include <chrono>
#include <functional>
#include <map>
#include <optional>
#include <stdexcept>
#include <string>
#include <string_view>
#include <vector>

namespace e2e {

using namespace std::chrono_literals;
using Duration = std::chrono::milliseconds;

// Wine on a busy two-core machine can take seconds for what Windows does at once.
inline constexpr Duration kStartDeadline = 60s;  // process start to main window
inline constexpr Duration kDeadline = 15s;       // any one reaction of the program
inline constexpr Duration kExitDeadline = 30s;   // WM_CLOSE to process exit

struct Failure : std::runtime_error {
    using std::runtime_error::runtime_error;
};

std::string Utf8(std::wstring_view text);
std::wstring Wide(std::string_view utf8);
// Code page 932 bytes, as the program's settings file holds them.
std::string Cp932(std::wstring_view text);
std::wstring FromCp932(std::string_view bytes);
// Quoted UTF-8 plus the code points of any non-ASCII character, so that look-alikes
// (a full-width blank for a blank, ＭＳ for MS) are told apart in failure messages.
std::string Describe(std::wstring_view text);
// A target as FILENAMEW keeps it: UTF-8 with every byte outside printable ASCII, and "%", as %XX.
std::string PercentUtf8(std::wstring_view text);

// The program's texts that the scenarios look for.
inline const std::wstring kPokomaru = L"\u30DD\u30B3\u4E38";                    // ポコ丸
inline const std::wstring kCaption = kPokomaru + L"\uFF11\u53F7";               // ポコ丸１号
inline const std::wstring kStopped = kPokomaru + L"\u3000\u505C\u6B62\u4E2D";    // ポコ丸　停止中
inline const std::wstring kWatching = kPokomaru + L"\u3000\u76E3\u8996\u4E2D";   // ポコ丸　監視中
inline const std::wstring kDone = kPokomaru + L"\u3000\u5B9A\u6642\u4EFB\u52D9\u5B9F\u884C\u5B8C\u4E86";  // 　定時任務実行完了
inline const std::wstring kStart = L"\u30BF\u30A4\u30DE\u8D77\u52D5";  // タイマ起動
inline const std::wstring kStop = L"\u30BF\u30A4\u30DE\u505C\u6B62";   // タイマ停止
inline const std::wstring kYes = L"\u306F\u3044(&Y)", kNo = L"\u3044\u3044\u3048(&N)";  // はい(&Y) いいえ(&N)
// The tray tip of a status and a set time "hh:mm" ("  設定時刻 [hh:mm]").
inline std::wstring TrayTip(const std::wstring& status, const std::wstring& time) {
    return status + L"  \u8A2D\u5B9A\u6642\u523B [" + time + L"]";
}

// Declares the process per-monitor (v2) DPI aware where the system knows the call (it is
// looked up, not imported): Wine 10, as Windows, otherwise gives an unaware driver 96 DPI
// and scaled coordinates, and every measure of the program would be off by the scale.
void DeclareDpiAware();

// Polls `done` until it returns true; throws Failure "gave up after ... waiting for
// <what>" when `limit` passes first.
void WaitUntil(std::string_view what, Duration limit, const std::function<bool()>& done);

// Sections and keys of an INI file as raw bytes (no code page conversion).
using Ini = std::map<std::string, std::map<std::string, std::string>>;
Ini ParseIni(std::string_view bytes);

// A fresh, empty application folder for one scenario (C:\pokomaru-e2e\<test>-<n>) with
// PokomaruNo1.exe copied into it. The exe comes from POKOMARU_EXE (a Unix or Windows
// path). The folder is left behind: it goes with the scenario's copy of the prefix.
class AppFolder {
public:
    explicit AppFolder(std::wstring_view name = L"");  // with `name`: a folder of that name inside it
    const std::wstring& Dir() const { return dir_; }
    std::wstring Exe() const { return Path(L"PokomaruNo1.exe"); }
    std::wstring Path(std::wstring_view name) const;
    void Write(std::wstring_view name, std::string_view bytes) const;
    std::optional<std::string> Read(std::wstring_view name) const;
    // The file's bytes, or empty while there is none or it cannot be opened (a program
    // may still be writing it): for waits and comparisons that need no difference.
    std::string Contents(std::wstring_view name) const { return Read(name).value_or(""); }
    bool Exists(std::wstring_view name) const;
    void Remove(std::wstring_view name) const;

private:
    std::wstring dir_;
};

struct Control {
    HWND hwnd = nullptr;
    int id = 0;
    std::wstring cls;
    std::wstring text;
    RECT rect{};  // in the parent's client coordinates
    bool enabled = false;
    bool visible = false;
    // Scroll bars only.
    int pos = 0, min = 0, max = 0;
};

// Any window of the program, from another process.
std::wstring TextOf(HWND h);
Control ReadControl(HWND h);

struct MenuItem {
    int level = 0;
    std::string name;
    std::wstring caption;
    bool enabled = false;
    bool checked = false;
};

struct FontSpec {
    std::wstring face;
    int heightPx = 0;
    int weight = 0;
    int charset = 0;
};

// The answer to the program's test-only state query: "key=value" lines (UTF-8).
class State {
public:
    static State Parse(std::string_view utf8);
    bool Has(std::string_view key) const;
    // Throws when the key is missing or appears more than once.
    std::string Get(std::string_view key) const;
    std::wstring Text(std::string_view key) const { return Wide(Get(key)); }
    long long Int(std::string_view key) const;
    std::vector<std::string> All(std::string_view key) const;
    // The menu tree ("menu"), or the menu on screen ("popup").
    std::vector<MenuItem> Menu(std::string_view key = "menu") const;
    FontSpec Font(std::string_view control) const;

private:
    std::multimap<std::string, std::string, std::less<>> values_;
};

struct MessageBoxWindow {
    HWND hwnd = nullptr;
    std::wstring title;
    std::wstring text;  // the static with id 65535
    struct Button {
        HWND hwnd;
        int id;
        std::wstring text;
    };
    std::vector<Button> buttons;
};

// One run of the program. The destructor ends a process that is still running.
class Program {
public:
    // Starts the program with `args` (the text after the program name), with its own
    // standard handles, nothing inherited, POKOMARU_TEST_HOOKS=1 unless `testHooks` is
    // false, and a current folder other than the application folder.
    explicit Program(const AppFolder& folder, std::wstring_view args = L"", bool testHooks = true);
    ~Program();
    Program(const Program&) = delete;
    Program& operator=(const Program&) = delete;

    // The main window (class PokomaruNo1Main) of this process; with `visible`, also
    // waits until it is shown.
    HWND WaitForMainWindow(bool visible = true, Duration limit = kStartDeadline);
    HWND Main() const;
    DWORD Pid() const { return pi_.dwProcessId; }

    // Controls of the main window.
    HWND Item(int id) const;
    Control Read(int id) const;
    std::vector<Control> Children() const;  // direct children, in Z order
    std::wstring Text(int id) const;
    HWND Focused() const;  // the program's focus window, or null

    // Input. Posted or sent from outside, as Wine lets another process do.
    void ClickButton(int id) const;                          // BM_CLICK
    // SendInput, with the target's top-level window brought to the front first.
    void MouseClick(HWND target, POINT clientPt, bool right = false) const;
    void MouseMove(HWND target, POINT clientPt) const;
    void DoubleClick(HWND target, POINT clientPt) const;
    void Key(WORD vk) const;  // SendInput: down and up, to the foreground window
    void SetText(int id, std::wstring_view text) const;      // WM_SETTEXT (EN_CHANGE follows)
    void TypeText(int id, std::wstring_view text) const;     // WM_CHAR per character
    // Posts WM_DROPFILES as the shell does after a drop, the file list (wide names) in
    // the program's own memory, where the drop's handle must point.
    void DropFiles(int id, const std::vector<std::wstring>& paths) const;
    void Focus(int id) const;                                // waits until it has the focus
    void Wheel(HWND target, int delta) const;                // posts WM_MOUSEWHEEL
    // WM_DPICHANGED as Windows sends it when the window moves to a monitor of that DPI,
    // the suggested rectangle in the program's own memory.
    void DpiChanged(int dpi, const RECT& suggested) const;
    void ScrollArrow(int barId, bool up) const;              // WM_VSCROLL line step + end
    LRESULT Send(UINT msg, WPARAM w = 0, LPARAM l = 0) const;
    void Post(UINT msg, WPARAM w = 0, LPARAM l = 0) const;

    State QueryState() const;
    // Moves the program's clock on by `seconds`, as a sleep or a change of the clock
    // would (a test hook).
    void ShiftClock(long long seconds) const;
    // Asks the notification area itself: NIM_MODIFY that changes nothing succeeds only
    // for an icon that exists.
    bool TrayIconExists(UINT id = 1) const;

    // Opens the tray icon's menu (the window must be hidden, as the icon's menu works
    // only then) and chooses the item with the given access key.
    void ChooseFromTrayMenu(wchar_t accessKey) const;
    HWND OpenTrayMenu() const;  // the menu's window once it shows
    // A shown top-level window of this process with the window class `cls`, or null.
    HWND FindWindowOfClass(std::wstring_view cls) const;

    std::optional<MessageBoxWindow> FindMessageBox() const;
    MessageBoxWindow WaitForMessageBox(Duration limit = kDeadline) const;
    void Answer(const MessageBoxWindow& box, std::wstring_view buttonText) const;

    // WM_CLOSE to the main window; with the test hooks on, first a check that no call the
    // program's Win32 layer reports has failed, unless the scenario expects failures.
    void Close() const;
    // The scenario's road makes the system refuse calls on purpose (say why where it is called).
    void ExpectFailedCalls() { failedCallsExpected_ = true; }
    bool Running() const;
    // Waits for the process to end; returns its exit code.
    DWORD WaitForExit(Duration limit = kExitDeadline);

private:
    PROCESS_INFORMATION pi_{};
    mutable HWND main_ = nullptr;
    bool testHooks_ = true;
    bool failedCallsExpected_ = false;
};

// A hidden start shows no window to wait for; the program's count of start-up steps
// tells when the command line has been acted on.
void WaitForStartup(const Program& program);

// The current minute with at least ten seconds of it left, so that an alarm set to it
// fires before it passes.
SYSTEMTIME MinuteWithRoom();
int MessageBoxCount(const Program& program);
// Watches for `limit`: the number of message boxes must stay `expected` throughout.
void ExpectMessageBoxesFor(const Program& program, int expected, Duration limit);
// Copies marker.exe (built beside the driver) into the application folder: an alarm
// target, or the browser, that leaves fired.txt there.
std::wstring CopyMarker(const AppFolder& app);
// Sets the default value of a key under HKEY_CLASSES_ROOT, where the shell looks up how
// to open a file or an address (Wine 8 reads the machine's classes only).
void SetShellClass(const std::wstring& key, const std::wstring& value);

// The id of a message box's default button (IDOK, IDYES, IDNO, ...), 0 when none.
int DefaultButtonId(const MessageBoxWindow& box);

// The clipboard's data in one format, as bytes up to the first NUL; nothing when the
// clipboard holds nothing in that format.
std::optional<std::string> ClipboardText(UINT format);

// The local board server the harness starts beside every scenario.
std::wstring BoardUrl(std::wstring_view path);   // "http://127.0.0.1:PORT" + path
std::vector<std::string> BoardRequests();        // the paths asked for so far

// The Windows version Wine reports to programs started after this ("nt40", "winxp"...).
void SetWineVersion(const wchar_t* version);
// The screen's DPI for programs started after this.
void SetLogPixels(DWORD dpi);
// A colour of the scheme ("ButtonFace", "R G B") for programs started after this.
void SetSchemeColour(const wchar_t* name, const wchar_t* rgb);
// The colour on the screen at a point of a window's client area.
COLORREF ScreenPixel(HWND window, POINT clientPt);
// Whether any point of a window's client area shows this colour on the screen.
bool ScreenShows(HWND window, COLORREF colour);

// The texts of the tray's balloons on screen (tooltip windows of the notification area).
std::vector<std::wstring> BalloonTexts();

// Timer.ini pointing the global IP copy at a path of the local board and the mascot at
// menuUrl, after `more` (other sections).
void PointAtBoard(const AppFolder& app, std::wstring_view ipPath, std::wstring_view menuUrl, std::string more = "");
// The mascot's random choices, in order, for the programs started from now on.
void ScriptDraws(const std::wstring& draws);
// Arguments of a hidden start armed for the current minute with the mascot as target.
std::wstring QuestionNow();

// Layout arithmetic shared by the scenarios: twips to pixels at 96 DPI.
constexpr int Px(int twips) { return twips / 15; }

// ---- Menu state ----
// The check mark of a menu item, by its name in the state dump ("M_WinCmm", "M_WinCon(1)").
bool Checked(const State& state, std::string_view item);

}  // namespace e2e
