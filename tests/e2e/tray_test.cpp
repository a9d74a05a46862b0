// The tray icon: its mouse messages, hiding by minimising, re-adding after the taskbar
// comes back, and the position written at exit.
#include "driver.h"  // windows.h first: shellapi.h needs it

#include <shellapi.h>

#include <gtest/gtest.h>

#include <string>

#include "ui/control_ids.h"

namespace e2e {
namespace {

using namespace poko;

constexpr WORD kLeftUp = WM_LBUTTONUP, kLeftDoubleClick = WM_LBUTTONDBLCLK;

// What the shell sends for a mouse event on the icon: a mouse move whose x is the
// mouse message.
void TrayMouse(const Program& program, WORD message) {
    program.Post(WM_MOUSEMOVE, 0, MAKELPARAM(message, 0));
}

void MinimiseAndWaitHidden(const Program& program) {
    program.Send(WM_SYSCOMMAND, SC_MINIMIZE);
    WaitUntil("the minimised window to be hidden", kDeadline, [&] { return !IsWindowVisible(program.Main()); });
}

void WaitShown(const Program& program) {
    WaitUntil("the window to be shown", kDeadline, [&] { return IsWindowVisible(program.Main()); });
}

TEST(Tray, LeftClickShowsTheHiddenWindowAndMinimiseHidesIt) {
    AppFolder app;
    Program program(app, L"-M");
    HWND main = program.WaitForMainWindow(false);
    WaitForStartup(program);
    EXPECT_FALSE(IsWindowVisible(main));
    EXPECT_TRUE(program.TrayIconExists());

    TrayMouse(program, kLeftUp);
    WaitShown(program);
    EXPECT_EQ(program.QueryState().Get("window.state"), "normal");
    EXPECT_TRUE(program.TrayIconExists());
    RECT shown;
    GetWindowRect(main, &shown);

    MinimiseAndWaitHidden(program);
    EXPECT_TRUE(program.TrayIconExists());
    // Back in the normal state, at the same place.
    TrayMouse(program, kLeftUp);
    WaitShown(program);
    EXPECT_EQ(program.QueryState().Get("window.state"), "normal");
    RECT again;
    GetWindowRect(main, &again);
    EXPECT_TRUE(EqualRect(&shown, &again)) << "shown at " << again.left << "," << again.top << ", was at "
                                           << shown.left << "," << shown.top;

    program.Close();
    EXPECT_EQ(program.WaitForExit(), 0u);
}

TEST(Tray, ExitWritesThePositionOnlyWhileShown) {
    AppFolder app;
    app.Write(L"Timer.ini", "[WINDOW]\r\nX=1500\r\nY=3000\r\n");
    auto moveTo120x90 = [](const Program& program) {
        SetWindowPos(program.Main(), nullptr, 120, 90, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
        WaitUntil("the program to see its window at 120,90", kDeadline, [&] {
            State s = program.QueryState();
            return std::stod(s.Get("window.left_twips")) == 1800 && std::stod(s.Get("window.top_twips")) == 1350;
        });
    };
    auto window = [&app] { return ParseIni(app.Contents(L"Timer.ini"))["WINDOW"]; };

    {  // Moved, then hidden in the tray: the stored place stays.
        Program program(app);
        program.WaitForMainWindow();
        moveTo120x90(program);
        MinimiseAndWaitHidden(program);
        program.Close();
        EXPECT_EQ(program.WaitForExit(), 0u);
        EXPECT_EQ(window()["X"], "1500");
        EXPECT_EQ(window()["Y"], "3000");
    }
    {  // Moved and still shown: the new place, top in X, left in Y.
        Program program(app);
        program.WaitForMainWindow();
        moveTo120x90(program);
        program.Close();
        EXPECT_EQ(program.WaitForExit(), 0u);
        EXPECT_EQ(window()["X"], "1350");
        EXPECT_EQ(window()["Y"], "1800");
    }
}

TEST(Tray, TaskbarCreatedAddsTheArmedIconAgain) {
    AppFolder app;
    Program program(app);
    HWND main = program.WaitForMainWindow();
    // Armed for twelve hours from now, so that it cannot fire here.
    SYSTEMTIME now;
    GetLocalTime(&now);
    program.SetText(ID_TextH, std::to_wstring((now.wHour + 12) % 24));
    program.ClickButton(ID_C_TimerStart);
    // The tip is the last thing arming sets.
    WaitUntil("the armed tip", kDeadline, [&] { return program.QueryState().Text("tray.tip").starts_with(kWatching); });

    // As if the taskbar process had restarted: its icons are gone.
    NOTIFYICONDATAW nid{};
    nid.cbSize = NOTIFYICONDATAW_V1_SIZE;
    nid.hWnd = main;
    nid.uID = 1;
    ASSERT_TRUE(Shell_NotifyIconW(NIM_DELETE, &nid));
    WaitUntil("the icon to be gone", kDeadline, [&] { return !program.TrayIconExists(); });

    program.Post(RegisterWindowMessageW(L"TaskbarCreated"));
    WaitUntil("the icon to come back", kDeadline, [&] { return program.TrayIconExists(); });
    State state = program.QueryState();
    EXPECT_EQ(state.Get("tray.icon"), "1") << "not the armed image";
    EXPECT_TRUE(state.Text("tray.tip").starts_with(kWatching)) << Describe(state.Text("tray.tip"));

    program.Close();
    EXPECT_EQ(program.WaitForExit(), 0u);
}

TEST(Tray, DoubleClickRemovesTheIconAndMinimiseBringsItBack) {
    AppFolder app;
    Program program(app, L"-M");
    program.WaitForMainWindow(false);
    WaitForStartup(program);

    TrayMouse(program, kLeftDoubleClick);
    WaitShown(program);
    WaitUntil("the icon to be removed", kDeadline, [&] { return !program.TrayIconExists(); });

    // Hidden with no icon the window could never come back, so minimising adds it.
    MinimiseAndWaitHidden(program);
    WaitUntil("the icon to come back", kDeadline, [&] { return program.TrayIconExists(); });
    TrayMouse(program, kLeftUp);
    WaitShown(program);

    program.Close();
    EXPECT_EQ(program.WaitForExit(), 0u);
}

}  // namespace
}  // namespace e2e
