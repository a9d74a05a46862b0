// The mascot's runs: the board menu and thread list walks, the link checks and the prompt.
#include "mascot/board.h"

#include <algorithm>
#include <array>

#include "base/ansi.h"
#include "base/search.h"
#include "mascot/chatter.h"
#include "net/http_get.h"

namespace poko {

namespace {

constexpr std::uint32_t MB_PROMPT_ = MB_YESNO_ | MB_ICONEXCLAMATION_ | MB_DEFBUTTON2_;  // 308: No is the default
constexpr int kBeforeLounge = 50;
const Text kTitle(kMascotTitle);
const Text kAppTitle = u"PokomaruNo1";  // the boxes that name no title of their own
const Text kAnchor = u"<A HREF=";
const Text kAnchorEnd = u"</A>";
constexpr int kAnchorLength = 8;
constexpr size_t kLongestAddress = 2083;
const Text kThreadList = u"/subback.html";

const Text kSkipsWork = u"川o･-･)ノ＜ 時々、サボるさ。";
const Text kNoBoard = u"川o･-･)ノ＜ ネットにつながないと動けないよ。";
const Text kNoThread1 =
    u"∋oノハo∈\r\n"
    u"　川o・-・）＜　そんなにあせらなくてもモコ野は逃げたりなんかしませんよ。\r\n"
    u"                  　　大器晩成という言葉があるように､いい罪はゆっくり練られていく\r\n"
    u"                  　　ものですよね｡貴方のペースで､のんびりと罪を犯してください｡";
const Text kNoThread2 =
    u"＠ノハ＠\r\n"
    u"（；　‘д　‘）＜　・・・ノーコメントや・・・今回はノーコメントに徹するで・・・。";

// The link searches of one walk. They compare as the user's locale does, ignoring case,
// width and kana type: "<a href=" and "＜Ａ　ＨＲＥＦ＝" count as "<A HREF=", "ﾗｳﾝｼﾞ" as
// "ラウンジ". Markup repeats itself, so the locale's last few answers are kept: a list
// of 10,000 "<a href=" asks the system once, not 10,000 times.
class LinkSearch {
public:
    explicit LinkSearch(Platform& platform) : platform_(platform) {}
    int operator()(std::u16string_view s, std::u16string_view find, int start = 1) const {
        return InStrText(s, find, start, same_);
    }

private:
    struct Answer {
        Text stretch, find;
        bool same = false;
    };
    bool Same(std::u16string_view stretch, std::u16string_view find) {
        for (const Answer& a : answers_)
            if (a.stretch == stretch && a.find == find) return a.same;
        constexpr std::uint32_t kTextCompare = LINGUISTIC_IGNORECASE_ | NORM_IGNOREWIDTH_ | NORM_IGNOREKANATYPE_;
        const bool same = platform_.CompareStringEx(kTextCompare, stretch, find) == CSTR_EQUAL_;
        answers_[next_++ % answers_.size()] = {Text(stretch), Text(find), same};
        return same;
    }
    Platform& platform_;
    std::array<Answer, 4> answers_;
    size_t next_ = 0;
    const SameText same_ = [this](std::u16string_view stretch, std::u16string_view find) { return Same(stretch, find); };
};

// The scheme of an address, whose characters are all printable ASCII by then: ASCII
// case alone is folded, whatever the locale.
bool StartsWithAsciiFolded(std::u16string_view s, std::u16string_view start) {
    const auto upper = [](char16_t c) { return c >= u'a' && c <= u'z' ? c - 32 : c; };
    return s.size() >= start.size() &&
           std::equal(start.begin(), start.end(), s.begin(), [&](char16_t a, char16_t b) { return upper(a) == upper(b); });
}

// A 1/100 chance: the whole part of r x 100 is 21.
bool DrawTakes(Platform& platform) { return static_cast<int>(platform.Rnd() * 100) == 21; }

Text Page(const Bytes& body) { return NormalizeAnchors(FromAnsi(body)); }

// Printable ASCII that can stand in an address handed to the shell: no blanks, quotes,
// angle brackets, backslashes or the other characters a URL never holds unescaped.
bool IsAddressCharacter(char16_t c) {
    if (c <= 0x20 || c >= 0x7F) return false;
    switch (c) {
    case u'"': case u'\'': case u'<': case u'>': case u'\\': case u'^': case u'`': case u'{': case u'|': case u'}':
        return false;
    default: return true;
    }
}

// host[:port], the host a name or an address, or an IPv6 literal in brackets.
bool IsHost(std::u16string_view authority) {
    size_t i = 0;
    if (!authority.empty() && authority[0] == u'[') {
        i = authority.find(u']');
        if (i == std::u16string_view::npos || i == 1) return false;
        for (const char16_t c : authority.substr(1, i - 1))
            if (!(IsAsciiDigit(c) || IsAsciiLetter(c) || c == u':' || c == u'.')) return false;
        ++i;
    } else {
        const auto hostCharacter = [](char16_t c) { return IsAsciiLetter(c) || IsAsciiDigit(c) || c == u'-' || c == u'.'; };
        while (i < authority.size() && hostCharacter(authority[i])) ++i;
        if (i == 0) return false;
    }
    if (i == authority.size()) return true;
    if (authority[i] != u':' || i + 1 == authority.size()) return false;
    for (++i; i < authority.size(); ++i)
        if (!IsAsciiDigit(authority[i])) return false;
    return true;
}

// A run without the question never ends early.
bool Over(const RunOver& over) { return over && over(); }

bool EndsWith(std::u16string_view s, char16_t c) { return !s.empty() && s.back() == c; }

// The text between "<A HREF=" at b and "</A>" at c (1-based positions).
std::u16string_view Inner(std::u16string_view page, int b, int c) {
    return page.substr(static_cast<size_t>(b - 1 + kAnchorLength), static_cast<size_t>(c - b - kAnchorLength));
}

}  // namespace

Text NormalizeAnchors(const Text& page) { return ReplaceAll(page, u"<a target=_top HREF=", kAnchor); }

Text LastPathSegment(const Text& url) {
    const Text u = Right(url, 1) == u"/" ? Left(url, static_cast<int>(url.size()) - 1) : url;
    return Mid(u, InStrRev(u, u"/") + 1);
}

Text ThreadTitle(const Text& anchorText) {
    const int a = InStr(anchorText, u":");
    if (a == 0) return {};
    Text kept = Mid(anchorText, a + 2);
    if (const int p = InStrRev(kept, u"("); p > 0) kept = Left(kept, p - 2);
    return kept;
}

bool IsWebAddress(std::u16string_view url) {
    if (url.size() > kLongestAddress) return false;
    for (char16_t c : url)
        if (!IsAddressCharacter(c)) return false;
    size_t schemeEnd = 0;
    for (std::u16string_view scheme : {std::u16string_view(u"http://"), std::u16string_view(u"https://")})
        if (StartsWithAsciiFolded(url, scheme)) schemeEnd = scheme.size();
    if (schemeEnd == 0) return false;
    const size_t end = url.find_first_of(u"/?#", schemeEnd);
    return IsHost(url.substr(schemeEnd, end == std::u16string_view::npos ? std::u16string_view::npos : end - schemeEnd));
}

bool IsBoardAddress(std::u16string_view url) {
    if (!EndsWith(url, u'/') || !IsWebAddress(url)) return false;
    const std::u16string_view board = url.substr(0, url.size() - 1);
    const size_t pathStart = board.find_first_of(u"/?#", board.find(u"://") + 3);
    if (pathStart == std::u16string_view::npos || board[pathStart] != u'/' || EndsWith(board, u'/')) return false;
    return board.size() + kThreadList.size() <= kLongestAddress;  // its thread list, fetched
}

void PickBoard(Platform& platform, const Text& menuUrl, const RunOver& over) {
    if (Over(over)) return;
    Bytes body;
    if (HttpGetBytes(platform, menuUrl, body) == 0) {
        platform.MessageBox(kSkipsWork, kTitle, MB_ICONINFORMATION_);
        return;
    }
    const Text page = Page(body);
    Bytes().swap(body);
    // The walk starts a little before the lounge; a menu without one has no board to
    // offer, and one that names it near its top is walked from the start.
    const LinkSearch find(platform);
    const int lounge = find(page, u"ラウンジ");
    int start = lounge == 0 ? static_cast<int>(page.size()) + 1 : std::max(1, lounge - kBeforeLounge);
    platform.Randomize();
    for (;;) {
        platform.DoEvents();
        if (Over(over)) return;
        const int b = lounge == 0 ? 0 : find(page, kAnchor, start);
        const int c = b == 0 ? 0 : find(page, kAnchorEnd, b);
        if (c == 0) {
            platform.MessageBox(kNoBoard, kTitle, MB_ICONINFORMATION_);
            return;
        }
        const std::u16string_view inner = Inner(page, b, c);
        const int d = find(inner, u">");
        // A link without ">" has no URL to take.
        const std::u16string_view boardUrl = inner.substr(0, d > 0 ? static_cast<size_t>(d - 1) : 0);
        if (IsBoardAddress(boardUrl) && DrawTakes(platform)) {
            PickThread(platform, menuUrl, Text(boardUrl), over);
            return;
        }
        start = c;
    }
}

void PickThread(Platform& platform, const Text& menuUrl, const Text& boardUrl, const RunOver& over) {
    const Text board = Right(boardUrl, 1) == u"/" ? Left(boardUrl, static_cast<int>(boardUrl.size()) - 1) : boardUrl;
    const Text directory = LastPathSegment(board);
    const Text server = Left(board, static_cast<int>(board.size() - directory.size()));
    Bytes body;
    if (Over(over) || HttpGetBytes(platform, board + kThreadList, body, kNamedByPageFlags) == 0) return;
    const Text page = Page(body);
    Bytes().swap(body);
    platform.DoEvents();
    if (Over(over)) return;

    const LinkSearch find(platform);
    const Text threadBase = server + u"test/read.cgi/" + directory + u"/";
    Text address;  // reused: the walk visits every entry of long lists
    int start = 1;
    for (;;) {
        platform.DoEvents();
        if (Over(over)) return;
        const int c = find(page, kAnchor, start);
        const int d = c == 0 ? 0 : find(page, kAnchorEnd, c);
        if (d == 0) break;
        const std::u16string_view inner = Inner(page, c, d);
        const int e = find(inner, u">");
        const std::u16string_view anchorText = inner.substr(static_cast<size_t>(e));  // all of it without ">"
        // The key sits between the leading quote and the first "/"; an entry without
        // room for one is no thread.
        const int f = find(inner, u"/");
        if (f >= 2) address.assign(threadBase).append(inner.substr(1, static_cast<size_t>(f - 2)));
        if (f >= 2 && EndsWith(anchorText, u')') && IsWebAddress(address) && DrawTakes(platform)) {
            const bool yes = platform.MessageBox(ThreadTitle(Text(anchorText)), kTitle, MB_PROMPT_) == IDYES_;
            if (Over(over)) return;
            if (yes) {
                platform.ShellExecuteA(0, "Open", ToAnsi(address), "", "", SW_SHOW_);
                return;
            }
            if (SayChatterLine(platform)) PickBoard(platform, menuUrl, over);
            return;
        }
        start = d;
    }
    platform.MessageBox(kNoThread1, kAppTitle, MB_ICONSTOP_);
    if (Over(over)) return;
    platform.MessageBox(kNoThread2, kAppTitle, MB_ICONINFORMATION_);
}

}  // namespace poko
