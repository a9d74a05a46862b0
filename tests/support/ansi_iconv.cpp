// The ANSI code page of the native builds (tests, fuzz targets, benchmarks): iconv with
// CP932, or the code page a test chose.
#include "base/ansi.h"

#include <iconv.h>

#include <algorithm>
#include <atomic>
#include <cerrno>
#include <cstdio>
#include <memory>
#include <optional>
#include <vector>

namespace poko {

namespace {

constexpr char16_t kReplacement = 0xFFFD;

// A conversion descriptor. Each direction keeps one (see Encoder, Decoder): opening one
// costs far more than a conversion, and the tests convert thousands of texts.
class Converter {
public:
    Converter(const char* to, const char* from) : cd_(iconv_open(to, from)) {}
    ~Converter() {
        if (ok()) iconv_close(cd_);
    }
    Converter(const Converter&) = delete;
    Converter& operator=(const Converter&) = delete;

    bool ok() const { return cd_ != reinterpret_cast<iconv_t>(-1); }
    // Back to the initial state, so that nothing carries over from an earlier failure.
    Converter& Reset() {
        if (ok()) iconv(cd_, nullptr, nullptr, nullptr, nullptr);
        return *this;
    }

    // Converts as much as it can; stops at a bad or incomplete sequence or a full
    // output buffer and reports errno, 0 when all input was consumed.
    int Step(const char*& in, size_t& in_left, char*& out, size_t& out_left) {
        // iconv's POSIX signature takes char**; it does not write through it.
        char* src = const_cast<char*>(in);
        const size_t r = iconv(cd_, &src, &in_left, &out, &out_left);
        in = src;
        return r == static_cast<size_t>(-1) ? errno : 0;
    }

private:
    iconv_t cd_;
};

// Plain data, set before any constructor runs: tests convert text in their own static
// initialisers.
char g_codePage[32] = "CP932";
std::atomic<int> g_codePageChanges{0};

// This thread's descriptor for one direction, made again after the code page changed.
Converter& ConverterFor(bool encode) {
    thread_local std::unique_ptr<Converter> to, from;
    thread_local int made = -1;
    if (made != g_codePageChanges) {
        to = std::make_unique<Converter>(g_codePage, "UTF-16LE");
        from = std::make_unique<Converter>("UTF-16LE", g_codePage);
        made = g_codePageChanges;
    }
    return (encode ? *to : *from).Reset();
}

Converter& Encoder() { return ConverterFor(true); }
Converter& Decoder() { return ConverterFor(false); }

// The output length of one whole conversion, or nothing when iconv cannot make it.
std::optional<size_t> ConvertWhole(Converter& conv, const char* in, size_t in_left, char* out, size_t room) {
    char* dst = out;
    if (conv.Reset().Step(in, in_left, dst, room) != 0) return std::nullopt;
    return static_cast<size_t>(dst - out);
}

bool IsSurrogate(char16_t u) { return u >= 0xD800 && u <= 0xDFFF; }
bool IsHighSurrogate(char16_t u) { return u >= 0xD800 && u <= 0xDBFF; }
bool IsLowSurrogate(char16_t u) { return u >= 0xDC00 && u <= 0xDFFF; }

}  // namespace

void UseNativeCodePage(const char* iconvName) {
    std::snprintf(g_codePage, sizeof g_codePage, "%s", iconvName);
    ++g_codePageChanges;
}

std::string ToAnsi(const Text& text) {
    Converter& to = Encoder();
    Converter& back = Decoder();
    std::string out;
    if (!to.ok() || !back.ok()) {
        // No CP932 on this host: keep what is ASCII, as the code page would.
        for (char16_t u : text) out += u < 0x80 ? static_cast<char>(u) : '?';
        return out;
    }

    // One character at a time, and only one that converts back to itself: iconv also
    // maps some characters one way (U+00A5 to a backslash, U+2212 to the full-width minus),
    // where Windows without best fit writes '?'.
    for (size_t i = 0; i < text.size(); ++i) {
        const char16_t u = text[i];
        if (IsSurrogate(u)) {
            // The code page has nothing beyond the BMP: one '?' for a pair or a lone half.
            if (IsHighSurrogate(u) && i + 1 < text.size() && IsLowSurrogate(text[i + 1])) ++i;
            out += '?';
            continue;
        }
        const char unit[2] = {static_cast<char>(u & 0xFF), static_cast<char>(u >> 8)};
        char bytes[4], again[4];
        const auto n = ConvertWhole(to, unit, sizeof unit, bytes, sizeof bytes);
        const auto m = n ? ConvertWhole(back, bytes, *n, again, sizeof again) : std::nullopt;
        if (m == sizeof unit && std::equal(unit, unit + 2, again)) out.append(bytes, *n);
        else out += '?';
    }
    return out;
}

Text FromAnsi(std::string_view ansi) {
    Converter& conv = Decoder();
    Text out;
    if (!conv.ok()) {
        for (char c : ansi) {
            const auto b = static_cast<unsigned char>(c);
            out += b < 0x80 ? static_cast<char16_t>(b) : kReplacement;
        }
        return out;
    }

    // One CP932 byte never yields more than one UTF-16 unit (two bytes).
    std::vector<char> buf(ansi.size() * 2 + 16);
    out.reserve(ansi.size());
    const char* in = ansi.data();
    size_t in_left = ansi.size();
    auto flush = [&](const char* end) {
        const size_t at = out.size(), units = static_cast<size_t>(end - buf.data()) / 2;
        out.resize(at + units);
        for (size_t i = 0; i < units; ++i)
            out[at + i] = static_cast<char16_t>(static_cast<unsigned char>(buf[2 * i]) |
                                                (static_cast<unsigned char>(buf[2 * i + 1]) << 8));
    };
    while (in_left > 0) {
        char* dst = buf.data();
        size_t dst_left = buf.size();
        const int err = conv.Step(in, in_left, dst, dst_left);
        flush(dst);
        if (err == 0 || err == E2BIG) continue;
        // An undefined byte, a lead byte with a bad trail byte, or a lead byte cut
        // off by the end: mark it and resume at the next byte.
        out += kReplacement;
        ++in;
        --in_left;
    }
    return out;
}

}  // namespace poko
