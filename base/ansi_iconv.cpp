#include "base/ansi.h"

#include <iconv.h>

#include <cerrno>
#include <vector>

namespace poko {

namespace {

constexpr char16_t kReplacement = 0xFFFD;

// One conversion descriptor per call: conversions happen a handful of times per
// user action, and a fresh descriptor carries no state from an earlier failure.
class Converter {
public:
    Converter(const char* to, const char* from) : cd_(iconv_open(to, from)) {}
    ~Converter() {
        if (ok()) iconv_close(cd_);
    }
    Converter(const Converter&) = delete;
    Converter& operator=(const Converter&) = delete;

    bool ok() const { return cd_ != reinterpret_cast<iconv_t>(-1); }

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

bool IsHighSurrogateAt(const char* p, size_t left) {
    if (left < 2) return false;
    const unsigned u = static_cast<unsigned char>(p[0]) | (static_cast<unsigned char>(p[1]) << 8);
    return u >= 0xD800 && u <= 0xDBFF;
}

bool IsLowSurrogateAt(const char* p, size_t left) {
    if (left < 2) return false;
    const unsigned u = static_cast<unsigned char>(p[0]) | (static_cast<unsigned char>(p[1]) << 8);
    return u >= 0xDC00 && u <= 0xDFFF;
}

}  // namespace

std::string ToAnsi(const Text& text) {
    // Explicit little-endian bytes, so the host's byte order does not matter.
    std::vector<char> utf16;
    utf16.reserve(text.size() * 2);
    for (char16_t u : text) {
        utf16.push_back(static_cast<char>(u & 0xFF));
        utf16.push_back(static_cast<char>(u >> 8));
    }

    Converter conv("CP932", "UTF-16LE");
    std::string out;
    if (!conv.ok()) {
        // No CP932 on this host: keep what is ASCII, as the code page would.
        for (char16_t u : text) out += u < 0x80 ? static_cast<char>(u) : '?';
        return out;
    }

    // CP932 needs at most two bytes per UTF-16 unit; the slack covers '?' marks.
    std::string buf(utf16.size() + 16, '\0');
    const char* in = utf16.data();
    size_t in_left = utf16.size();
    while (in_left > 0) {
        char* dst = buf.data();
        size_t dst_left = buf.size();
        const int err = conv.Step(in, in_left, dst, dst_left);
        out.append(buf.data(), static_cast<size_t>(dst - buf.data()));
        if (err == 0 || err == E2BIG) continue;
        // EILSEQ: a character CP932 lacks, or a lone surrogate. EINVAL: a high
        // surrogate cut off by the end. Either way one '?' for the character and
        // move past it, so the loop always advances.
        out += '?';
        size_t skip = 2;
        if (IsHighSurrogateAt(in, in_left) && IsLowSurrogateAt(in + 2, in_left - 2)) skip = 4;
        if (skip > in_left) skip = in_left;
        in += skip;
        in_left -= skip;
    }
    return out;
}

Text FromAnsi(std::string_view ansi) {
    Converter conv("UTF-16LE", "CP932");
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
