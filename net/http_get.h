// The program's one network access: the body of one URL, fetched with an HTTP GET
// through WinINet. Synchronous; it shows nothing, and 0 means nothing arrived.
#pragma once

#include <cstdint>
#include <optional>

#include "base/text.h"
#include "platform/platform.h"

namespace poko {

inline constexpr char kUserAgent[] = "Monazilla/1.00 (VELT/0.01)";
inline constexpr std::uint32_t kReadSize = 1024000;       // asked for in each read
inline constexpr std::uint32_t kBufferStep = 3276700;     // first buffer size, and its growth
// A page is never longer than this: a server that sends without end gets what has
// arrived by then, as if the connection had broken (the 32-bit process would run out
// of memory long before the body ended).
inline constexpr std::uint32_t kMaxBody = 32u << 20;
// Nor does it take longer than this, connect and body together: a server that accepts
// and then stalls, or trickles, must not hold the program past its alarm minute. The
// platform is given it when it is made, as it runs the clock of a download.
inline constexpr std::uint32_t kDownloadTimeLimitMs = 20000;

// The buffer's size before a read at `total`: it grows by one step whenever the read
// could pass its highest index.
constexpr std::uint32_t BufferBeforeRead(std::uint32_t size, std::uint32_t total) {
    return static_cast<std::uint64_t>(total) + kReadSize > size - 1u ? size + kBufferStep : size;
}

// What is left of a download's time `limit` for its next step, the step about to start
// at `now`, the download having started at `started` (tick counts in milliseconds, which
// wrap around); nothing when the time is up, and the step is then not started at all.
constexpr std::optional<std::uint32_t> StepTimeLeft(std::uint32_t started, std::uint32_t now, std::uint32_t limit) {
    const std::uint32_t spent = now - started;
    return spent < limit ? std::optional<std::uint32_t>(limit - spent) : std::nullopt;
}

// Fills `body` with exactly the bytes received and returns their count. When no
// connection could be made (or `url` is empty) it returns 0 and leaves `body` as it
// was; a connection that brought no bytes leaves `body` empty. It goes through the
// system's internet settings (every caller asks for no proxy of its own). `moreFlags`
// go to InternetOpenUrlA beside INTERNET_FLAG_RELOAD.
std::int32_t HttpGetBytes(Platform& platform, const Text& url, Bytes& body, std::uint32_t moreFlags = 0);

// For an address that a downloaded page named rather than the user: no cookies go with
// it (a hostile page could otherwise have the user's cookies sent to a site of its
// choosing) and WinINet shows no dialog of its own.
inline constexpr std::uint32_t kNamedByPageFlags = INTERNET_FLAG_NO_COOKIES_ | INTERNET_FLAG_NO_UI_;

}  // namespace poko
