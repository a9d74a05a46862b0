// A recording fake of the platform: every call appends one readable entry to `calls`
// ("Shell_NotifyIconA(1)", "MessageBox(時間です！|ポコ丸|64)", ...), so tests can write
// the calls they expect as tables. Answers are scripted through public fields. Texts
// of the "A" calls are ANSI (CP932) bytes; entries show them as UTF-8. Arguments are
// separated by "|" where texts are involved and by "," where all are numbers.
#pragma once

#include <deque>
#include <functional>
#include <map>
#include <optional>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "base/ansi.h"
#include "platform/platform.h"
#include "ui/about_box.h"
#include "ui/controls.h"

// The profile files, read and written as the Windows profile calls do: section, key
// and path names are case-insensitive; a read trims blanks and tabs around the value
// and removes one pair of matching enclosing quotes (" or '); a write drops the
// value's leading blanks, as Wine does. Values are stored as ANSI bytes.
class IniStore {
public:
    // Replaces the file by the given ANSI text of "[SECTION]" and "KEY=VALUE" lines.
    void Load(const poko::Bytes& path, const poko::Bytes& text);
    // The file as text ("[SECTION]\r\nKEY=VALUE\r\n..."), empty when it does not exist.
    poko::Bytes Dump(const poko::Bytes& path) const;
    bool Exists(const poko::Bytes& path) const { return Find(path) != nullptr; }
    std::vector<poko::Bytes> Paths() const;
    // The bytes after "=" as the file holds them, or nothing when the key is absent.
    std::optional<poko::Bytes> Raw(const poko::Bytes& path, const poko::Bytes& section, const poko::Bytes& key) const;

    std::uint32_t Get(const poko::Bytes& path, const poko::Bytes& section, const poko::Bytes& key,
                      const poko::Bytes& def, char* buffer, std::uint32_t size) const;
    void Set(const poko::Bytes& path, const poko::Bytes& section, const poko::Bytes& key, const poko::Bytes& value);
    void Delete(const poko::Bytes& path, const poko::Bytes& section, const poko::Bytes& key);

private:
    struct Section {
        poko::Bytes name;
        std::vector<std::pair<poko::Bytes, poko::Bytes>> keys;
    };
    struct File {
        poko::Bytes path;
        std::vector<Section> sections;
    };
    const File* Find(const poko::Bytes& path) const;
    std::vector<File> files_;
};

namespace poko {
// The code page that stands for the system's in the native builds (ansi_iconv.cpp), by
// its iconv name: "CP932" unless a test asks for another ("CP1252", as on a Western
// Windows).
void UseNativeCodePage(const char* iconvName);
}  // namespace poko

class FakePlatform : public poko::Platform {
public:
    std::vector<std::string> calls;
    bool recording = true;  // off: calls are answered but not listed (benchmarks)
    // Runs after each entry is recorded, with the entry: lets a test act in the middle
    // of a call (a nested window message, say).
    std::function<void(const std::string&)> onCall;

    // Scripted answers.
    poko::Text appFolder = u"C:\\Apps\\Poko";
    poko::Text commandLine;
    poko::LocalTime now{2024, 5, 17, 12, 0, 0};
    std::map<poko::Text, poko::FileKind> files;  // by exact path; others are absent
    bool pictureLoads = true;
    poko::OsVersion version{148, 5, 1, 2600, 2};
    bool versionResult = true;
    std::int32_t exStyle = 0;  // what GetWindowLongA(-20) answers
    std::uint32_t taskbarCreatedMsg = 0xC0DE;
    poko::Handle processHandle = static_cast<poko::Handle>(-1);
    poko::Handle tokenHandle = 0x7A;
    poko::Handle moduleHandle = 0x400000;
    std::uint64_t shutdownLuid = 0x13;
    bool openTokenResult = true, lookupResult = true, adjustResult = true;
    int messageBoxAnswer = 1;
    std::function<void()> onMessageBox;  // runs inside the box, before it returns
    std::function<poko::MenuItem*(poko::MenuItem&)> popupChooser;  // nullptr: no choice
    std::function<void()> onDoEvents;
    std::optional<poko::Bytes> openFileAnswer;  // ANSI path the user picks; nothing: cancel
    std::optional<poko::Text> openFileAnswerWide;  // set: the dialog answers in UTF-16 instead
    std::uint32_t lastError = 0;                   // GetLastError's answer
    bool exitWindowsResult = true;
    std::optional<std::uint32_t> initiateShutdownAnswer;  // nothing: the call is missing, as before Vista
    poko::Handle shellExecuteResult = 42;  // above 32: the shell took the target
    std::array<int, 3> trayRefusals{};  // the next this many Shell_NotifyIcon(NIM_ADD, _MODIFY, _DELETE) fail
    poko::Text dateSeparator = u"/", timeSeparator = u":";  // answered, not listed

    // Captured arguments.
    std::vector<poko::TrayIconRecord> trayRecords;  // one per Shell_NotifyIconA call
    std::vector<poko::Bytes> profilePaths;          // one per profile call
    std::optional<poko::OpenFileRecord> lastOpenFile;  // as the dialog received it
    IniStore ini;

    // Settings-file helpers; texts are converted to and from CP932.
    poko::Text IniFile() const { return appFolder + u"\\Timer.ini"; }
    poko::Bytes IniKey() const;  // the store's name of it: its UTF-8 where the code page cannot hold it
    void PreloadIni(const poko::Text& content) { ini.Load(IniKey(), poko::ToAnsi(content)); }
    std::optional<poko::Text> Stored(const poko::Text& section, const poko::Text& key) const;
    // The entries without those whose name (the part before "(") is in `skip`.
    std::vector<std::string> CallsWithout(const std::vector<std::string>& skip) const;
    // The entries that start with `prefix`.
    std::vector<std::string> CallsStartingWith(const std::string& prefix) const;

    poko::Text AppFolder() override;
    poko::Text CommandLine() override;
    poko::LocalTime Now() override;
    poko::Text DateSeparator() override { return dateSeparator; }
    poko::Text TimeSeparator() override { return timeSeparator; }
    poko::FileKind FileAttributes(const poko::Text& path) override;
    bool LoadBackgroundPicture(const poko::Text& path) override;
    std::uint32_t GetPrivateProfileStringA(const poko::Bytes& section, const poko::Bytes& key, const poko::Bytes& def,
                                           char* buffer, std::uint32_t size, const poko::Bytes& path) override;
    bool WritePrivateProfileStringA(const poko::Bytes& section, const poko::Bytes& key, const poko::Bytes& value,
                                    const poko::Bytes& path) override;
    bool GetVersionExA(poko::OsVersion& info) override;
    std::int32_t GetWindowLongA(std::int32_t index) override;
    std::int32_t SetWindowLongA(std::int32_t index, std::int32_t value) override;
    bool SetLayeredWindowAttributes(poko::Colour key, std::uint8_t alpha, std::uint32_t flags) override;
    std::uint32_t RegisterWindowMessageA(const poko::Bytes& name) override;
    void InstallWindowProc() override;
    bool SetForegroundWindow() override;
    bool LockWindowUpdate(poko::Handle hwnd) override;
    poko::MenuItem* TrackPopupMenu(poko::MenuItem& menu) override;
    void DoEvents() override;
    int MessageBox(const poko::Text& text, const poko::Text& title, std::uint32_t style) override;
    bool Shell_NotifyIconA(std::uint32_t message, const poko::TrayIconRecord& record) override;
    poko::Handle ShellExecuteA(poko::Handle owner, const poko::Bytes& verb, const poko::Bytes& file,
                               const poko::Bytes& parameters, const poko::Bytes& directory,
                               std::int32_t show) override;
    poko::Handle ShellExecuteW(poko::Handle owner, const poko::Text& verb, const poko::Text& file,
                               const poko::Text& parameters, const poko::Text& directory, std::int32_t show) override;
    poko::Handle GetCurrentProcess() override;
    bool OpenProcessToken(poko::Handle process, std::uint32_t access, poko::Handle& token) override;
    bool LookupPrivilegeValueA(const poko::Bytes* system, const poko::Bytes& name, std::uint64_t& luid) override;
    bool AdjustTokenPrivileges(poko::Handle token, bool disableAll, const poko::TokenPrivileges& state,
                               std::uint32_t bufferLength, poko::TokenPrivileges& previous,
                               std::uint32_t& returnLength) override;
    bool CloseHandle(poko::Handle h) override;
    bool ExitWindowsEx(std::uint32_t flags, std::uint32_t reserved) override;
    std::optional<std::uint32_t> InitiateShutdownW(std::uint32_t grace, std::uint32_t flags, std::uint32_t reason) override;
    std::uint32_t GetLastError() override;
    bool GetOpenFileNameA(poko::OpenFileRecord& record) override;
    poko::Handle ModuleHandle() override;

    // Network and mascot.
    // Pages by URL (ANSI). A URL without a page cannot be opened. Reads hand out at most
    // what they ask for; after `failAfter` bytes a read fails; an endless page never ends.
    struct WebPage {
        poko::Bytes body;
        std::optional<size_t> failAfter;
        bool endless = false;
    };
    std::map<poko::Bytes, WebPage> pages;
    bool internetOpens = true;
    std::deque<double> draws;                   // Rnd answers in order, then 0.5
    std::deque<int> messageBoxAnswers;          // taken before messageBoxAnswer
    std::vector<std::pair<std::uint32_t, poko::Bytes>> clipboard;  // SetClipboardData, in order
    // A page of the given ANSI text at url.
    void Serve(const poko::Text& url, const poko::Text& text) { pages[poko::ToAnsi(url)].body = poko::ToAnsi(text); }

    poko::Handle InternetOpenA(const poko::Bytes& agent, std::uint32_t accessType, const poko::Bytes* proxy,
                               const poko::Bytes* proxyBypass, std::uint32_t flags) override;
    poko::Handle InternetOpenUrlA(poko::Handle root, const poko::Bytes& url, const poko::Bytes* headers,
                                  std::uint32_t headersLength, std::uint32_t flags, std::uintptr_t context) override;
    bool InternetReadFile(poko::Handle file, char* buffer, std::uint32_t toRead, std::uint32_t& read) override;
    bool InternetCloseHandle(poko::Handle h) override;
    bool OpenClipboard(poko::Handle owner) override;
    bool EmptyClipboard() override;
    bool SetClipboardData(std::uint32_t format, const poko::Bytes& data) override;
    bool CloseClipboard() override;
    std::uint32_t RegisterClipboardFormatA(const poko::Bytes& name) override;
    bool MessageBeep(std::uint32_t type) override;
    void Randomize() override;
    double Rnd() override;

    // The about box: records its caption, then runs onAboutBox inside the "modal loop".
    std::function<void(poko::FrmMsg&)> onAboutBox;
    void ShowAboutBox(poko::FrmMsg& box) override;

    // ---- Protected settings file ----
    // Attribute bits by ANSI path; a path not listed is a plain file (archive bit) while
    // the profile store holds it, and absent otherwise.
    std::map<poko::Bytes, std::uint32_t> attributes;
    std::uint32_t GetFileAttributesA(const poko::Bytes& path) override;

    // Display scaling and waking: "SmallIcons" answers these handles;
    // "SetWakeTimer(yyyy-mm-dd hh:mm:ss)", "CancelWakeTimer",
    // "SetThreadExecutionState(0x80000001)", "ForgetTimeZone",
    // "Shell_NotifyIconW(1|256|1|16|title|text|2)" (message|window|id|flags|...).
    std::array<poko::Handle, 2> smallIcons{};
    int wakeTimerFailures = 0;  // the next this many SetWakeTimer calls fail
    // A change of zone the clock shows only once the cached zone is forgotten (minutes
    // added to `now` at ForgetTimeZone).
    int zoneChangeMinutes = 0;
    std::array<poko::Handle, 2> SmallIcons() override;
    bool SetWakeTimer(const poko::LocalTime& due) override;
    void CancelWakeTimer() override;
    void SetThreadExecutionState(std::uint32_t flags) override;
    void ForgetTimeZone() override;
    bool Shell_NotifyIconW(std::uint32_t message, const poko::TrayBalloonRecord& record) override;

    // ---- Targets kept whole; text compared as the user's locale compares it ----
    bool DeletePrivateProfileKeyA(const poko::Bytes& section, const poko::Bytes& key, const poko::Bytes& path) override;
    // A Japanese system's answer to the three flags (SameFolded), or texts as they are; not listed.
    int CompareStringEx(std::uint32_t flags, std::u16string_view a, std::u16string_view b) override;
    std::uint32_t GetPrivateProfileStringW(const poko::Text& s, const poko::Text& k, const poko::Text& d,
                                           char16_t* buffer, std::uint32_t size, const poko::Text& path) override;
    bool WritePrivateProfileStringW(const poko::Text& s, const poko::Text& k, const poko::Text& v,
                                    const poko::Text& path) override;
    bool DeletePrivateProfileKeyW(const poko::Text& s, const poko::Text& k, const poko::Text& path) override;
    std::uint32_t GetFileAttributesW(const poko::Text& path) override;

    // ---- Heard, warned, repeated ----
    bool PlaySoundW(const poko::Text* file, std::uint32_t flags) override;
    // Listed; a box that is open then returns `answer` when its onMessageBox is over.
    bool EndMessageBox(const poko::Text& text, int answer) override;

private:
    void Record(const std::string& entry);
    std::vector<std::pair<poko::Text, std::optional<int>>> open_boxes_;  // their texts, and an answer given by EndMessageBox
    struct OpenUrl {
        const WebPage* page;
        size_t at;
    };
    std::map<poko::Handle, OpenUrl> open_urls_;
    poko::Handle next_handle_ = 0xA0;
};

// A view that logs property changes into a call list, as "TextH.Enabled=0",
// "TextH.Focus", "L_Title.Caption": a test sees them in order with the platform calls.
// With deliverFocus it answers a focus request the way the real window does, with the
// box's focus event.
class RecordingView : public poko::ControlView {
public:
    explicit RecordingView(std::vector<std::string>& log, bool deliverFocus = true)
        : log_(log), deliverFocus_(deliverFocus) {}
    void Changed(poko::Control& control, poko::Property what) override;

private:
    std::vector<std::string>& log_;
    bool deliverFocus_;
};

// The visible tip of a tray record: the ANSI text up to its first NUL, as UTF-8.
std::string TipText(const poko::TrayIconRecord& record);
std::string Utf8(const poko::Text& text);

// Compares call lists step by step; a failure names the first step that differs and
// prints both lists whole.
::testing::AssertionResult SameCalls(const std::vector<std::string>& expected,
                                     const std::vector<std::string>& actual);
