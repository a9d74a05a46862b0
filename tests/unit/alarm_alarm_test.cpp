// Arming and disarming, the once-a-second alarm check, the actions it fires and the
// completion sequence.
#include <gtest/gtest.h>

#include <map>
#include <sstream>

#include "alarm/target_kind.h"
#include "base/number.h"
#include "tests/support/form_harness.h"

using namespace poko;

namespace {

// Every visible sign of the alarm state, in one comparable line.
std::string Describe(FrmTimer& f) {
    auto on = [](const Control& c) { return std::to_string(c.Enabled()); };
    return "timer=" + on(f.Timer) + " title=" + Utf8(f.L_Title.Caption()) +
           " colour=" + std::to_string(f.L_Title.ForeColour()) + " button=" + Utf8(f.C_TimerStart.Caption()) +
           " menu=" + Utf8(f.M_kansi->Caption()) + " icon=" + std::to_string(f.frm_Timer.IconIndex()) +
           " tray=" + std::to_string(f.TrayRecord().hIcon) + " VS_h=" + on(f.VS_h) + " VS_m=" + on(f.VS_m) +
           " TextFileName=" + on(f.TextFileName) + " cmdFileOpen=" + on(f.cmdFileOpen) + " TextH=" + on(f.TextH) +
           " TextM=" + on(f.TextM) + " C_TimerStart=" + on(f.C_TimerStart) + " M_kansi=" + on(*f.M_kansi);
}

const std::string kStopped =
    "timer=0 title=" + kStoppedStatus + " colour=255 button=タイマ起動 menu=タイマ起動(&T) icon=0 tray=1281 VS_h=1 VS_m=1 "
    "TextFileName=1 cmdFileOpen=1 TextH=1 TextM=1 C_TimerStart=1 M_kansi=1";
const std::string kArmed =
    "timer=1 title=" + kArmedStatus + " colour=16711680 button=タイマ停止 menu=タイマ停止(&T) icon=1 tray=1282 VS_h=0 "
    "VS_m=0 TextFileName=0 cmdFileOpen=0 TextH=1 TextM=1 C_TimerStart=1 M_kansi=1";
const std::string kDone =
    "timer=0 title=" + kDoneStatus + " colour=0 button=タイマ起動 menu=タイマ起動(&T) icon=0 tray=1281 "
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
    const std::string tips[] = {TrayTip(kStoppedStatus, "07:05"), TrayTip(kArmedStatus, "07:05")};
    for (int toggle = 1; toggle <= 4; ++toggle) {
        SCOPED_TRACE(toggle);
        const bool armed = toggle % 2 == 1;
        a.fake.calls.clear();
        a.fake.trayRecords.clear();
        a.frm.ToggleAlarm();
        EXPECT_EQ(Describe(a.frm), armed ? kArmed : kStopped);
        // The icon changes first with the old tip; then the tip follows, and the wake.
        ASSERT_TRUE(SameCalls({"Shell_NotifyIconA(1)", "Shell_NotifyIconA(1)",
                               armed ? "SetWakeTimer(2024-05-17 07:03:00)" : "CancelWakeTimer"},
                              a.fake.CallsWithout({"Now"})));
        const Handle icon = armed ? kArmedIcon : kStoppedIcon;
        EXPECT_EQ(a.fake.trayRecords[0].hIcon, icon);
        EXPECT_EQ(a.fake.trayRecords[1].hIcon, icon);
        EXPECT_EQ(TipText(a.fake.trayRecords[0]), toggle == 1 ? TrayTip(kStoppedStatus, "00:00") : tips[!armed]);
        EXPECT_EQ(TipText(a.fake.trayRecords[1]), tips[armed]);
    }
}

const std::string kLight = "SetThreadExecutionState(0x80000003)", kRelease = "SetThreadExecutionState(0x80000000)";
const std::string kBox = "MessageBox(起きて|ポコ丸|327744)";

// The alarm around sleep, a row of steps "hh:mm:ss event calls..." on the row's day (hours
// past 24 the next day; ">" while the box the step before opened is open), the calls
// abbreviated: W18@07:03 the wake set for the 18th at 07:03, C cancelled, H the computer
// held up, L and the display lit, R released, Z the zone read again, M the missed alarm's
// balloon, X its box, B the alarm's box; with [ALARM] keys, S the sound started and Q
// stopped, V a restart's warning and E its box ended, K the restart asked, P the shutdown.
TEST(AlarmAroundSleep, StepsAndTheirCalls) {
    const struct {
        const char* what;
        int hour, minute;
        const char* steps;
        Text ini = u"";  // Timer.ini's [POWER] keys, and sections after them
        int boxOpenSeconds = 0, wakeFailures = 0, month = 5, day = 17;  // in 2024, 05-17 a Friday
        Text commandLine = u"";  // set: start-up waits for the step "start"
    } rows[] = {
        {"wake before midnight", 0, 1, "12:00:00 arm W17@23:59"},
        {"wake after midnight", 0, 30, "23:00:00 arm W18@00:28"},
        {"wake across a month end", 0, 1, "23:00:00 arm W31@23:59", u"", 0, 0, 5, 31},
        {"WAKE=True", 7, 5, "07:00:00 arm W17@07:03", u"WAKE=True"},
        {"WAKE=False", 7, 5, "07:00:00 arm", u"WAKE=False"},
        {"WAKE=false", 7, 5, "07:00:00 arm", u"WAKE=false"},
        {"WAKE=0", 7, 5, "07:00:00 arm", u"WAKE=0"},
        {"a new time while armed", 7, 5, "07:00:00 arm W17@07:03|07:00:00 minute4 W17@07:02"},
        {"the clock set later", 7, 5, "07:00:00 arm W17@07:03|08:00:00 resume Z W18@07:03"},
        {"the clock changed while disarmed", 7, 5, "08:00:00 resume Z"},
        {"exit while disarmed", 7, 5, "08:00:00 exit"},
        {"armed in the last two minutes: the wake at the minute", 7, 5, "07:03:30 arm W17@07:05"},
        {"no wake while the alarm's box is open", 7, 5, "07:04:00 arm W17@07:05|07:05:00 tick L B R|>07:06:30 resume Z C"},
        {"held from 180 s before, lit at the fire, released once answered", 7, 5,
         "07:00:00 arm W17@07:03|07:02:00 tick|07:02:01 tick H|07:05:00 tick L B C R|07:05:01 tick"},
        {"a box left open lets the display go after ten minutes", 7, 5,
         "07:04:00 arm W17@07:05|07:05:00 tick L B R C", u"", 600},
        {"a box answered within ten minutes", 7, 5, "07:04:00 arm W17@07:05|07:05:00 tick L B C R", u"", 599},
        {"released on disarm", 7, 5, "07:04:00 arm W17@07:05|07:04:01 tick H|07:04:02 disarm C R"},
        {"released at exit", 7, 5, "07:04:00 arm W17@07:05|07:04:01 tick H|07:04:02 exit C R"},
        {"a sleep across the minute: one balloon, still armed", 7, 5,
         "07:00:00 arm W17@07:03|07:00:01 tick|07:06:00 tick M W18@07:03|07:06:01 tick"},
        {"no icon: one box, the check going on under it", 7, 5,
         "07:00:00 show|07:00:00 arm W17@07:03|07:00:01 tick|07:06:00 tick W18@07:03 X|>31:06:00 tick W19@07:03|31:06:01 tick"},
        {"the icon lost unseen: its balloon refused, the box", 7, 5,
         "07:00:00 arm W17@07:03|07:00:01 tick|07:06:00 lost|07:06:00 tick M W18@07:03 X"},
        {"two resumes in a row tell it once", 7, 5,
         "07:00:00 arm W17@07:03|07:30:00 resume Z W18@07:03|07:30:00 tick M|09:00:00 resume Z W18@07:03|09:00:00 tick"},
        {"LATE=5: fired once, no balloon", 7, 5,
         "07:00:00 arm W17@07:03|07:10:00 tick L B C R|07:10:01 tick", u"LATE=5"},
        {"LATE=5, six minutes late: a balloon", 7, 5, "07:00:00 arm W17@07:03|07:11:00 tick M W18@07:03", u"LATE=5"},
        {"LATE=61 is no window", 7, 5, "07:00:00 arm W17@07:03|07:06:00 tick M W18@07:03", u"LATE=61"},
        {"LATE=5.5 is no window", 7, 5, "07:00:00 arm W17@07:03|07:06:00 tick M W18@07:03", u"LATE=5.5"},
        {"a gap before arming is no missed alarm", 7, 5, "07:00:00 tick|07:10:00 arm W18@07:03|07:10:01 tick"},
        // 02:30 does not exist on the day summer time begins: told, and the wake moves on.
        {"spring forward", 2, 30, "01:00:00 arm W10@02:28|01:59:59 tick|03:00:00 tick M W11@02:28", u"", 0, 0, 3, 10},
        // Armed after the first 01:30 of the day summer time ends: the clock turning back
        // is no gap, and the second 01:30 fires, once.
        {"fall back", 1, 30,
         "01:45:00 arm W04@01:28|01:59:59 tick|01:00:00 tick W03@01:28|01:28:00 tick H W03@01:30|01:30:00 tick L B C R|01:30:01 tick", u"", 0, 0, 11, 3},
        {"a zone change is read before the wake moves", 7, 5, "07:00:00 arm W17@07:03|07:00:00 zone Z W18@07:03"},
        {"a refused wake is asked again when the minute turns", 7, 5,
         "07:00:30 arm W17@07:03|07:00:31 tick|07:01:00 tick W17@07:03|07:02:00 tick W17@07:03|07:03:00 tick H W17@07:05", u"", 0, 2},
        {"SOUND from the fire to the answer", 7, 5, "07:04:00 arm W17@07:05|07:05:00 tick L S B Q C R", u"[ALARM]\nSOUND=a.wav"},
        {"SOUND for ten minutes at most", 7, 5, "07:04:00 arm W17@07:05|07:05:00 tick L S B R Q C", u"[ALARM]\nSOUND=a.wav", 600},
        {"SOUND stopped by a disarm", 7, 5, "07:04:00 arm W17@07:05|07:05:00 tick L S B|>07:05:10 disarm C R Q", u"[ALARM]\nSOUND=a.wav"},
        {"SOUND stopped at exit", 7, 5, "07:04:00 arm W17@07:05|07:05:00 tick L S B|>07:05:10 exit C R Q", u"[ALARM]\nSOUND=a.wav"},
        {"WARN=5: the wake and the hold earlier, the box five minutes before, the restart on its minute", 7, 5,
         "06:50:00 reboot|06:50:00 arm W17@06:58|06:58:00 tick H W17@07:00|07:00:00 tick W17@07:05 V|>07:00:01 tick|07:05:00 tick L K C R",
         u"[ALARM]\nWARN=5"},
        {"WARN, armed later: at once", 7, 5, "07:01:00 reboot|07:01:00 arm W17@07:05|07:01:01 tick H V", u"[ALARM]\nWARN=5"},
        {"WARN: yes disarms", 7, 5, "07:01:00 reboot|07:01:00 arm W17@07:05|07:01:00 yes|07:01:01 tick H V C R|07:05:00 tick",
         u"[ALARM]\nWARN=5"},
        {"WARN unanswered: the box ended at the minute, the restart asked, the sound all along", 7, 5,
         "07:01:00 reboot|07:01:00 arm W17@07:05|07:01:01 tick H S V|>07:05:00 tick E L K Q C R", u"[ALARM]\nWARN=5\nSOUND=a.wav"},
        {"WARN with a message: none", 7, 5, "07:00:00 arm W17@07:03|07:00:01 tick", u"[ALARM]\nWARN=5"},
        {"WARN=31 is none", 7, 5, "07:01:00 reboot|07:01:00 arm W17@07:03|07:01:01 tick", u"[ALARM]\nWARN=31"},
        {"REPEAT on a marked day: fired, armed again for Monday", 7, 5,
         "07:04:00 arm W17@07:05|07:05:00 tick L B C R W20@07:03|07:05:01 tick", u"[ALARM]\nREPEAT=1111100"},
        {"REPEAT: an unmarked day passes in silence", 7, 5, "07:04:00 arm W20@07:03|07:05:00 tick", u"[ALARM]\nREPEAT=1111100",
         0, 0, 5, 18},
        {"REPEAT: an unmarked day slept through is no missed alarm", 7, 5, "07:04:00 arm W20@07:03|07:07:00 tick",
         u"[ALARM]\nREPEAT=1111100", 0, 0, 5, 18},
        {"REPEAT=0000000 fires once", 7, 5, "07:04:00 arm W17@07:05|07:05:00 tick L B C R", u"[ALARM]\nREPEAT=0000000"},
        {"a restart armed by the command line waits for its next day", 7, 5, "07:05:10 start W18@07:03|07:05:20 tick",
         u"", 0, 0, 5, 17, u"-TS TIME=0705 FILE=\"REBOOT\""},
        {"a shutdown armed so fires at once", 7, 5, "07:05:10 start W17@07:03|07:05:20 tick L P C R", u"", 0, 0, 5, 17,
         u"-TS TIME=0705 FILE=\"EXIT\""},
        {"a message armed so fires at once", 7, 5, "07:05:10 start W17@07:03|07:05:20 tick L B C R", u"", 0, 0, 5, 17,
         u"-TS TIME=0705 FILE=\"!起きて\""},
    };
    for (const auto& row : rows) {
        SCOPED_TRACE(row.what);
        FormHarness h;
        const Text hour = DecimalText(row.hour), minute = DecimalText(row.minute);
        h.fake.PreloadIni(u"[POWER]\n" + row.ini + u"\n[CONFIG]\nFILENAME=!起きて\nH=" + hour + u"\nM=" + minute);
        h.fake.commandLine = row.commandLine;
        if (row.commandLine.empty()) h.Load();
        h.fake.wakeTimerFailures = row.wakeFailures;
        std::istringstream steps(row.steps);
        std::function<void(const std::string&)> run;
        h.fake.onMessageBox = [&] {
            for (int i = 0; i < row.boxOpenSeconds; ++i) h.fake.now = LocalTimeAt(LocalSeconds(h.fake.now) + 1), h.frm.Beat();
            for (std::string step; steps.peek() == '>' && std::getline(steps, step, '|');) run(step.substr(1));
        };
        const std::string missed = Utf8(hour) + ":" + Utf8(FormatHhMm(0, row.minute).substr(3)) +
                                   " の目覚ましは、パソコンが止まっていたため実行されませんでした。監視は続けています。";
        const std::string warning = Utf8(hour) + ":" + Utf8(FormatHhMm(0, row.minute).substr(3)) +
                                    " にパソコンを再起動します。中止しますか？";
        const std::map<std::string, std::string> calls{
            {"C", "CancelWakeTimer"}, {"H", "SetThreadExecutionState(0x80000001)"}, {"L", kLight}, {"R", kRelease},
            {"Z", "ForgetTimeZone"}, {"B", kBox}, {"M", "Shell_NotifyIconW(1|256|1|16|ポコ丸|" + missed + "|2)"},
            {"X", "MessageBox(" + missed + "|ポコ丸|327728)"}, {"S", "PlaySoundW(C:\\Apps\\Poko\\a.wav|131083)"},
            {"Q", "PlaySoundW(null|0)"}, {"V", "MessageBox(" + warning + "|ポコ丸|327732)"},
            {"E", "EndMessageBox(" + warning + "|7)"}, {"K", "ExitWindowsEx(2,2147483648)"}, {"P", "ExitWindowsEx(5,2147483648)"}};
        run = [&](const std::string& step) {
            SCOPED_TRACE(step);
            std::istringstream words(step);
            std::string time, event, call;
            words >> time >> event;
            const std::vector<std::string> before = std::exchange(h.fake.calls, {});
            h.fake.now = {2024, row.month, row.day, std::stoi(time), std::stoi(time.substr(3)), std::stoi(time.substr(6))};
            h.fake.now = LocalTimeAt(LocalSeconds(h.fake.now));  // past 24:00, the next day
            if (event == "arm" || event == "disarm") h.frm.ToggleAlarm();
            if (event == "tick") h.frm.Beat();
            if (event == "exit") h.frm.Form_Unload();
            if (event == "show") h.frm.M_WindowView->Click();
            if (event == "lost") h.fake.trayRefusals[1] = 1;  // the shell lost the icon unseen
            if (event == "zone") h.fake.zoneChangeMinutes = 60;
            if (event == "resume" || event == "zone") h.frm.ClockChanged();
            if (event == "minute4") h.frm.TextM.SetText(u"4");
            if (event == "reboot") h.frm.TextFileName.SetText(u"REBOOT");
            if (event == "start") h.frm.Form_Load();
            if (event == "yes") h.fake.messageBoxAnswers.push_back(IDYES_);
            std::vector<std::string> expected, actual;
            while (words >> call) {
                const std::string month = Utf8(FormatHhMm(row.month, 0)).substr(0, 2);
                expected.push_back(call[0] == 'W' ? "SetWakeTimer(2024-" + month + "-" + call.substr(1, 2) + " " +
                                                        call.substr(4) + ":00)"
                                                  : calls.at(call));
            }
            for (const std::string& c : h.fake.calls)
                for (const char* kind : {"SetWakeTimer", "CancelWakeTimer", "SetThreadExecutionState", "ForgetTimeZone",
                                         "Shell_NotifyIconW", "MessageBox", "PlaySoundW", "EndMessageBox", "ExitWindowsEx"})
                    if (c.rfind(kind, 0) == 0) actual.push_back(c);
            EXPECT_TRUE(SameCalls(expected, actual));
            h.fake.calls = before;
        };
        for (std::string step; std::getline(steps, step, '|');) run(step);
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

// The kinds in their order, the first test that matches deciding; the character tests
// compare codes exactly, the two prefixes ignore case.
TEST(ClassifyTarget, TheFirstTestThatMatchesDecides) {
    using enum TargetKind;
    const struct {
        Text target;
        TargetKind kind;
    } rows[] = {
        {u"", ItsTime},        {u"!x", Message},     {u"\uFF01x", Message},   {u"?x", Mascot},
        {u"\uFF1F", Mascot},   {u"?REBOOT", Mascot}, {u"reboot", Reboot},     {u"REBOOTNOW", Reboot},
        {u"exit", Shutdown},   {u"Exit now", Shutdown}, {u"EXIT.BAT", Shutdown}, {u"EXITWIN.EXE", Shutdown},
        {u"REBOO", Open},      {u" EXIT", Open},     {u"\uFF25XIT", Open},     {u"C:\\a.mp3", Open},
    };
    for (const auto& row : rows) EXPECT_EQ(ClassifyTarget(row.target), row.kind) << Utf8(row.target);
}

TEST(SysnativeTarget, OnlyUnderTheWindowsFoldersSystem32) {
    const struct { Text target, windows, expected; } rows[] = {  // expected "": nothing
        {u"c:\\windows\\system32\\wsl.exe", u"C:\\WINDOWS\\", u"C:\\WINDOWS\\Sysnative\\wsl.exe"},
        {u"C:\\Windows\\System32\\", u"C:\\Windows", u""},
        {u"C:\\Windows\\SysWOW64\\a.exe", u"C:\\Windows", u""},
    };
    for (const auto& r : rows) EXPECT_EQ(Utf8(SysnativeTarget(r.target, r.windows).value_or(u"")), Utf8(r.expected));
}

// What each kind does, and how the completion follows.
TEST(AlarmCheck, TargetKinds) {
    struct Case {
        Text target;
        std::string action;
        poko::Handle shellResult = 42;  // 32 or less: the shell could not open it
        std::string told = "";
    };
    const Case cases[] = {
        {u"", "MessageBox(時間です\uFF01|ポコ丸|327744)"},
        {u"!abc", "MessageBox(abc|ポコ丸|327744)"},
        {u"\uFF01会議", "MessageBox(会議|ポコ丸|327744)"},
        {u"!", "MessageBox(|ポコ丸|327744)"},
        {u"!!", "MessageBox(!|ポコ丸|327744)"},
        {u"?x", "PickBoard"},
        {u"reboot", "ExitWindowsEx(2,2147483648)"},
        {u"exit", "ExitWindowsEx(5,2147483648)"},
        {u"notepad.exe foo", "ShellExecuteA(256|Open|notepad.exe foo|||5)"},
        {u"C:\\資料\\表.xls", "ShellExecuteA(256|Open|C:\\資料\\表.xls|||5)"},
        {u"http://example.com/", "ShellExecuteA(256|Open|http://example.com/|||5)"},
        {u"C:\\été.mp3", "ShellExecuteW(256|Open|C:\\été.mp3|||5)"},
        {u"C:\\gone.mp3", "ShellExecuteA(256|Open|C:\\gone.mp3|||5)", 2, "MessageBox(「C:\\gone.mp3」を開けませんでした。|ポコ丸|327696)"},
        {u"C:\\été.mp3", "ShellExecuteW(256|Open|C:\\été.mp3|||5)", 32, "MessageBox(「C:\\été.mp3」を開けませんでした。|ポコ丸|327696)"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(Utf8(c.target));
        Alarm a(c.target);
        a.fake.shellExecuteResult = c.shellResult;
        a.frm.ToggleAlarm();
        a.fake.calls.clear();
        a.frm.Timer.Tick();
        std::vector<std::string> actions;
        for (const std::string& call : a.fake.calls)
            for (const char* kind : {"MessageBox", "PickBoard", "ExitWindowsEx", "ShellExecute", "SetThreadExecutionState"})
                if (call.rfind(kind, 0) == 0) actions.push_back(call);
        // The display is lit for the action and let go once the completion has run.
        std::vector<std::string> expected{kLight, c.action};
        if (!c.told.empty()) expected.push_back(c.told);
        expected.push_back(kRelease);
        EXPECT_TRUE(SameCalls(expected, actions));
        EXPECT_EQ(Describe(a.frm), kDone);
    }
}

TEST(AlarmCheck, CompletionSequence) {
    Alarm a(u"!起きて");
    a.frm.ToggleAlarm();
    a.fake.calls.clear();
    a.fake.trayRecords.clear();
    a.frm.Timer.Tick();
    EXPECT_TRUE(SameCalls({kLight, kBox, "Shell_NotifyIconA(1)", "Shell_NotifyIconA(1)", "CancelWakeTimer", kRelease},
                          a.fake.CallsWithout({"Now"})));
    ASSERT_EQ(a.fake.trayRecords.size(), 2u);
    // The tip with the completion status goes out while the icon is still the armed one.
    EXPECT_EQ(TipText(a.fake.trayRecords[0]), TrayTip(kDoneStatus, "07:05"));
    EXPECT_EQ(a.fake.trayRecords[0].hIcon, kArmedIcon);
    EXPECT_EQ(TipText(a.fake.trayRecords[1]), TrayTip(kDoneStatus, "07:05"));
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
