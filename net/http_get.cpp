#include "net/http_get.h"

#include <algorithm>
#include <cstring>
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

    // Not filled in advance: of a buffer sized for megabytes, only what arrives is touched.
    // The buffer grows by its fixed step; the memory behind it at least doubles, so that
    // a long body is moved a few times rather than once every three reads.
    std::uint32_t size = kBufferStep, room = kBufferStep, total = 0;
    std::unique_ptr<char[]> buffer(new char[room]);
    for (;;) {
        if (const std::uint32_t grown = BufferBeforeRead(size, total); grown != size) {
            if (grown > room) {
                room = std::max(grown, std::min(2 * room, kMaxBody + kBufferStep));
                std::unique_ptr<char[]> bigger(new char[room]);
                std::memcpy(bigger.get(), buffer.get(), total);
                buffer = std::move(bigger);
            }
            size = grown;
        }
        const std::uint32_t ask = std::min(kReadSize, kMaxBody - total);
        std::uint32_t n = 0;
        const bool ok = platform.InternetReadFile(file.h, buffer.get() + total, ask, n);
        total += std::min(n, ask);  // counted also when the call reports failure
        if (n == 0 || !ok || total >= kMaxBody) break;
    }
    body.assign(buffer.get(), total);  // trimmed once: exactly the body, or empty
    body.shrink_to_fit();
    return static_cast<std::int32_t>(total);
}

}  // namespace poko
