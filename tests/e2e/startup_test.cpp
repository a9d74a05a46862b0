// Start-up from Timer.ini and the command line, and what exit writes back.
#include <gtest/gtest.h>

#include "driver.h"
#include "ui/control_ids.h"

namespace e2e {
namespace {

using namespace poko;

const std::wstring kReminder = L"!\u4F1A\u8B70\u306E\u6642\u9593\u3067\u3059";  // !会議の時間です

// The stored settings of scenarios 2 and 3; `ai` varies.
std::string StoredIni(std::string_view ai) {
    return "[CONFIG]\r\nFILENAME=" + Cp932(kReminder) + "\r\nH=7\r\nM=30\r\nAI=" + std::string(ai) +
           "\r\n[WINDOW]\r\nX=1500\r\nY=3000\r\nDATA=204\r\n";
}

Ini ExitAndReadIni(Program& program, const AppFolder& app) {
    program.Close();
    EXPECT_EQ(program.WaitForExit(), 0u);
    auto bytes = app.Read(L"Timer.ini");
    if (!bytes) throw Failure("no Timer.ini beside the program after exit");
    return ParseIni(*bytes);
}

TEST(Startup, WithoutSettingsUsesTheDefaults) {
    AppFolder app;
    Program program(app);
    HWND main = program.WaitForMainWindow();

    EXPECT_EQ(Describe(program.Text(ID_TextFileName)), "\"\"");
    EXPECT_EQ(Describe(program.Text(ID_TextH)), "\"0\"");
    EXPECT_EQ(Describe(program.Text(ID_TextM)), "\"0\"");
    RECT r;
    GetWindowRect(main, &r);
    EXPECT_EQ(r.left, 0);
    EXPECT_EQ(r.top, 0);
    State state = program.QueryState();
    EXPECT_FALSE(Checked(state, "M_WinCmm"));
    EXPECT_EQ(state.Get("alpha"), "255");
    EXPECT_TRUE(Checked(state, "M_WinCon(0)"));
    // No back.jpg: the title paints its own background.
    EXPECT_EQ(state.Get("label.L_Title.opaque"), "1");

    Ini ini = ExitAndReadIni(program, app);
    EXPECT_EQ(ini["CONFIG"]["FILENAME"], "");
    EXPECT_EQ(ini["CONFIG"]["H"], "0");
    EXPECT_EQ(ini["CONFIG"]["M"], "0");
    EXPECT_EQ(ini["CONFIG"]["AI"], "False");
    EXPECT_EQ(ini["WINDOW"]["X"], "0");
    EXPECT_EQ(ini["WINDOW"]["Y"], "0");
    EXPECT_EQ(ini["WINDOW"]["DATA"], "255");
}

TEST(Startup, RestoresAndWritesBackStoredSettings) {
    AppFolder app;
    app.Write(L"Timer.ini", StoredIni("1"));
    Program program(app);
    HWND main = program.WaitForMainWindow();

    EXPECT_EQ(Describe(program.Text(ID_TextFileName)), Describe(kReminder));
    EXPECT_EQ(Describe(program.Text(ID_TextH)), "\"7\"");
    EXPECT_EQ(Describe(program.Text(ID_TextM)), "\"30\"");
    // X is the top edge and Y the left edge.
    RECT r;
    GetWindowRect(main, &r);
    EXPECT_EQ(r.left, 200);
    EXPECT_EQ(r.top, 100);
    State state = program.QueryState();
    EXPECT_EQ(state.Get("alpha"), "204");
    EXPECT_TRUE(Checked(state, "M_WinCon(1)"));
    EXPECT_TRUE(Checked(state, "M_WinCmm"));
    BYTE alpha = 0;
    DWORD flags = 0;
    EXPECT_TRUE(GetLayeredWindowAttributes(main, nullptr, &alpha, &flags) && (flags & LWA_ALPHA) && alpha == 204)
        << "the window's own opacity is " << int(alpha) << ", flags " << flags;

    Ini ini = ExitAndReadIni(program, app);
    EXPECT_EQ(ini["CONFIG"]["FILENAME"], Cp932(kReminder)) << Describe(FromCp932(ini["CONFIG"]["FILENAME"]));
    EXPECT_EQ(ini["CONFIG"]["H"], "7");
    EXPECT_EQ(ini["CONFIG"]["M"], "30");
    EXPECT_EQ(ini["CONFIG"]["AI"], "True");
    EXPECT_EQ(ini["WINDOW"]["X"], "1500");
    EXPECT_EQ(ini["WINDOW"]["Y"], "3000");
    EXPECT_EQ(ini["WINDOW"]["DATA"], "204");
}

TEST(Startup, UnreadableAiStopsQuietlyAndKeepsTheFile) {
    AppFolder app;
    const std::string stored = StoredIni("yes");
    app.Write(L"Timer.ini", stored);
    // "-M" too: start-up stops before the command line, so the window still shows.
    Program program(app, L"-M");
    HWND main = program.WaitForMainWindow();

    EXPECT_FALSE(program.TrayIconExists()) << "start-up went on to the tray icon";
    EXPECT_FALSE(GetWindowLongW(main, GWL_EXSTYLE) & WS_EX_LAYERED) << "start-up went on to the opacity";

    Ini before = ParseIni(stored);
    Ini after = ExitAndReadIni(program, app);
    for (const auto& [section, keys] : before)
        for (const auto& [key, value] : keys)
            EXPECT_EQ(after[section][key], value) << section << "/" << key;
}

TEST(Startup, CommandLineSetsTimeAndTargetAndHidesForDashM) {
    AppFolder app(L"\U00020BB7");  // 𠮷, beyond code page 932: what exit keeps, the next start reads
    // No "-M" switch of its own: the folder name My-Music holds one.
    const std::wstring target = L"C:\\My-Music\\x.txt";
    Program program(app, L"TIME=0730 FILE=\"" + target + L"\"");
    HWND main = program.WaitForMainWindow(false);
    WaitForStartup(program);

    EXPECT_FALSE(IsWindowVisible(main));
    EXPECT_EQ(program.QueryState().Get("window.state"), "minimised");
    EXPECT_EQ(Describe(program.Text(ID_TextH)), "\"7\"");
    EXPECT_EQ(Describe(program.Text(ID_TextM)), "\"30\"");
    EXPECT_EQ(Describe(program.Text(ID_TextFileName)), Describe(target));
    EXPECT_TRUE(program.TrayIconExists());

    program.Close();
    EXPECT_EQ(program.WaitForExit(), 0u);
    Program again(app);
    again.WaitForMainWindow();
    EXPECT_EQ(Describe(again.Text(ID_TextH) + L"|" + again.Text(ID_TextM) + L"|" + again.Text(ID_TextFileName)),
              Describe(L"7|30|" + target));
    again.Close();
    EXPECT_EQ(again.WaitForExit(), 0u);
}

}  // namespace
}  // namespace e2e
