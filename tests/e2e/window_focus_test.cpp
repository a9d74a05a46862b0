// The focus comes back to the control that had it, so the wheel keeps working; a
// disabled box looks disabled; the edit boxes have no length limit of their own.
#include <gtest/gtest.h>

#include "driver.h"
#include "ui/control_ids.h"

namespace e2e {
namespace {

using namespace poko;

TEST(WindowFocus, ComesBackToItsControlAndADisabledBoxLooksDisabled) {
    AppFolder app;
    Program program(app, L"-M");
    HWND main = program.WaitForMainWindow(false);
    WaitForStartup(program);
    auto showFromTray = [&] {
        program.Post(WM_MOUSEMOVE, 0, MAKELPARAM(WM_LBUTTONUP, 0));
        WaitUntil("the window to be shown", kDeadline, [&] { return IsWindowVisible(main); });
    };
    auto waitForFocus = [&](int id) {
        WaitUntil("the focus on control " + std::to_string(id), kDeadline, [&] { return program.Focused() == program.Item(id); });
    };
    // First shown from the tray: the hour box has the focus, and the wheel (which Wine
    // gives the focused window) steps it with no hover first.
    showFromTray();
    waitForFocus(ID_TextH);
    program.Wheel(program.Item(ID_TextH), WHEEL_DELTA);
    WaitUntil("the hour to step up", kDeadline, [&] { return program.Text(ID_TextH) == L"1"; });

    program.Focus(ID_TextM);
    program.Send(WM_SYSCOMMAND, SC_MINIMIZE);
    WaitUntil("the window to hide", kDeadline, [&] { return !IsWindowVisible(main); });
    showFromTray();
    waitForFocus(ID_TextM);

    program.ClickButton(ID_cmdFileOpen);
    MessageBoxWindow dialog = program.WaitForMessageBox();
    PostMessageW(dialog.hwnd, WM_COMMAND, IDCANCEL, 0);
    waitForFocus(ID_cmdFileOpen);

    for (int id : {ID_TextH, ID_TextM, ID_TextFileName})
        EXPECT_GT(SendMessageW(program.Item(id), EM_GETLIMITTEXT, 0, 0), 0x7FFFFFF0) << id;

    // Armed: the target box in the system's disabled colours; the time boxes stay white.
    program.ClickButton(ID_C_TimerStart);
    WaitUntil("the target box to look disabled", kDeadline, [&] {
        return ScreenPixel(program.Item(ID_TextFileName), {3, 3}) == GetSysColor(COLOR_BTNFACE);
    });
    EXPECT_EQ(ScreenPixel(program.Item(ID_TextH), {3, 3}), GetSysColor(COLOR_WINDOW));
    program.Close();
    EXPECT_EQ(program.WaitForExit(), 0u);
}

}  // namespace
}  // namespace e2e
