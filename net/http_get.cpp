#include "net/http_get.h"

#include <algorithm>
#include <memory>

#include "base/ansi.h"

namespace poko {

namespace {

constexpr std::uint32_t INTERNET_OPEN_TYPE_PRECONFIG_ = 0, INTERNET_OPEN_TYPE_PROXY_ = 3;
constexpr std::uint32_t INTERNET_FLAG_RELOAD_ = 0x80000000;  // always the server, never the cache

// Both handles are closed however the download ends, the URL's first.
struct InternetHandle {
    Platform& platform;
    Handle h;
    ~InternetHandle() {
        if (h) platform.InternetCloseHandle(h);
    }
};

}  // namespace

std::int32_t HttpGetBytes(Platform& platform, const Text& url, Bytes& body, const Text& proxy,
                          std::uint32_t moreFlags) {
    if (url.empty()) return 0;
    const Bytes proxyAnsi = ToAnsi(proxy);
    InternetHandle root{platform, platform.InternetOpenA(kUserAgent,
                                                         proxy.empty() ? INTERNET_OPEN_TYPE_PRECONFIG_ : INTERNET_OPEN_TYPE_PROXY_,
                                                         proxy.empty() ? nullptr : &proxyAnsi, nullptr, 0)};
    if (!root.h) return 0;
    InternetHandle file{platform, platform.InternetOpenUrlA(root.h, ToAnsi(url), nullptr, 0, INTERNET_FLAG_RELOAD_ | moreFlags, 0)};
    if (!file.h) return 0;

    // A page arrives in the first buffer, not filled in advance: of a buffer sized for
    // megabytes only what arrives is touched. Where that buffer would grow (its size kept
    // as the fixed steps have it), the body moves into `body` once and the later reads
    // land there: a long body, in the caller's own storage, is neither moved again by the
    // growth nor copied at the end.
    std::uint32_t size = kBufferStep, total = 0;
    std::unique_ptr<char[]> first(new char[kBufferStep]);
    for (;;) {
        if (const std::uint32_t grown = BufferBeforeRead(size, total); grown != size) {
            if (first) {
                body.assign(first.get(), total);
                first.reset();
            }
            size = grown;
        }
        const std::uint32_t ask = std::min(kReadSize, kMaxBody - total);
        if (!first && body.size() < total + ask) body.resize(total + ask);  // the string's memory at least doubles
        std::uint32_t n = 0;
        const bool ok = platform.InternetReadFile(file.h, (first ? first.get() : body.data()) + total, ask, n);
        total += std::min(n, ask);  // counted also when the call reports failure
        if (n == 0 || !ok || total >= kMaxBody) break;
    }
    // Trimmed once: exactly the body, or empty.
    if (first) {
        body.assign(first.get(), total);
        body.shrink_to_fit();
    } else {
        body.resize(total);
    }
    return static_cast<std::int32_t>(total);
}

}  // namespace poko
