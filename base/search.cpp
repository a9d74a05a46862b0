// Searching and cutting text with 1-based positions.
#include "base/search.h"

#include <climits>

namespace poko {

namespace {

// Positions are int, as the callers count; a text longer than INT_MAX cannot
// arise in this program, so sizes are clamped rather than checked everywhere.
int Len(const Text& s) { return s.size() > INT_MAX - 1 ? INT_MAX - 1 : static_cast<int>(s.size()); }

char16_t FoldAscii(char16_t c) { return c >= u'A' && c <= u'Z' ? static_cast<char16_t>(c + 32) : c; }

}  // namespace

int InStr(const Text& s, const Text& find, int start) {
    if (start < 1) start = 1;
    if (start > Len(s) + 1) return 0;
    if (find.empty()) return start;
    const size_t at = s.find(find, static_cast<size_t>(start - 1));
    return at == Text::npos ? 0 : static_cast<int>(at) + 1;
}

int InStrRev(const Text& s, const Text& find) {
    if (find.empty()) return Len(s) + 1;
    const size_t at = s.rfind(find);
    return at == Text::npos ? 0 : static_cast<int>(at) + 1;
}

int InStrText(std::u16string_view s, std::u16string_view find, int start) {
    if (start < 1) start = 1;
    if (static_cast<size_t>(start) > s.size() + 1) return 0;
    if (find.empty()) return start;
    if (find.size() > s.size()) return 0;
    const char16_t first = FoldAscii(find[0]);
    const bool letter = first >= u'a' && first <= u'z';
    const size_t last = s.size() - find.size();
    for (size_t at = static_cast<size_t>(start - 1); at <= last; ++at) {
        // Markup starts with a sign, not a letter: jump to it without folding each unit.
        if (!letter) {
            at = s.find(first, at);
            if (at == std::u16string_view::npos || at > last) return 0;
        } else if (FoldAscii(s[at]) != first) {
            continue;
        }
        size_t i = 1;
        while (i < find.size() && FoldAscii(s[at + i]) == FoldAscii(find[i])) ++i;
        if (i == find.size()) return static_cast<int>(at) + 1;
    }
    return 0;
}

Text Mid(const Text& s, int start, int length) {
    if (start < 1) start = 1;
    const size_t from = static_cast<size_t>(start - 1);
    if (from >= s.size()) return {};
    return length < 0 ? s.substr(from) : s.substr(from, static_cast<size_t>(length));
}

Text Left(const Text& s, int n) {
    if (n <= 0) return {};
    return s.substr(0, static_cast<size_t>(n));
}

Text Right(const Text& s, int n) {
    if (n <= 0) return {};
    const size_t count = static_cast<size_t>(n);
    return count >= s.size() ? s : s.substr(s.size() - count);
}

Text ReplaceAll(const Text& s, const Text& find, const Text& with) {
    if (find.empty()) return s;
    Text out;
    out.reserve(s.size());
    size_t from = 0;
    for (size_t at; (at = s.find(find, from)) != Text::npos; from = at + find.size()) {
        out.append(s, from, at - from);
        out += with;
    }
    out.append(s, from, Text::npos);
    return out;
}

Text AsciiUpper(const Text& s) {
    Text out = s;
    for (char16_t& c : out) {
        if (c >= u'a' && c <= u'z') c = static_cast<char16_t>(c - u'a' + u'A');
    }
    return out;
}

}  // namespace poko
