// Shared by the fuzz targets: a property that fails prints what it promised and the
// values involved, then aborts, which libFuzzer reports as a crash with the input saved.
#pragma once

#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <string_view>

#include "base/text.h"

namespace fuzz {

inline void Check(bool holds, const char* promise, const std::string& detail = {}) {
    if (holds) return;
    std::fprintf(stderr, "property broken: %s\n%s\n", promise, detail.c_str());
    std::abort();
}

inline std::string_view Bytes(const std::uint8_t* data, std::size_t size) {
    return {reinterpret_cast<const char*>(data), size};
}

// Input as the program's text: UTF-8, so that seeds stay readable; malformed
// sequences become U+FFFD.
inline poko::Text TextOf(const std::uint8_t* data, std::size_t size) { return poko::FromUtf8(Bytes(data, size)); }

}  // namespace fuzz
