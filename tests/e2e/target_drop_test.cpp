// Files dropped from the shell on the target box: the first of them becomes the target;
// a drop with no file, or on the box of an armed alarm, changes nothing.
#include <gtest/gtest.h>

#include "driver.h"
#include "ui/control_ids.h"

namespace e2e {
namespace {

using namespace poko;

TEST(TargetDrop, TheFirstDroppedFileBecomesTheTargetExceptWhileArmed) {
    AppFolder app;
    // Armed, the alarm waits for a time twelve hours away.
    SYSTEMTIME now;
    GetLocalTime(&now);
    app.Write(L"Timer.ini", "[CONFIG]\r\nH=" + std::to_string((now.wHour + 12) % 24) + "\r\n");
    Program program(app);
    program.WaitForMainWindow();

    const std::wstring first = L"C:\\\u30DD\u30B3\u4E38\\first file.txt";  // C:\ポコ丸\first file.txt
    program.DropFiles(ID_TextFileName, {first, L"C:\\second.txt", L"C:\\third.txt"});
    WaitUntil("the first file to become the target", kDeadline,
              [&] { return program.Text(ID_TextFileName) == first; });
    // Typed over, then dropped again: the box shows the file, as the target is.
    program.SetText(ID_TextFileName, L"typed");
    program.DropFiles(ID_TextFileName, {first});
    WaitUntil("the same file to replace the typed text", kDeadline,
              [&] { return program.Text(ID_TextFileName) == first; });

    // Posted in turn, so each drop is handled before the click after it shows.
    auto clickAndWait = [&](bool armed) {
        program.ClickButton(ID_C_TimerStart);
        WaitUntil(armed ? "the target box to be disabled" : "the target box to be enabled", kDeadline,
                  [&] { return program.Read(ID_TextFileName).enabled != armed; });
    };
    program.DropFiles(ID_TextFileName, {});
    clickAndWait(true);
    EXPECT_EQ(Describe(program.Text(ID_TextFileName)), Describe(first)) << "after a drop with no file";
    program.DropFiles(ID_TextFileName, {L"C:\\while armed.txt"});
    clickAndWait(false);
    EXPECT_EQ(Describe(program.Text(ID_TextFileName)), Describe(first)) << "after a drop while armed";

    program.Close();
    EXPECT_EQ(program.WaitForExit(), 0u);
}

}  // namespace
}  // namespace e2e
