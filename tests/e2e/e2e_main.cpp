// Entry of the end-to-end driver: checks that it runs in the Wine environment the
// scenarios assume, then runs the selected GoogleTest scenarios.
#include <windows.h>

#include <gtest/gtest.h>

#include <cstdio>
#include <cstdlib>
#include <exception>

#include "driver.h"
#include "screenshot.h"

namespace {

class WineDesktop : public ::testing::Environment {
public:
    void SetUp() override {
        // Under any other locale the program's settings file and tray tip would not be
        // code page 932, and the scenarios would test something else (WesternCodePage's: 1252).
        ASSERT_EQ(GetACP(), GetEnvironmentVariableW(L"POKOMARU_E2E_LANG", nullptr, 0) ? 1252u : 932u)
            << "run with LANG=ja_JP.UTF-8 (locale generated)";
        // The first user32 call of the session starts the virtual desktop; the
        // notification area comes with it a little later.
        GetDesktopWindow();
        try {
            e2e::WaitUntil("the notification area (Shell_TrayWnd) of the virtual desktop",
                           e2e::kStartDeadline,
                           [] { return FindWindowW(L"Shell_TrayWnd", nullptr) != nullptr; });
        } catch (const e2e::Failure& e) {
            FAIL() << e.what();  // GoogleTest catches nothing thrown from an environment
        }
    }
};

class PictureOnFailure : public ::testing::EmptyTestEventListener {
    void OnTestPartResult(const ::testing::TestPartResult& result) override {
        if (result.failed()) e2e::SaveScreenshotOnce();
    }
    void OnTestEnd(const ::testing::TestInfo& info) override { e2e::SaveKeptPictures(info.result()->Failed()); }
};

// The running scenario, for the last words of a driver that dies.
const char* RunningScenario() {
    const auto* info = ::testing::UnitTest::GetInstance()->current_test_info();
    return info ? info->name() : "(none: before or after the scenarios)";
}

// GoogleTest catches no structured exception in this build: a crash would end the driver
// with nothing said, and output still buffered lost with it.
LONG WINAPI SayCrash(EXCEPTION_POINTERS* e) {
    std::fprintf(stderr, "driver: crashed in %s: exception 0x%08lX at %p\n", RunningScenario(),
                 e->ExceptionRecord->ExceptionCode, e->ExceptionRecord->ExceptionAddress);
    std::fflush(stderr);
    return EXCEPTION_EXECUTE_HANDLER;
}

void SayTerminate() {
    const char* what = "no exception";
    try {
        if (auto current = std::current_exception()) std::rethrow_exception(current);
    } catch (const std::exception& e) {
        what = e.what();
    } catch (...) {
        what = "an exception of another type";
    }
    std::fprintf(stderr, "driver: ended in %s by std::terminate: %s\n", RunningScenario(), what);
    std::fflush(stderr);
    std::abort();
}

}  // namespace

int main(int argc, char** argv) {
    // Said at once, so that what a scenario printed survives however the driver ends.
    std::setvbuf(stdout, nullptr, _IONBF, 0);
    SetUnhandledExceptionFilter(SayCrash);
    std::set_terminate(SayTerminate);
    e2e::DeclareDpiAware();
    ::testing::InitGoogleTest(&argc, argv);
    ::testing::AddGlobalTestEnvironment(new WineDesktop);
    ::testing::UnitTest::GetInstance()->listeners().Append(new PictureOnFailure);
    int rc = RUN_ALL_TESTS();
    // A filter that matches nothing would otherwise pass: CTest names scenarios by filter.
    if (::testing::UnitTest::GetInstance()->test_to_run_count() == 0) {
        std::fprintf(stderr, "no scenario matched the filter\n");
        return 1;
    }
    return rc;
}
