// The mouse wheel over a time box: it reaches the box that has the focus, even though
// the focused control is an edit box, and stops at the limits.
#include "driver.h"

#include <gtest/gtest.h>

#include "ui/control_ids.h"

namespace e2e {
namespace {

using namespace poko;

TEST(TimeEntry, WheelOverTheFocusedBoxStepsItWithinItsRange) {
    AppFolder folder;
    folder.Write(L"Timer.ini", "[CONFIG]\r\nH=22\r\nM=0\r\n");
    Program program(folder);
    program.WaitForMainWindow();
    program.Focus(ID_TextH);
    WaitUntil("the wheel to target the hour", kDeadline, [&] { return program.QueryState().Int("wheel_target") == 1; });

    // Wine delivers a real wheel turn to the focused window, the edit box itself.
    const HWND hour = program.Item(ID_TextH);
    program.Wheel(hour, WHEEL_DELTA);
    WaitUntil("the hour to step up to 23", kDeadline, [&] { return program.Text(ID_TextH) == L"23"; });
    program.Wheel(hour, WHEEL_DELTA);  // at the limit: no wrap to 0
    program.Wheel(hour, -WHEEL_DELTA);
    WaitUntil("the hour to step down to 22", kDeadline, [&] { return program.Text(ID_TextH) == L"22"; });
    EXPECT_EQ(program.Read(ID_VS_h).pos, 1);

    program.Focus(ID_TextM);
    WaitUntil("the wheel to target the minute", kDeadline, [&] { return program.QueryState().Int("wheel_target") == 10; });
    program.Wheel(program.Item(ID_TextM), -WHEEL_DELTA);  // at 0: nothing
    program.Wheel(program.Item(ID_TextM), WHEEL_DELTA);
    WaitUntil("the minute to step up to 1", kDeadline, [&] { return program.Text(ID_TextM) == L"1"; });
    EXPECT_EQ(program.Text(ID_TextH), L"22");
    program.Close();
    EXPECT_EQ(program.WaitForExit(), 0u);
}

}  // namespace
}  // namespace e2e
