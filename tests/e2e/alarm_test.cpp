// One alarm from arming to completion: set by hand and answered, and unattended from
// the command line with a program as its target.
#include <gtest/gtest.h>

#include <algorithm>
#include <cstdio>

#include "driver.h"
#include "ui/control_ids.h"

namespace e2e {
namespace {

using namespace poko;

const std::wstring kItsTime = L"\u6642\u9593\u3067\u3059\uFF01";             // 時間です！
const int kArmedOff[] = {ID_VS_h, ID_VS_m, ID_TextFileName, ID_cmdFileOpen};

// The target a start with `args` shows, closed cleanly.
std::wstring TargetAtStart(const AppFolder& app, std::wstring_view args = L"") {
    Program program(app, args);
    program.WaitForMainWindow();
    const std::wstring target = program.Text(ID_TextFileName);
    program.Close();
    EXPECT_EQ(program.WaitForExit(), 0u);
    return target;
}

// The completion sequence runs over several calls to the shell, during which the
// program already answers; its last step puts the stopped icon back on the window.
void WaitForCompletion(const Program& program) {
    WaitUntil("the completion sequence to finish", kDeadline, [&] {
        return program.Text(ID_L_Title) == kDone && program.QueryState().Get("window.icon") == "0";
    });
}

TEST(Alarm, ArmedByHandShowsItsMessageOnceAndCompletes) {
    AppFolder app;
    Program program(app);
    program.WaitForMainWindow();

    // The arrows only, from 0:00; up raises the number.
    const SYSTEMTIME now = MinuteWithRoom();
    for (int i = 0; i < now.wHour; ++i) program.ScrollArrow(ID_VS_h, true);
    for (int i = 0; i < now.wMinute; ++i) program.ScrollArrow(ID_VS_m, true);
    const std::wstring hour = std::to_wstring(now.wHour), minute = std::to_wstring(now.wMinute);
    WaitUntil("the boxes to show " + Utf8(hour) + ":" + Utf8(minute), kDeadline,
              [&] { return program.Text(ID_TextH) == hour && program.Text(ID_TextM) == minute; });

    program.ClickButton(ID_C_TimerStart);
    WaitUntil("the status to show armed", kDeadline, [&] { return program.Text(ID_L_Title) == kWatching; });
    // The box holds the armed state until it is answered.
    MessageBoxWindow box = program.WaitForMessageBox();
    EXPECT_EQ(Describe(box.title), Describe(kPokomaru));
    EXPECT_EQ(Describe(box.text), Describe(kItsTime));
    EXPECT_EQ(box.buttons.size(), 1u);
    EXPECT_TRUE(GetWindowLongW(box.hwnd, GWL_EXSTYLE) & WS_EX_TOPMOST) << "the box stands over every window";
    EXPECT_EQ(Describe(program.Text(ID_C_TimerStart)), Describe(kStop));
    for (int id : kArmedOff) EXPECT_FALSE(program.Read(id).enabled) << "control " << id << " while armed";
    EXPECT_EQ(program.QueryState().Get("timer.enabled"), "1");
    // Ticks go on while the box is open; none may bring a second box.
    ExpectMessageBoxesFor(program, 1, 3s);

    program.Answer(box, L"OK");
    WaitForCompletion(program);
    EXPECT_EQ(Describe(program.Text(ID_C_TimerStart)), Describe(kStart));
    for (int id : kArmedOff) EXPECT_TRUE(program.Read(id).enabled) << "control " << id << " after the alarm";
    State state = program.QueryState();
    EXPECT_EQ(state.Get("timer.enabled"), "0");
    EXPECT_EQ(state.Int("label.L_Title.fore"), 0) << "the completion status is black";
    EXPECT_EQ(state.Get("tray.icon"), "0");
    // Disarmed: the rest of the minute fires nothing more.
    ExpectMessageBoxesFor(program, 0, 3s);

    program.Close();
    EXPECT_EQ(program.WaitForExit(), 0u);
}

TEST(Alarm, UnattendedRunsItsTargetFromTheTray) {
    AppFolder app;
    const std::wstring marker = CopyMarker(app);
    const SYSTEMTIME now = MinuteWithRoom();
    wchar_t hhmm[8];
    std::swprintf(hhmm, 8, L"%02u%02u", now.wHour, now.wMinute);
    Program program(app, L"-M -TS TIME=" + std::wstring(hhmm) + L" FILE=\"" + marker + L"\"");
    HWND main = program.WaitForMainWindow(false);

    WaitUntil("the target to write fired.txt", 90s, [&] { return app.Read(L"fired.txt") == "fired"; });
    WaitForCompletion(program);
    EXPECT_FALSE(IsWindowVisible(main));
    std::wstring tip = program.QueryState().Text("tray.tip");
    EXPECT_TRUE(tip.starts_with(kDone)) << Describe(tip);
    EXPECT_TRUE(program.TrayIconExists());

    program.Close();
    EXPECT_EQ(program.WaitForExit(), 0u);
}

// The computer asleep through the armed minute (its clock moved on past it, as a resume
// finds it): the tray says so and the alarm stays armed; with LATE=5 it fires late,
// once, and a target that cannot be opened is said.
TEST(Alarm, MissedMinuteIsToldOrFiredLate) {
    const struct {
        const char *ini, *target, *box;  // what the alarm's box says; none: the balloon tells
        bool shellRefuses;                // the road: ShellExecuteEx fails
    } rows[] = {
        {"", "!起きて", nullptr, false},
        {"[POWER]\r\nLATE=5\r\n", "!起きて", "起きて", false},
        {"[POWER]\r\nLATE=5\r\n", "C:\\nowhere\\alarm.mp3", "「C:\\nowhere\\alarm.mp3」を開けませんでした。", true},
    };
    for (const auto& row : rows) {
        SCOPED_TRACE(row.target);
        AppFolder app;
        app.Write(L"Timer.ini", row.ini);
        SYSTEMTIME now;
        GetLocalTime(&now);
        const int set = (now.wHour * 60 + now.wMinute + 2) % 1440;  // two minutes ahead
        wchar_t args[32];
        std::swprintf(args, 32, L"-TS TIME=%02d%02d FILE=\"", set / 60, set % 60);
        Program program(app, args + Wide(row.target) + L"\"");
        if (row.shellRefuses) program.ExpectFailedCalls();
        program.WaitForMainWindow();
        program.ShiftClock(240);  // past the end of the set minute
        if (!row.box) {
            const std::wstring balloon = std::to_wstring(set / 60) + L":" + std::wstring(args + 11, 2) +
                Wide(" の目覚ましは、パソコンが止まっていたため実行されませんでした。監視は続けています。");
            WaitUntil("the balloon " + Describe(balloon), kDeadline, [&] {
                const std::vector<std::wstring> shown = BalloonTexts();
                return std::find(shown.begin(), shown.end(), balloon) != shown.end();
            });
            EXPECT_EQ(program.QueryState().Get("timer.enabled"), "1") << "still armed, for tomorrow";
            EXPECT_EQ(MessageBoxCount(program), 0);
        } else {
            MessageBoxWindow box = program.WaitForMessageBox();
            EXPECT_EQ(Describe(box.text), Describe(Wide(row.box)));
            ExpectMessageBoxesFor(program, 1, 2s);
            program.Answer(box, L"OK");
            WaitForCompletion(program);
        }
        program.Close();
        EXPECT_EQ(program.WaitForExit(), 0u);
    }
}

// Timer.ini's [ALARM]: a restart told a minute before (at once, as it is armed within
// that minute) and called off with はい, and a daily message armed again once answered.
TEST(Alarm, AWarningCallsARestartOffAndARepeatArmsAgain) {
    {
        AppFolder app;
        app.Write(L"Timer.ini", "[ALARM]\r\nWARN=1\r\n");
        SYSTEMTIME now = MinuteWithRoom();
        const int set = (now.wHour * 60 + now.wMinute + 1) % 1440;
        wchar_t args[40];
        std::swprintf(args, 40, L"-TS TIME=%02d%02d FILE=\"REBOOT\"", set / 60, set % 60);
        Program program(app, args);
        program.WaitForMainWindow();
        MessageBoxWindow box = program.WaitForMessageBox();
        const std::wstring time = std::to_wstring(set / 60) + L":" + std::wstring(args + 11, 2);
        EXPECT_EQ(Describe(box.text), Describe(time + Wide(" にパソコンを再起動します。中止しますか？")));
        EXPECT_TRUE(GetWindowLongW(box.hwnd, GWL_EXSTYLE) & WS_EX_TOPMOST);
        program.Answer(box, Wide("はい(&Y)"));
        WaitUntil("the alarm disarmed", kDeadline, [&] { return program.QueryState().Get("timer.enabled") == "0"; });
        program.ShiftClock(120);  // past the set minute: nothing is restarted
        ExpectMessageBoxesFor(program, 0, 3s);
        ASSERT_TRUE(program.Running());
        program.Close();
        EXPECT_EQ(program.WaitForExit(), 0u);
    }
    AppFolder app;
    app.Write(L"Timer.ini", "[ALARM]\r\nREPEAT=1111111\r\n");
    std::wstring args = QuestionNow();  // armed for this minute, a message in place of "?"
    Program program(app, args.replace(args.find(L'?'), 1, L"!" + kItsTime));
    program.WaitForMainWindow(false);
    program.Answer(program.WaitForMessageBox(), L"OK");
    WaitUntil("the alarm armed again", kDeadline, [&] {
        return program.Text(ID_L_Title) == kWatching && program.QueryState().Get("timer.enabled") == "1";
    });
    ExpectMessageBoxesFor(program, 0, 3s);  // not again within its minute
    program.Close();
    EXPECT_EQ(program.WaitForExit(), 0u);
}

// A stored target comes back as it was: one of 300 bytes is read and written whole, and
// one beyond the code page ("été.pkm") is opened whole by the shell and kept whole.
TEST(Alarm, TargetsKeepTheirMeaningAcrossRestarts) {
    AppFolder app;
    const std::string stored = "C:\\Tools\\" + std::string(291, 'a');
    app.Write(L"Timer.ini", "[CONFIG]\r\nFILENAME=" + stored + "\r\n");
    {
        Program program(app);
        program.WaitForMainWindow();
        program.Close();
        EXPECT_EQ(program.WaitForExit(), 0u);
    }
    EXPECT_EQ(ParseIni(app.Contents(L"Timer.ini"))["CONFIG"]["FILENAME"], stored);

    SetShellClass(L".pkm", L"PokomaruTest.pkm");
    SetShellClass(L"PokomaruTest.pkm\\shell\\open\\command", L"\"" + CopyMarker(app) + L"\" \"%1\"");
    const std::wstring target = app.Path(L"\u00E9t\u00E9.pkm");
    app.Write(L"\u00E9t\u00E9.pkm", "");
    std::wstring args = QuestionNow();  // armed for this minute, the target in place of "?"
    {
        Program program(app, args.replace(args.find(L'?'), 1, target));
        program.WaitForMainWindow(false);
        WaitUntil("the shell to open the target", 90s, [&] { return app.Contents(L"fired.txt").size() > 5; });
        EXPECT_EQ(app.Read(L"fired.txt"), "fired\n\"" + Utf8(target) + "\"");
        program.Close();
        EXPECT_EQ(program.WaitForExit(), 0u);
    }
    Ini ini = ParseIni(app.Contents(L"Timer.ini"));
    std::wstring asStored = target;  // "?" for what code page 932 lacks
    std::replace(asStored.begin(), asStored.end(), L'\u00E9', L'?');
    EXPECT_EQ(ini["CONFIG"]["FILENAME"] + "|" + ini["CONFIG"]["FILENAMEW"], Cp932(asStored) + "|" + PercentUtf8(target));
    EXPECT_EQ(Describe(TargetAtStart(app)), Describe(target));
}

// Under code page 1252 no Japanese fits FILENAME: FILENAMEW keeps a message for the next start (from Łukasz).
TEST(WesternCodePage, AJapaneseMessageSurvivesAnExitAndAStart) {
    AppFolder app(L"\u0141ukasz");
    const std::wstring message = L"!\u4F1A\u8B70\u301C";  // !会議〜
    TargetAtStart(app, L"FILE=\"" + message + L"\"");
    EXPECT_TRUE(app.Contents(L"Timer.ini").starts_with("[CONFIG]\r\nFILENAME=!???\r\n"));
    Ini ini = ParseIni(app.Contents(L"Timer.ini"));
    EXPECT_EQ(ini["CONFIG"]["FILENAME"] + "|" + ini["CONFIG"]["FILENAMEW"], "!???|" + PercentUtf8(message));
    EXPECT_EQ(Describe(TargetAtStart(app)), Describe(message));
}

}  // namespace
}  // namespace e2e
