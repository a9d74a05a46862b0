// WinINet, the clipboard, the beep and the shared random generator.
//
// A download runs on the user-interface thread and blocks it, so a server that accepts
// the connection and then stalls, or trickles a byte now and then, would freeze the
// program and let its alarm minute pass. Each blocking WinINet call therefore runs on a
// short-lived helper thread while the user-interface thread waits for it, never longer
// than the download's time is up (20 s from InternetOpenA, connect and body together).
// When the time is up the handles are closed, WinINet's way of ending a blocked call,
// and the call fails as a read of a broken connection would. Where closing does not
// wake the blocked call (Wine), the helper thread is simply left to finish on its own
// and clean up after itself; the program has already gone on.
#include <windows.h>
#include <wininet.h>

#include <algorithm>
#include <cstdlib>
#include <cstring>
#include <vector>

#include "platform/win32/win32.h"

namespace poko {

namespace {

constexpr DWORD kDownloadLimitMs = 20000;

HINTERNET H(Handle h) { return reinterpret_cast<HINTERNET>(h); }
const char* Opt(const Bytes* b) { return b ? b->c_str() : nullptr; }

}  // namespace

// One blocking call, shared by the waiting thread and the helper that makes it. Whoever
// is last frees it. The helper owns what it produced once the waiter has given up.
struct BlockingCall {
    enum { Running, Done, Abandoned };
    volatile LONG refs = 2;
    volatile LONG state = Running;
    HANDLE done = CreateEventW(nullptr, TRUE, FALSE, nullptr);
    // Open: root + url + flags give opened. Read: file + buffer give ok and read.
    HINTERNET root = nullptr, file = nullptr, opened = nullptr;
    Bytes url;
    DWORD flags = 0;
    std::vector<char> buffer;
    DWORD read = 0;
    BOOL ok = FALSE;

    void Perform() {
        if (file) {
            ok = ::InternetReadFile(file, buffer.data(), static_cast<DWORD>(buffer.size()), &read);
        } else {
            opened = ::InternetOpenUrlA(root, url.c_str(), nullptr, 0, flags, 0);
        }
    }
    void Release() {
        if (InterlockedDecrement(&refs) == 0) {
            if (done) ::CloseHandle(done);
            delete this;
        }
    }
    static DWORD WINAPI Run(void* p) {
        auto* call = static_cast<BlockingCall*>(p);
        call->Perform();
        if (InterlockedCompareExchange(&call->state, Done, Running) == Abandoned) {
            if (call->opened) ::InternetCloseHandle(call->opened);  // nobody will ever close it
        } else {
            SetEvent(call->done);
        }
        call->Release();
        return 0;
    }
};

// True when the call finished in time; false when the download's time ran out first,
// in which case its handles are closed now.
bool Win32Platform::WaitForBlockingCall(BlockingCall* call) {
    HANDLE thread = call->done ? CreateThread(nullptr, 0, &BlockingCall::Run, call, 0, nullptr) : nullptr;
    if (!thread) {  // no helper to be had: make the call here, without a time limit
        call->Perform();
        InterlockedExchange(&call->state, BlockingCall::Done);
        call->Release();
        return true;
    }
    ::CloseHandle(thread);
    const DWORD left = download_.deadline - GetTickCount();
    const DWORD wait = left > kDownloadLimitMs ? 0 : left;  // past the deadline it has wrapped around
    if (WaitForSingleObject(call->done, wait) == WAIT_OBJECT_0 ||
        InterlockedCompareExchange(&call->state, BlockingCall::Abandoned, BlockingCall::Running) == BlockingCall::Done) {
        return true;
    }
    download_.expired = true;
    for (Handle h : {download_.file, download_.root}) {
        if (!h) continue;
        ::InternetCloseHandle(H(h));
        download_.closedEarly.push_back(h);
    }
    call->Release();
    return false;
}

Handle Win32Platform::InternetOpenA(const Bytes& agent, std::uint32_t accessType, const Bytes* proxy,
                                    const Bytes* proxyBypass, std::uint32_t flags) {
    HINTERNET root = ::InternetOpenA(agent.c_str(), accessType, Opt(proxy), Opt(proxyBypass), flags);
    download_ = {};
    download_.root = reinterpret_cast<Handle>(root);
    download_.deadline = GetTickCount() + kDownloadLimitMs;
    return download_.root;
}

Handle Win32Platform::InternetOpenUrlA(Handle root, const Bytes& url, const Bytes* headers, std::uint32_t headersLength,
                                       std::uint32_t flags, std::uintptr_t context) {
    if (download_.expired) return 0;
    if (headers || headersLength || context || root != download_.root) {  // not a call this program makes
        return reinterpret_cast<Handle>(::InternetOpenUrlA(H(root), url.c_str(), Opt(headers), headersLength, flags, context));
    }
    auto* call = new BlockingCall;
    call->root = H(root);
    call->url = url;
    call->flags = flags;
    if (!WaitForBlockingCall(call)) return 0;
    download_.file = reinterpret_cast<Handle>(call->opened);
    call->Release();
    return download_.file;
}

bool Win32Platform::InternetReadFile(Handle file, char* buffer, std::uint32_t toRead, std::uint32_t& read) {
    read = 0;
    if (download_.expired) return false;
    auto* call = new BlockingCall;
    call->file = H(file);
    // The helper reads into a buffer of its own: if time runs out, the caller's buffer
    // is the caller's again at once, while the helper may still be writing.
    call->buffer.resize(toRead);
    if (!WaitForBlockingCall(call)) return false;
    read = std::min<DWORD>(call->read, toRead);
    std::memcpy(buffer, call->buffer.data(), read);
    const bool ok = call->ok;
    call->Release();
    return ok;
}

bool Win32Platform::InternetCloseHandle(Handle h) {
    auto& early = download_.closedEarly;
    if (auto it = std::find(early.begin(), early.end(), h); it != early.end()) {
        early.erase(it);
        return true;
    }
    if (h == download_.root) download_ = {};
    return ::InternetCloseHandle(H(h));
}

bool Win32Platform::OpenClipboard(Handle owner) { return ::OpenClipboard(reinterpret_cast<HWND>(owner)); }
bool Win32Platform::EmptyClipboard() { return ::EmptyClipboard(); }
bool Win32Platform::CloseClipboard() { return ::CloseClipboard(); }

bool Win32Platform::SetClipboardData(std::uint32_t format, const Bytes& data) {
    HGLOBAL memory = GlobalAlloc(GMEM_MOVEABLE, data.size() + 1);
    if (!memory) return false;
    if (void* p = GlobalLock(memory)) {
        std::memcpy(p, data.c_str(), data.size() + 1);
        GlobalUnlock(memory);
    }
    if (::SetClipboardData(format, memory)) return true;  // the clipboard owns it now
    GlobalFree(memory);
    return false;
}

std::uint32_t Win32Platform::RegisterClipboardFormatA(const Bytes& name) { return ::RegisterClipboardFormatA(name.c_str()); }
bool Win32Platform::MessageBeep(std::uint32_t type) { return ::MessageBeep(type); }

void Win32Platform::Randomize() {
    SYSTEMTIME t;
    GetLocalTime(&t);
    random_.Seed(((t.wHour * 60u + t.wMinute) * 60u + t.wSecond) * 1000u + t.wMilliseconds);
}

// The end-to-end tests make the mascot's choices repeatable: with the test hooks on,
// POKOMARU_TEST_DRAWS lists draws (comma-separated) that come before the generator's.
double Win32Platform::Rnd() {
    if (!drawsRead_) {
        drawsRead_ = true;
        char hooks[4] = {}, list[1024] = {};
        if (GetEnvironmentVariableA("POKOMARU_TEST_HOOKS", hooks, sizeof hooks) == 1 && hooks[0] == '1' &&
            GetEnvironmentVariableA("POKOMARU_TEST_DRAWS", list, sizeof list) < sizeof list) {
            for (char* p = list; *p;) {
                char* end = nullptr;
                const double r = std::strtod(p, &end);
                if (end == p) break;
                if (r >= 0 && r < 1) scriptedDraws_.push_back(r);
                p = *end == ',' ? end + 1 : end;
            }
            std::reverse(scriptedDraws_.begin(), scriptedDraws_.end());
        }
    }
    if (!scriptedDraws_.empty()) {
        const double r = scriptedDraws_.back();
        scriptedDraws_.pop_back();
        return r;
    }
    return random_.Next();
}

}  // namespace poko
