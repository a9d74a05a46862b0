// The mascot's walks over scripted pages and draws: every way a run ends, the lounge
// boundary, the addresses it builds, the links it refuses, and when it starts by itself.
#include <gtest/gtest.h>

#include "base/search.h"
#include "mascot/board.h"
#include "tests/support/form_harness.h"

using namespace poko;

namespace {

const Text kMenu = u"http://bbs.test/~poko/2chmenu.html";
constexpr double kTake = 0.215, kPass = 0.5;  // whole part of r x 100: 21 takes
const std::string kSkips = "MessageBox(川o･-･)ノ＜ 時々、サボるさ。|Windows|64)";
const std::string kNoBoard = "MessageBox(川o･-･)ノ＜ ネットにつながないと動けないよ。|Windows|64)";

Text BoardLink(const Text& url, const Text& name = u"板") { return u"<A HREF=" + url + u">" + name + u"</A>\n"; }
Text ThreadLink(const Text& key, const Text& text) { return u"<a href=\"" + key + u"/l50\">" + text + u"</a>\n"; }
// A menu whose lounge stands well past its first 50 characters.
Text MenuPage(const Text& links) {
    return u"<html><body>" + Text(60, u'.') + u"<B>雑談</B>ラウンジ<BR>\n" + links + u"</body></html>";
}

struct Mascot {
    FakePlatform fake;
    explicit Mascot(std::initializer_list<double> draws = {}) { fake.draws = draws; }
    void Run() { PickBoard(fake, kMenu); }
    std::vector<std::string> Boxes() const { return fake.CallsStartingWith("MessageBox("); }
    std::vector<std::string> Fetched() const {
        std::vector<std::string> out;
        for (const std::string& c : fake.CallsStartingWith("InternetOpenUrlA("))
            out.push_back(c.substr(c.find('|') + 1, c.find("|null") - c.find('|') - 1));
        return out;
    }
    std::vector<std::string> Opened() const { return fake.CallsStartingWith("ShellExecuteA("); }
};

TEST(Mascot, EveryEndingOfARun) {
    const Text board = u"http://srv.test/lounge/";
    const Text list = u"http://srv.test/lounge/subback.html";
    const Text threads = ThreadLink(u"111", u"1: 一 (5)") + ThreadLink(u"123", u"2: Example title (12)");
    const std::string prompt = "MessageBox(Example title|Windows|308)";
    const std::string open = "ShellExecuteA(0|Open|http://srv.test/test/read.cgi/lounge/123|||5)";
    const struct {
        const char* name;
        bool menu, list;
        std::vector<double> draws;
        std::vector<int> answers;
        std::vector<std::string> boxes;
        bool opened;
    } rows[] = {
        {"menu not fetched", false, false, {}, {}, {kSkips}, false},
        {"no board taken", true, false, {kPass}, {}, {kNoBoard}, false},
        {"thread list not fetched", true, false, {kTake}, {}, {}, false},
        {"no thread taken",
         true,
         true,
         {kTake, kPass, kPass},
         {},
         {"MessageBox(∋oノハo∈\r\n　川o・-・）＜　そんなにあせらなくてもモコ野は逃げたりなんかしませんよ。\r\n"
          "                  　　大器晩成という言葉があるように､いい罪はゆっくり練られていく\r\n"
          "                  　　ものですよね｡貴方のペースで､のんびりと罪を犯してください｡|PokomaruNo1|16)",
          "MessageBox(＠ノハ＠\r\n（；　‘д　‘）＜　・・・ノーコメントや・・・今回はノーコメントに徹するで・・・。|"
          "PokomaruNo1|64)"},
         false},
        {"opened", true, true, {kTake, kPass, kTake}, {6}, {prompt}, true},
        {"declined: line 0", true, true, {kTake, kPass, kTake, 0.0}, {7, 1},
         {prompt, "MessageBox(川o・-・）ノ＜ バケツでウランすくってもいいですか？。|Windows|16)"}, false},
        {"declined: line 9", true, true, {kTake, kPass, kTake, 0.99}, {7, 1},
         {prompt, "MessageBox(川o・-・）ノ＜ 挑戦して冒険したところ破綻したみたいです。|Windows|64)"}, false},
        {"declined: line 5 starts a new run", true, true, {kTake, kPass, kTake, 0.55, kTake, kPass, kTake}, {7, 1, 6},
         {prompt, "MessageBox(川o・-・）ノ＜ どうしたんですか？未来行きの切符はみんなが持ってるのです・・・|Windows|64)",
          prompt},
         true},
    };
    for (const auto& row : rows) {
        SCOPED_TRACE(row.name);
        Mascot m;
        m.fake.draws.assign(row.draws.begin(), row.draws.end());
        m.fake.messageBoxAnswers.assign(row.answers.begin(), row.answers.end());
        if (row.menu) m.fake.Serve(kMenu, MenuPage(BoardLink(board)));
        if (row.list) m.fake.Serve(list, threads);
        m.Run();
        EXPECT_TRUE(SameCalls(row.boxes, m.Boxes()));
        EXPECT_EQ(m.Opened(), row.opened ? std::vector<std::string>{open} : std::vector<std::string>{});
        EXPECT_TRUE(m.fake.draws.empty()) << "every scripted draw used";
    }
}

TEST(Mascot, WalkStartsFiftyCharactersBeforeTheLounge) {
    // An anchor beginning exactly 50 characters before the lounge is a candidate; one
    // beginning 51 before is not. Without a lounge no board is considered at all, and a
    // lounge within the first 50 characters walks from the start.
    const Text link = BoardLink(u"http://srv.test/a/", u"x");  // 33 characters
    const Text at50 = link + Text(17, u'.') + u"ラウンジ";
    const Text at51 = link + Text(18, u'.') + u"ラウンジ";
    const struct {
        Text page;
        bool considered;
    } cases[] = {
        {u"<p>" + at50, true}, {u"<p>" + at51, false}, {at50, true}, {link, false}, {u"ラウンジ" + link, true},
        {u"<p>" + link + Text(17, u'.') + u"\uFF97\uFF73\uFF9D\uFF7C\uFF9E", true},  // ﾗｳﾝｼﾞ, as the locale compares
    };
    for (const auto& c : cases) {
        Mascot m({kTake});
        m.fake.Serve(kMenu, c.page);
        m.Run();
        EXPECT_EQ(m.Fetched().size(), c.considered ? 2u : 1u) << Utf8(c.page);
    }
}

TEST(Mascot, AddressesItFetchesAndOpens) {
    // Mixed-case anchors are found; links that don't end in "/" or have no ">" are
    // never taken; keys start after the leading quote.
    Mascot m({kTake, kTake});
    m.fake.messageBoxAnswers = {6};
    m.fake.Serve(kMenu, MenuPage(u"<a target=_top HREF=http://x.test/bad target=_blank>no</A>\n<A HREF=http://x.test/b>"
                                 u"b</A><A HREF=http://x.test/c/</A><a Href=http://x.test/board/>ok</a>"));
    m.fake.Serve(u"http://x.test/board/subback.html",
                 u"<A HREF=/l50>1: no key (1)</A><A HREF=\"77/\">2: no paren</A><A HREF=\"77/\">3: ok (2)</A>");
    m.Run();
    EXPECT_EQ(m.Fetched(), (std::vector<std::string>{Utf8(kMenu), "http://x.test/board/subback.html"}));
    EXPECT_EQ(m.Opened(), std::vector<std::string>{"ShellExecuteA(0|Open|http://x.test/test/read.cgi/board/77|||5)"});
    EXPECT_EQ(m.Boxes(), std::vector<std::string>{"MessageBox(ok|Windows|308)"});
    const auto opens = m.fake.CallsStartingWith("InternetOpenUrlA(");  // a page's address: no cookies, no dialogs
    EXPECT_TRUE(opens[0].ends_with("|2147483648|0)") && opens[1].ends_with("|2148008448|0)")) << opens[1];
}

TEST(Mascot, HostileLinksAreNeitherFetchedNorOpened) {
    const char16_t* hostile[] = {
        u"file:///C:/Windows/", u"\\\\host\\share\\", u"ms-settings:", u"search-ms:query=x/", u"javascript:alert(1)/",
        u"/relative/", u" http://x.test/", u"\thttp://x.test/", u"http://x.test/a\"b/", u"http://x.test/a b/",
        u"http:///nohost/", u"http://user@x.test/", u"http://x.test:80x/", u"http://x.test/ク/",
        u"http://x.test/", u"http://x.test?a/", u"http://x.test#a/b/",  // no board folder after the host
    };
    for (const char16_t* url : hostile) {
        Mascot m({kTake, kTake});
        m.fake.Serve(kMenu, MenuPage(BoardLink(url)));
        m.Run();
        EXPECT_EQ(m.Fetched().size(), 1u) << Utf8(url);
        EXPECT_FALSE(IsBoardAddress(url)) << Utf8(url);
    }
    for (const char16_t* url : {u"HTTP://X.TEST/b/", u"https://x.test:8080/b/", u"http://[::1]:80/b/", u"http://x"})
        EXPECT_TRUE(IsWebAddress(url)) << Utf8(url);
    // A key that would make the thread's address unsafe is skipped like a failed draw.
    Mascot m({kTake, kTake, kPass});
    m.fake.messageBoxAnswers = {6};
    m.fake.Serve(kMenu, MenuPage(BoardLink(u"http://x.test/b/")));
    m.fake.Serve(u"http://x.test/b/subback.html", ThreadLink(u"1 2", u"1: a (1)") + ThreadLink(u"1\"x", u"2: b (1)") +
                                                      ThreadLink(Text(2060, u'9'), u"3: too long (1)"));
    m.Run();
    EXPECT_TRUE(m.Opened().empty());
}

// Exit while a run waits in a box or a yield: the run ends there, with no download, box
// or browser after it.
TEST(Mascot, ExitEndsTheRunAtItsNextStep) {
    const struct {
        std::deque<double> draws;
        std::deque<int> answers;
        int exitInBox, exitInYield;  // which one (1-based) the user exits in
    } rows[] = {
        {{kTake, kTake}, {6}, 1, 0},  // the prompt, answered Yes
        {{kTake, kTake}, {6}, 0, 1},  // a yield of the board walk
        {{kTake, kTake, 0.55}, {7, 1}, 2, 0},  // line 5
        {{kTake, kPass}, {}, 1, 0},  // the first closing box
    };
    for (const auto& row : rows) {
        FormHarness h;
        h.fake.Serve(kMenu, MenuPage(BoardLink(u"http://srv.test/lounge/")));
        h.fake.Serve(u"http://srv.test/lounge/subback.html", ThreadLink(u"123", u"1: a (12)"));
        h.fake.draws = row.draws, h.fake.messageBoxAnswers = row.answers;
        int boxes = 0, yields = 0;
        h.fake.onMessageBox = [&] { if (++boxes == row.exitInBox) h.frm.M_Exit->Click(); };
        h.fake.onDoEvents = [&] { if (++yields == row.exitInYield) h.frm.M_Exit->Click(); };
        FormInternals::Net(h.frm).menuUrl = kMenu;
        h.frm.PickBoard();
        const auto exited = std::find(h.fake.calls.begin(), h.fake.calls.end(), "Shell_NotifyIconA(2)");
        EXPECT_NE(exited, h.fake.calls.end());
        for (auto c = exited; c != h.fake.calls.end(); ++c)
            EXPECT_FALSE(c->starts_with("InternetOpenUrlA") || c->starts_with("MessageBox") || c->starts_with("ShellEx"))
                << *c;
    }
}

TEST(Mascot, TitlesSegmentsAndAnchors) {
    const struct {
        Text got;
        const char16_t* want;
    } cases[] = {
        {ThreadTitle(u"1: Example title (123)"), u"Example title"},
        {ThreadTitle(u"1: a (b) (3)"), u"a (b)"},
        {ThreadTitle(u"no colon (3)"), u""},
        {ThreadTitle(u"1: no paren"), u"no paren"},
        {ThreadTitle(u"1:x(3)"), u""},  // "(" first in what is kept
        {ThreadTitle(u"1:"), u""},
        {LastPathSegment(u"http://srv.test/lounge/"), u"lounge"},
        {LastPathSegment(u"http://srv.test/lounge"), u"lounge"},
        {LastPathSegment(u"lounge"), u"lounge"},
        {LastPathSegment(u"/"), u""},
        {NormalizeAnchors(u"<a target=_top HREF=<a target=_top HREF=x>"), u"<A HREF=<A HREF=x>"},
        {ReplaceAll(u"ab", u"b", u"bb"), u"abb"},  // inserted text is never searched again
    };
    for (const auto& c : cases) EXPECT_EQ(Utf8(c.got), Utf8(c.want));
}

TEST(Chatter, StartsOnlyHiddenSwitchedOnAndDisarmed) {
    const struct {
        bool visible, switchedOn, armed;
        double draw;
        bool runs;
    } cases[] = {
        {false, true, false, 5.5 / 60, true},  {false, true, false, 6.5 / 60, false},
        {true, true, false, 5.5 / 60, false},  {false, false, false, 5.5 / 60, false},
        {false, true, true, 5.5 / 60, false},
    };
    for (const auto& c : cases) {
        FormHarness h;
        h.Load();
        h.frm.frm_Timer.SetVisible(c.visible);
        if (c.switchedOn) h.frm.M_WinCmm->Click();
        h.frm.Timer.SetEnabled(c.armed);
        h.fake.now = {2026, 12, 6, 21, 5, 0};
        h.fake.draws = {c.draw};
        h.fake.calls.clear();
        h.frm.Timer_Time.Tick();
        EXPECT_EQ(Utf8(h.frm.L_Time.Caption()), "2026/12/06 21:05");
        const bool drew = !h.fake.CallsStartingWith("Rnd").empty();
        EXPECT_EQ(drew, !c.visible && c.switchedOn && !c.armed) << "the draw only on ticks that pass the checks";
        EXPECT_EQ(!h.fake.CallsStartingWith("InternetOpenA").empty(), c.runs);
    }
}

TEST(Chatter, TheClockTakesTheUsersSeparators) {
    FormHarness h;
    h.fake.dateSeparator = u"-", h.fake.timeSeparator = u".";
    h.frm.Timer_Time.Tick();
    EXPECT_EQ(Utf8(h.frm.L_Time.Caption()), "2024-05-17 12.00");
}

}  // namespace
