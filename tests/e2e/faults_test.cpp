// Faults during a run: a forced end at any moment writes nothing, and two copies in one
// folder both run, each writing its own settings at its exit.
#include <gtest/gtest.h>

#include <random>

#include "driver.h"
#include "ui/control_ids.h"

namespace e2e {
namespace {

TEST(Faults, KilledAtRandomMomentsLeavesTimerIniAsItWas) {
    AppFolder app;
    // H=07 would be written back as 7: any write shows.
    const std::string stored = "[CONFIG]\r\nFILENAME=!stored\r\nH=07\r\nM=30\r\nAI=1\r\n[WINDOW]\r\nDATA=204\r\n";
    app.Write(L"Timer.ini", stored);
    std::mt19937 random(std::random_device{}());
    for (int round = 0; round < 3; ++round) {
        // From the middle of start-up to well after it.
        const int ms = std::uniform_int_distribution<int>(0, 3000)(random);
        SCOPED_TRACE("ended " + std::to_string(ms) + " ms after its start");
        {
            Program program(app);
            Sleep(ms);
            EXPECT_TRUE(program.Running());
        }  // ~Program ends it with TerminateProcess, as Task Manager would
        EXPECT_EQ(app.Read(L"Timer.ini"), stored);
    }
}

// Two alarms from two shortcuts, say a reminder and a forced shutdown: both run hidden
// and armed, and the copy that exits last leaves its settings in the file.
TEST(Faults, TwoCopiesInOneFolderBothRunAndTheLastToExitWins) {
    AppFolder app;
    Program first(app, L"-M -TS TIME=0730 FILE=\"!first\"");
    first.WaitForMainWindow(false);
    WaitForStartup(first);
    Program second(app, L"-M -TS TIME=2300 FILE=\"!second\"");
    second.WaitForMainWindow(false);
    WaitForStartup(second);
    for (const Program* p : {&first, &second}) {
        EXPECT_EQ(p->QueryState().Get("timer.enabled"), "1");
        EXPECT_TRUE(p->TrayIconExists());
    }

    second.Close();
    EXPECT_EQ(second.WaitForExit(), 0u);
    EXPECT_EQ(ParseIni(app.Contents(L"Timer.ini"))["CONFIG"]["FILENAME"], "!second");
    EXPECT_EQ(Describe(first.Text(poko::ID_TextFileName)), "\"!first\"");
    EXPECT_TRUE(first.TrayIconExists());

    first.Close();
    EXPECT_EQ(first.WaitForExit(), 0u);
    Ini ini = ParseIni(app.Contents(L"Timer.ini"));
    EXPECT_EQ(ini["CONFIG"]["FILENAME"], "!first");
    EXPECT_EQ(ini["CONFIG"]["H"], "7");
    EXPECT_EQ(ini["CONFIG"]["M"], "30");
}

}  // namespace
}  // namespace e2e
