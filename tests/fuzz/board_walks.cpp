// The mascot's walks over arbitrary pages with scripted draws and answers. Input: one
// byte n, then n bytes of draws (b / 256: 54 and 55 take), then the board menu and,
// after a NUL, a thread list, both as raw code page 932 bytes. Besides never crashing or
// reading outside a page: everything fetched or opened is a web address, every thread
// list fetched is a board's, nothing is opened but a thread of the board the walk took,
// on the board's own host (read apart from the program's checks), and nothing is opened
// but on a Yes to the prompt just before.
#include <string>

#include "mascot/board.h"
#include "tests/fuzz/fuzz_check.h"
#include "tests/fuzz/origin.h"
#include "tests/support/fake_platform.h"

using namespace poko;
using fuzz::Check;

namespace {

const Text kMenu = u"http://bbs.test/~poko/2chmenu.html";

// The text between the first and the last "|" of a recorded call.
std::string Argument(const std::string& call, size_t skip) {
    size_t at = 0;
    for (size_t i = 0; i < skip; ++i) at = call.find('|', at) + 1;
    return call.substr(at, call.find('|', at) - at);
}

// The least any address handed on must be, judged apart from the program's own check.
bool LooksSafe(const std::string& url) {
    std::string scheme = url.substr(0, 8);
    for (char& c : scheme) c = static_cast<char>(c >= 'A' && c <= 'Z' ? c + 32 : c);
    if (!scheme.starts_with("http://") && !scheme.starts_with("https://")) return false;
    for (unsigned char c : url)
        if (c <= 0x20 || c >= 0x7F || c == '"' || c == '\'' || c == '\\' || c == '<' || c == '>') return false;
    return true;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    if (size == 0) return 0;
    const size_t draws = std::min<size_t>(data[0] % 16, size - 1);
    FakePlatform fake;
    for (size_t i = 1; i <= draws; ++i) fake.draws.push_back(data[i] / 256.0);
    const std::vector<int> answers = {data[0] & 0x80 ? 6 : 7, 1, 6, 1, 7};
    fake.messageBoxAnswers.assign(answers.begin(), answers.end());
    const std::string_view rest = fuzz::Bytes(data + 1 + draws, size - 1 - draws);
    const size_t cut = rest.find('\0');
    fake.pages[ToAnsi(kMenu)].body = std::string(rest.substr(0, cut));
    const std::string list(cut == std::string_view::npos ? std::string_view() : rest.substr(cut + 1));

    // Every board the menu could offer gets the thread list, so the second walk runs too.
    fake.onCall = [&](const std::string& call) {
        if (call.rfind("InternetOpenUrlA(", 0) != 0) return;
        const std::string url = Argument(call, 1);
        if (url.size() > 13 && url.compare(url.size() - 13, 13, "/subback.html") == 0) fake.pages[url].body = list;
    };
    PickBoard(fake, kMenu);

    std::string board, lastBox;
    size_t boxes = 0;  // each takes the next scripted answer, then the default 1
    for (const std::string& call : fake.calls) {
        if (call.rfind("MessageBox(", 0) == 0) {
            lastBox = call;
            ++boxes;
        }
        if (call.rfind("InternetOpenUrlA(", 0) == 0) {
            const std::string url = Argument(call, 1);
            Check(LooksSafe(url), "only web addresses are fetched", url);
            if (url != Utf8(kMenu)) board = url.substr(0, url.size() - 13);
            if (url != Utf8(kMenu)) Check(url.ends_with("/subback.html"), "a thread list is a board's", url);
        }
        if (call.rfind("ShellExecuteA(", 0) == 0) {
            const std::string opened = Argument(call, 2);
            Check(LooksSafe(opened), "only web addresses are opened", opened);
            const std::string server = board.substr(0, board.rfind('/') + 1);
            Check(opened.rfind(server + "test/read.cgi/", 0) == 0, "a thread of the board taken", opened + " / " + board);
            Check(fuzz::ReadOrigin(opened) == fuzz::ReadOrigin(board), "a thread on its board's host", opened + " / " + board);
            Check(lastBox.ends_with("|308)") && boxes <= answers.size() && answers[boxes - 1] == 6,
                  "opened only on a Yes to the prompt", lastBox);
        }
    }

    // The helpers on the same bytes as text.
    const Text text = FromAnsi(rest);
    const Text title = ThreadTitle(text);
    Check(text.find(title) != Text::npos, "a title is a piece of its anchor text");
    Check(LastPathSegment(text).find(u'/') == Text::npos, "a segment holds no /");
    Check(NormalizeAnchors(text).find(u"<a target=_top HREF=") == Text::npos, "every such anchor is rewritten");
    return 0;
}
