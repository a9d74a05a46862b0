// How long the mascot's walks take over a large page: a 1 MB board menu and a 1 MB thread
// list of 10,000 anchors each, with downloads, boxes and yields answered at once and no
// draw ever taking, so every anchor is visited. Prints milliseconds per walk.
#include <algorithm>
#include <chrono>
#include <cstdio>
#include <vector>

#include "mascot/board.h"
#include "tests/support/fake_platform.h"

using namespace poko;

namespace {

constexpr int kAnchors = 10000, kRuns = 15;

Text Padded(Text page, size_t units) {
    page.resize(std::max(page.size(), units), u' ');
    return page;
}

template <typename Walk>
double MedianMs(Walk walk) {
    std::vector<double> ms;
    for (int i = 0; i < kRuns; ++i) {
        const auto start = std::chrono::steady_clock::now();
        walk();
        ms.push_back(std::chrono::duration<double, std::milli>(std::chrono::steady_clock::now() - start).count());
    }
    std::sort(ms.begin(), ms.end());
    return ms[ms.size() / 2];
}

}  // namespace

int main() {
    Text menu = u"<html><body><B>雑談</B>ラウンジ<BR>\n";
    Text list = u"<html><body><small>\n";
    for (int i = 0; i < kAnchors; ++i) {
        const Text n = FromUtf8(std::to_string(i));
        menu += (i % 3 ? u"<A HREF=http://bbs.test/board" : u"<a target=_top HREF=http://bbs.test/board") + n + u"/>板" +
                n + u"</A><BR>\n";
        list += u"<a href=\"" + n + u"/l50\">" + n + u": スレッドの題名その" + n + u" (" + n + u")</a><br>\n";
    }
    // Both pages about 1 MB in code page 932 (two bytes per Japanese character).
    menu = Padded(menu, 1000000 - ToAnsi(menu).size() + menu.size());
    list = Padded(list, 1000000 - ToAnsi(list).size() + list.size());

    FakePlatform fake;
    fake.recording = false;
    fake.Serve(u"http://bbs.test/~poko/2chmenu.html", menu);
    fake.Serve(u"http://bbs.test/board/subback.html", list);
    const double board = MedianMs([&] { PickBoard(fake, u"http://bbs.test/~poko/2chmenu.html"); });
    const double thread = MedianMs([&] { PickThread(fake, u"", u"http://bbs.test/board/"); });
    std::printf("walk\tpage bytes\tanchors\tmedian ms (of %d)\n", kRuns);
    std::printf("PickBoard\t%zu\t%d\t%.2f\n", fake.pages["http://bbs.test/~poko/2chmenu.html"].body.size(), kAnchors, board);
    std::printf("PickThread\t%zu\t%d\t%.2f\n", fake.pages["http://bbs.test/board/subback.html"].body.size(), kAnchors, thread);
    return 0;
}
