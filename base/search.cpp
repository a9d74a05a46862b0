// Searching and cutting text with 1-based positions.
#include "base/search.h"

#include <climits>

namespace poko {

namespace {

// Positions are int, as the callers count; a text longer than INT_MAX cannot
// arise in this program, so sizes are clamped rather than checked everywhere.
int Len(const Text& s) { return s.size() > INT_MAX - 1 ? INT_MAX - 1 : static_cast<int>(s.size()); }

// Half-width katakana U+FF61 to U+FF9D as full-width (the sound marks U+FF9E and
// U+FF9F on their own are handled apart).
constexpr std::u16string_view kHalfWidthKana =
    u"\u3002\u300C\u300D\u3001\u30FB\u30F2\u30A1\u30A3\u30A5\u30A7\u30A9\u30E3\u30E5\u30E7\u30C3\u30FC"
    u"\u30A2\u30A4\u30A6\u30A8\u30AA\u30AB\u30AD\u30AF\u30B1\u30B3\u30B5\u30B7\u30B9\u30BB\u30BD\u30BF"
    u"\u30C1\u30C4\u30C6\u30C8\u30CA\u30CB\u30CC\u30CD\u30CE\u30CF\u30D2\u30D5\u30D8\u30DB\u30DE\u30DF"
    u"\u30E0\u30E1\u30E2\u30E4\u30E6\u30E8\u30E9\u30EA\u30EB\u30EC\u30ED\u30EF\u30F3";
constexpr char16_t kVoiced = 0xFF9E, kSemiVoiced = 0xFF9F;

bool IsHalfWidthKana(char16_t c) { return c >= 0xFF61 && c <= 0xFF9D; }

// The full-width katakana that a half-width one and the sound mark after it make, or 0.
char16_t Voiced(char16_t kana, char16_t mark) {
    const bool ha = kana >= u'\u30CF' && kana <= u'\u30DB' && (kana - u'\u30CF') % 3 == 0;  // ハ ヒ フ ヘ ホ
    if (mark == kSemiVoiced) return ha ? static_cast<char16_t>(kana + 2) : 0;
    if (mark != kVoiced) return 0;
    if (ha) return static_cast<char16_t>(kana + 1);
    if (kana == u'\u30A6') return u'\u30F4';  // ウ: ヴ
    if (kana == u'\u30EF' || kana == u'\u30F2') return static_cast<char16_t>(kana + 8);  // ワ ヲ: ヷ ヺ
    // カ to ト: カ キ ク ケ コ サ シ ス セ ソ タ チ, then ツ テ ト a place further on (ッ lies between).
    if (kana >= u'\u30AB' && kana <= u'\u30C1') return (kana - u'\u30AB') % 2 == 0 ? static_cast<char16_t>(kana + 1) : 0;
    if (kana >= u'\u30C4' && kana <= u'\u30C8') return (kana - u'\u30C4') % 2 == 0 ? static_cast<char16_t>(kana + 1) : 0;
    return 0;
}

char16_t FoldAscii(char16_t c) { return c >= u'A' && c <= u'Z' ? static_cast<char16_t>(c + 32) : c; }

// The fold of SameFolded at s[i] beyond ASCII.
char16_t FoldedWide(std::u16string_view s, size_t i) {
    const char16_t c = s[i];
    if (c >= 0xFF01 && c <= 0xFF5E) return FoldAscii(static_cast<char16_t>(c - 0xFEE0));  // full-width ASCII
    if (c == 0x3000) return u' ';
    if (c >= 0x3041 && c <= 0x3096) return static_cast<char16_t>(c + 0x60);  // hiragana
    if (c == 0x309D || c == 0x309E) return static_cast<char16_t>(c + 0x60);   // ゝ ゞ
    if (IsHalfWidthKana(c)) {
        const char16_t kana = kHalfWidthKana[c - 0xFF61];
        const char16_t voiced = i + 1 < s.size() ? Voiced(kana, s[i + 1]) : 0;
        return voiced ? voiced : kana;
    }
    if (c == kVoiced || c == kSemiVoiced) return static_cast<char16_t>(c - 0xFF9E + 0x309B);  // ゛ ゜
    return c;
}

// The character at s[i] folded, and how many units that took: 2 for a half-width kana
// and the sound mark it makes one character with.
char16_t Fold(std::u16string_view s, size_t i) { return s[i] < 0x80 ? FoldAscii(s[i]) : FoldedWide(s, i); }
size_t Width(std::u16string_view s, size_t i) {
    return IsHalfWidthKana(s[i]) && i + 1 < s.size() && Voiced(kHalfWidthKana[s[i] - 0xFF61], s[i + 1]) ? 2 : 1;
}

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

bool SameFolded(std::u16string_view a, std::u16string_view b) {
    size_t i = 0, k = 0;
    for (; i < a.size() && k < b.size(); i += Width(a, i), k += Width(b, k))
        if (Fold(a, i) != Fold(b, k)) return false;
    return i == a.size() && k == b.size();
}

int InStrText(std::u16string_view s, std::u16string_view find, int start, const SameText& same) {
    if (start < 1) start = 1;
    if (static_cast<size_t>(start) > s.size() + 1) return 0;
    if (find.empty()) return start;
    size_t characters = 0;
    for (size_t k = 0; k < find.size(); k += Width(find, k)) ++characters;
    const char16_t first = Fold(find, 0);
    const size_t secondAt = Width(find, 0);
    const char16_t second = secondAt < find.size() ? Fold(find, secondAt) : 0;
    // Pages are long, and markup starts with ASCII: the units that fold to such a first
    // character are few (either case, either width), and the rest of the text, whatever
    // it holds, is passed over without folding it.
    const bool ascii = first < 0x80;
    const char16_t upper = first >= u'a' && first <= u'z' ? static_cast<char16_t>(first - 32) : first;
    const char16_t wide = first == u' ' ? char16_t{0x3000} : static_cast<char16_t>(first + 0xFEE0);
    const char16_t wideUpper = upper == first ? wide : static_cast<char16_t>(upper + 0xFEE0);
    const char16_t either = first | 0x20;  // `first` and `upper` both, and little else
    const auto passedOver = [&](char16_t c) {
        return (c | 0x20) != either && static_cast<char16_t>(c - 0xFF01) > 0x5D && c != 0x3000;  // not full-width
    };
    for (size_t at = static_cast<size_t>(start - 1); at < s.size(); ++at) {
        const char16_t c = s[at];
        if (ascii) {
            if (passedOver(c) || !((c == first) | (c == upper) | (c == wide) | (c == wideUpper))) continue;
        } else if (Fold(s, at) != first) {
            continue;
        }
        // No need to ask about a place whose second character already differs, folded
        // ("<BR>" for "<A HREF="), as most candidates in markup do; nor about the same code
        // units, which are the same text in every locale.
        const size_t next = at + Width(s, at);
        if (second && next < s.size() && Fold(s, next) != second) continue;
        if (s.substr(at, find.size()) == find) return static_cast<int>(at) + 1;
        size_t end = at;
        for (size_t n = 0; n < characters; ++n) {
            if (end >= s.size()) return 0;  // the text ends sooner: no later place has room either
            end += Width(s, end);
        }
        if (same(s.substr(at, end - at), find)) return static_cast<int>(at) + 1;
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
