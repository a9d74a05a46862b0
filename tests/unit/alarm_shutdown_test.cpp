// ShutdownWindows: the shutdown privilege on the NT family, then InitiateShutdownW or ExitWindowsEx; a
// refusal at any step stops there and is told in one box.
#include <gtest/gtest.h>

#include "tests/support/form_harness.h"

using namespace poko;

namespace {

const std::string kOpen = "OpenProcessToken(-1,40)";
const std::string kLookup = "LookupPrivilegeValueA(null|SeShutdownPrivilege)";
const std::string kAdjust = "AdjustTokenPrivileges(122,0,1,19,2,16)";  // token 0x7A, luid 0x13
const std::string kClose = "CloseHandle(122)";
const std::string kInitiate = "InitiateShutdownW(0,11,2147483648)";  // forced, powered off; planned
const std::string kNoShutdown = "MessageBox(コンピュータをシャットダウンできませんでした。|ポコ丸|16)";
const std::string kNoRestart = "MessageBox(コンピュータを再起動できませんでした。|ポコ丸|16)";

TEST(ShutdownWindows, CallsByPlatformAndRefusal) {
    enum Fail { None, Token, Lookup, Adjust, NotAssigned, NotAssignedExit, Exit };
    struct Case {
        const char* what;
        std::uint32_t platformId;
        Fail fail;
        std::uint32_t flags;
        std::vector<std::string> calls;
        std::optional<std::uint32_t> initiate = std::nullopt;  // InitiateShutdownW's answer; nothing: missing
    };
    const Case cases[] = {
        {"NT restart", 2, None, 2, {"GetVersionExA(148)", "GetCurrentProcess", kOpen, kLookup, kAdjust, kClose, "ExitWindowsEx(2,2147483648)"}, 0},
        {"NT shutdown", 2, None, 5,
         {"GetVersionExA(148)", "GetCurrentProcess", kOpen, kLookup, kAdjust, kClose, kInitiate, "ExitWindowsEx(5,2147483648)"}},
        {"Vista and later", 2, None, 5,
         {"GetVersionExA(148)", "GetCurrentProcess", kOpen, kLookup, kAdjust, kClose, kInitiate}, 0},
        {"Wine: only a name", 2, None, 5,
         {"GetVersionExA(148)", "GetCurrentProcess", kOpen, kLookup, kAdjust, kClose, kInitiate, "ExitWindowsEx(5,2147483648)"}, 120},
        {"Vista and later, refused", 2, None, 5,
         {"GetVersionExA(148)", "GetCurrentProcess", kOpen, kLookup, kAdjust, kClose, kInitiate, kNoShutdown}, 5},
        {"token refused", 2, Token, 5, {"GetVersionExA(148)", "GetCurrentProcess", kOpen, kNoShutdown}},
        {"lookup refused", 2, Lookup, 5,
         {"GetVersionExA(148)", "GetCurrentProcess", kOpen, kLookup, kClose, kNoShutdown}},
        {"adjust refused", 2, Adjust, 2,
         {"GetVersionExA(148)", "GetCurrentProcess", kOpen, kLookup, kAdjust, kClose, kNoRestart}},
        {"not assigned, taken", 2, NotAssigned, 5,
         {"GetVersionExA(148)", "GetCurrentProcess", kOpen, kLookup, kAdjust, kClose, kInitiate, "ExitWindowsEx(5,2147483648)"}},
        {"not assigned, refused", 2, NotAssignedExit, 5,
         {"GetVersionExA(148)", "GetCurrentProcess", kOpen, kLookup, kAdjust, kClose, kInitiate, "ExitWindowsEx(5,2147483648)", kNoShutdown}},
        {"request refused", 2, Exit, 2,
         {"GetVersionExA(148)", "GetCurrentProcess", kOpen, kLookup, kAdjust, kClose, "ExitWindowsEx(2,2147483648)", kNoRestart}},
        {"95 family", 1, None, 5, {"GetVersionExA(148)", "ExitWindowsEx(5,2147483648)"}},
        {"95 family, token would fail", 1, Token, 2, {"GetVersionExA(148)", "ExitWindowsEx(2,2147483648)"}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        FormHarness h;
        h.fake.version.platformId = c.platformId;
        h.fake.openTokenResult = c.fail != Token;
        h.fake.lookupResult = c.fail != Lookup;
        h.fake.adjustResult = c.fail != Adjust;
        h.fake.lastError = c.fail == NotAssigned || c.fail == NotAssignedExit ? 1300 : 0;  // ERROR_NOT_ALL_ASSIGNED
        h.fake.exitWindowsResult = c.fail != Exit && c.fail != NotAssignedExit;
        h.fake.initiateShutdownAnswer = c.initiate;
        h.frm.ShutdownWindows(c.flags);
        EXPECT_TRUE(SameCalls(c.calls, h.fake.calls));
    }
}

// Without a platform answer the privilege is asked for all the same: it does no harm
// where none is needed, and the request is still made.
TEST(ShutdownWindows, UnknownPlatformStillRequests) {
    FormHarness h;
    h.fake.versionResult = false;
    h.frm.ShutdownWindows(5);
    const auto exits = h.fake.CallsStartingWith("ExitWindowsEx");
    EXPECT_EQ(exits, std::vector<std::string>{"ExitWindowsEx(5,2147483648)"});
    // Every token that was opened is closed.
    EXPECT_EQ(h.fake.CallsStartingWith("OpenProcessToken").size(), h.fake.CallsStartingWith("CloseHandle").size());
}

}  // namespace
