// Hour and minute entry: the change rules, the inverted bars, the wheel and the
// right-button pop-up sequence.
#include <algorithm>

#include <gtest/gtest.h>

#include "tests/support/form_harness.h"

using namespace poko;

namespace {

// A started window whose time boxes report to the call list.
struct TimeEntry : FormHarness {
    RecordingView view{fake.calls};
    TimeEntry() {
        Load();
        frm.TextH.Bind(&view, kHourHwnd);
        frm.TextM.Bind(&view, kMinuteHwnd);
    }
    size_t Focus(const std::string& box) {
        return std::count(fake.calls.begin(), fake.calls.end(), box + ".Focus");
    }
};

TEST(ChangeRule, TextAfterEdit) {
    struct Case {
        Text edit;
        Text hour;
        bool hourReset;
        Text minute;
        bool minuteReset;
    };
    const Case cases[] = {
        {u"", u"0", false, u"0", false},
        {u"7", u"7", false, u"7", false},
        {u"07", u"7", false, u"7", false},
        {u"7.9", u"7", false, u"7", false},
        {u"23", u"23", false, u"23", false},
        {u"24", u"0", true, u"24", false},
        {u"59", u"0", true, u"59", false},
        {u"60", u"0", true, u"0", true},
        {u"203", u"0", true, u"0", true},
        {u"-3", u"0", true, u"0", true},
        {u"abc", u"0", false, u"0", false},
        {u"12abc", u"12", false, u"12", false},
        {u"-0.5", u"0", true, u"0", true},
        {u"99", u"0", true, u"0", true},
        {u"1e400", u"0", true, u"0", true},  // too large for a double: out of range
        {u"2e1", u"20", false, u"20", false},
        {u"1 5", u"15", false, u"15", false},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(Utf8(c.edit));
        {
            TimeEntry t;
            t.frm.TextH.UserEdited(c.edit);
            EXPECT_EQ(Utf8(t.frm.TextH.GetText()), Utf8(c.hour));
            EXPECT_EQ(t.frm.VS_h.Value(), 23 - std::stoi(Utf8(c.hour)));
            EXPECT_EQ(t.Focus("TextH"), c.hourReset ? 1u : 0u);
            EXPECT_EQ(t.frm.TextM.GetText(), u"0");
        }
        {
            TimeEntry t;
            t.frm.TextM.UserEdited(c.edit);
            EXPECT_EQ(Utf8(t.frm.TextM.GetText()), Utf8(c.minute));
            EXPECT_EQ(t.frm.VS_m.Value(), 59 - std::stoi(Utf8(c.minute)));
            EXPECT_EQ(t.Focus("TextM"), c.minuteReset ? 1u : 0u);
        }
    }
}

TEST(ChangeRule, BarWritesTheBox) {
    struct Case {
        bool hour;
        int value;
        Text text;
    };
    const Case cases[] = {
        {true, 0, u"23"}, {true, 23, u"0"}, {true, 3, u"20"}, {true, -1, u"23"},
        {false, 0, u"59"}, {false, 59, u"0"}, {false, 34, u"25"}, {false, 60, u"0"},
    };
    for (const Case& c : cases) {
        TimeEntry t;
        t.frm.VS_h.SetValue(5);
        t.frm.VS_m.SetValue(5);
        ScrollBar& bar = c.hour ? t.frm.VS_h : t.frm.VS_m;
        TextBox& box = c.hour ? t.frm.TextH : t.frm.TextM;
        bar.SetValue(c.value);
        EXPECT_EQ(box.GetText(), c.text) << c.value;
        EXPECT_EQ(bar.Value(), (c.hour ? 23 : 59) - std::stoi(Utf8(c.text)));
        EXPECT_EQ(t.Focus("TextH") + t.Focus("TextM"), 0u);
    }
}

TEST(Wheel, Steps) {
    enum Target { None, Hour, Minute, HoverMinute, HourThenMinute };
    struct Case {
        const char* what;
        Target target;
        bool armed;
        Text hour, minute;
        int delta;
        Text hourAfter, minuteAfter;
    };
    const Case cases[] = {
        {"no box had the focus", None, false, u"5", u"5", +1, u"5", u"5"},
        {"hour up", Hour, false, u"5", u"30", +1, u"6", u"30"},
        {"hour down", Hour, false, u"5", u"30", -1, u"4", u"30"},
        {"hour 23 up", Hour, false, u"23", u"30", +1, u"23", u"30"},
        {"hour 0 down", Hour, false, u"0", u"30", -1, u"0", u"30"},
        {"hour 0 up", Hour, false, u"0", u"30", +1, u"1", u"30"},
        {"minute 59 up", Minute, false, u"5", u"59", +1, u"5", u"59"},
        {"minute 0 down", Minute, false, u"5", u"0", -1, u"5", u"0"},
        {"minute 59 down", Minute, false, u"5", u"59", -1, u"5", u"58"},
        {"mouse over the minute box", HoverMinute, false, u"5", u"30", +1, u"5", u"31"},
        {"last focus wins", HourThenMinute, false, u"5", u"30", -1, u"5", u"29"},
        {"armed", Hour, true, u"5", u"30", +1, u"5", u"30"},
        {"armed, minute", Minute, true, u"5", u"30", -1, u"5", u"30"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        TimeEntry t;
        FrmTimer& f = t.frm;
        f.TextH.SetText(c.hour);
        f.TextM.SetText(c.minute);
        switch (c.target) {
        case None: break;
        case Hour: f.TextH.GotFocus(); break;
        case Minute: f.TextM.GotFocus(); break;
        case HoverMinute: f.TextM.onMouseMove(); break;
        case HourThenMinute: f.TextH.GotFocus(), f.TextM.GotFocus(); break;
        }
        if (c.armed) f.ToggleAlarm();
        c.delta > 0 ? f.vbWheelPlus() : f.vbWheelMinus();
        EXPECT_EQ(f.TextH.GetText(), c.hourAfter);
        EXPECT_EQ(f.TextM.GetText(), c.minuteAfter);
        EXPECT_EQ(f.VS_h.Value(), 23 - std::stoi(Utf8(c.hourAfter)));
        EXPECT_EQ(f.VS_m.Value(), 59 - std::stoi(Utf8(c.minuteAfter)));
    }
}

TEST(Wheel, BoxesStayWritableWhileArmed) {
    TimeEntry t;
    t.frm.ToggleAlarm();
    t.frm.TextH.UserEdited(u"8");
    EXPECT_EQ(t.frm.TextH.GetText(), u"8");
    EXPECT_EQ(t.frm.VS_h.Value(), 15);
}

TEST(PopupSequence, RightButtonOnATimeBox) {
    struct Case {
        bool hour;
        MouseButton button;
        bool chooseToggle;
        std::vector<std::string> calls;
    };
    const Case cases[] = {
        {true, MouseButton::Right, false,
         {"LockWindowUpdate(4128)", "TextH.Enabled=0", "TrackPopupMenu(mPopUpSys)", "DoEvents", "TextH.Enabled=1",
          "LockWindowUpdate(0)"}},
        {false, MouseButton::Right, true,
         {"LockWindowUpdate(4130)", "TextM.Enabled=0", "TrackPopupMenu(mPopUpSys)", "Shell_NotifyIconA(1)",
          "Shell_NotifyIconA(1)", "SetWakeTimer(2024-05-17 23:58:00)", "DoEvents", "TextM.Enabled=1", "LockWindowUpdate(0)"}},
        {true, MouseButton::Left, false, {}},
    };
    for (const Case& c : cases) {
        TimeEntry t;
        if (c.chooseToggle) t.fake.popupChooser = [&](MenuItem&) { return t.frm.M_kansi; };
        TextBox& box = c.hour ? t.frm.TextH : t.frm.TextM;
        box.onMouseDown(c.button);
        EXPECT_TRUE(SameCalls(c.calls, t.fake.CallsWithout({"Now"})));
        EXPECT_TRUE(box.Enabled());
        EXPECT_EQ(t.frm.Timer.Enabled(), c.chooseToggle);
    }
}

}  // namespace
