#include "driver.h"

#include <shellapi.h>
#include <shlobj.h>

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdio>
#include <cwchar>
#include <cstdlib>
#include <fstream>
#include <sstream>

#include "screenshot.h"
#include "win32/test_hooks.h"
#include "ui/control_ids.h"

namespace e2e {
namespace {

[[noreturn]] void Fail(const std::string& message) {
    // Picture first: by the time GoogleTest reports, the program has been ended.
    SaveScreenshotOnce();
    throw Failure(message);
}

std::string LastError() {
    return " (error " + std::to_string(GetLastError()) + ")";
}

std::wstring Env(const wchar_t* name) {
    DWORD n = GetEnvironmentVariableW(name, nullptr, 0);
    if (n == 0) return {};
    std::wstring value(n, L'\0');
    value.resize(GetEnvironmentVariableW(name, value.data(), n));
    return value;
}

std::wstring ClassOf(HWND h) {
    wchar_t buf[256];
    int n = GetClassNameW(h, buf, 256);
    return std::wstring(buf, n > 0 ? n : 0);
}

}  // namespace

// WM_GETTEXT across processes; a timeout means the program is not answering.
std::wstring TextOf(HWND h) {
    DWORD_PTR len = 0;
    if (!SendMessageTimeoutW(h, WM_GETTEXTLENGTH, 0, 0, SMTO_ABORTIFHUNG,
                             static_cast<UINT>(kDeadline.count()), &len))
        Fail("no answer to WM_GETTEXTLENGTH from window " + Utf8(ClassOf(h)));
    std::wstring text(len + 1, L'\0');
    DWORD_PTR got = 0;
    if (!SendMessageTimeoutW(h, WM_GETTEXT, text.size(), reinterpret_cast<LPARAM>(text.data()),
                             SMTO_ABORTIFHUNG, static_cast<UINT>(kDeadline.count()), &got))
        Fail("no answer to WM_GETTEXT from window " + Utf8(ClassOf(h)));
    text.resize(std::min<size_t>(got, len));
    return text;
}

namespace {

std::string ReadWholeFile(const std::wstring& path, bool* found) {
    HANDLE f = CreateFileW(path.c_str(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr,
                           OPEN_EXISTING, 0, nullptr);
    *found = f != INVALID_HANDLE_VALUE;
    if (!*found) return {};
    std::string bytes;
    char buf[4096];
    DWORD n = 0;
    while (ReadFile(f, buf, sizeof buf, &n, nullptr) && n > 0) bytes.append(buf, n);
    CloseHandle(f);
    return bytes;
}

std::vector<std::string> Split(std::string_view s, char sep) {
    std::vector<std::string> parts;
    size_t start = 0;
    for (;;) {
        size_t at = s.find(sep, start);
        parts.emplace_back(s.substr(start, at == std::string_view::npos ? s.npos : at - start));
        if (at == std::string_view::npos) return parts;
        start = at + 1;
    }
}

// Lines of a text file, without their CR.
std::vector<std::string_view> Lines(std::string_view s) {
    std::vector<std::string_view> lines;
    while (!s.empty()) {
        size_t nl = s.find('\n');
        std::string_view line = s.substr(0, nl);
        if (!line.empty() && line.back() == '\r') line.remove_suffix(1);
        lines.push_back(line);
        if (nl == s.npos) break;
        s.remove_prefix(nl + 1);
    }
    return lines;
}

const std::wstring& ScenarioRoot() {
    static const std::wstring root = [] {
        std::wstring r = L"C:\\pokomaru-e2e";
        CreateDirectoryW(r.c_str(), nullptr);
        return r;
    }();
    return root;
}

// POKOMARU_EXE may be a Unix path: Wine shows the Unix root as drive Z:.
std::wstring ProgramSource() {
    std::wstring p = Env(L"POKOMARU_EXE");
    if (p.empty()) Fail("POKOMARU_EXE is not set (path of the PokomaruNo1.exe to test)");
    if (p[0] == L'/') {
        std::replace(p.begin(), p.end(), L'/', L'\\');
        p = L"Z:" + p;
    }
    return p;
}

}  // namespace

std::string Utf8(std::wstring_view text) {
    if (text.empty()) return {};
    int n = WideCharToMultiByte(CP_UTF8, 0, text.data(), static_cast<int>(text.size()), nullptr, 0,
                                nullptr, nullptr);
    std::string out(n, '\0');
    WideCharToMultiByte(CP_UTF8, 0, text.data(), static_cast<int>(text.size()), out.data(), n,
                        nullptr, nullptr);
    return out;
}

std::wstring Wide(std::string_view utf8) {
    if (utf8.empty()) return {};
    int n = MultiByteToWideChar(CP_UTF8, 0, utf8.data(), static_cast<int>(utf8.size()), nullptr, 0);
    std::wstring out(n, L'\0');
    MultiByteToWideChar(CP_UTF8, 0, utf8.data(), static_cast<int>(utf8.size()), out.data(), n);
    return out;
}

std::string Cp932(std::wstring_view text) {
    if (text.empty()) return {};
    int n = WideCharToMultiByte(932, 0, text.data(), static_cast<int>(text.size()), nullptr, 0,
                                nullptr, nullptr);
    std::string out(n, '\0');
    WideCharToMultiByte(932, 0, text.data(), static_cast<int>(text.size()), out.data(), n, nullptr,
                        nullptr);
    return out;
}

std::wstring FromCp932(std::string_view bytes) {
    if (bytes.empty()) return {};
    int n = MultiByteToWideChar(932, 0, bytes.data(), static_cast<int>(bytes.size()), nullptr, 0);
    std::wstring out(n, L'\0');
    MultiByteToWideChar(932, 0, bytes.data(), static_cast<int>(bytes.size()), out.data(), n);
    return out;
}

std::string PercentUtf8(std::wstring_view text) {
    std::string out;
    for (const unsigned char b : Utf8(text))
        out += b >= 0x20 && b < 0x7F && b != '%' ? std::string(1, static_cast<char>(b))
                                                 : std::string{'%', "0123456789ABCDEF"[b >> 4], "0123456789ABCDEF"[b & 15]};
    return out;
}

std::string Describe(std::wstring_view text) {
    std::string out = "\"" + Utf8(text) + "\"";
    if (std::all_of(text.begin(), text.end(), [](wchar_t c) { return c < 0x80; })) return out;
    out += " [";
    char buf[16];
    for (size_t i = 0; i < text.size(); ++i) {
        std::snprintf(buf, sizeof buf, i ? " U+%04X" : "U+%04X", static_cast<unsigned>(text[i]));
        out += buf;
    }
    return out + "]";
}

void DeclareDpiAware() {
    using SetContext = BOOL(WINAPI*)(DPI_AWARENESS_CONTEXT);
    if (auto set = reinterpret_cast<SetContext>(
            reinterpret_cast<void*>(GetProcAddress(GetModuleHandleW(L"user32.dll"), "SetProcessDpiAwarenessContext"))))
        set(DPI_AWARENESS_CONTEXT_PER_MONITOR_AWARE_V2);
}

void WaitUntil(std::string_view what, Duration limit, const std::function<bool()>& done) {
    const auto start = std::chrono::steady_clock::now();
    for (;;) {
        if (done()) return;
        if (std::chrono::steady_clock::now() - start > limit) {
            char secs[32];
            std::snprintf(secs, sizeof secs, "%.1f", static_cast<double>(limit.count()) / 1000.0);
            Fail("gave up after " + std::string(secs) + " s waiting for " + std::string(what));
        }
        Sleep(20);
    }
}

Ini ParseIni(std::string_view bytes) {
    Ini ini;
    std::map<std::string, std::string>* section = nullptr;
    for (std::string_view line : Lines(bytes)) {
        if (line.size() >= 2 && line.front() == '[' && line.back() == ']') {
            section = &ini[std::string(line.substr(1, line.size() - 2))];
        } else if (size_t eq = line.find('='); section && eq != line.npos) {
            (*section)[std::string(line.substr(0, eq))] = std::string(line.substr(eq + 1));
        }
    }
    return ini;
}

// ---------------------------------------------------------------------------------------

AppFolder::AppFolder(std::wstring_view folder) {
    std::wstring name = L"scenario";
    if (auto* info = ::testing::UnitTest::GetInstance()->current_test_info())
        name = Wide(std::string(info->test_suite_name()) + "." + info->name());
    for (int n = 1;; ++n) {
        dir_ = ScenarioRoot() + L"\\" + name + L"-" + std::to_wstring(n);
        if (CreateDirectoryW(dir_.c_str(), nullptr)) break;
        if (GetLastError() != ERROR_ALREADY_EXISTS) Fail("cannot create " + Utf8(dir_) + LastError());
    }
    if (!folder.empty() && !CreateDirectoryW((dir_ += L"\\" + std::wstring(folder)).c_str(), nullptr))
        Fail("cannot create " + Utf8(dir_) + LastError());
    std::wstring source = ProgramSource();
    if (!CopyFileW(source.c_str(), Exe().c_str(), TRUE))
        Fail("cannot copy the program from " + Utf8(source) + LastError());
}

std::wstring AppFolder::Path(std::wstring_view name) const {
    return dir_ + L"\\" + std::wstring(name);
}

void AppFolder::Write(std::wstring_view name, std::string_view bytes) const {
    std::wstring path = Path(name);
    HANDLE f = CreateFileW(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0, nullptr);
    if (f == INVALID_HANDLE_VALUE) Fail("cannot create " + Utf8(path) + LastError());
    DWORD written = 0;
    BOOL ok = WriteFile(f, bytes.data(), static_cast<DWORD>(bytes.size()), &written, nullptr);
    CloseHandle(f);
    if (!ok || written != bytes.size()) Fail("cannot write " + Utf8(path) + LastError());
}

std::optional<std::string> AppFolder::Read(std::wstring_view name) const {
    bool found = false;
    std::string bytes = ReadWholeFile(Path(name), &found);
    if (!found) return std::nullopt;
    return bytes;
}

bool AppFolder::Exists(std::wstring_view name) const {
    return GetFileAttributesW(Path(name).c_str()) != INVALID_FILE_ATTRIBUTES;
}

void AppFolder::Remove(std::wstring_view name) const {
    DeleteFileW(Path(name).c_str());
}

// ---------------------------------------------------------------------------------------

State State::Parse(std::string_view utf8) {
    State s;
    for (std::string_view line : Lines(utf8)) {
        if (line.empty()) continue;
        size_t eq = line.find('=');
        if (eq == line.npos) Fail("state dump line without '=': " + std::string(line));
        s.values_.emplace(std::string(line.substr(0, eq)), std::string(line.substr(eq + 1)));
    }
    return s;
}

bool State::Has(std::string_view key) const {
    return values_.find(key) != values_.end();
}

std::string State::Get(std::string_view key) const {
    auto [first, last] = values_.equal_range(key);
    if (first == last) Fail("state dump has no key " + std::string(key));
    if (std::next(first) != last) Fail("state dump repeats key " + std::string(key));
    return first->second;
}

long long State::Int(std::string_view key) const {
    std::string v = Get(key);
    char* end = nullptr;
    long long n = std::strtoll(v.c_str(), &end, 0);  // base 0: colours come as 0x...
    if (v.empty() || *end) Fail("state dump key " + std::string(key) + " is not a number: " + v);
    return n;
}

std::vector<std::string> State::All(std::string_view key) const {
    std::vector<std::string> out;
    auto [first, last] = values_.equal_range(key);
    for (auto it = first; it != last; ++it) out.push_back(it->second);  // multimap keeps order
    return out;
}

std::vector<MenuItem> State::Menu(std::string_view key) const {
    std::vector<MenuItem> items;
    for (const std::string& line : All(key)) {
        // level|name|caption|enabled|checked; the caption is whatever lies between.
        auto f = Split(line, '|');
        if (f.size() < 5) Fail("menu line with fewer than five fields: " + line);
        MenuItem item;
        item.level = std::atoi(f[0].c_str());
        item.name = f[1];
        std::string caption = f[2];
        for (size_t i = 3; i + 2 < f.size(); ++i) caption += "|" + f[i];
        item.caption = Wide(caption);
        item.enabled = f[f.size() - 2] == "1";
        item.checked = f[f.size() - 1] == "1";
        items.push_back(item);
    }
    return items;
}

FontSpec State::Font(std::string_view control) const {
    std::string key = "font." + std::string(control);
    auto f = Split(Get(key), '|');
    if (f.size() != 4) Fail(key + " is not face|heightPx|weight|charset");
    return {Wide(f[0]), std::atoi(f[1].c_str()), std::atoi(f[2].c_str()), std::atoi(f[3].c_str())};
}

// ---------------------------------------------------------------------------------------

Program::Program(const AppFolder& folder, std::wstring_view args, bool testHooks) : testHooks_(testHooks) {
    // Our environment with POKOMARU_TEST_HOOKS set or removed.
    std::wstring env;
    if (wchar_t* block = GetEnvironmentStringsW()) {
        for (const wchar_t* p = block; *p; p += wcslen(p) + 1) {
            if (_wcsnicmp(p, L"POKOMARU_TEST_HOOKS=", 20) != 0) env.append(p).push_back(L'\0');
        }
        FreeEnvironmentStringsW(block);
    }
    if (testHooks) env.append(L"POKOMARU_TEST_HOOKS=1").push_back(L'\0');
    env.push_back(L'\0');

    // Our own standard handles lead to the shell's pipe: a child that inherited them
    // would keep ctest waiting until it exits. It gets NUL instead, and nothing else.
    for (DWORD which : {STD_INPUT_HANDLE, STD_OUTPUT_HANDLE, STD_ERROR_HANDLE}) {
        HANDLE h = GetStdHandle(which);
        if (h && h != INVALID_HANDLE_VALUE) SetHandleInformation(h, HANDLE_FLAG_INHERIT, 0);
    }
    SECURITY_ATTRIBUTES inherit{sizeof inherit, nullptr, TRUE};
    HANDLE nulIn = CreateFileW(L"NUL", GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE, &inherit,
                               OPEN_EXISTING, 0, nullptr);
    HANDLE nulOut = CreateFileW(L"NUL", GENERIC_WRITE, FILE_SHARE_READ | FILE_SHARE_WRITE, &inherit,
                                OPEN_EXISTING, 0, nullptr);
    STARTUPINFOW si{};
    si.cb = sizeof si;
    si.dwFlags = STARTF_USESTDHANDLES;
    si.hStdInput = nulIn;
    si.hStdOutput = nulOut;
    si.hStdError = nulOut;

    std::wstring cmd = L"\"" + folder.Exe() + L"\"";
    if (!args.empty()) cmd += L" " + std::wstring(args);
    // Not the application folder: the program must find Timer.ini beside itself.
    const std::wstring& cwd = ScenarioRoot();
    // Wine under load now and then refuses a start with ERROR_INTERNAL_ERROR (1359) and
    // takes the same start a moment later; anything else fails at once.
    BOOL ok = FALSE;
    DWORD err = 0;
    for (int attempt = 0; attempt < 3; ++attempt) {
        ok = CreateProcessW(folder.Exe().c_str(), cmd.data(), nullptr, nullptr, TRUE, CREATE_UNICODE_ENVIRONMENT,
                            env.data(), cwd.c_str(), &si, &pi_);
        err = GetLastError();
        if (ok || err != ERROR_INTERNAL_ERROR) break;
        Sleep(500);
    }
    CloseHandle(nulIn);
    CloseHandle(nulOut);
    if (!ok) Fail("cannot start " + Utf8(folder.Exe()) + " (error " + std::to_string(err) + ")");
}

Program::~Program() {
    if (Running()) {
        TerminateProcess(pi_.hProcess, 99);
        WaitForSingleObject(pi_.hProcess, 10000);
    }
    CloseHandle(pi_.hThread);
    CloseHandle(pi_.hProcess);
}

bool Program::Running() const {
    return WaitForSingleObject(pi_.hProcess, 0) == WAIT_TIMEOUT;
}

HWND Program::WaitForMainWindow(bool visible, Duration limit) {
    struct Search {
        DWORD pid;
        HWND found;
    } search{pi_.dwProcessId, nullptr};
    auto find = [&] {
        search.found = nullptr;
        EnumWindows(
            [](HWND h, LPARAM p) CALLBACK -> BOOL {
                auto* s = reinterpret_cast<Search*>(p);
                DWORD pid = 0;
                GetWindowThreadProcessId(h, &pid);
                if (pid == s->pid && ClassOf(h) == poko::kMainWindowClass) {
                    s->found = h;
                    return FALSE;
                }
                return TRUE;
            },
            reinterpret_cast<LPARAM>(&search));
        return search.found;
    };
    WaitUntil(visible ? "the main window to be shown" : "the main window to exist", limit, [&] {
        if (!Running()) {
            DWORD code = 0;
            GetExitCodeProcess(pi_.hProcess, &code);
            Fail("the program exited with code " + std::to_string(code) +
                 " before its main window appeared");
        }
        HWND h = find();
        return h && (!visible || IsWindowVisible(h));
    });
    main_ = search.found;
    return main_;
}

HWND Program::Main() const {
    if (!main_) Fail("the scenario used the main window before waiting for it");
    return main_;
}

HWND Program::Item(int id) const {
    HWND h = GetDlgItem(Main(), id);
    if (!h) Fail("the main window has no control with id " + std::to_string(id));
    return h;
}

Control ReadControl(HWND h) {
    Control c;
    c.hwnd = h;
    c.id = GetDlgCtrlID(h);
    c.cls = ClassOf(h);
    c.text = TextOf(h);
    GetWindowRect(h, &c.rect);
    MapWindowPoints(HWND_DESKTOP, GetAncestor(h, GA_PARENT), reinterpret_cast<POINT*>(&c.rect), 2);
    c.enabled = IsWindowEnabled(h);
    c.visible = (GetWindowLongW(h, GWL_STYLE) & WS_VISIBLE) != 0;  // its own flag, not the parent's
    if (_wcsicmp(c.cls.c_str(), L"ScrollBar") == 0) {
        c.pos = static_cast<int>(SendMessageW(h, SBM_GETPOS, 0, 0));
        INT lo = 0, hi = 0;
        SendMessageW(h, SBM_GETRANGE, reinterpret_cast<WPARAM>(&lo), reinterpret_cast<LPARAM>(&hi));
        c.min = lo;
        c.max = hi;
    }
    return c;
}

Control Program::Read(int id) const {
    return ReadControl(Item(id));
}

std::vector<Control> Program::Children() const {
    std::vector<HWND> handles;
    for (HWND h = GetWindow(Main(), GW_CHILD); h; h = GetWindow(h, GW_HWNDNEXT)) handles.push_back(h);
    std::vector<Control> out;
    for (HWND h : handles) out.push_back(ReadControl(h));
    return out;
}

std::wstring Program::Text(int id) const {
    return TextOf(Item(id));
}

HWND Program::Focused() const {
    GUITHREADINFO info{};
    info.cbSize = sizeof info;
    if (!GetGUIThreadInfo(pi_.dwThreadId, &info)) return nullptr;
    return info.hwndFocus;
}

void Program::ClickButton(int id) const {
    PostMessageW(Item(id), BM_CLICK, 0, 0);
}

// Each event carries its place: under Wine a press sent after SetCursorPos alone can
// land where the cursor was before.
static void SendMouse(POINT screen, DWORD flags) {
    INPUT in{};
    in.type = INPUT_MOUSE;
    in.mi.dx = MulDiv(screen.x, 65535, GetSystemMetrics(SM_CXSCREEN) - 1);
    in.mi.dy = MulDiv(screen.y, 65535, GetSystemMetrics(SM_CYSCREEN) - 1);
    in.mi.dwFlags = flags | MOUSEEVENTF_MOVE | MOUSEEVENTF_ABSOLUTE;
    SendInput(1, &in, sizeof in);
}

static POINT ToScreen(HWND target, POINT pt) {
    ClientToScreen(target, &pt);
    return pt;
}

void Program::MouseMove(HWND target, POINT pt) const {
    pt = ToScreen(target, pt);
    SetCursorPos(pt.x, pt.y);
    SendMouse(pt, 0);
}

void Program::MouseClick(HWND target, POINT pt, bool right) const {
    SetForegroundWindow(GetAncestor(target, GA_ROOT));
    MouseMove(target, pt);
    pt = ToScreen(target, pt);
    SendMouse(pt, right ? MOUSEEVENTF_RIGHTDOWN : MOUSEEVENTF_LEFTDOWN);
    SendMouse(pt, right ? MOUSEEVENTF_RIGHTUP : MOUSEEVENTF_LEFTUP);
}

void Program::DoubleClick(HWND target, POINT pt) const {
    MouseClick(target, pt);
    pt = ToScreen(target, pt);
    SendMouse(pt, MOUSEEVENTF_LEFTDOWN);
    SendMouse(pt, MOUSEEVENTF_LEFTUP);
}

void Program::Key(WORD vk) const {
    INPUT in[2]{};
    in[0].type = in[1].type = INPUT_KEYBOARD;
    in[0].ki.wVk = in[1].ki.wVk = vk;
    in[1].ki.dwFlags = KEYEVENTF_KEYUP;
    SendInput(2, in, sizeof in[0]);
}

void Program::SetText(int id, std::wstring_view text) const {
    std::wstring copy(text);
    DWORD_PTR r = 0;
    if (!SendMessageTimeoutW(Item(id), WM_SETTEXT, 0, reinterpret_cast<LPARAM>(copy.c_str()),
                             SMTO_ABORTIFHUNG, static_cast<UINT>(kDeadline.count()), &r))
        Fail("no answer to WM_SETTEXT on control " + std::to_string(id));
}

void Program::TypeText(int id, std::wstring_view text) const {
    HWND h = Item(id);
    for (wchar_t c : text) PostMessageW(h, WM_CHAR, c, 1);
}

void Program::Focus(int id) const {
    HWND h = Item(id);
    // SetFocus works on another thread's window only while the input queues are joined.
    DWORD me = GetCurrentThreadId();
    AttachThreadInput(me, pi_.dwThreadId, TRUE);
    SetForegroundWindow(Main());
    SetFocus(h);
    AttachThreadInput(me, pi_.dwThreadId, FALSE);
    WaitUntil("control " + std::to_string(id) + " to have the focus", kDeadline,
              [&] { return Focused() == h; });
}

void Program::Wheel(HWND target, int delta) const {
    RECT r;
    GetWindowRect(target, &r);
    PostMessageW(target, WM_MOUSEWHEEL, MAKEWPARAM(0, static_cast<WORD>(static_cast<short>(delta))),
                 MAKELPARAM((r.left + r.right) / 2, (r.top + r.bottom) / 2));
}

void Program::ScrollArrow(int barId, bool up) const {
    LPARAM bar = reinterpret_cast<LPARAM>(Item(barId));
    // What a real arrow click sends: the step, then the end of scrolling.
    Send(WM_VSCROLL, MAKEWPARAM(up ? SB_LINEUP : SB_LINEDOWN, 0), bar);
    Send(WM_VSCROLL, MAKEWPARAM(SB_ENDSCROLL, 0), bar);
}

LRESULT Program::Send(UINT msg, WPARAM w, LPARAM l) const {
    DWORD_PTR result = 0;
    if (!SendMessageTimeoutW(Main(), msg, w, l, SMTO_ABORTIFHUNG,
                             static_cast<UINT>(kDeadline.count()), &result))
        Fail("no answer to message 0x" + [msg] {
            char b[16];
            std::snprintf(b, sizeof b, "%X", msg);
            return std::string(b);
        }() + " from the main window");
    return static_cast<LRESULT>(result);
}

void Program::DropFiles(int id, const std::vector<std::wstring>& paths) const {
    std::wstring names;
    for (const std::wstring& p : paths) names += p + L'\0';
    names += L'\0';
    DROPFILES head{};
    head.pFiles = sizeof head;
    head.fWide = TRUE;
    std::string block(reinterpret_cast<const char*>(&head), sizeof head);
    block.append(reinterpret_cast<const char*>(names.data()), names.size() * sizeof(wchar_t));
    // Fixed memory, whose address is its handle; it stays until the program ends.
    void* list = VirtualAllocEx(pi_.hProcess, nullptr, block.size(), MEM_COMMIT | MEM_RESERVE, PAGE_READWRITE);
    if (!list || !WriteProcessMemory(pi_.hProcess, list, block.data(), block.size(), nullptr))
        Fail("cannot put the file list into the program" + LastError());
    if (!PostMessageW(Item(id), WM_DROPFILES, reinterpret_cast<WPARAM>(list), 0))
        Fail("cannot post the drop" + LastError());
}

void Program::DpiChanged(int dpi, const RECT& suggested) const {
    void* rect = VirtualAllocEx(pi_.hProcess, nullptr, sizeof suggested, MEM_COMMIT | MEM_RESERVE, PAGE_READWRITE);
    if (!rect || !WriteProcessMemory(pi_.hProcess, rect, &suggested, sizeof suggested, nullptr))
        Fail("cannot put the rectangle into the program" + LastError());
    Send(WM_DPICHANGED, MAKEWPARAM(dpi, dpi), reinterpret_cast<LPARAM>(rect));
}

void Program::Post(UINT msg, WPARAM w, LPARAM l) const {
    if (!PostMessageW(Main(), msg, w, l)) Fail("cannot post to the main window" + LastError());
}

State Program::QueryState() const {
    static int counter = 0;
    std::wstring path = ScenarioRoot() + L"\\state-" + std::to_wstring(pi_.dwProcessId) + L"-" +
                        std::to_wstring(++counter) + L".txt";
    COPYDATASTRUCT cds{};
    cds.dwData = poko::kStateQueryMagic;
    cds.cbData = static_cast<DWORD>((path.size() + 1) * sizeof(wchar_t));
    cds.lpData = path.data();
    Send(WM_COPYDATA, 0, reinterpret_cast<LPARAM>(&cds));
    bool found = false;
    std::string dump = ReadWholeFile(path, &found);
    DeleteFileW(path.c_str());
    if (!found || dump.empty())
        Fail("the program wrote no state dump (does it honour POKOMARU_TEST_HOOKS=1?)");
    return State::Parse(dump);
}

void Program::ShiftClock(long long seconds) const {
    COPYDATASTRUCT cds{};
    cds.dwData = poko::kClockShiftMagic;
    cds.cbData = sizeof seconds;
    cds.lpData = &seconds;
    if (!Send(WM_COPYDATA, 0, reinterpret_cast<LPARAM>(&cds))) Fail("the program did not move its clock");
}

std::vector<std::wstring> BalloonTexts() {
    std::vector<std::wstring> texts;
    EnumWindows(
        [](HWND h, LPARAM p) CALLBACK -> BOOL {
            if (IsWindowVisible(h) && ClassOf(h) == L"tooltips_class32")
                reinterpret_cast<std::vector<std::wstring>*>(p)->push_back(TextOf(h));
            return TRUE;
        },
        reinterpret_cast<LPARAM>(&texts));
    return texts;
}

HWND Program::OpenTrayMenu() const {
    Post(WM_MOUSEMOVE, 0, MAKELPARAM(WM_RBUTTONUP, 0));
    HWND menu = nullptr;
    WaitUntil("the tray menu to open", kDeadline, [&] { return (menu = FindWindowOfClass(L"#32768")) != nullptr; });
    return menu;
}

void Program::ChooseFromTrayMenu(wchar_t accessKey) const {
    OpenTrayMenu();
    // The menu's own loop reads the keys of the program's thread, whatever window they
    // are posted to.
    Post(WM_KEYDOWN, VkKeyScanW(accessKey) & 0xFF, 1);
    Post(WM_CHAR, accessKey, 1);
    WaitUntil("the tray menu to close", kDeadline, [&] { return !FindWindowOfClass(L"#32768"); });
}

void WaitForStartup(const Program& program) {
    WaitUntil("start-up to finish", kDeadline, [&] { return program.QueryState().Get("startup.step") == "CommandLineApplied"; });
}

SYSTEMTIME MinuteWithRoom() {
    SYSTEMTIME now;
    GetLocalTime(&now);
    if (now.wSecond < 50) return now;
    const WORD minute = now.wMinute;
    WaitUntil("the next minute", 15s, [&] {
        GetLocalTime(&now);
        return now.wMinute != minute;
    });
    return now;
}

int MessageBoxCount(const Program& program) {
    struct Count {
        DWORD pid;
        int n;
    } count{program.Pid(), 0};
    EnumWindows(
        [](HWND h, LPARAM p) CALLBACK -> BOOL {
            auto* c = reinterpret_cast<Count*>(p);
            DWORD pid = 0;
            GetWindowThreadProcessId(h, &pid);
            if (pid == c->pid && IsWindowVisible(h) && ClassOf(h) == L"#32770") ++c->n;
            return TRUE;
        },
        reinterpret_cast<LPARAM>(&count));
    return count.n;
}

void ExpectMessageBoxesFor(const Program& program, int expected, Duration limit) {
    const auto end = std::chrono::steady_clock::now() + limit;
    int seen = expected;
    WaitUntil("the watch to end", limit + kDeadline, [&] {
        seen = MessageBoxCount(program);
        return seen != expected || std::chrono::steady_clock::now() > end;
    });
    EXPECT_EQ(seen, expected) << "message boxes of the program";
}

std::wstring CopyMarker(const AppFolder& app) {
    wchar_t self[MAX_PATH];
    std::wstring marker(self, GetModuleFileNameW(nullptr, self, MAX_PATH));
    marker = marker.substr(0, marker.rfind(L'\\') + 1) + L"marker.exe";
    if (!CopyFileW(marker.c_str(), app.Path(L"marker.exe").c_str(), TRUE))
        Fail("cannot copy " + Utf8(marker) + LastError());
    return app.Path(L"marker.exe");
}

void SetShellClass(const std::wstring& key, const std::wstring& value) {
    HKEY h;
    if (RegCreateKeyExW(HKEY_CLASSES_ROOT, key.c_str(), 0, nullptr, 0, KEY_SET_VALUE, nullptr, &h, nullptr) != ERROR_SUCCESS)
        Fail("cannot create HKEY_CLASSES_ROOT\\" + Utf8(key));
    RegSetValueExW(h, nullptr, 0, REG_SZ, reinterpret_cast<const BYTE*>(value.c_str()),
                   static_cast<DWORD>((value.size() + 1) * sizeof(wchar_t)));
    RegCloseKey(h);
}

int DefaultButtonId(const MessageBoxWindow& box) {
    for (const auto& b : box.buttons)
        if ((GetWindowLongW(b.hwnd, GWL_STYLE) & BS_TYPEMASK) == BS_DEFPUSHBUTTON) return b.id;
    return 0;
}

std::optional<std::string> ClipboardText(UINT format) {
    std::optional<std::string> out;
    WaitUntil("the clipboard to open", kDeadline, [] { return OpenClipboard(nullptr) != FALSE; });
    if (HANDLE data = GetClipboardData(format)) {
        if (const char* p = static_cast<const char*>(GlobalLock(data))) {
            out = std::string(p, strnlen(p, GlobalSize(data)));
            GlobalUnlock(data);
        }
    }
    CloseClipboard();
    return out;
}

std::wstring BoardUrl(std::wstring_view path) {
    const std::wstring port = Env(L"POKOMARU_BOARD_PORT");
    if (port.empty()) Fail("no POKOMARU_BOARD_PORT: run the scenario through wine_env.sh");
    return L"http://127.0.0.1:" + port + std::wstring(path);
}

std::vector<std::string> BoardRequests() {
    std::vector<std::string> out;
    HANDLE f = CreateFileW(Env(L"POKOMARU_BOARD_LOG").c_str(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE,
                           nullptr, OPEN_EXISTING, 0, nullptr);
    if (f == INVALID_HANDLE_VALUE) return out;
    std::string text(1 << 16, '\0');
    DWORD n = 0;
    ReadFile(f, text.data(), static_cast<DWORD>(text.size()), &n, nullptr);
    CloseHandle(f);
    text.resize(n);
    for (size_t at = 0, end; (end = text.find('\n', at)) != std::string::npos; at = end + 1)
        out.push_back(text.substr(at, end - at));
    return out;
}

void PointAtBoard(const AppFolder& app, std::wstring_view ipPath, std::wstring_view menuUrl, std::string more) {
    app.Write(L"Timer.ini", more + "[NET]\r\nIPURL=" + Utf8(BoardUrl(ipPath)) + "\r\nMENUURL=" + Utf8(menuUrl) + "\r\n");
}

void ScriptDraws(const std::wstring& draws) { SetEnvironmentVariableW(L"POKOMARU_TEST_DRAWS", draws.c_str()); }

std::wstring QuestionNow() {
    const SYSTEMTIME now = MinuteWithRoom();
    wchar_t args[64];
    std::swprintf(args, 64, L"-M -TS TIME=%02u%02u FILE=\"?\"", now.wHour, now.wMinute);
    return args;
}

bool Program::TrayIconExists(UINT id) const {
    NOTIFYICONDATAW nid{};
    nid.cbSize = NOTIFYICONDATAW_V1_SIZE;
    nid.hWnd = Main();
    nid.uID = id;
    nid.uFlags = 0;
    return Shell_NotifyIconW(NIM_MODIFY, &nid) != FALSE;
}

HWND Program::FindWindowOfClass(std::wstring_view cls) const {
    struct Search {
        DWORD pid;
        std::wstring_view cls;
        HWND found;
    } search{pi_.dwProcessId, cls, nullptr};
    EnumWindows(
        [](HWND h, LPARAM p) CALLBACK -> BOOL {
            auto* s = reinterpret_cast<Search*>(p);
            DWORD pid = 0;
            GetWindowThreadProcessId(h, &pid);
            if (pid == s->pid && IsWindowVisible(h) && ClassOf(h) == s->cls) {
                s->found = h;
                return FALSE;
            }
            return TRUE;
        },
        reinterpret_cast<LPARAM>(&search));
    return search.found;
}

std::optional<MessageBoxWindow> Program::FindMessageBox() const {
    HWND found = FindWindowOfClass(L"#32770");
    if (!found) return std::nullopt;
    MessageBoxWindow box;
    box.hwnd = found;
    wchar_t title[512];
    box.title.assign(title, std::max(0, GetWindowTextW(box.hwnd, title, 512)));
    if (HWND text = GetDlgItem(box.hwnd, 0xFFFF)) box.text = TextOf(text);
    for (HWND h = GetWindow(box.hwnd, GW_CHILD); h; h = GetWindow(h, GW_HWNDNEXT)) {
        if (_wcsicmp(ClassOf(h).c_str(), L"Button") == 0 && IsWindowVisible(h))
            box.buttons.push_back({h, GetDlgCtrlID(h), TextOf(h)});
    }
    return box;
}

MessageBoxWindow Program::WaitForMessageBox(Duration limit) const {
    std::optional<MessageBoxWindow> box;
    // A thread that has just come back from a long blocking call counts as hung until
    // it looks at its messages again: a box it is still setting up may not answer yet.
    WaitUntil("a message box that answers", limit, [&] {
        DWORD_PTR ignored = 0;
        if (!SendMessageTimeoutW(Main(), WM_NULL, 0, 0, SMTO_NORMAL, 500, &ignored)) return false;
        return (box = FindMessageBox()).has_value();
    });
    return *box;
}

void Program::Answer(const MessageBoxWindow& box, std::wstring_view buttonText) const {
    auto it = std::find_if(box.buttons.begin(), box.buttons.end(),
                           [&](const auto& b) { return b.text == buttonText; });
    if (it == box.buttons.end()) {
        std::string have;
        for (const auto& b : box.buttons) have += " " + Describe(b.text);
        Fail("the message box has no button " + Describe(buttonText) + "; it has" + have);
    }
    // The command a click would send: works whether or not the box is in front.
    PostMessageW(box.hwnd, WM_COMMAND, MAKEWPARAM(it->id, BN_CLICKED),
                 reinterpret_cast<LPARAM>(it->hwnd));
    WaitUntil("the message box to close", kDeadline, [&] { return !IsWindow(box.hwnd); });
}

void SetWineVersion(const wchar_t* version) {
    const DWORD bytes = static_cast<DWORD>((wcslen(version) + 1) * sizeof(wchar_t));
    if (RegSetKeyValueW(HKEY_CURRENT_USER, L"Software\\Wine", L"Version", REG_SZ, version, bytes) != ERROR_SUCCESS)
        Fail("cannot set the Wine version" + LastError());
}

void SetLogPixels(DWORD dpi) {
    if (RegSetKeyValueW(HKEY_CURRENT_USER, L"Control Panel\\Desktop", L"LogPixels", REG_DWORD, &dpi, sizeof dpi) !=
        ERROR_SUCCESS)
        Fail("cannot set the screen's DPI" + LastError());
}

void SetSchemeColour(const wchar_t* name, const wchar_t* rgb) {
    if (RegSetKeyValueW(HKEY_CURRENT_USER, L"Control Panel\\Colors", name, REG_SZ, rgb, DWORD(wcslen(rgb) + 1) * 2))
        Fail("cannot set the scheme's colour " + Utf8(name) + LastError());
}

COLORREF ScreenPixel(HWND window, POINT pt) {
    ClientToScreen(window, &pt);
    HDC screen = GetDC(nullptr);
    const COLORREF c = GetPixel(screen, pt.x, pt.y);
    ReleaseDC(nullptr, screen);
    return c;
}

bool ScreenShows(HWND window, COLORREF colour) {
    RECT r;
    GetClientRect(window, &r);
    POINT origin{0, 0};
    ClientToScreen(window, &origin);
    BITMAPINFO bi{};
    bi.bmiHeader.biSize = sizeof bi.bmiHeader;
    bi.bmiHeader.biWidth = r.right;
    bi.bmiHeader.biHeight = -r.bottom;  // top-down
    bi.bmiHeader.biPlanes = 1;
    bi.bmiHeader.biBitCount = 32;
    void* bits = nullptr;
    HDC screen = GetDC(nullptr);
    HDC mem = CreateCompatibleDC(screen);
    HBITMAP bmp = CreateDIBSection(mem, &bi, DIB_RGB_COLORS, &bits, nullptr, 0);
    HGDIOBJ old = SelectObject(mem, bmp);
    BitBlt(mem, 0, 0, r.right, r.bottom, screen, origin.x, origin.y, SRCCOPY);
    // DIB pixels are 0x00RRGGBB, a COLORREF is 0x00BBGGRR; the unused top byte is 0 under
    // Wine 8 and 0xFF under Wine 10, so only the colour's three bytes are compared.
    const DWORD wanted = RGB(GetBValue(colour), GetGValue(colour), GetRValue(colour));
    const auto* px = static_cast<const DWORD*>(bits);
    const bool found = px && std::any_of(px, px + r.right * r.bottom, [&](DWORD p) { return (p & 0xFFFFFF) == wanted; });
    SelectObject(mem, old);
    DeleteObject(bmp);
    DeleteDC(mem);
    ReleaseDC(nullptr, screen);
    return found;
}

void Program::Close() const {
    if (testHooks_ && !failedCallsExpected_) {
        const State state = QueryState();
        if (state.Get("failures") != "0")
            Fail(state.Get("failures") + " failed calls in the program, the last (call|error): " +
                 state.Get("failures.last"));
    }
    Post(WM_CLOSE);
}

DWORD Program::WaitForExit(Duration limit) {
    if (WaitForSingleObject(pi_.hProcess, static_cast<DWORD>(limit.count())) != WAIT_OBJECT_0)
        Fail("gave up after " + std::to_string(limit.count() / 1000) +
             " s waiting for the program to exit");
    DWORD code = 0;
    GetExitCodeProcess(pi_.hProcess, &code);
    main_ = nullptr;
    return code;
}

// ---- Menu state ----

bool Checked(const State& state, std::string_view item) {
    for (const MenuItem& m : state.Menu())
        if (m.name == item) return m.checked;
    Fail("no menu item " + std::string(item) + " in the state dump");
}

}  // namespace e2e
