#include "tests/support/fake_platform.h"

#include <algorithm>
#include <cstdio>
#include <cstring>
#include <sstream>

#include "base/search.h"
#include "ui/about_box.h"

using poko::Bytes;
using poko::Handle;
using poko::Text;

namespace {

bool Blank(char c) { return c == ' ' || c == '\t'; }

Bytes Trim(const Bytes& s) {
    size_t b = 0, e = s.size();
    while (b < e && Blank(s[b])) ++b;
    while (e > b && Blank(s[e - 1])) --e;
    return s.substr(b, e - b);
}

bool SameName(const Bytes& a, const Bytes& b) {
    return poko::AsciiUpper(poko::FromAnsi(a)) == poko::AsciiUpper(poko::FromAnsi(b));
}

std::string A(const Bytes& ansi) { return Utf8(poko::FromAnsi(ansi)); }
std::string H(Handle h) { return std::to_string(static_cast<std::intptr_t>(h)); }

}  // namespace

std::string Utf8(const Text& text) { return poko::ToUtf8(text); }

// ---- IniStore ----

const IniStore::File* IniStore::Find(const Bytes& path) const {
    for (const File& f : files_)
        if (SameName(f.path, path)) return &f;
    return nullptr;
}

void IniStore::Load(const Bytes& path, const Bytes& text) {
    files_.erase(std::remove_if(files_.begin(), files_.end(), [&](const File& f) { return SameName(f.path, path); }),
                 files_.end());
    File file{path, {}};
    std::istringstream in(text);
    std::string line;
    while (std::getline(in, line)) {
        if (!line.empty() && line.back() == '\r') line.pop_back();
        const Bytes t = Trim(line);
        if (t.size() >= 2 && t.front() == '[' && t.back() == ']') {
            file.sections.push_back({t.substr(1, t.size() - 2), {}});
        } else if (size_t eq = line.find('='); eq != Bytes::npos && !file.sections.empty()) {
            file.sections.back().keys.emplace_back(Trim(line.substr(0, eq)), line.substr(eq + 1));
        }
    }
    files_.push_back(std::move(file));
}

Bytes IniStore::Dump(const Bytes& path) const {
    Bytes out;
    if (const File* f = Find(path))
        for (const Section& s : f->sections) {
            out += "[" + s.name + "]\r\n";
            for (const auto& [k, v] : s.keys) out += k + "=" + v + "\r\n";
        }
    return out;
}

std::vector<Bytes> IniStore::Paths() const {
    std::vector<Bytes> out;
    for (const File& f : files_) out.push_back(f.path);
    return out;
}

std::optional<Bytes> IniStore::Raw(const Bytes& path, const Bytes& section, const Bytes& key) const {
    if (const File* f = Find(path))
        for (const Section& s : f->sections)
            if (SameName(s.name, section))
                for (const auto& [k, v] : s.keys)
                    if (SameName(k, key)) return v;
    return std::nullopt;
}

std::uint32_t IniStore::Get(const Bytes& path, const Bytes& section, const Bytes& key, const Bytes& def,
                            char* buffer, std::uint32_t size) const {
    if (size == 0) return 0;
    Bytes value;
    if (const auto raw = Raw(path, section, key)) {
        value = Trim(*raw);
        if (value.size() >= 2 && (value.front() == '"' || value.front() == '\'') && value.back() == value.front())
            value = value.substr(1, value.size() - 2);
    } else {
        value = def;
        while (!value.empty() && Blank(value.back())) value.pop_back();
    }
    const std::uint32_t n = std::min<std::uint32_t>(static_cast<std::uint32_t>(value.size()), size - 1);
    std::memcpy(buffer, value.data(), n);
    buffer[n] = '\0';
    return n;
}

void IniStore::Set(const Bytes& path, const Bytes& section, const Bytes& key, const Bytes& value) {
    File* file = const_cast<File*>(Find(path));
    if (!file) file = &files_.emplace_back(File{path, {}});
    auto s = std::find_if(file->sections.begin(), file->sections.end(),
                          [&](const Section& x) { return SameName(x.name, section); });
    if (s == file->sections.end()) s = file->sections.insert(s, Section{section, {}});
    size_t b = 0;
    while (b < value.size() && Blank(value[b])) ++b;
    for (auto& [k, v] : s->keys)
        if (SameName(k, key)) {
            v = value.substr(b);
            return;
        }
    s->keys.emplace_back(key, value.substr(b));
}

void IniStore::Delete(const Bytes& path, const Bytes& section, const Bytes& key) {
    if (File* file = const_cast<File*>(Find(path)))
        for (Section& s : file->sections)
            if (SameName(s.name, section)) std::erase_if(s.keys, [&](const auto& k) { return SameName(k.first, key); });
}

// ---- FakePlatform ----

void FakePlatform::Record(const std::string& entry) {
    if (!recording) return;
    calls.push_back(entry);
    if (onCall) onCall(entry);
}

Bytes FakePlatform::IniKey() const { return poko::FitsAnsi(IniFile()) ? poko::ToAnsi(IniFile()) : Utf8(IniFile()); }

std::optional<Text> FakePlatform::Stored(const Text& section, const Text& key) const {
    const auto raw = ini.Raw(IniKey(), poko::ToAnsi(section), poko::ToAnsi(key));
    if (!raw) return std::nullopt;
    return poko::FromAnsi(*raw);
}

std::vector<std::string> FakePlatform::CallsWithout(const std::vector<std::string>& skip) const {
    std::vector<std::string> out;
    for (const std::string& c : calls)
        if (std::find(skip.begin(), skip.end(), c.substr(0, c.find('('))) == skip.end()) out.push_back(c);
    return out;
}

std::vector<std::string> FakePlatform::CallsStartingWith(const std::string& prefix) const {
    std::vector<std::string> out;
    for (const std::string& c : calls)
        if (c.rfind(prefix, 0) == 0) out.push_back(c);
    return out;
}

Text FakePlatform::AppFolder() {
    Record("AppFolder");
    return appFolder;
}

Text FakePlatform::CommandLine() {
    Record("CommandLine");
    return commandLine;
}

poko::LocalTime FakePlatform::Now() {
    Record("Now");
    return now;
}

poko::FileKind FakePlatform::FileAttributes(const Text& path) {
    Record("FileAttributes(" + Utf8(path) + ")");
    const auto it = files.find(path);
    return it == files.end() ? poko::FileKind::Absent : it->second;
}

bool FakePlatform::LoadBackgroundPicture(const Text& path) {
    Record("LoadBackgroundPicture(" + Utf8(path) + ")");
    return pictureLoads;
}

std::uint32_t FakePlatform::GetPrivateProfileStringA(const Bytes& section, const Bytes& key, const Bytes& def,
                                                     char* buffer, std::uint32_t size, const Bytes& path) {
    Record("GetPrivateProfileStringA(" + A(section) + "|" + A(key) + "|" + A(def) + "|" + std::to_string(size) + ")");
    profilePaths.push_back(path);
    return ini.Get(path, section, key, def, buffer, size);
}

bool FakePlatform::WritePrivateProfileStringA(const Bytes& section, const Bytes& key, const Bytes& value,
                                              const Bytes& path) {
    Record("WritePrivateProfileStringA(" + A(section) + "|" + A(key) + "|" + A(value) + ")");
    profilePaths.push_back(path);
    ini.Set(path, section, key, value);
    return true;
}

bool FakePlatform::GetVersionExA(poko::OsVersion& info) {
    Record("GetVersionExA(" + std::to_string(info.recordSize) + ")");
    if (!versionResult) return false;
    const std::uint32_t size = info.recordSize;
    info = version;
    info.recordSize = size;
    return true;
}

std::int32_t FakePlatform::GetWindowLongA(std::int32_t index) {
    Record("GetWindowLongA(" + std::to_string(index) + ")");
    return index == -20 ? exStyle : 0;
}

std::int32_t FakePlatform::SetWindowLongA(std::int32_t index, std::int32_t value) {
    Record("SetWindowLongA(" + std::to_string(index) + "," + std::to_string(value) + ")");
    if (index != -20) return 0;
    const std::int32_t old = exStyle;
    exStyle = value;
    return old;
}

bool FakePlatform::SetLayeredWindowAttributes(poko::Colour key, std::uint8_t alpha, std::uint32_t flags) {
    Record("SetLayeredWindowAttributes(" + std::to_string(key) + "," + std::to_string(alpha) + "," +
           std::to_string(flags) + ")");
    return true;
}

std::uint32_t FakePlatform::RegisterWindowMessageA(const Bytes& name) {
    Record("RegisterWindowMessageA(" + A(name) + ")");
    return taskbarCreatedMsg;
}

void FakePlatform::InstallWindowProc() { Record("InstallWindowProc"); }

bool FakePlatform::SetForegroundWindow() {
    Record("SetForegroundWindow");
    return true;
}

bool FakePlatform::LockWindowUpdate(Handle hwnd) {
    Record("LockWindowUpdate(" + H(hwnd) + ")");
    return true;
}

poko::MenuItem* FakePlatform::TrackPopupMenu(poko::MenuItem& menu) {
    Record("TrackPopupMenu(" + menu.DisplayName() + ")");
    return popupChooser ? popupChooser(menu) : nullptr;
}

void FakePlatform::DoEvents() {
    Record("DoEvents");
    if (onDoEvents) onDoEvents();
}

int FakePlatform::MessageBox(const Text& text, const Text& title, std::uint32_t style) {
    Record("MessageBox(" + Utf8(text) + "|" + Utf8(title) + "|" + std::to_string(style) + ")");
    open_boxes_.emplace_back(text, std::nullopt);
    if (auto inside = onMessageBox) inside();
    const std::optional<int> ended = open_boxes_.back().second;
    open_boxes_.pop_back();
    if (ended) return *ended;
    if (messageBoxAnswers.empty()) return messageBoxAnswer;
    const int answer = messageBoxAnswers.front();
    messageBoxAnswers.pop_front();
    return answer;
}

bool FakePlatform::Shell_NotifyIconA(std::uint32_t message, const poko::TrayIconRecord& record) {
    trayRecords.push_back(record);
    Record("Shell_NotifyIconA(" + std::to_string(message) + ")");
    return message >= trayRefusals.size() || trayRefusals[message]-- <= 0;
}

Handle FakePlatform::ShellExecuteA(Handle owner, const Bytes& verb, const Bytes& file, const Bytes& parameters,
                                   const Bytes& directory, std::int32_t show) {
    Record("ShellExecuteA(" + H(owner) + "|" + A(verb) + "|" + A(file) + "|" + A(parameters) + "|" + A(directory) +
           "|" + std::to_string(show) + ")");
    return shellExecuteResult;
}

Handle FakePlatform::ShellExecuteW(Handle owner, const Text& verb, const Text& file, const Text& parameters,
                                   const Text& directory, std::int32_t show) {
    Record("ShellExecuteW(" + H(owner) + "|" + Utf8(verb) + "|" + Utf8(file) + "|" + Utf8(parameters) + "|" +
           Utf8(directory) + "|" + std::to_string(show) + ")");
    return shellExecuteResult;
}

Handle FakePlatform::GetCurrentProcess() {
    Record("GetCurrentProcess");
    return processHandle;
}

bool FakePlatform::OpenProcessToken(Handle process, std::uint32_t access, Handle& token) {
    Record("OpenProcessToken(" + H(process) + "," + std::to_string(access) + ")");
    if (!openTokenResult) return false;
    token = tokenHandle;
    return true;
}

bool FakePlatform::LookupPrivilegeValueA(const Bytes* system, const Bytes& name, std::uint64_t& luid) {
    Record("LookupPrivilegeValueA(" + (system ? A(*system) : std::string("null")) + "|" + A(name) + ")");
    if (!lookupResult) return false;
    luid = shutdownLuid;
    return true;
}

bool FakePlatform::AdjustTokenPrivileges(Handle token, bool disableAll, const poko::TokenPrivileges& state,
                                         std::uint32_t bufferLength, poko::TokenPrivileges& previous,
                                         std::uint32_t& returnLength) {
    Record("AdjustTokenPrivileges(" + H(token) + "," + std::to_string(disableAll) + "," + std::to_string(state.count) +
           "," + std::to_string(state.luid) + "," + std::to_string(state.attributes) + "," +
           std::to_string(bufferLength) + ")");
    if (!adjustResult) return false;
    previous = {1, state.luid, 0};
    returnLength = 16;
    return true;
}

bool FakePlatform::CloseHandle(Handle h) {
    Record("CloseHandle(" + H(h) + ")");
    return true;
}

bool FakePlatform::ExitWindowsEx(std::uint32_t flags, std::uint32_t reserved) {
    Record("ExitWindowsEx(" + std::to_string(flags) + "," + std::to_string(reserved) + ")");
    return exitWindowsResult;
}

std::optional<std::uint32_t> FakePlatform::InitiateShutdownW(std::uint32_t grace, std::uint32_t flags, std::uint32_t reason) {
    Record("InitiateShutdownW(" + std::to_string(grace) + "," + std::to_string(flags) + "," + std::to_string(reason) + ")");
    return initiateShutdownAnswer;
}

std::uint32_t FakePlatform::GetLastError() {
    Record("GetLastError");
    return lastError;
}

// Like the real dialog, a path that does not fit nMaxFile (with its NUL) fails.
bool FakePlatform::GetOpenFileNameA(poko::OpenFileRecord& record) {
    Record("GetOpenFileNameA");
    lastOpenFile = record;
    if (openFileAnswerWide) openFileAnswer = poko::ToAnsi(*openFileAnswerWide);
    if (!openFileAnswer) return false;
    const size_t room = std::min<size_t>(record.nMaxFile, record.file.size());
    if (openFileAnswer->size() + 1 > room) return false;
    std::memcpy(record.file.data(), openFileAnswer->data(), openFileAnswer->size());
    record.file[openFileAnswer->size()] = '\0';
    if (openFileAnswerWide) record.fileWide = *openFileAnswerWide;
    return true;
}

Handle FakePlatform::ModuleHandle() {
    Record("ModuleHandle");
    return moduleHandle;
}

// ---- Network and mascot ----

namespace {
std::string Opt(const Bytes* b) { return b ? A(*b) : std::string("null"); }
}  // namespace

Handle FakePlatform::InternetOpenA(const Bytes& agent, std::uint32_t accessType, const Bytes* proxy,
                                   const Bytes* proxyBypass, std::uint32_t flags) {
    Record("InternetOpenA(" + A(agent) + "|" + std::to_string(accessType) + "|" + Opt(proxy) + "|" + Opt(proxyBypass) +
           "|" + std::to_string(flags) + ")");
    return internetOpens ? ++next_handle_ : 0;
}

Handle FakePlatform::InternetOpenUrlA(Handle root, const Bytes& url, const Bytes* headers, std::uint32_t headersLength,
                                      std::uint32_t flags, std::uintptr_t context) {
    Record("InternetOpenUrlA(" + H(root) + "|" + A(url) + "|" + Opt(headers) + "|" + std::to_string(headersLength) +
           "|" + std::to_string(flags) + "|" + std::to_string(context) + ")");
    const auto page = pages.find(url);
    if (page == pages.end()) return 0;
    open_urls_[++next_handle_] = {&page->second, 0};
    return next_handle_;
}

bool FakePlatform::InternetReadFile(Handle file, char* buffer, std::uint32_t toRead, std::uint32_t& read) {
    Record("InternetReadFile(" + H(file) + "|" + std::to_string(toRead) + ")");
    read = 0;
    OpenUrl& u = open_urls_.at(file);
    const size_t limit = u.page->failAfter.value_or(Bytes::npos);
    if (u.at >= limit) return false;
    const size_t size = u.page->endless ? Bytes::npos : u.page->body.size();
    const size_t n = std::min({static_cast<size_t>(toRead), size - u.at, limit - u.at});
    if (u.page->endless)
        std::memset(buffer, 'x', n);
    else
        std::memcpy(buffer, u.page->body.data() + u.at, n);
    u.at += n;
    read = static_cast<std::uint32_t>(n);
    return true;
}

bool FakePlatform::InternetCloseHandle(Handle h) {
    Record("InternetCloseHandle(" + H(h) + ")");
    open_urls_.erase(h);
    return true;
}

bool FakePlatform::OpenClipboard(Handle owner) {
    Record("OpenClipboard(" + H(owner) + ")");
    return true;
}

bool FakePlatform::EmptyClipboard() {
    Record("EmptyClipboard");
    clipboard.clear();
    return true;
}

bool FakePlatform::SetClipboardData(std::uint32_t format, const Bytes& data) {
    Record("SetClipboardData(" + std::to_string(format) + "|" + A(data) + ")");
    clipboard.emplace_back(format, data);
    return true;
}

bool FakePlatform::CloseClipboard() {
    Record("CloseClipboard");
    return true;
}

std::uint32_t FakePlatform::RegisterClipboardFormatA(const Bytes& name) {
    Record("RegisterClipboardFormatA(" + A(name) + ")");
    return 0xC0F0;
}

bool FakePlatform::MessageBeep(std::uint32_t type) {
    Record("MessageBeep(" + std::to_string(type) + ")");
    return true;
}

void FakePlatform::Randomize() { Record("Randomize"); }

double FakePlatform::Rnd() {
    Record("Rnd");
    if (draws.empty()) return 0.5;
    const double r = draws.front();
    draws.pop_front();
    return r;
}

void FakePlatform::ShowAboutBox(poko::FrmMsg& box) {
    Record("ShowAboutBox(" + Utf8(box.frm_msg.Caption()) + ")");
    if (onAboutBox) onAboutBox(box);
}

// ---- Protected settings file ----

std::uint32_t FakePlatform::GetFileAttributesA(const Bytes& path) {
    Record("GetFileAttributesA(" + A(path) + ")");
    if (const auto it = attributes.find(path); it != attributes.end()) return it->second;
    return ini.Exists(path) ? 0x20 : poko::INVALID_FILE_ATTRIBUTES_;
}

std::array<poko::Handle, 2> FakePlatform::SmallIcons() {
    Record("SmallIcons");
    return smallIcons;
}

bool FakePlatform::SetWakeTimer(const poko::LocalTime& t) {
    char at[32];
    std::snprintf(at, sizeof at, "%04d-%02d-%02d %02d:%02d:%02d", t.year, t.month, t.day, t.hour, t.minute, t.second);
    Record(std::string("SetWakeTimer(") + at + ")");
    if (wakeTimerFailures == 0) return true;
    --wakeTimerFailures;
    return false;
}

void FakePlatform::CancelWakeTimer() { Record("CancelWakeTimer"); }

void FakePlatform::SetThreadExecutionState(std::uint32_t flags) {
    char hex[16];
    std::snprintf(hex, sizeof hex, "0x%08X", flags);
    Record(std::string("SetThreadExecutionState(") + hex + ")");
}

void FakePlatform::ForgetTimeZone() {
    Record("ForgetTimeZone");
    now = poko::LocalTimeAt(poko::LocalSeconds(now) + zoneChangeMinutes * 60);
    zoneChangeMinutes = 0;
}

bool FakePlatform::Shell_NotifyIconW(std::uint32_t message, const poko::TrayBalloonRecord& r) {
    Record("Shell_NotifyIconW(" + std::to_string(message) + "|" + H(r.hWnd) + "|" + std::to_string(r.uID) + "|" +
           std::to_string(r.uFlags) + "|" + Utf8(r.szInfoTitle) + "|" + Utf8(r.szInfo) + "|" +
           std::to_string(r.dwInfoFlags) + ")");
    return message >= trayRefusals.size() || trayRefusals[message]-- <= 0;
}

// ---- Targets kept whole; text compared as the user's locale compares it ----
bool FakePlatform::DeletePrivateProfileKeyA(const Bytes& section, const Bytes& key, const Bytes& path) {
    Record("DeletePrivateProfileKeyA(" + A(section) + "|" + A(key) + ")");
    profilePaths.push_back(path);
    ini.Delete(path, section, key);
    return true;
}

// ---- Settings in any folder: the file known by its path's UTF-8, its code page bytes kept ----
std::uint32_t FakePlatform::GetPrivateProfileStringW(const Text& s, const Text& k, const Text& d, char16_t* buffer,
                                                     std::uint32_t size, const Text& path) {
    Record("GetPrivateProfileStringW(" + Utf8(s) + "|" + Utf8(k) + "|" + Utf8(d) + "|" + std::to_string(size) + ")");
    Bytes bytes(1 << 17, '\0');  // room for any value a test stores
    const auto n = ini.Get(Utf8(path), poko::ToAnsi(s), poko::ToAnsi(k), poko::ToAnsi(d), bytes.data(), 1 << 17);
    const Text value = poko::FromAnsi(bytes.substr(0, n)).substr(0, size - 1);
    std::copy(value.begin(), value.end(), buffer);
    buffer[value.size()] = u'\0';
    return static_cast<std::uint32_t>(value.size());
}

bool FakePlatform::WritePrivateProfileStringW(const Text& s, const Text& k, const Text& value, const Text& path) {
    Record("WritePrivateProfileStringW(" + Utf8(s) + "|" + Utf8(k) + "|" + Utf8(value) + ")");
    ini.Set(Utf8(path), poko::ToAnsi(s), poko::ToAnsi(k), poko::ToAnsi(value));
    return true;
}

bool FakePlatform::DeletePrivateProfileKeyW(const Text& s, const Text& k, const Text& path) {
    Record("DeletePrivateProfileKeyW(" + Utf8(s) + "|" + Utf8(k) + ")");
    ini.Delete(Utf8(path), poko::ToAnsi(s), poko::ToAnsi(k));
    return true;
}

std::uint32_t FakePlatform::GetFileAttributesW(const Text& path) {
    Record("GetFileAttributesW(" + Utf8(path) + ")");
    const auto it = attributes.find(Utf8(path));
    return it != attributes.end() ? it->second : ini.Exists(Utf8(path)) ? 0x20 : poko::INVALID_FILE_ATTRIBUTES_;
}

int FakePlatform::CompareStringEx(std::uint32_t flags, std::u16string_view a, std::u16string_view b) {
    constexpr std::uint32_t kFolded = poko::LINGUISTIC_IGNORECASE_ | poko::NORM_IGNOREWIDTH_ | poko::NORM_IGNOREKANATYPE_;
    return ((flags & kFolded) == kFolded ? poko::SameFolded(a, b) : a == b) ? poko::CSTR_EQUAL_ : a < b ? 1 : 3;
}

// ---- Heard, warned, repeated ----
bool FakePlatform::PlaySoundW(const Text* file, std::uint32_t flags) {
    Record("PlaySoundW(" + (file ? Utf8(*file) : std::string("null")) + "|" + std::to_string(flags) + ")");
    return true;
}

bool FakePlatform::EndMessageBox(const Text& text, int answer) {
    Record("EndMessageBox(" + Utf8(text) + "|" + std::to_string(answer) + ")");
    for (auto& box : open_boxes_)
        if (box.first == text && !box.second) return box.second = answer, true;
    return false;
}

// ---- RecordingView ----

void RecordingView::Changed(poko::Control& control, poko::Property what) {
    using poko::Property;
    std::string entry = control.DisplayName();
    switch (what) {
    case Property::Enabled: entry += ".Enabled=" + std::to_string(control.Enabled()); break;
    case Property::Focus: entry += ".Focus"; break;
    case Property::Contents:
        entry += ".Text=" + Utf8(static_cast<poko::TextBox&>(control).GetText());
        break;
    case Property::Value:
        entry += ".Value=" + std::to_string(static_cast<poko::ScrollBar&>(control).Value());
        break;
    default: entry += ".Changed(" + std::to_string(static_cast<int>(what)) + ")"; break;
    }
    log_.push_back(entry);
    if (what == Property::Focus && deliverFocus_)
        if (auto* box = dynamic_cast<poko::TextBox*>(&control)) box->GotFocus();
}

std::string TipText(const poko::TrayIconRecord& record) {
    const auto end = std::find(record.szTip.begin(), record.szTip.end(), '\0');
    return Utf8(poko::FromAnsi(std::string(record.szTip.begin(), end)));
}

::testing::AssertionResult SameCalls(const std::vector<std::string>& expected, const std::vector<std::string>& actual) {
    if (expected == actual) return ::testing::AssertionSuccess();
    size_t i = 0;
    while (i < expected.size() && i < actual.size() && expected[i] == actual[i]) ++i;
    auto out = ::testing::AssertionFailure();
    out << "first difference at step " << i << ": expected "
        << (i < expected.size() ? "\"" + expected[i] + "\"" : std::string("(end)")) << ", actual "
        << (i < actual.size() ? "\"" + actual[i] + "\"" : std::string("(end)")) << "\nexpected:\n";
    for (size_t k = 0; k < expected.size(); ++k) out << "  " << k << " " << expected[k] << "\n";
    out << "actual:\n";
    for (size_t k = 0; k < actual.size(); ++k) out << "  " << k << " " << actual[k] << "\n";
    return out;
}
