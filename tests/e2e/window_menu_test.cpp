// The window's pop-up menu and opacity steps, and the about box of a double-click.
#include <gtest/gtest.h>

#include "driver.h"
#include "screenshot.h"
#include "ui/about_box.h"
#include "ui/control_ids.h"

namespace e2e {
namespace {

using namespace poko;

constexpr POINT kBackground{5, 5};  // of the main window, and inside every label or button

const MenuItem& Find(const std::vector<MenuItem>& items, std::string_view name) {
    for (const MenuItem& m : items)
        if (m.name == name) return m;
    throw Failure("no menu item " + std::string(name));
}

int CheckedOpacity(const State& state) {
    for (int i = 0; i < 4; ++i)
        if (Find(state.Menu(), "M_WinCon(" + std::to_string(i) + ")").checked) return i;
    return -1;
}

std::optional<int> Alpha(HWND window) {
    BYTE alpha = 0;
    DWORD flags = 0;
    COLORREF key = 0;
    if (!GetLayeredWindowAttributes(window, &key, &alpha, &flags)) return std::nullopt;
    return alpha;
}

// The menu as the system shows it, once it is up.
std::vector<MenuItem> WaitForMenu(const Program& program) {
    std::vector<MenuItem> items;
    WaitUntil("the pop-up menu", kDeadline, [&] { return !(items = program.QueryState().Menu("popup")).empty(); });
    return items;
}

void ChooseOpacity(const Program& program, HWND target, char digit, int alpha) {
    program.MouseClick(target, kBackground, true);
    WaitForMenu(program);
    program.Key('V');  // 透明度(&V), then the step's digit
    program.Key(static_cast<WORD>(digit));
    WaitUntil("alpha " + std::to_string(alpha), kDeadline, [&] { return Alpha(program.Main()) == alpha; });
}

TEST(WindowMenu, RightPressOpensItAndOpacityStepsApplyAndSurviveARestart) {
    AppFolder app;
    {
        Program program(app);
        HWND main = program.WaitForMainWindow();
        // From the window: "show the window" is greyed, whatever was pressed.
        for (HWND target : {main, program.Item(ID_L_Time), program.Item(ID_Label1_0), program.Item(ID_C_TimerStart)}) {
            program.MouseClick(target, kBackground, true);
            EXPECT_FALSE(Find(WaitForMenu(program), "M_WindowView").enabled) << GetDlgCtrlID(target);
            program.Key(VK_ESCAPE);
            WaitUntil("the menu to close", kDeadline, [&] { return program.QueryState().Get("popup.open") == "0"; });
        }
        ChooseOpacity(program, program.Item(ID_L_Title), '6', 153);
        KeepPicture("window-at-60");
        ChooseOpacity(program, main, '4', 102);
        EXPECT_EQ(CheckedOpacity(program.QueryState()), 3);

        // From the tray it is enabled again.
        program.Send(WM_SYSCOMMAND, SC_MINIMIZE);
        WaitUntil("the window to hide", kDeadline, [&] { return !IsWindowVisible(main); });
        program.Post(WM_MOUSEMOVE, 0, MAKELPARAM(WM_RBUTTONUP, 0));
        EXPECT_TRUE(Find(WaitForMenu(program), "M_WindowView").enabled);
        program.Key(VK_ESCAPE);
        program.Close();
        EXPECT_EQ(program.WaitForExit(), 0u);
    }
    EXPECT_EQ(ParseIni(app.Contents(L"Timer.ini"))["WINDOW"]["DATA"], "102");
    Program program(app);
    EXPECT_EQ(Alpha(program.WaitForMainWindow()), 102);
    EXPECT_EQ(CheckedOpacity(program.QueryState()), 3);
    program.Close();
    EXPECT_EQ(program.WaitForExit(), 0u);
}

TEST(WindowMenu, AnOddStoredOpacityChecksNoStepAndAnOldSystemStaysOpaque) {
    AppFolder app;
    app.Write(L"Timer.ini", "[WINDOW]\r\nDATA=128\r\n");
    for (const bool old : {false, true}) {
        SCOPED_TRACE(old ? "Windows NT 4.0" : "Windows XP");
        SetWineVersion(old ? L"nt40" : L"winxp");
        Program program(app);
        HWND main = program.WaitForMainWindow();
        State state = program.QueryState();
        EXPECT_EQ(Find(state.Menu(), "M_toumei").enabled, !old);
        EXPECT_EQ(CheckedOpacity(state), -1);
        EXPECT_EQ((GetWindowLongW(main, GWL_EXSTYLE) & WS_EX_LAYERED) != 0, !old);
        EXPECT_EQ(Alpha(main), old ? std::nullopt : std::optional<int>(128));
        program.Close();
        EXPECT_EQ(program.WaitForExit(), 0u);
        EXPECT_EQ(ParseIni(app.Contents(L"Timer.ini"))["WINDOW"]["DATA"], "128");
    }
}

void ExpectTheBoxAsDesigned(const Program& program, HWND about, HWND text) {
    EXPECT_EQ(Describe(TextOf(about)), Describe(L"\u30D0\u30FC\u30B8\u30E7\u30F3\u60C5\u5831"));  // バージョン情報
    EXPECT_EQ(GetWindowLongW(about, GWL_STYLE) & (WS_CAPTION | WS_SYSMENU | WS_MINIMIZEBOX | WS_MAXIMIZEBOX | WS_THICKFRAME),
              WS_CAPTION | WS_SYSMENU);
    RECT client, box, main;
    GetClientRect(about, &client);
    EXPECT_EQ(client.right, 407);
    EXPECT_EQ(client.bottom, 173);
    GetWindowRect(about, &box);
    GetWindowRect(program.Main(), &main);
    EXPECT_NEAR(box.left + box.right, main.left + main.right, 1);
    EXPECT_NEAR(box.top + box.bottom, main.top + main.bottom, 1);
    const RECT r = ReadControl(text).rect;
    EXPECT_TRUE(r.left == 0 && r.top == 0 && r.right == 407 && r.bottom == 175);
    EXPECT_EQ(GetWindowLongW(text, GWL_STYLE) & (ES_MULTILINE | ES_READONLY | WS_HSCROLL | WS_VSCROLL),
              ES_MULTILINE | ES_READONLY);
    State state = program.QueryState();
    EXPECT_EQ(state.Get("about.font"), "MS UI Gothic|15|700|128");
    EXPECT_EQ(state.Get("about.icon"), "1");
    EXPECT_EQ(Describe(state.Text("about.tooltip")), Describe(L"\u30AF\u30EA\u30C3\u30AF\u3059\u308B\u3068\u6D88\u3048\u307E\u3059\u3002"));  // クリックすると消えます。
    EXPECT_EQ(ScreenPixel(text, {2, 2}), RGB(0, 0, 0));
    EXPECT_TRUE(ScreenShows(text, RGB(0xC0, 0xFF, 0xC0))) << "no light-green text";
    SetCursorPos(0, 0);  // away from the box: its tooltip would hide the art in the picture
    WaitUntil("no tooltip", kDeadline, [&] { return program.FindWindowOfClass(L"tooltips_class32") == nullptr; });
    KeepPicture("about-box");
    program.MouseMove(text, {200, 100});
    WaitUntil("the tooltip", kDeadline, [&] { return program.FindWindowOfClass(L"tooltips_class32") != nullptr; });
}

TEST(AboutBox, ADoubleClickOpensItAndAnyKeyOrClickClosesIt) {
    AppFolder app;
    app.Write(L"Timer.ini", "[WINDOW]\r\nX=3000\r\nY=3000\r\n");  // 200 px from the corner
    Program program(app);
    HWND main = program.WaitForMainWindow();
    for (const int key : {VK_SPACE, VK_ESCAPE, VK_RETURN, int('A'), 0}) {  // 0: a click
        SCOPED_TRACE(key);
        // Over a window in the corner the box stays whole on the screen.
        if (key == VK_ESCAPE) SetWindowPos(main, nullptr, 0, 0, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
        program.DoubleClick(main, kBackground);
        HWND about = nullptr;
        WaitUntil("the about box", kDeadline, [&] { return (about = program.FindWindowOfClass(kAboutWindowClass)) != nullptr; });
        HWND text = GetWindow(about, GW_CHILD);
        EXPECT_EQ(TextOf(text), std::wstring(kAboutArt.begin(), kAboutArt.end()));
        EXPECT_EQ(program.Focused(), text);
        EXPECT_FALSE(IsWindowEnabled(main)) << "the main window takes input";
        RECT box;
        GetWindowRect(about, &box);
        EXPECT_TRUE(box.left >= 0 && box.top >= 0) << box.left << "," << box.top;
        if (key == VK_SPACE) ExpectTheBoxAsDesigned(program, about, text);
        if (key)
            program.Key(static_cast<WORD>(key));
        else
            program.MouseClick(text, {200, 100});
        WaitUntil("the about box to close", kDeadline, [&] { return !IsWindow(about); });
        EXPECT_TRUE(IsWindowEnabled(main));
    }
    program.Close();
    EXPECT_EQ(program.WaitForExit(), 0u);
}

}  // namespace
}  // namespace e2e
