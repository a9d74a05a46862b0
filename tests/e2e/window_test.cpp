// The main window as it opens with no Timer.ini, and a clean close.
#include <gtest/gtest.h>

#include <cmath>
#include <cstdio>
#include <cwctype>
#include <set>

#include "driver.h"
#include "ui/control_ids.h"

namespace e2e {
namespace {

using namespace poko;

const std::wstring kMsPGothic = L"\uFF2D\uFF33 \uFF30\u30B4\u30B7\u30C3\u30AF";      // ＭＳ Ｐゴシック
const std::wstring kMsUiGothic = L"MS UI Gothic";

// How a control's box is fixed: labels whose width follows their text keep one edge.
enum class Anchor { Box, LeftTop, RightTop };

struct Expected {
    int id;
    const char* name;
    const wchar_t* cls;
    Anchor anchor;
    int left, top, width, height;  // twips, as the layout gives them
    std::wstring text;
};

// The layout in twips; L_Time's Left/Width are its design-time values, its right edge
// (4950 + 90 = 5040) is what stays put.
const std::vector<Expected> kLayout = {
    {ID_L_Title, "L_Title", kLabelClass, Anchor::Box, 255, 195, 4740, 465, kStopped},
    {ID_L_Time, "L_Time", kLabelClass, Anchor::RightTop, 4950, 765, 90, 240, L""},
    {ID_Label1_0, "Label1(0)", kLabelClass, Anchor::LeftTop, 165, 930, 1185, 225,
     L"\u8D77\u52D5\u6642\u523B(&T)"},  // 起動時刻(&T)
    {ID_TextH, "TextH", L"Edit", Anchor::Box, 435, 1215, 540, 435, L"0"},
    {ID_VS_h, "VS_h", L"ScrollBar", Anchor::Box, 945, 1200, 345, 450, L""},
    {ID_Label1_2, "Label1(2)", kLabelClass, Anchor::Box, 1350, 1275, 390, 375, L"\u6642"},  // 時
    {ID_TextM, "TextM", L"Edit", Anchor::Box, 1830, 1215, 540, 435, L"0"},
    {ID_VS_m, "VS_m", L"ScrollBar", Anchor::Box, 2355, 1200, 345, 450, L""},
    {ID_Label1_3, "Label1(3)", kLabelClass, Anchor::Box, 2760, 1275, 390, 375, L"\u5206"},  // 分
    {ID_C_TimerStart, "C_TimerStart", L"Button", Anchor::Box, 3555, 1185, 1485, 495, kStart},
    {ID_Label1_1, "Label1(1)", kLabelClass, Anchor::LeftTop, 165, 1770, 2520, 225,
     // 起動ファイル or メッセージ(&F)
     L"\u8D77\u52D5\u30D5\u30A1\u30A4\u30EB or \u30E1\u30C3\u30BB\u30FC\u30B8(&F)"},
    {ID_TextFileName, "TextFileName", L"Edit", Anchor::Box, 150, 2025, 4380, 270, L""},
    {ID_cmdFileOpen, "cmdFileOpen", L"Button", Anchor::Box, 4515, 2010, 615, 285,
     L"\u53C2\u7167"},  // 参照
};

// Within one pixel: the layout's twips do not all fall on whole pixels.
::testing::AssertionResult Near(const char* what, int actual, int expected) {
    if (std::abs(actual - expected) <= 1) return ::testing::AssertionSuccess();
    return ::testing::AssertionFailure() << what << " is " << actual << " px, expected " << expected;
}

bool IsClockText(const std::wstring& t) {
    // yyyy/mm/dd hh:mm
    static const wchar_t pattern[] = L"9999/99/99 99:99";
    if (t.size() != 16) return false;
    for (size_t i = 0; i < t.size(); ++i) {
        if (pattern[i] == L'9' ? !std::iswdigit(t[i]) : t[i] != pattern[i]) return false;
    }
    return true;
}

std::wstring ClockAt(const SYSTEMTIME& st) {
    wchar_t buf[32];
    std::swprintf(buf, 32, L"%04u/%02u/%02u %02u:%02u", st.wYear, st.wMonth, st.wDay, st.wHour,
                  st.wMinute);
    return buf;
}

SYSTEMTIME MinuteBefore(const SYSTEMTIME& st) {
    FILETIME ft;
    SystemTimeToFileTime(&st, &ft);
    ULARGE_INTEGER u{{ft.dwLowDateTime, ft.dwHighDateTime}};
    u.QuadPart -= 60ULL * 10'000'000ULL;
    ft = {u.LowPart, u.HighPart};
    SYSTEMTIME out;
    FileTimeToSystemTime(&ft, &out);
    return out;
}

TEST(Window, OpensWithTheLayoutAndClosesCleanly) {
    AppFolder app;
    Program program(app);
    HWND main = program.WaitForMainWindow();

    // The frame: fixed single border, minimise but no maximise, no menu bar.
    wchar_t caption[64];
    GetWindowTextW(main, caption, 64);
    EXPECT_EQ(Describe(caption), Describe(kCaption));
    LONG style = GetWindowLongW(main, GWL_STYLE);
    EXPECT_TRUE(style & WS_CAPTION) << std::hex << style;
    EXPECT_TRUE(style & WS_SYSMENU) << std::hex << style;
    EXPECT_TRUE(style & WS_MINIMIZEBOX) << std::hex << style;
    EXPECT_FALSE(style & WS_MAXIMIZEBOX) << std::hex << style;
    EXPECT_FALSE(style & WS_THICKFRAME) << std::hex << style;
    EXPECT_EQ(GetMenu(main), nullptr) << "the window shows a menu bar";
    RECT client;
    GetClientRect(main, &client);
    EXPECT_EQ(client.right, 350);
    EXPECT_EQ(client.bottom, 162);

    // Every control of the layout, and no other visible one.
    std::set<int> seen;
    for (const Control& c : program.Children()) {
        if (!c.visible) continue;
        EXPECT_TRUE(seen.insert(c.id).second) << "two visible controls with id " << c.id;
        auto it = std::find_if(kLayout.begin(), kLayout.end(), [&](auto& e) { return e.id == c.id; });
        EXPECT_NE(it, kLayout.end()) << "unexpected visible control id " << c.id << " class "
                                     << Utf8(c.cls) << " text " << Describe(c.text);
    }
    SYSTEMTIME now;
    GetLocalTime(&now);
    for (const Expected& e : kLayout) {
        SCOPED_TRACE(e.name);
        Control c = program.Read(e.id);
        EXPECT_EQ(Utf8(c.cls), Utf8(e.cls));
        EXPECT_TRUE(c.visible);
        EXPECT_TRUE(c.enabled);
        const RECT& r = c.rect;
        switch (e.anchor) {
            case Anchor::Box:
                EXPECT_TRUE(Near("left", r.left, Px(e.left)));
                EXPECT_TRUE(Near("top", r.top, Px(e.top)));
                EXPECT_TRUE(Near("width", r.right - r.left, Px(e.width)));
                EXPECT_TRUE(Near("height", r.bottom - r.top, Px(e.height)));
                break;
            case Anchor::LeftTop:
                EXPECT_TRUE(Near("left", r.left, Px(e.left)));
                EXPECT_TRUE(Near("top", r.top, Px(e.top)));
                break;
            case Anchor::RightTop:
                EXPECT_TRUE(Near("right", r.right, Px(e.left + e.width)));
                EXPECT_TRUE(Near("top", r.top, Px(e.top)));
                break;
        }
        if (e.id == ID_L_Time) {
            // Shown by the first clock tick during start-up; the minute may have turned
            // since.
            EXPECT_TRUE(IsClockText(c.text)) << Describe(c.text);
            EXPECT_TRUE(c.text == ClockAt(now) || c.text == ClockAt(MinuteBefore(now)))
                << Describe(c.text) << " is not the time " << Describe(ClockAt(now));
        } else {
            // With no Timer.ini the stored "00" goes through the change rule: "0".
            EXPECT_EQ(Describe(c.text), Describe(e.text));
        }
    }
    // The spinners run inverted: value 23 - hour, 59 - minute.
    Control vsH = program.Read(ID_VS_h), vsM = program.Read(ID_VS_m);
    EXPECT_EQ(vsH.min, 0);
    EXPECT_EQ(vsH.max, 23);
    EXPECT_EQ(vsH.pos, 23);
    EXPECT_EQ(vsM.min, 0);
    EXPECT_EQ(vsM.max, 59);
    EXPECT_EQ(vsM.pos, 59);

    RECT frame;
    GetWindowRect(main, &frame);
    program.Close();
    EXPECT_EQ(program.WaitForExit(), 0u);

    auto bytes = app.Read(L"Timer.ini");
    ASSERT_TRUE(bytes) << "no Timer.ini beside the program after exit";
    Ini ini = ParseIni(*bytes);
    EXPECT_EQ(ini["CONFIG"]["FILENAME"], "");
    EXPECT_EQ(ini["CONFIG"]["H"], "0");
    EXPECT_EQ(ini["CONFIG"]["M"], "0");
    EXPECT_EQ(ini["CONFIG"]["AI"], "False");
    // X is the top edge and Y the left edge, in twips.
    EXPECT_EQ(ini["WINDOW"]["X"], std::to_string(frame.top * 15));
    EXPECT_EQ(ini["WINDOW"]["Y"], std::to_string(frame.left * 15));
    EXPECT_EQ(ini["WINDOW"]["DATA"], "255");
}

struct ExpectedFont {
    const char* control;
    std::wstring face;
    int heightPx, weight, charset;
};

// At 96 DPI.
const ExpectedFont kFonts[] = {
    {"L_Title", kMsPGothic, 24, 700, 128},     {"L_Time", kMsUiGothic, 16, 700, 0},
    {"Label1(0)", kMsUiGothic, 15, 400, 128},  {"Label1(1)", kMsUiGothic, 15, 400, 128},
    {"Label1(2)", kMsPGothic, 24, 700, 128},   {"Label1(3)", kMsPGothic, 24, 700, 128},
    {"TextH", kMsPGothic, 27, 700, 128},       {"TextM", kMsPGothic, 27, 700, 128},
    {"C_TimerStart", kMsUiGothic, 16, 400, 128}, {"TextFileName", kMsPGothic, 12, 400, 128},
    {"cmdFileOpen", kMsUiGothic, 13, 400, 128},
};

TEST(Window, StartsWithItsFontsMenuAndTrayIcon) {
    AppFolder app;
    Program program(app);
    program.WaitForMainWindow();
    State state = program.QueryState();

    EXPECT_EQ(Describe(state.Text("window.caption")), Describe(kCaption));
    EXPECT_EQ(state.Get("window.visible"), "1");
    EXPECT_EQ(state.Get("window.state"), "normal");
    EXPECT_EQ(state.Get("window.icon"), "0");
    EXPECT_EQ(state.Get("alpha"), "255");
    EXPECT_EQ(state.Get("layered"), "1");
    EXPECT_EQ(state.Get("timer.enabled"), "0");
    EXPECT_EQ(state.Get("timer_time.enabled"), "1");
    // Red on light yellow, painted since there is no back.jpg.
    EXPECT_EQ(state.Int("label.L_Title.fore"), 0x000000FF);
    EXPECT_EQ(state.Int("label.L_Title.back"), 0x00C0FFFF);
    EXPECT_EQ(state.Get("label.L_Title.opaque"), "1");
    WaitUntil("the names for screen readers asked of oleacc (Windows: S_OK, Wine: E_NOTIMPL)", kDeadline,
              [&] { return program.QueryState().Get("accessible.names") != "0x00000001"; });

    for (const ExpectedFont& e : kFonts) {
        SCOPED_TRACE(e.control);
        FontSpec f = state.Font(e.control);
        EXPECT_EQ(Describe(f.face), Describe(e.face));
        EXPECT_EQ(f.heightPx, e.heightPx);
        EXPECT_EQ(f.weight, e.weight);
        EXPECT_EQ(f.charset, e.charset);
    }

    const std::wstring opacity = L"\u30A6\u30A3\u30F3\u30C9\u30A6\u900F\u660E\u5EA6\u3000&";  // ウィンドウ透明度　&
    const MenuItem menu[] = {
        {0, "mPopUpSys", L"\u30B7\u30B9\u30C6\u30E0\u30C8\u30EC\u30A4\u30E1\u30CB\u30E5\u30FC", true, false},
        {1, "M_kansi", kStart + L"(&T)", true, false},
        {1, "Bar04", L"-", true, false},
        {1, "M_toumei", L"\u900F\u660E\u5EA6(&V)", true, false},
        // Start-up checks the item of the stored opacity (255 when nothing is stored).
        {2, "M_WinCon(0)", opacity + L"100%", true, true},
        {2, "M_WinCon(1)", opacity + L"80%", true, false},
        {2, "M_WinCon(2)", opacity + L"60%", true, false},
        {2, "M_WinCon(3)", opacity + L"40%", true, false},
        {1, "Bar3", L"-", true, false},
        {1, "ShowGIP", L"\u30B0\u30ED\u30FC\u30D0\u30EBIP\u3092\u30B3\u30D4\u30FC(&I)", true, false},
        {1, "Bar02", L"-", true, false},
        {1, "M_WinCmm", L"Windows Communication(&M)", true, false},
        {1, "Bar05", L"-", true, false},
        {1, "M_WindowView", L"\u30A6\u30A3\u30F3\u30C9\u30A6\u8868\u793A(&W)", true, false},
        {1, "Bar01", L"-", true, false},
        {1, "M_Exit", L"\u7D42\u4E86(&E)", true, false},
    };
    std::vector<MenuItem> actual = state.Menu();
    ASSERT_EQ(actual.size(), std::size(menu)) << "menu items in the state dump";
    for (size_t i = 0; i < actual.size(); ++i) {
        SCOPED_TRACE("menu item " + std::to_string(i) + " " + menu[i].name);
        EXPECT_EQ(actual[i].level, menu[i].level);
        EXPECT_EQ(actual[i].name, menu[i].name);
        EXPECT_EQ(Describe(actual[i].caption), Describe(menu[i].caption));
        EXPECT_EQ(actual[i].enabled, menu[i].enabled);
        EXPECT_EQ(actual[i].checked, menu[i].checked);
    }

    // The icon as the program holds it, and as the notification area has it.
    EXPECT_EQ(state.Get("tray.present"), "1");
    // The program's own record: the 32-bit ANSI layout, whatever this build's bitness.
    EXPECT_EQ(state.Get("tray.cbSize"), "88");
    EXPECT_EQ(state.Get("tray.uID"), "1");
    EXPECT_EQ(state.Get("tray.uFlags"), "7");
    EXPECT_EQ(state.Get("tray.uCallbackMessage"), "512");
    EXPECT_EQ(state.Get("tray.icon"), "0");
    EXPECT_EQ(Describe(state.Text("tray.tip")), Describe(TrayTip(kStopped, L"00:00")));
    EXPECT_TRUE(program.TrayIconExists()) << "the notification area has no icon 1 of the window";

    program.Close();
    EXPECT_EQ(program.WaitForExit(), 0u);
}

// Everything in pixels at a DPI: the client area, the hour box and every font.
void ExpectScaledTo(const Program& program, int dpi) {
    SCOPED_TRACE(std::to_string(dpi) + " DPI");
    const auto px = [dpi](double twips) { return static_cast<int>(std::lround(twips * dpi / 1440.0)); };
    RECT client;
    GetClientRect(program.Main(), &client);
    EXPECT_EQ(client.right, px(5250));
    EXPECT_EQ(client.bottom, px(2430));
    const RECT hour = program.Read(ID_TextH).rect;
    EXPECT_TRUE(Near("left", hour.left, px(435)));
    EXPECT_TRUE(Near("top", hour.top, px(1215)));
    EXPECT_TRUE(Near("width", hour.right - hour.left, px(540)));
    EXPECT_TRUE(Near("height", hour.bottom - hour.top, px(435)));
    const State state = program.QueryState();
    // Window (small, big) and tray icons at the sizes of the DPI, each from its own frame.
    EXPECT_EQ(state.Get("icon.sizes"), dpi == 96 ? "16|32|16" : "24|48|24");
    for (const ExpectedFont& e : kFonts)
        EXPECT_EQ(state.Font(e.control).heightPx, std::lround(e.heightPx * dpi / 96.0)) << e.control;
}

TEST(Window, LabelsAndTimeBoxesFollowADarkColourScheme) {
    SetSchemeColour(L"ButtonFace", L"0 0 0"), SetSchemeColour(L"ButtonText", L"255 255 255");
    SetSchemeColour(L"Window", L"0 0 0"), SetSchemeColour(L"WindowText", L"255 255 255");
    AppFolder app;
    Program program(app);
    program.WaitForMainWindow();
    for (int id : {ID_Label1_0, ID_Label1_1, ID_Label1_2, ID_Label1_3, ID_L_Time, ID_TextH, ID_TextM})
        WaitUntil("white text in control " + std::to_string(id), kDeadline,
                  [&] { return ScreenShows(program.Item(id), RGB(255, 255, 255)); });
}

// At 144 DPI every size is one and a half times as large; window positions keep their
// twips. A move to a monitor at 96 DPI lays the window out again, states kept; the about
// box opens at the DPI of the monitor it opens on.
TEST(Window, ScalesWithTheDpi) {
    SetLogPixels(144);
    AppFolder app;
    app.Write(L"Timer.ini", "[CONFIG]\r\nFILENAME=!abc\r\n[WINDOW]\r\nX=3000\r\nY=1500\r\n");
    Program program(app);
    HWND main = program.WaitForMainWindow();
    ExpectScaledTo(program, 144);
    RECT frame;
    GetWindowRect(main, &frame);
    EXPECT_EQ(frame.top, 300);
    EXPECT_EQ(frame.left, 150);

    // Once the window's activation has handed the focus to the hour box.
    WaitUntil("the focus on the hour", kDeadline, [&] { return program.Focused() == program.Item(ID_TextH); });
    program.ClickButton(ID_C_TimerStart);  // armed: the target box is disabled; the button has the focus
    WaitUntil("the focus on the button", kDeadline, [&] { return program.Focused() == program.Item(ID_C_TimerStart); });
    SendMessageW(program.Item(ID_TextFileName), EM_SETSEL, 1, 3);
    // The frame as this Wine draws it at any DPI, around the client area at 96.
    RECT client;
    GetClientRect(main, &client);
    GetWindowRect(main, &frame);
    program.DpiChanged(96, {frame.left, frame.top, frame.right - client.right + 350, frame.bottom - client.bottom + 162});
    ExpectScaledTo(program, 96);
    EXPECT_EQ(program.Focused(), program.Item(ID_C_TimerStart));
    DWORD start = 0, end = 0;
    SendMessageW(program.Item(ID_TextFileName), EM_GETSEL, reinterpret_cast<WPARAM>(&start), reinterpret_cast<LPARAM>(&end));
    EXPECT_EQ(start, 1u);
    EXPECT_EQ(end, 3u);
    EXPECT_EQ(program.Text(ID_TextFileName), L"!abc");
    EXPECT_FALSE(program.Read(ID_TextFileName).enabled);

    // The about box opens at the DPI of its monitor, which is still at 144 here.
    program.DoubleClick(main, {5, 5});
    HWND about = nullptr;
    WaitUntil("the about box", kDeadline, [&] { return (about = program.FindWindowOfClass(kAboutWindowClass)) != nullptr; });
    RECT box;
    GetClientRect(about, &box);
    EXPECT_TRUE(Near("about box width", box.right, 611));
    EXPECT_TRUE(Near("about box height", box.bottom, 260));
    EXPECT_EQ(program.QueryState().Get("about.font"), "MS UI Gothic|23|700|128");
    // Its icons are its own: two changes of the main window's DPI free that window's set.
    const RECT at96{frame.left, frame.top, frame.right - client.right + 350, frame.bottom - client.bottom + 162};
    program.DpiChanged(144, at96), program.DpiChanged(96, at96);
    EXPECT_EQ(program.QueryState().Get("about.icon") + " " + program.QueryState().Get("about.icon.size"), "1 48");
    program.Key(VK_ESCAPE);
    WaitUntil("the about box to close", kDeadline, [&] { return !IsWindow(about); });

    program.Close();
    EXPECT_EQ(program.WaitForExit(), 0u);
    Ini ini = ParseIni(app.Contents(L"Timer.ini"));
    EXPECT_EQ(ini["WINDOW"]["X"], "3000");
    EXPECT_EQ(ini["WINDOW"]["Y"], "1500");
}

}  // namespace
}  // namespace e2e
