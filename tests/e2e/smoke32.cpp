// The shipped 32-bit program's smoke test, which scripts/smoke32 runs under 32-bit Wine
// in an emulated machine: a start without settings, looked at and closed as a user
// closes it, and one alarm with a message. One line per check, "smoke32: ok ..." or
// "smoke32: FAIL ...: why"; exits with 1 when any failed.
#include <algorithm>
#include <chrono>
#include <cstdio>

#include "driver.h"

namespace {

using namespace e2e;

const std::wstring kWakeUp = L"\u8D77\u304D\u3066";               // 起きて
// A start without settings leaves these, in the exit sequence's order of writes.
const std::string kIni = "[CONFIG]\nFILENAME=\nH=0\nM=0\nAI=False\n[WINDOW]\nX=0\nY=0\nDATA=255\n";
int failed = 0;

// `body` returns what it measured for the line, or throws to fail the check.
void Check(const std::string& name, const std::function<std::string()>& body) {
    try {
        std::string seen = body();
        std::printf("smoke32: ok   %s%s\n", name.c_str(), seen.empty() ? "" : (" (" + seen + ")").c_str());
    } catch (const std::exception& e) {
        ++failed;
        std::printf("smoke32: FAIL %s: %s\n", name.c_str(), e.what());
    }
    std::fflush(stdout);
}

void Expect(bool ok, const std::string& why) {
    if (!ok) throw Failure(why);
}

std::string Seconds(std::chrono::steady_clock::time_point since) {
    char s[32];
    std::snprintf(s, sizeof s, "%.1f s", std::chrono::duration<double>(std::chrono::steady_clock::now() - since).count());
    return s;
}

// This minute while 40 s of it are left, for a start that is slow here; else the next.
std::wstring AlarmTime() {
    SYSTEMTIME st;
    GetLocalTime(&st);
    int minutes = st.wHour * 60 + st.wMinute + (st.wSecond > 20 ? 1 : 0);
    wchar_t hhmm[8];
    std::swprintf(hhmm, 8, L"%02d%02d", minutes / 60 % 24, minutes % 60);
    return hhmm;
}

void RunChecks() {
    {
        AppFolder app;
        const auto start = std::chrono::steady_clock::now();
        Program program(app);
        Check("main window " + Describe(kCaption) + ", client area 350 x 162", [&] {
            HWND main = program.WaitForMainWindow();
            std::printf("smoke32: the main window showed %s after the start\n", Seconds(start).c_str());
            // Read without a message: a thread that has just worked for seconds, as
            // start-up can in emulation, counts as hung and would not be asked.
            wchar_t caption[64];
            GetWindowTextW(main, caption, 64);
            Expect(caption == kCaption, "the caption is " + Describe(caption));
            RECT r;
            GetClientRect(main, &r);
            Expect(r.right == 350 && r.bottom == 162,
                   "the client area is " + std::to_string(r.right) + " x " + std::to_string(r.bottom));
            return "";
        });
        // Each check waits for the window itself, so that a program that never showed
        // one says so in every line.
        Check("tray icon added", [&] {
            program.WaitForMainWindow();
            WaitUntil("the tray icon", kDeadline, [&] { return program.TrayIconExists(); });
            return "";
        });
        Check("WM_CLOSE ends it with exit code 0", [&] {
            program.WaitForMainWindow();
            program.Close();
            const DWORD code = program.WaitForExit();
            Expect(code == 0, "exit code " + std::to_string(code));
            return "";
        });
        Check("Timer.ini holds the keys of a start without settings", [&] {
            const auto bytes = app.Read(L"Timer.ini");
            Expect(bytes.has_value(), "no Timer.ini beside the program");
            std::string text;  // without CRs and blank lines
            for (char c : *bytes)
                if (c != '\r' && (c != '\n' || (!text.empty() && text.back() != '\n'))) text += c;
            std::string shown = text;
            std::replace(shown.begin(), shown.end(), '\n', ' ');
            Expect(text == kIni, "it holds: " + shown);
            return "";
        });
    }

    AppFolder app;
    const std::wstring time = AlarmTime();
    Program program(app, L"-TS TIME=" + time + L" FILE=\"!" + kWakeUp + L"\"");
    Check("alarm at " + Utf8(time) + " with target \"!" + Utf8(kWakeUp) + "\" shows its message box", [&] {
        program.WaitForMainWindow();
        MessageBoxWindow box = program.WaitForMessageBox(150s);
        Expect(box.title == kPokomaru && box.text == kWakeUp,
               "the box " + Describe(box.title) + " says " + Describe(box.text));
        program.Answer(box, L"OK");
        program.Close();
        const DWORD code = program.WaitForExit();
        Expect(code == 0, "answered and closed, the program ended with exit code " + std::to_string(code));
        return "answered and closed, exit code 0";
    });
}

}  // namespace

int main() {
    const auto begun = std::chrono::steady_clock::now();
    DeclareDpiAware();
    GetDesktopWindow();  // starts the prefix's virtual desktop, and with it the tray
    try {
        Expect(GetACP() == 932, "Wine's ANSI code page is " + std::to_string(GetACP()) + ", not 932");
        WaitUntil("the notification area", kStartDeadline, [] { return FindWindowW(L"Shell_TrayWnd", nullptr); });
    } catch (const std::exception& e) {
        std::printf("smoke32: FAIL the Wine desktop: %s\n", e.what());
        return 1;
    }
    std::printf("smoke32: code page 932, notification area after %s\n", Seconds(begun).c_str());
    try {
        RunChecks();
    } catch (const std::exception& e) {  // a program that cannot even be started
        std::printf("smoke32: FAIL %s\n", e.what());
        return 1;
    }
    return failed ? 1 : 0;
}
