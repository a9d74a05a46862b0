// A picture of the whole (virtual) desktop when a scenario fails, for reading a CI log
// after the fact. Saved as BMP into POKOMARU_E2E_ARTIFACTS, at most once per test.
#pragma once

namespace e2e {
void SaveScreenshotOnce();
}
