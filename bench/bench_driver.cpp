// The Windows side of scripts/bench, run under Wine in the benchmark's desktop.
//
//   bench_driver startup ROUNDS EXE...
//       Starts the programs one after the other, in turn, ROUNDS times each after one
//       warm-up start of each, and prints the time from just before CreateProcess to
//       the moment the first top-level window of the new process is shown, one line a
//       program: "startup EXE MEDIAN_MS MIN_MS MAX_MS". The window is looked for every
//       millisecond (Wine delivers no WinEvent hook calls across processes) and the
//       times are QueryPerformanceCounter readings; each program is closed (WM_CLOSE)
//       before the next start.
//   bench_driver show|hide|close CLASS...
//       Waits until a window of each class is shown; minimises each (which hides both
//       programs measured); closes each and waits until it is gone.
#include <windows.h>

#include <algorithm>
#include <cstdio>
#include <cwchar>
#include <string>
#include <vector>

namespace {

constexpr DWORD kLimitMs = 30000;

double Now() {
    static LARGE_INTEGER frequency = [] {
        LARGE_INTEGER f;
        QueryPerformanceFrequency(&f);
        return f;
    }();
    LARGE_INTEGER t;
    QueryPerformanceCounter(&t);
    return static_cast<double>(t.QuadPart) * 1000.0 / static_cast<double>(frequency.QuadPart);
}

[[noreturn]] void Die(const wchar_t* what, const wchar_t* detail) {
    std::fwprintf(stderr, L"bench_driver: %ls %ls (error %lu)\n", what, detail, GetLastError());
    std::exit(2);
}

// A shown top-level window of the process, or nullptr.
HWND ShownWindowOf(DWORD pid) {
    struct Search {
        DWORD pid;
        HWND found;
    } search{pid, nullptr};
    EnumWindows(
        [](HWND hwnd, LPARAM p) -> BOOL {
            auto* s = reinterpret_cast<Search*>(p);
            DWORD owner = 0;
            GetWindowThreadProcessId(hwnd, &owner);
            if (owner != s->pid || !IsWindowVisible(hwnd)) return TRUE;
            s->found = hwnd;
            return FALSE;
        },
        reinterpret_cast<LPARAM>(&search));
    return search.found;
}

// Polls `done` every millisecond, handling this thread's messages, up to the limit.
template <class Done>
bool Pump(Done done, DWORD limitMs) {
    const double end = Now() + limitMs;
    while (!done()) {
        const double left = end - Now();
        if (left <= 0) return false;
        MsgWaitForMultipleObjects(0, nullptr, FALSE, 1, QS_ALLINPUT);
        MSG msg;
        while (PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE)) DispatchMessageW(&msg);
    }
    return true;
}

// One start: milliseconds from CreateProcess to the first shown window; then closed.
double StartOnce(const std::wstring& exe) {
    std::wstring folder = exe.substr(0, exe.find_last_of(L"\\/"));
    std::wstring cmd = L"\"" + exe + L"\"";
    STARTUPINFOW si{};
    si.cb = sizeof si;
    PROCESS_INFORMATION pi{};
    const double started = Now();
    if (!CreateProcessW(exe.c_str(), cmd.data(), nullptr, nullptr, FALSE, 0, nullptr, folder.c_str(), &si, &pi))
        Die(L"cannot start", exe.c_str());
    HWND shown = nullptr;
    const DWORD pid = pi.dwProcessId;
    if (!Pump([&] { return (shown = ShownWindowOf(pid)) != nullptr; }, kLimitMs)) Die(L"no window shown by", exe.c_str());
    const double ms = Now() - started;
    PostMessageW(shown, WM_CLOSE, 0, 0);
    if (WaitForSingleObject(pi.hProcess, kLimitMs) != WAIT_OBJECT_0) {
        TerminateProcess(pi.hProcess, 1);
        Die(L"did not close:", exe.c_str());
    }
    CloseHandle(pi.hThread);
    CloseHandle(pi.hProcess);
    return ms;
}

int Startup(int rounds, const std::vector<std::wstring>& exes) {
    // The first user32 call starts the session's virtual desktop; the program puts its
    // icon into the notification area, which comes a little later.
    GetDesktopWindow();
    if (!Pump([] { return FindWindowW(L"Shell_TrayWnd", nullptr) != nullptr; }, kLimitMs))
        Die(L"no notification area", L"Shell_TrayWnd");
    for (const std::wstring& exe : exes) StartOnce(exe);  // warm-up: Wine's first loads of the DLLs
    std::vector<std::vector<double>> times(exes.size());
    for (int i = 0; i < rounds; ++i)
        for (size_t k = 0; k < exes.size(); ++k) times[k].push_back(StartOnce(exes[k]));
    for (size_t k = 0; k < exes.size(); ++k) {
        std::vector<double>& t = times[k];
        std::sort(t.begin(), t.end());
        const size_t n = t.size();
        const double median = n % 2 ? t[n / 2] : (t[n / 2 - 1] + t[n / 2]) / 2;
        std::wprintf(L"startup %ls %.1f %.1f %.1f\n", exes[k].c_str(), median, t.front(), t.back());
    }
    return 0;
}

HWND FindShown(const wchar_t* cls) {
    HWND h = FindWindowW(cls, nullptr);
    return h && IsWindowVisible(h) ? h : nullptr;
}

int Windows(const std::wstring& verb, int count, wchar_t** classes) {
    for (int i = 0; i < count; ++i) {
        const wchar_t* cls = classes[i];
        bool ok = false;
        if (verb == L"show") {
            ok = Pump([cls] { return FindShown(cls) != nullptr; }, kLimitMs);
        } else if (HWND h = FindWindowW(cls, nullptr)) {
            if (verb == L"hide") {
                PostMessageW(h, WM_SYSCOMMAND, SC_MINIMIZE, 0);
                ok = Pump([h] { return !IsWindowVisible(h); }, kLimitMs);
            } else {
                PostMessageW(h, WM_CLOSE, 0, 0);
                ok = Pump([h] { return !IsWindow(h); }, kLimitMs);
            }
        }
        if (!ok) Die((L"no " + verb + L" of window class").c_str(), cls);
    }
    return 0;
}

}  // namespace

int wmain(int argc, wchar_t** argv) {
    const std::wstring verb = argc > 1 ? argv[1] : L"";
    if (verb == L"startup" && argc > 3) return Startup(_wtoi(argv[2]), std::vector<std::wstring>(argv + 3, argv + argc));
    if ((verb == L"show" || verb == L"hide" || verb == L"close") && argc > 2) return Windows(verb, argc - 2, argv + 2);
    std::fwprintf(stderr, L"usage: bench_driver startup ROUNDS EXE... | show|hide|close CLASS...\n");
    return 2;
}
