// Restart or shut down the system. On the NT family the process must first enable the
// shutdown privilege in its own token. A request the system refuses is told to the
// user once, and not retried: the alarm completes all the same.
#include "app/frm_timer.h"

namespace poko {

namespace {

// A reason of 0 is logged as an unplanned shutdown, which may hold it up.
constexpr std::uint32_t kPlanned = SHTDN_REASON_MAJOR_OTHER_ | SHTDN_REASON_MINOR_OTHER_ | SHTDN_REASON_FLAG_PLANNED_;

}  // namespace

void FrmTimer::ShutdownWindows(std::uint32_t flags) {
    if (RequestShutdown(flags)) return;
    platform_.MessageBox(flags & EWX_REBOOT_ ? u"コンピュータを再起動できませんでした。"
                                             : u"コンピュータをシャットダウンできませんでした。",
                         kAlarmTitle, MB_ICONSTOP_);
}

// True when the system took the request.
bool FrmTimer::RequestShutdown(std::uint32_t flags) {
    OsVersion version;
    // Without an answer the platform is taken as NT: the privilege step then does no harm.
    if (!platform_.GetVersionExA(version)) version.platformId = VER_PLATFORM_WIN32_NT_;
    const bool nt = version.platformId == VER_PLATFORM_WIN32_NT_;
    if (nt) {
        const Handle process = platform_.GetCurrentProcess();
        Handle token = 0;
        if (!platform_.OpenProcessToken(process, TOKEN_ADJUST_PRIVILEGES_ | TOKEN_QUERY_, token)) return false;
        struct TokenCloser {
            Platform& p;
            Handle h;
            ~TokenCloser() { p.CloseHandle(h); }
        } closer{platform_, token};
        TokenPrivileges state;
        if (!platform_.LookupPrivilegeValueA(nullptr, "SeShutdownPrivilege", state.luid)) return false;
        state.count = 1;
        state.attributes = SE_PRIVILEGE_ENABLED_;
        TokenPrivileges previous;
        std::uint32_t returned = 0;
        // A non-zero answer goes on whatever the last error says: where the privilege was
        // not assigned, the request is refused, and that refusal is told.
        if (!platform_.AdjustTokenPrivileges(token, false, state, TOKEN_PRIVILEGES_SIZE_, previous, returned)) return false;
    }
    // Where terminal services run (every Windows since Vista) ExitWindowsEx's force does
    // nothing, and its shutdown leaves the power on: a program holding unsaved work
    // would stop it. InitiateShutdownW forces and powers off; where it is missing, or
    // only a name (Wine), ExitWindowsEx does what it can.
    if (nt && !(flags & EWX_REBOOT_)) {
        const auto answer =
            platform_.InitiateShutdownW(0, SHUTDOWN_FORCE_OTHERS_ | SHUTDOWN_FORCE_SELF_ | SHUTDOWN_POWEROFF_, kPlanned);
        if (answer && *answer != ERROR_CALL_NOT_IMPLEMENTED_) return *answer == ERROR_SUCCESS_;
    }
    return platform_.ExitWindowsEx(flags, kPlanned);
}

}  // namespace poko
