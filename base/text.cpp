// UTF-16 text to and from UTF-8.
#include "base/text.h"

namespace poko {

namespace {

constexpr char32_t kReplacement = 0xFFFD;

void AppendUtf8(std::string& out, char32_t c) {
    if (c < 0x80) {
        out += static_cast<char>(c);
    } else if (c < 0x800) {
        out += static_cast<char>(0xC0 | (c >> 6));
        out += static_cast<char>(0x80 | (c & 0x3F));
    } else if (c < 0x10000) {
        out += static_cast<char>(0xE0 | (c >> 12));
        out += static_cast<char>(0x80 | ((c >> 6) & 0x3F));
        out += static_cast<char>(0x80 | (c & 0x3F));
    } else {
        out += static_cast<char>(0xF0 | (c >> 18));
        out += static_cast<char>(0x80 | ((c >> 12) & 0x3F));
        out += static_cast<char>(0x80 | ((c >> 6) & 0x3F));
        out += static_cast<char>(0x80 | (c & 0x3F));
    }
}

void AppendUtf16(Text& out, char32_t c) {
    if (c < 0x10000) {
        out += static_cast<char16_t>(c);
    } else {
        c -= 0x10000;
        out += static_cast<char16_t>(0xD800 | (c >> 10));
        out += static_cast<char16_t>(0xDC00 | (c & 0x3FF));
    }
}

bool IsHigh(char16_t u) { return u >= 0xD800 && u <= 0xDBFF; }
bool IsLow(char16_t u) { return u >= 0xDC00 && u <= 0xDFFF; }

}  // namespace

std::string ToUtf8(const Text& text) {
    std::string out;
    out.reserve(text.size());
    for (size_t i = 0; i < text.size(); ++i) {
        char16_t u = text[i];
        char32_t c = u;
        if (IsHigh(u) && i + 1 < text.size() && IsLow(text[i + 1])) {
            c = 0x10000 + ((char32_t(u) - 0xD800) << 10) + (char32_t(text[i + 1]) - 0xDC00);
            ++i;
        } else if (IsHigh(u) || IsLow(u)) {
            c = kReplacement;
        }
        AppendUtf8(out, c);
    }
    return out;
}

Text FromUtf8(std::string_view utf8) {
    Text out;
    out.reserve(utf8.size());
    const size_t n = utf8.size();
    size_t i = 0;
    while (i < n) {
        const unsigned char b = static_cast<unsigned char>(utf8[i]);
        if (b < 0x80) {
            out += static_cast<char16_t>(b);
            ++i;
            continue;
        }
        int extra = 0;
        char32_t c = 0;
        char32_t min = 0;
        if (b >= 0xC2 && b <= 0xDF) {
            extra = 1, c = b & 0x1F, min = 0x80;
        } else if (b >= 0xE0 && b <= 0xEF) {
            extra = 2, c = b & 0x0F, min = 0x800;
        } else if (b >= 0xF0 && b <= 0xF4) {
            extra = 3, c = b & 0x07, min = 0x10000;
        } else {
            // Stray continuation byte or a lead byte that can never be valid.
            out += static_cast<char16_t>(kReplacement);
            ++i;
            continue;
        }
        size_t j = i + 1;
        for (; j < n && j <= i + extra; ++j) {
            const unsigned char cb = static_cast<unsigned char>(utf8[j]);
            if ((cb & 0xC0) != 0x80) break;
            c = (c << 6) | (cb & 0x3F);
        }
        const bool complete = j == i + 1 + extra;
        if (!complete || c < min || c > 0x10FFFF || (c >= 0xD800 && c <= 0xDFFF)) {
            // Drop the lead byte and the continuation bytes it took, not what follows,
            // so a valid character right after a broken one survives.
            out += static_cast<char16_t>(kReplacement);
            i = j;
            continue;
        }
        AppendUtf16(out, c);
        i = j;
    }
    return out;
}

}  // namespace poko
