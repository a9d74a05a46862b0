// Arming and disarming, the once-a-second alarm check, the actions it fires and the
// completion sequence.
#include <gtest/gtest.h>

#include "tests/support/form_harness.h"

using namespace poko;

namespace {

// Every visible sign of the alarm state, in one comparable line.
std::string Describe(FrmTimer& f) {
    auto on = [](const Control& c) { return std::to_string(c.Enabled()); };
    return "timer=" + on(f.Timer) + " title=" + Utf8(f.L_Title.Caption()) +
           " colour=" + std::to_string(f.L_Title.ForeColour()) + " button=" + Utf8(f.C_TimerStart.Caption()) +
           " menu=" + Utf8(f.M_kansi->Caption()) + " icon=" + std::to_string(f.frm_Timer.IconIndex()) +
           " tray=" + std::to_string(f.TrayIconData.hIcon) + " VS_h=" + on(f.VS_h) + " VS_m=" + on(f.VS_m) +
           " TextFileName=" + on(f.TextFileName) + " cmdFileOpen=" + on(f.cmdFileOpen) + " TextH=" + on(f.TextH) +
           " TextM=" + on(f.TextM) + " C_TimerStart=" + on(f.C_TimerStart) + " M_kansi=" + on(*f.M_kansi);
}

const std::string kStopped =
    "timer=0 title=ポコ丸\u3000停止中 colour=255 button=タイマ起動 menu=タイマ起動(&T) icon=0 tray=1281 VS_h=1 VS_m=1 "
    "TextFileName=1 cmdFileOpen=1 TextH=1 TextM=1 C_TimerStart=1 M_kansi=1";
const std::string kArmed =
    "timer=1 title=ポコ丸\u3000監視中 colour=16711680 button=タイマ停止 menu=タイマ停止(&T) icon=1 tray=1282 VS_h=0 "
    "VS_m=0 TextFileName=0 cmdFileOpen=0 TextH=1 TextM=1 C_TimerStart=1 M_kansi=1";
const std::string kDone =
    "timer=0 title=ポコ丸\u3000定時任務実行完了 colour=0 button=タイマ起動 menu=タイマ起動(&T) icon=0 tray=1281 "
    "VS_h=1 VS_m=1 TextFileName=1 cmdFileOpen=1 TextH=1 TextM=1 C_TimerStart=1 M_kansi=1";

// A started window set to fire at 07:05 with the given target, the clock at 07:05:30.
struct Alarm : FormHarness {
    explicit Alarm(const Text& target = u"") {
        Load();
        frm.TextH.SetText(u"7");
        frm.TextM.SetText(u"5");
        frm.TextFileName.SetText(target);
        frm.PickBoard = [this] { fake.calls.push_back("PickBoard"); };
        fake.now = {2024, 5, 17, 7, 5, 30};
    }
};

TEST(ToggleAlarm, StatesAndTrayCalls) {
    Alarm a;
    EXPECT_EQ(Describe(a.frm), kStopped);
    const char* tips[] = {"ポコ丸\u3000停止中  設定時刻 [07:05]", "ポコ丸\u3000監視中  設定時刻 [07:05]"};
    for (int toggle = 1; toggle <= 4; ++toggle) {
        SCOPED_TRACE(toggle);
        const bool armed = toggle % 2 == 1;
        a.fake.calls.clear();
        a.fake.trayRecords.clear();
        a.frm.ToggleAlarm();
        EXPECT_EQ(Describe(a.frm), armed ? kArmed : kStopped);
        // The icon changes first with the old tip; then the tip follows, and the wake.
        ASSERT_TRUE(SameCalls({"Shell_NotifyIconA(1)", "Shell_NotifyIconA(1)",
                               armed ? "SetWakeTimer(2024-05-17 07:05:00)" : "CancelWakeTimer"},
                              a.fake.CallsWithout({"Now"})));
        const Handle icon = armed ? kArmedIcon : kStoppedIcon;
        EXPECT_EQ(a.fake.trayRecords[0].hIcon, icon);
        EXPECT_EQ(a.fake.trayRecords[1].hIcon, icon);
        EXPECT_EQ(TipText(a.fake.trayRecords[0]), toggle == 1 ? "ポコ丸\u3000停止中  設定時刻 [00:00]" : tips[!armed]);
        EXPECT_EQ(TipText(a.fake.trayRecords[1]), tips[armed]);
    }
}

// While armed, one wake timer stands at the next occurrence of the set minute; it
// follows the set time and the clock, and goes with disarming and exit.
TEST(WakeTimer, FollowsTheArmedAlarm) {
    const struct {
        const char* what;
        Text wake;  // POWER/WAKE, as Timer.ini holds it; "-" none
        std::function<void(Alarm&)> act;
        std::vector<std::string> calls;
    } cases[] = {
        {"arm", u"-", [](Alarm& a) { a.frm.ToggleAlarm(); }, {"SetWakeTimer(2024-05-17 07:05:00)"}},
        {"arm, WAKE=True", u"True", [](Alarm& a) { a.frm.ToggleAlarm(); }, {"SetWakeTimer(2024-05-17 07:05:00)"}},
        {"arm, WAKE=False", u"False", [](Alarm& a) { a.frm.ToggleAlarm(); }, {}},
        {"arm, WAKE=false", u"false", [](Alarm& a) { a.frm.ToggleAlarm(); }, {}},
        {"arm, WAKE=0", u"0", [](Alarm& a) { a.frm.ToggleAlarm(); }, {}},
        {"new time while armed", u"-",
         [](Alarm& a) { a.frm.ToggleAlarm(), a.frm.TextM.SetText(u"4"); },
         {"SetWakeTimer(2024-05-17 07:05:00)", "SetWakeTimer(2024-05-18 07:04:00)"}},
        {"clock changed", u"-",
         [](Alarm& a) { a.frm.ToggleAlarm(), a.fake.now.hour = 8, a.frm.ClockChanged(); },
         {"SetWakeTimer(2024-05-17 07:05:00)", "SetWakeTimer(2024-05-18 07:05:00)"}},
        {"clock changed, disarmed", u"-", [](Alarm& a) { a.frm.ClockChanged(); }, {}},
        {"exit", u"-", [](Alarm& a) { a.frm.ToggleAlarm(), a.frm.Form_Unload(); },
         {"SetWakeTimer(2024-05-17 07:05:00)", "CancelWakeTimer"}},
        {"exit, disarmed", u"-", [](Alarm& a) { a.frm.Form_Unload(); }, {}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        Alarm a;
        if (c.wake != u"-") a.fake.PreloadIni(u"[POWER]\nWAKE=" + c.wake + u"\n");
        a.frm.WakeAllowed = ReadWakeAllowed(a.fake, a.frm.IniPath);
        c.act(a);
        std::vector<std::string> wakes;
        for (const std::string& call : a.fake.calls)
            if (call.find("WakeTimer") != std::string::npos) wakes.push_back(call);
        EXPECT_TRUE(SameCalls(c.calls, wakes));
    }
}

TEST(AlarmCheck, FiresOnlyInTheSetMinute) {
    struct Case {
        Text hour, minute;
        int nowHour, nowMinute, nowSecond;
        bool fires;
    };
    const Case cases[] = {
        {u"7", u"5", 7, 5, 0, true},   {u"7", u"5", 7, 5, 59, true},   {u"7", u"5", 7, 4, 59, false},
        {u"7", u"5", 7, 6, 0, false},  {u"7", u"5", 19, 5, 0, false},  {u"0", u"0", 0, 0, 0, true},
        {u"23", u"59", 23, 59, 1, true}, {u"0", u"0", 12, 0, 0, false},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(Utf8(c.hour + u":" + c.minute));
        Alarm a;
        a.frm.TextH.SetText(c.hour);
        a.frm.TextM.SetText(c.minute);
        a.fake.now = {2024, 5, 17, c.nowHour, c.nowMinute, c.nowSecond};
        a.frm.ToggleAlarm();
        EXPECT_TRUE(a.fake.CallsStartingWith("MessageBox").empty());  // arming itself fires nothing
        a.frm.Timer.Tick();
        EXPECT_EQ(a.fake.CallsStartingWith("MessageBox").size(), c.fires ? 1u : 0u);
        EXPECT_EQ(Describe(a.frm), c.fires ? kDone : kArmed);
    }
}

TEST(AlarmCheck, TimeWrittenWhileArmedCountsAtTheNextTick) {
    Alarm a;
    a.fake.now = {2024, 5, 17, 8, 15, 0};
    a.frm.ToggleAlarm();
    a.frm.Timer.Tick();
    EXPECT_EQ(Describe(a.frm), kArmed);
    a.frm.TextH.UserEdited(u"8");
    a.frm.TextM.UserEdited(u"15");
    a.frm.Timer.Tick();
    EXPECT_EQ(Describe(a.frm), kDone);
}

TEST(AlarmCheck, TargetKinds) {
    struct Case {
        Text target;
        std::string action;
    };
    const Case cases[] = {
        {u"", "MessageBox(時間です\uFF01|ポコ丸|65600)"},
        {u"!abc", "MessageBox(abc|ポコ丸|65600)"},
        {u"\uFF01会議", "MessageBox(会議|ポコ丸|65600)"},
        {u"!", "MessageBox(|ポコ丸|65600)"},
        {u"!!", "MessageBox(!|ポコ丸|65600)"},
        {u"?x", "PickBoard"},
        {u"\uFF1F", "PickBoard"},
        {u"?REBOOT", "PickBoard"},
        {u"reboot", "ExitWindowsEx(2,0)"},
        {u"REBOOTNOW", "ExitWindowsEx(2,0)"},
        {u"exit", "ExitWindowsEx(5,0)"},
        {u"Exit now", "ExitWindowsEx(5,0)"},
        {u"EXIT.BAT", "ExitWindowsEx(5,0)"},
        {u"EXITWIN.EXE", "ExitWindowsEx(5,0)"},
        {u"REBOO", "ShellExecuteA(256|Open|REBOO|||5)"},
        {u" EXIT", "ShellExecuteA(256|Open| EXIT|||5)"},
        {u"notepad.exe foo", "ShellExecuteA(256|Open|notepad.exe foo|||5)"},
        {u"C:\\資料\\表.xls", "ShellExecuteA(256|Open|C:\\資料\\表.xls|||5)"},
        {u"http://example.com/", "ShellExecuteA(256|Open|http://example.com/|||5)"},
        {u"C:\\été.mp3", "ShellExecuteW(256|Open|C:\\été.mp3|||5)"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(Utf8(c.target));
        Alarm a(c.target);
        a.frm.ToggleAlarm();
        a.fake.calls.clear();
        a.frm.Timer.Tick();
        std::vector<std::string> actions;
        for (const std::string& call : a.fake.calls)
            for (const char* kind : {"MessageBox", "PickBoard", "ExitWindowsEx", "ShellExecute"})
                if (call.rfind(kind, 0) == 0) actions.push_back(call);
        EXPECT_TRUE(SameCalls({c.action}, actions));
        EXPECT_EQ(Describe(a.frm), kDone);
    }
}

TEST(AlarmCheck, CompletionSequence) {
    Alarm a(u"!起きて");
    a.frm.ToggleAlarm();
    a.fake.calls.clear();
    a.fake.trayRecords.clear();
    a.frm.Timer.Tick();
    EXPECT_TRUE(SameCalls({"MessageBox(起きて|ポコ丸|65600)", "Shell_NotifyIconA(1)", "Shell_NotifyIconA(1)", "CancelWakeTimer"},
                          a.fake.CallsWithout({"Now"})));
    ASSERT_EQ(a.fake.trayRecords.size(), 2u);
    // The tip with the completion status goes out while the icon is still the armed one.
    EXPECT_EQ(TipText(a.fake.trayRecords[0]), "ポコ丸\u3000定時任務実行完了  設定時刻 [07:05]");
    EXPECT_EQ(a.fake.trayRecords[0].hIcon, kArmedIcon);
    EXPECT_EQ(TipText(a.fake.trayRecords[1]), "ポコ丸\u3000定時任務実行完了  設定時刻 [07:05]");
    EXPECT_EQ(a.fake.trayRecords[1].hIcon, kStoppedIcon);
    EXPECT_EQ(Describe(a.frm), kDone);
    // Done is the stopped state with another status: the next toggle arms.
    a.frm.ToggleAlarm();
    EXPECT_EQ(Describe(a.frm), kArmed);
}

// While the box is open the timers keep ticking and menu commands arrive.
TEST(AlarmCheck, EventsWhileTheBoxIsOpen) {
    struct Case {
        const char* what;
        int ticks;
        int menuToggles;
    };
    const Case cases[] = {
        {"ticks keep coming", 5, 0},
        {"disarmed from the menu", 2, 1},
        {"disarmed and armed again", 2, 2},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        Alarm a(u"!会議");
        a.frm.ToggleAlarm();
        a.fake.onMessageBox = [&] {
            for (int i = 0; i < c.menuToggles; ++i) a.frm.M_kansi->Click();
            for (int i = 0; i < c.ticks; ++i) {
                a.frm.Timer.Tick();
                a.frm.Timer_Time.Tick();
            }
        };
        a.frm.Timer.Tick();
        EXPECT_EQ(a.fake.CallsStartingWith("MessageBox").size(), 1u);
        EXPECT_EQ(a.frm.L_Time.Caption(), u"2024/05/17 07:05");  // the clock ran meanwhile
        EXPECT_EQ(Describe(a.frm), kDone);
        a.frm.Timer.Tick();
        EXPECT_EQ(a.fake.CallsStartingWith("MessageBox").size(), 1u);
    }
}

}  // namespace
