// A picture of the whole (virtual) desktop when a scenario fails, for reading a CI log
// after the fact. Saved as BMP into POKOMARU_E2E_ARTIFACTS, at most once per test.
#pragma once

#include <windows.h>

namespace e2e {
void SaveScreenshotOnce();
// A picture of the desktop as it is now, saved as <test>.<label>.bmp when the running
// test fails (always, with POKOMARU_E2E_PICTURES=1): for what a failure picture taken
// at the end would no longer show.
void KeepPicture(const char* label);
void SaveKeptPictures(bool failed);
// A picture of one area of the desktop, saved as <name>.bmp into POKOMARU_SCREENSHOTS (a
// Unix or Windows folder): the README's pictures. Fails the scenario when it cannot.
void SavePicture(const char* name, RECT area);
}  // namespace e2e
