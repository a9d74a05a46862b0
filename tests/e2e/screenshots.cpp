// The README's pictures, taken from the real program under Wine: scripts/screenshots
// saves them (as BMP, turned into docs/*.png); the CTest test e2e.Screenshots takes them
// into a scratch folder, so that it fails when a picture's window is no longer found.
#include <gtest/gtest.h>

#include "driver.h"
#include "screenshot.h"
#include "ui/control_ids.h"

namespace e2e {
namespace {

using namespace poko;

RECT Around(HWND window, int margin) {
    RECT r;
    GetWindowRect(window, &r);
    InflateRect(&r, margin, margin);
    return r;
}

// Out of the picture.
void ParkCursor() { SetCursorPos(GetSystemMetrics(SM_CXSCREEN) - 1, GetSystemMetrics(SM_CYSCREEN) / 2); }

TEST(Screenshots, MainWindowArmedForHalfPastSeven) {
    AppFolder app;
    // 30 px from the desktop's corner; a reminder for 07:30.
    app.Write(L"Timer.ini", Cp932(L"[CONFIG]\r\nFILENAME=!\u304A\u306F\u3088\u3046\u3054\u3056\u3044\u307E\u3059\u3002"
                                  L"\u4ECA\u65E5\u3082\u3044\u3044\u5929\u6C17\u3002\r\nH=7\r\nM=30\r\n"
                                  L"[WINDOW]\r\nX=450\r\nY=450\r\n"));
    Program program(app);
    const HWND main = program.WaitForMainWindow();
    program.ClickButton(ID_C_TimerStart);
    WaitUntil("the armed status", kDeadline, [&] { return program.QueryState().Get("timer.enabled") == "1"; });
    ParkCursor();
    Sleep(300);  // one more paint
    SavePicture("main-window", Around(main, 0));
    program.Close();
    program.WaitForExit();
}

TEST(Screenshots, TrayMenuOpen) {
    AppFolder app;
    Program program(app, L"-M");
    program.WaitForMainWindow(false);
    WaitForStartup(program);
    // Above the icon, at the right end of the 20 px taskbar at the bottom of the desktop,
    // high enough for the whole menu to open above the taskbar, the icon in sight.
    const int w = GetSystemMetrics(SM_CXSCREEN), h = GetSystemMetrics(SM_CYSCREEN);
    SetCursorPos(w - 12, h - 200);
    const HWND menu = program.OpenTrayMenu();
    Sleep(300);
    RECT area = Around(menu, 16);
    area.right = w, area.bottom = h;
    area.top -= 8;
    SavePicture("tray-menu", area);
    program.Post(WM_KEYDOWN, VK_ESCAPE, 1);
    program.Close();
    program.WaitForExit();
}

TEST(Screenshots, MascotOffersAThread) {
    AppFolder app;
    PointAtBoard(app, L"/e/?", BoardUrl(L"/~poko/2chmenu.html"));
    ScriptDraws(L"0.215,0.215,0.15");  // a board, a thread; declined, line 1
    Program program(app, QuestionNow());
    program.WaitForMainWindow(false);
    const MessageBoxWindow box = program.WaitForMessageBox(90s);
    ParkCursor();
    Sleep(300);
    SavePicture("mascot", Around(box.hwnd, 8));
    program.Answer(box, kNo);  // one of the mascot's lines follows
    program.Answer(program.WaitForMessageBox(), L"OK");
    program.Close();
    program.WaitForExit();
}

}  // namespace
}  // namespace e2e
