// The tray icon: tip text, the icon's mouse messages, the minimise rule, re-creation on
// "TaskbarCreated", and the program's part of the window procedure.
#include <gtest/gtest.h>

#include "tests/support/form_harness.h"

using namespace poko;

namespace {

constexpr std::uint32_t WM_MOUSEWHEEL = 0x20A;

TEST(TrayTip, Texts) {
    struct Case {
        bool armed;
        Text hour, minute;
        std::string tip;
    };
    const Case cases[] = {
        {false, u"7", u"30", TrayTip(kStoppedStatus, "07:30")},
        {true, u"7", u"5", TrayTip(kArmedStatus, "07:05")},
        {true, u"23", u"59", TrayTip(kArmedStatus, "23:59")},
    };
    for (const Case& c : cases) {
        FormHarness h;
        h.Load();
        h.frm.TextH.SetText(c.hour);
        h.frm.TextM.SetText(c.minute);
        if (c.armed) h.frm.ToggleAlarm();
        const Text text = h.frm.TrayTipText();
        ASSERT_FALSE(text.empty());
        EXPECT_EQ(text.back(), u'\0');
        EXPECT_EQ(Utf8(text.substr(0, text.size() - 1)), c.tip);
        if (c.armed) {
            EXPECT_EQ(TipText(h.fake.trayRecords.back()), c.tip);
        }
    }
}

TEST(TrayTip, FieldAlwaysEndsInNul) {
    const Text captions[] = {
        FromUtf8(kDoneStatus),  // the longest the program shows
        Text(80, u'x'),
        Text(40, u'会'),
    };
    for (const Text& caption : captions) {
        FormHarness h;
        h.Load();
        h.frm.L_Title.SetCaption(caption);
        h.frm.TrayTipSetting(h.frm.TrayTipText());
        const TrayIconRecord& r = h.fake.trayRecords.back();
        EXPECT_EQ(r.szTip[63], '\0') << Utf8(caption);
        if (caption.size() < 20) {
            EXPECT_EQ(TipText(r), TrayTip(Utf8(caption), "00:00"));
        }
    }
}

// The icon's messages arrive as mouse moves whose x is the message number.
TEST(TrayMouse, Messages) {
    struct Case {
        int x;
        bool hidden;
        std::vector<std::string> calls;
        bool visibleAfter, iconAfter, viewEnabledAfter;
    };
    const Case cases[] = {
        {514, true, {"SetForegroundWindow"}, true, true, false},
        {515, true, {"SetForegroundWindow", "Shell_NotifyIconA(2)"}, true, false, false},
        {517, true, {"SetForegroundWindow", "TrackPopupMenu(mPopUpSys)"}, false, true, true},
        {512, true, {}, false, true, false},
        {513, true, {}, false, true, false},
        {516, true, {}, false, true, false},
        {518, true, {}, false, true, false},
        {514, false, {}, true, true, false},
        {515, false, {}, true, true, false},
        {517, false, {}, true, true, false},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.x);
        FormHarness h;
        h.Load();
        if (c.hidden) h.frm.frm_Timer.UserResized(WindowState::Minimised);
        h.frm.M_WindowView->SetEnabled(false);
        h.fake.calls.clear();
        h.frm.frm_Timer.onMouseMove(c.x);
        EXPECT_TRUE(SameCalls(c.calls, h.fake.CallsWithout({"Now"})));
        EXPECT_EQ(h.frm.frm_Timer.Visible(), c.visibleAfter);
        if (c.visibleAfter) {
            EXPECT_EQ(h.frm.frm_Timer.State(), WindowState::Normal);
        }
        EXPECT_EQ(h.frm.TrayIconShown(), c.iconAfter);
        EXPECT_EQ(h.frm.M_WindowView->Enabled(), c.viewEnabledAfter);
    }
}

TEST(TrayMouse, MenuChoiceRuns) {
    FormHarness h;
    h.Load();
    h.frm.frm_Timer.UserResized(WindowState::Minimised);
    h.fake.popupChooser = [&](MenuItem&) { return h.frm.M_WindowView; };
    h.frm.frm_Timer.onMouseMove(517);
    EXPECT_TRUE(h.frm.frm_Timer.Visible());
    EXPECT_FALSE(h.frm.TrayIconShown());
}

// Minimising hides the window; where the icon was removed it comes back, armed or not,
// as TrayIconSetting builds it.
TEST(MinimiseRule, HidesAndRestoresTheIcon) {
    struct Case {
        const char* what;
        bool armed;
        std::function<void(FrmTimer&)> before;
        bool adds;
    };
    const Case cases[] = {
        {"icon present", false, nullptr, false},
        {"after M_WindowView", false, [](FrmTimer& f) { f.M_WindowView->Click(); }, true},
        {"after M_WindowView, armed", true, [](FrmTimer& f) { f.M_WindowView->Click(); }, true},
        {"after a double-click",
         false,
         [](FrmTimer& f) {
             f.frm_Timer.UserResized(WindowState::Minimised);
             f.frm_Timer.onMouseMove(515);
         },
         true},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        FormHarness h;
        h.Load();
        h.frm.TextH.SetText(u"6");
        if (c.armed) h.frm.ToggleAlarm();
        if (c.before) c.before(h.frm);
        EXPECT_TRUE(h.frm.frm_Timer.Visible());
        h.fake.calls.clear();
        h.fake.trayRecords.clear();
        h.frm.frm_Timer.UserResized(WindowState::Minimised);
        EXPECT_FALSE(h.frm.frm_Timer.Visible());
        EXPECT_TRUE(h.frm.TrayIconShown());
        ASSERT_EQ(h.fake.CallsStartingWith("Shell_NotifyIconA"),
                  c.adds ? std::vector<std::string>{"Shell_NotifyIconA(0)"} : std::vector<std::string>{});
        if (!c.adds) continue;
        ExpectFullTrayRecord(h.fake.trayRecords[0], c.armed, "06:00");
        // And the icon brings the window back.
        h.frm.frm_Timer.onMouseMove(514);
        EXPECT_TRUE(h.frm.frm_Timer.Visible());
    }
}

// The shell may refuse the icon: asked for again at each beat (a modify finds one that an
// add timed out on yet put there), and a window hidden (-M) without it for 60 s comes back.
TEST(TrayRefused, AskedAgainOrTheWindowComesBack) {
    const struct {
        int adds, modifies, beats;  // refused; none: arming instead
        std::string calls;          // the tray messages of the last beat or of arming
        bool visible;
    } rows[] = {{1, 0, 1, "0", true}, {2, 0, 1, "01", true}, {0, 1, 0, "101", true}, {99, 99, 59, "01", false},
                {99, 99, 60, "01", true}};
    for (const auto& row : rows) {
        FormHarness h;
        h.fake.trayRefusals = {row.adds, row.modifies, 0};
        h.fake.commandLine = row.adds == 99 ? u"-M" : u"";
        h.Load();
        for (int i = 0; i < row.beats; ++i) h.fake.calls.clear(), h.frm.Beat();
        if (row.beats == 0) h.frm.ToggleAlarm();
        std::string calls;
        for (const std::string& call : h.fake.CallsStartingWith("Shell_NotifyIconA(")) calls += call[18];
        EXPECT_EQ(calls, row.calls) << row.adds << " " << row.modifies << " " << row.beats;
        EXPECT_EQ(h.frm.TrayIconShown(), row.adds < 99);
        EXPECT_EQ(h.frm.frm_Timer.Visible() && h.frm.frm_Timer.State() == WindowState::Normal, row.visible);
    }
}

TEST(TrayIconSetting, RebuildsEveryFieldByArmedState) {
    for (bool armed : {false, true}) {
        FormHarness h;
        h.Load();
        if (armed) h.frm.ToggleAlarm();
        FormInternals::TrayIconData(h.frm) = TrayIconRecord{};
        FormInternals::TrayIconData(h.frm).szTip.fill('z');
        h.fake.calls.clear();
        h.frm.TrayIconSetting();
        ASSERT_EQ(h.fake.calls, (std::vector<std::string>{"SmallIcons", "Shell_NotifyIconA(0)"}));
        ExpectFullTrayRecord(h.fake.trayRecords.back(), armed, "00:00");
    }
}

// At another DPI the icons come again at its size: the tray shows the new one for the
// state it shows, and nothing else changes.
TEST(IconsChanged, TheTrayTakesTheNewSize) {
    const struct {
        bool armed, trayRemoved, sameIcons;
        std::vector<std::string> calls;
    } cases[] = {
        {false, false, false, {"SmallIcons", "Shell_NotifyIconA(1)"}},
        {true, false, false, {"SmallIcons", "Shell_NotifyIconA(1)"}},
        {false, true, false, {"SmallIcons"}},  // no icon to change: the next add takes it
        {false, false, true, {"SmallIcons"}},
    };
    for (const auto& c : cases) {
        FormHarness h;
        h.Load();
        if (c.armed) h.frm.ToggleAlarm();
        if (c.trayRemoved) h.frm.M_WindowView->Click();
        const std::array<Handle, 2> icons = c.sameIcons ? h.frm.PicIcons() : std::array<Handle, 2>{0x601, 0x602};
        h.fake.smallIcons = icons;
        const TrayIconRecord before = h.frm.TrayRecord();
        h.fake.calls.clear();
        h.frm.IconsChanged();
        EXPECT_TRUE(SameCalls(c.calls, h.fake.calls));
        EXPECT_EQ(h.frm.PicIcons(), icons);
        EXPECT_EQ(h.frm.TrayRecord().hIcon, icons[c.armed]);
        EXPECT_EQ(TipText(h.frm.TrayRecord()), TipText(before));
        EXPECT_EQ(h.frm.Timer.Enabled(), c.armed);
        EXPECT_EQ(h.frm.TrayIconShown(), !c.trayRemoved);
    }
}

TEST(WindowProcHook, WheelAndTaskbarCreated) {
    struct Case {
        std::uint32_t message;
        std::uintptr_t wParam;
        Text hourAfter;
        std::vector<std::string> calls;
    };
    const Case cases[] = {
        {WM_MOUSEWHEEL, 0xFF880000u, u"4", {}},             // delta -120: toward the user
        {WM_MOUSEWHEEL, 0xFF880008u, u"4", {}},             // with a key flag in the low word
        {WM_MOUSEWHEEL, 0x00780000u, u"6", {}},             // +120
        {WM_MOUSEWHEEL, 0, u"6", {}},                       // delta 0 counts as forward
        {WM_MOUSEWHEEL, static_cast<std::uintptr_t>(0xFFFFFFFF00780000ull), u"6", {}},  // only 32 bits count
        {0xC0DE, 0, u"5", {"SmallIcons", "Shell_NotifyIconA(0)"}},  // TaskbarCreated
        {0x200, 0, u"5", {}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.wParam);
        FormHarness h;
        h.Load();
        h.frm.TextH.SetText(u"5");
        h.frm.TextH.GotFocus();
        h.fake.calls.clear();
        EXPECT_TRUE(h.frm.WindowProcHook(c.message, c.wParam));
        EXPECT_EQ(h.frm.TextH.GetText(), c.hourAfter);
        EXPECT_TRUE(SameCalls(c.calls, h.fake.calls));
    }
}

TEST(WindowProcHook, NestedMessageIsOnlyPassedOn) {
    FormHarness h;
    h.Load();
    h.frm.TextH.SetText(u"5");
    h.frm.TextH.GotFocus();
    std::vector<bool> nested;
    h.fake.onCall = [&](const std::string& call) {
        if (call == "Shell_NotifyIconA(0)") {
            nested.push_back(h.frm.WindowProcHook(WM_MOUSEWHEEL, 0x00780000u));
            nested.push_back(h.frm.WindowProcHook(0xC0DE, 0));
        }
    };
    EXPECT_TRUE(h.frm.WindowProcHook(0xC0DE, 0));
    EXPECT_EQ(nested, (std::vector<bool>{false, false}));
    EXPECT_EQ(h.frm.TextH.GetText(), u"5");
    EXPECT_EQ(h.fake.CallsStartingWith("Shell_NotifyIconA").size(), 1u);
    // Once the outer message is done, the next one is handled again.
    h.fake.onCall = nullptr;
    EXPECT_TRUE(h.frm.WindowProcHook(WM_MOUSEWHEEL, 0x00780000u));
    EXPECT_EQ(h.frm.TextH.GetText(), u"6");
}

}  // namespace
