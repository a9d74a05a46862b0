// Hostile input: a damaged Timer.ini of every kind, and a hostile command line. The
// program starts, shows its window, keeps running and exits cleanly, and never leaves a
// stored setting worse than it found it.
#include <gtest/gtest.h>

#include <cstdlib>
#include <random>

#include "app/startup_steps.h"
#include "driver.h"
#include "tests/support/timer_ini_keys.h"
#include "ui/control_ids.h"

namespace e2e {
namespace {

using namespace poko;

using enum StartupStep;

// H=07 and AI=1 are written back as 7 and True: a write would show.
const std::string kStored =
    "[CONFIG]\r\nFILENAME=!stored\r\nH=07\r\nM=30\r\nAI=1\r\n[WINDOW]\r\nX=1500\r\nY=3000\r\nDATA=204\r\n";

// Code page 932 as the program writes it: without best fit.
std::string AsWritten(const std::wstring& text) {
    std::string out(text.size() * 2, '\0');
    const int n = WideCharToMultiByte(932, WC_NO_BEST_FIT_CHARS, text.data(), static_cast<int>(text.size()),
                                      out.data(), static_cast<int>(out.size()), nullptr, nullptr);
    out.resize(n > 0 ? n : 0);
    return out;
}

// A setting as the program reads it: the driver runs under the same Wine and code page,
// so the profile call gives it exactly what the program gets.
std::string ReadSetting(const AppFolder& app, std::wstring_view file, const StoredKey& s) {
    char buffer[255];
    const DWORD n =
        GetPrivateProfileStringA(s.section, s.key, s.fallback, buffer, sizeof buffer, Cp932(app.Path(file)).c_str());
    return std::string(buffer, n);
}

// What the program held of each setting, as its exit writes it, and its start-up steps.
struct Held {
    std::map<std::string, std::string> values;
    StartupStep step = StartupStep::None;
};

// The step of a name as the state dump writes it; None for a name of no step.
StartupStep StartupStepNamed(std::string_view name) {
    for (const auto& [step, stepName] : poko::kStartupSteps)
        if (stepName == name) return step;
    return StartupStep::None;
}

// Starts the program on the folder as it is, checks that it shows its window, stays up
// and answers, and exits cleanly when closed; returns what it held.
Held RunAndClose(const AppFolder& app) {
    Program program(app);
    program.WaitForMainWindow();
    Sleep(1500);  // a while of running, on the once-a-second clock
    if (!program.Running()) throw Failure("the program ended by itself");
    const State state = program.QueryState();
    Held held{{{"FILENAME", AsWritten(program.Text(ID_TextFileName))},
               {"H", AsWritten(program.Text(ID_TextH))},
               {"M", AsWritten(program.Text(ID_TextM))},
               {"X", state.Get("window.top_twips")},
               {"Y", state.Get("window.left_twips")},
               {"AI", Checked(state, "M_WinCmm") ? "True" : "False"},
               {"DATA", state.Get("alpha")}},
              StartupStepNamed(state.Get("startup.step"))};
    program.Close();
    EXPECT_EQ(program.WaitForExit(), 0u);
    return held;
}

// Every setting start-up read is stored as the program held it; every one it did not
// reach is left as the file had it.
void ExpectNothingWorse(const std::string& file) {
    AppFolder app;
    app.Write(L"Timer.ini", file);
    app.Write(L"before.ini", file);  // the settings as they were, for reading them the same way
    const Held held = RunAndClose(app);
    for (const StoredKey& s : kStoredKeys) {
        SCOPED_TRACE(std::string(s.section) + "/" + s.key + ", start-up done to " + std::string(StartupStepName(held.step)));
        const std::string after = ReadSetting(app, L"Timer.ini", s);
        if (held.step < s.readAt)
            EXPECT_EQ(after, ReadSetting(app, L"before.ini", s));
        else if (s.readAt == TopRead || s.readAt == LeftRead)  // twips: "1500" against "1500.000000"
            EXPECT_NEAR(std::strtod(after.c_str(), nullptr), std::strtod(held.values.at(s.key).c_str(), nullptr), 0.5);
        else
            EXPECT_EQ(after, held.values.at(s.key));
    }
}

TEST(DamagedSettings, RandomBytes) {
    std::mt19937 random(20240517);
    std::string bytes(64 * 1024, '\0');
    for (char& b : bytes) b = static_cast<char>(random());
    ExpectNothingWorse(bytes);
}

// Lead bytes with bad trail bytes, undefined bytes, a lead byte cut off by the line's
// end. AI does not read as a truth value, so start-up stops before DATA.
TEST(DamagedSettings, InvalidCodePage932InEveryValue) {
    ExpectNothingWorse("[CONFIG]\r\nFILENAME=!\x81\x20\xA0\xFF\x85\x40\r\nH=7\x82\r\nM=30\xFD\r\nAI=1\x81\r\n"
                       "[WINDOW]\r\nX=1500\x80\r\nY=3000\x81\x7F\r\nDATA=204\xFE\r\n");
}

TEST(DamagedSettings, TenMegabytes) {
    std::string file = "[PADDING]\r\n";
    for (int i = 0; file.size() < 10u << 20; ++i) file += "P" + std::to_string(i) + "=" + std::string(96, 'x') + "\r\n";
    ExpectNothingWorse(file + kStored);
}

TEST(DamagedSettings, KeysRepeatedAndInWrongSections) {
    ExpectNothingWorse(
        "[WINDOW]\r\nFILENAME=!wrong section\r\nH=1\r\nAI=yes\r\n"
        "[CONFIG]\r\nFILENAME=!first\r\nH=07\r\nH=8\r\nM=30\r\nX=999\r\nDATA=0\r\n"
        "[CONFIG]\r\nM=45\r\nAI=1\r\n"
        "[WINDOW]\r\nX=1500\r\nY=3000\r\nDATA=204\r\nX=2000\r\n[config]\r\nFILENAME=!again\r\n");
}

// Wine run as root writes a read-only file anyway: the program must not.
TEST(DamagedSettings, ReadOnlyFileStaysAsItWas) {
    AppFolder app;
    app.Write(L"Timer.ini", kStored);
    const std::wstring path = app.Path(L"Timer.ini");
    ASSERT_TRUE(SetFileAttributesW(path.c_str(), FILE_ATTRIBUTE_READONLY));
    const DWORD attributes = GetFileAttributesW(path.c_str());
    RunAndClose(app);
    EXPECT_EQ(app.Read(L"Timer.ini"), kStored);
    EXPECT_EQ(GetFileAttributesW(path.c_str()), attributes);
}

TEST(DamagedSettings, FolderNamedTimerIniStaysAsItWas) {
    AppFolder app;
    const std::wstring path = app.Path(L"Timer.ini");
    ASSERT_TRUE(CreateDirectoryW(path.c_str(), nullptr));
    const DWORD attributes = GetFileAttributesW(path.c_str());
    RunAndClose(app);
    EXPECT_EQ(GetFileAttributesW(path.c_str()), attributes);
    EXPECT_TRUE(RemoveDirectoryW(path.c_str())) << "the folder is no longer empty";
}

// 32,000 characters of argument text, switches repeated, and a target with characters
// that code page 932 lacks: the first occurrence of each switch counts, the target is
// taken whole, and it is stored whole (FILENAMEW) beside its code-page form.
TEST(HostileCommandLine, LongRepeatedAndBeyondCodePage932) {
    AppFolder app;
    const std::wstring head = L"-M -TS TIME=0730 FILE=\"", tail = L"\" -TS TIME=2359 -M FILE=\"second\"";
    const std::wstring odd = L"!\U0001F600 caf\u00E9 ";
    const std::wstring target = odd + std::wstring(32000 - head.size() - odd.size() - tail.size(), L'x');
    Program program(app, head + target + tail);
    HWND main = program.WaitForMainWindow(false);
    WaitForStartup(program);

    EXPECT_FALSE(IsWindowVisible(main));
    EXPECT_EQ(program.QueryState().Get("timer.enabled"), "1");
    EXPECT_EQ(Describe(program.Text(ID_TextH)), "\"7\"");
    EXPECT_EQ(Describe(program.Text(ID_TextM)), "\"30\"");
    const std::wstring shown = program.Text(ID_TextFileName);
    EXPECT_TRUE(shown == target) << "target of " << shown.size() << " characters: " << Describe(shown.substr(0, 12));

    program.Close();
    EXPECT_EQ(program.WaitForExit(), 0u);
    Ini ini = ParseIni(app.Contents(L"Timer.ini"));
    EXPECT_TRUE(ini["CONFIG"]["FILENAME"] == AsWritten(target) && ini["CONFIG"]["FILENAMEW"] == PercentUtf8(target));
}

}  // namespace
}  // namespace e2e
