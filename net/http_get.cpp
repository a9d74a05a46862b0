// The one HTTP download, HttpGetBytes.
#include "net/http_get.h"

#include <algorithm>

#include "base/ansi.h"

namespace poko {

namespace {

// Both handles are closed however the download ends, the URL's first.
struct InternetHandle {
    Platform& platform;
    Handle h;
    ~InternetHandle() {
        if (h) platform.InternetCloseHandle(h);
    }
};

}  // namespace

std::int32_t HttpGetBytes(Platform& platform, const Text& url, Bytes& body, std::uint32_t moreFlags) {
    if (url.empty()) return 0;
    InternetHandle root{platform, platform.InternetOpenA(kUserAgent, INTERNET_OPEN_TYPE_PRECONFIG_, nullptr, nullptr, 0)};
    if (!root.h) return 0;
    // Always the server, never the cache.
    InternetHandle file{platform, platform.InternetOpenUrlA(root.h, ToAnsi(url), nullptr, 0, INTERNET_FLAG_RELOAD_ | moreFlags, 0)};
    if (!file.h) return 0;

    // The body is read straight into `body`, the caller's own storage. Its room is reserved
    // as the fixed steps have it, the memory at least doubling, and only what each read
    // brings is touched; a long body is never copied at the end.
    body.clear();
    std::uint32_t size = kBufferStep, total = 0;
    body.reserve(size);
    for (;;) {
        if (const std::uint32_t grown = BufferBeforeRead(size, total); grown != size) body.reserve(size = grown);
        const std::uint32_t ask = std::min(kReadSize, kMaxBody - total);
        body.resize(total + ask);
        std::uint32_t n = 0;
        const bool ok = platform.InternetReadFile(file.h, body.data() + total, ask, n);
        total += std::min(n, ask);  // counted also when the call reports failure
        if (n == 0 || !ok || total >= kMaxBody) break;
    }
    // Trimmed once: exactly the body, or empty. A page gives back the room it did not use;
    // a long body keeps its slack rather than be copied once more.
    body.resize(total);
    if (total < kBufferStep) body.shrink_to_fit();
    return static_cast<std::int32_t>(total);
}

}  // namespace poko
