// Restart or shut down the system. On the NT family the process must first enable the
// shutdown privilege in its own token; every refusal is silent.
#include "app/frm_timer.h"

namespace poko {

namespace {
constexpr std::uint32_t VER_PLATFORM_WIN32_NT_ = 2;
constexpr std::uint32_t TOKEN_ADJUST_PRIVILEGES_QUERY_ = 0x28;
constexpr std::uint32_t SE_PRIVILEGE_ENABLED_ = 2;
constexpr std::uint32_t kPrivilegesSize = 16;  // one TOKEN_PRIVILEGES entry
}  // namespace

void FrmTimer::ShutdownWindows(std::uint32_t flags) {
    OsVersion version;
    // Without an answer the platform is taken as NT: the privilege step then does no harm.
    if (!platform_.GetVersionExA(version)) version.platformId = VER_PLATFORM_WIN32_NT_;
    if (version.platformId == VER_PLATFORM_WIN32_NT_) {
        const Handle process = platform_.GetCurrentProcess();
        Handle token = 0;
        if (!platform_.OpenProcessToken(process, TOKEN_ADJUST_PRIVILEGES_QUERY_, token)) return;
        struct TokenCloser {
            Platform& p;
            Handle h;
            ~TokenCloser() { p.CloseHandle(h); }
        } closer{platform_, token};
        TokenPrivileges state;
        if (!platform_.LookupPrivilegeValueA(nullptr, "SeShutdownPrivilege", state.luid)) return;
        state.count = 1;
        state.attributes = SE_PRIVILEGE_ENABLED_;
        TokenPrivileges previous;
        std::uint32_t returned = 0;
        if (!platform_.AdjustTokenPrivileges(token, false, state, kPrivilegesSize, previous, returned)) return;
    }
    platform_.ExitWindowsEx(flags, 0);
}

}  // namespace poko
