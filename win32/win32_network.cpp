// WinINet, the clipboard, the beep and the shared random generator.
//
// A download runs on the user-interface thread and blocks it, so a server that accepts
// the connection and then stalls, or trickles a byte now and then, would freeze the
// program and let its alarm minute pass. So the blocking WinINet calls of a download
// are made by a helper thread while the user-interface thread waits for each, never
// past the download's time (kDownloadTimeLimitMs from InternetOpenA). When the time is
// up the handles are closed, WinINet's way of ending a blocked call, and the call fails
// as a read of a broken connection would. Where closing does not wake
// the blocked call (Wine), the helper is left to finish on its own and clean up after
// itself; the program has long gone on. What such a helper holds meanwhile is kept
// small (a stack of kHelperStack, its own read buffer), so that stall after stall cannot
// use up a 32-bit address space; and a step whose time is already up is not started.
//
// While it waits, the user-interface thread answers what other programs and the system
// send to its windows, and so is never taken for hung (Windows ghosts a window whose
// thread has not looked at its queue for 5 s, and offers to end it). It takes nothing
// posted, no input and no timer, and a sent message that would run the program's own
// handlers comes again after the download (WindowProc): to the program the download
// is still one call that blocks.
#include <windows.h>
#include <wininet.h>

#include <algorithm>
#include <cstring>
#include <memory>
#include <vector>

#include "net/http_get.h"
#include "win32/win32.h"

namespace poko {

namespace {

constexpr SIZE_T kHelperStack = 256 * 1024;
constexpr std::uint32_t kLookAtQueueMs = 1000;  // well within the time after which a window counts as hung

HINTERNET H(Handle h) { return reinterpret_cast<HINTERNET>(h); }
const char* Opt(const Bytes* b) { return b ? b->c_str() : nullptr; }

bool g_waiting = false;

}  // namespace

bool DownloadWaiting() { return g_waiting; }

// The helper thread of one download. It makes one call at a time while the user-
// interface thread waits. Once that thread has given up waiting, the helper owns what
// it produced; it ends and cleans up. Each thread holds a reference to the record
// (SharedRef): whichever leaves last frees it.
struct DownloadWorker {
    enum { Idle, Busy, Abandoned };
    volatile LONG refs = 0;
    volatile LONG state = Idle;
    KernelHandle request{CreateEventW(nullptr, FALSE, FALSE, nullptr)};
    KernelHandle done{CreateEventW(nullptr, FALSE, FALSE, nullptr)};
    bool quit = false;
    // The call: an open when file is null, else a read; and what it gave.
    HINTERNET root = nullptr, file = nullptr, opened = nullptr;
    Bytes url;
    DWORD flags = 0, toRead = 0, read = 0;
    BOOL ok = FALSE;
    // Its own: a read that ends late never writes into the caller's memory. Not filled in
    // advance, so a short page touches only what arrives.
    std::unique_ptr<char[]> buffer;
    DWORD bufferSize = 0;

    void Perform() {
        if (file) {
            if (bufferSize < toRead) buffer.reset(new char[bufferSize = toRead]);
            ok = ::InternetReadFile(file, buffer.get(), toRead, &read);
        } else {
            opened = ::InternetOpenUrlA(root, url.c_str(), nullptr, 0, flags, 0);
        }
    }
    static DWORD WINAPI Run(void* p) {
        // The helper's reference, let go as it ends (the record's events with it, if last).
        const auto w = SharedRef<DownloadWorker>::Adopt(static_cast<DownloadWorker*>(p));
        for (;;) {
            WaitForSingleObject(w->request.Get(), INFINITE);
            if (w->quit) break;
            w->Perform();
            if (InterlockedCompareExchange(&w->state, Idle, Busy) == Busy) {
                SetEvent(w->done.Get());
                continue;
            }
            if (!w->file && w->opened) ::InternetCloseHandle(w->opened);  // arrived too late for anyone
            break;
        }
        return 0;
    }
    static SharedRef<DownloadWorker> Start() {
        SharedRef<DownloadWorker> w(new DownloadWorker);
        if (!w->request.Get() || !w->done.Get()) return {};
        SharedRef<DownloadWorker> helpers = w;
        // The thread runs on by itself: its handle is not kept.
        const KernelHandle thread{
            CreateThread(nullptr, kHelperStack, &Run, helpers.Get(), STACK_SIZE_PARAM_IS_A_RESERVATION, nullptr)};
        if (!thread.Get()) return {};
        helpers.Release();  // the thread's now (Run)
        return w;
    }
    // Ends an idle helper; the caller then lets go of its reference.
    void Quit() {
        quit = true;
        SetEvent(request.Get());
    }
};

// Waits for the helper's answer until the download's time is up, answering meanwhile
// the messages sent to the program's windows, and looking at the queue at least once a
// second even when none comes. False when the time ran out first.
bool Win32Platform::WaitForHelper(HANDLE done) {
    g_waiting = true;
    bool answered = false;
    for (;;) {
        const auto left = StepTimeLeft(download_.started, GetTickCount(), downloadLimitMs_);
        const DWORD wait = left ? std::min(*left, kLookAtQueueMs) : 0;
        if (MsgWaitForMultipleObjects(1, &done, FALSE, wait, QS_SENDMESSAGE) == WAIT_OBJECT_0) {
            answered = true;
            break;
        }
        if (!left) break;
        MSG msg;
        PeekMessageW(&msg, nullptr, 0, 0, PM_NOREMOVE | PM_QS_SENDMESSAGE);  // runs the sent ones only
    }
    g_waiting = false;
    return answered;
}

// True when the helper made the call in time; false when the download's time ran out
// first, in which case its handles are closed now and the helper is let go.
bool Win32Platform::CallInTime() {
    DownloadWorker* w = download_.worker.Get();
    if (StepTimeLeft(download_.started, GetTickCount(), downloadLimitMs_)) {
        InterlockedExchange(&w->state, DownloadWorker::Busy);
        SetEvent(w->request.Get());
        if (WaitForHelper(w->done.Get())) return true;
        if (InterlockedCompareExchange(&w->state, DownloadWorker::Abandoned, DownloadWorker::Busy) != DownloadWorker::Busy) {
            WaitForSingleObject(w->done.Get(), INFINITE);  // it finished just as time ran out
            return true;
        }
    } else {
        w->Quit();  // idle: it ends at once
    }
    download_.expired = true;
    download_.worker.Reset();  // the helper, if still busy, lets go of the record last
    for (Handle h : {download_.file, download_.root}) {
        if (!h) continue;
        ::InternetCloseHandle(H(h));
        download_.closedEarly.push_back(h);
    }
    return false;
}

Win32Platform::Win32Platform(FormView& view, std::uint32_t downloadLimitMs)
    : view_(view), downloadLimitMs_(downloadLimitMs) {}
Win32Platform::~Win32Platform() = default;

void Win32Platform::EndDownload() {
    if (download_.worker) download_.worker->Quit();
    download_ = {};
}

Handle Win32Platform::InternetOpenA(const Bytes& agent, std::uint32_t accessType, const Bytes* proxy,
                                    const Bytes* proxyBypass, std::uint32_t flags) {
    EndDownload();
    download_.root = reinterpret_cast<Handle>(::InternetOpenA(agent.c_str(), accessType, Opt(proxy), Opt(proxyBypass), flags));
    download_.started = GetTickCount();
    return download_.root;
}

Handle Win32Platform::InternetOpenUrlA(Handle root, const Bytes& url, const Bytes* headers, std::uint32_t headersLength,
                                       std::uint32_t flags, std::uintptr_t context) {
    if (download_.expired) return 0;
    if (root == download_.root && !headers && !download_.worker) download_.worker = DownloadWorker::Start();
    DownloadWorker* w = root == download_.root && !headers ? download_.worker.Get() : nullptr;
    if (!w)  // no helper to be had: the call is made here, without a time limit
        return reinterpret_cast<Handle>(::InternetOpenUrlA(H(root), url.c_str(), Opt(headers), headersLength, flags, context));
    w->root = H(root), w->file = nullptr, w->opened = nullptr, w->url = url, w->flags = flags;
    if (!CallInTime()) return 0;
    download_.file = reinterpret_cast<Handle>(w->opened);
    return download_.file;
}

bool Win32Platform::InternetReadFile(Handle file, char* buffer, std::uint32_t toRead, std::uint32_t& read) {
    read = 0;
    if (download_.expired) return false;
    DownloadWorker* w = file == download_.file ? download_.worker.Get() : nullptr;
    if (!w) {
        DWORD n = 0;
        const bool ok = ::InternetReadFile(H(file), buffer, toRead, &n);
        read = n;
        return ok;
    }
    w->file = H(file), w->toRead = toRead, w->read = 0, w->ok = FALSE;
    if (!CallInTime()) return false;
    read = std::min<DWORD>(w->read, toRead);
    std::memcpy(buffer, w->buffer.get(), read);
    return w->ok;
}

bool Win32Platform::InternetCloseHandle(Handle h) {
    auto& early = download_.closedEarly;
    if (auto it = std::find(early.begin(), early.end(), h); it != early.end()) {
        early.erase(it);  // closed already, when time ran out
        return true;
    }
    if (h == download_.root) EndDownload();
    return ::InternetCloseHandle(H(h));
}

bool Win32Platform::OpenClipboard(Handle owner) {
    return Checked(L"OpenClipboard", ::OpenClipboard(reinterpret_cast<HWND>(owner)));
}
bool Win32Platform::EmptyClipboard() { return Checked(L"EmptyClipboard", ::EmptyClipboard()); }
bool Win32Platform::CloseClipboard() { return Checked(L"CloseClipboard", ::CloseClipboard()); }

bool Win32Platform::SetClipboardData(std::uint32_t format, const Bytes& data) {
    GlobalMemory memory(Checked(L"GlobalAlloc", GlobalAlloc(GMEM_MOVEABLE, data.size() + 1)));
    if (!memory.Get()) return false;
    // Nothing copied: a block of whatever it held must not reach the clipboard.
    void* p = Checked(L"GlobalLock", GlobalLock(memory.Get()));
    if (!p) return false;
    std::memcpy(p, data.c_str(), data.size() + 1);
    GlobalUnlock(memory.Get());
    if (!Checked(L"SetClipboardData", ::SetClipboardData(format, memory.Get()))) return false;
    memory.Release();  // the clipboard owns it now
    return true;
}

std::uint32_t Win32Platform::RegisterClipboardFormatA(const Bytes& name) { return ::RegisterClipboardFormatA(name.c_str()); }
bool Win32Platform::MessageBeep(std::uint32_t type) { return ::MessageBeep(type); }

void Win32Platform::Randomize() {
    SYSTEMTIME t;
    GetLocalTime(&t);
    random_.Seed(((t.wHour * 60u + t.wMinute) * 60u + t.wSecond) * 1000u + t.wMilliseconds);
}

// With the test hooks on, draws given in advance come first (test_hooks.cpp).
double Win32Platform::Rnd() {
    if (!drawsRead_) {
        drawsRead_ = true;
        scriptedDraws_ = ScriptedDraws();
    }
    if (!scriptedDraws_.empty()) {
        const double r = scriptedDraws_.back();
        scriptedDraws_.pop_back();
        return r;
    }
    return random_.Next();
}

}  // namespace poko
