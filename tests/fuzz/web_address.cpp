// The link checks on any text: what passes as a web address is an http or https address
// with a host, of printable ASCII without quotes, blanks or angle brackets, and at most
// 2,083 characters, as an independent reading of it finds; what passes as a board keeps
// its thread list and the threads built from it on its own scheme, host and port.
#include "mascot/board.h"
#include "tests/fuzz/fuzz_check.h"
#include "tests/fuzz/origin.h"

using namespace poko;
using fuzz::Check;

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const Text url = fuzz::TextOf(data, size);
    const std::string text = ToUtf8(url);
    if (!IsWebAddress(url)) {
        Check(!IsBoardAddress(url), "a board is a web address", text);
        return 0;
    }
    Check(url.size() <= 2083, "no address is longer than 2,083 characters", text);
    for (char16_t c : url)
        Check(c > 0x20 && c < 0x7F && c != u'"' && c != u'\'' && c != u'<' && c != u'>' && c != u'\\',
              "an address is printable ASCII without quotes, blanks or angle brackets", text);
    const auto origin = fuzz::ReadOrigin(text);
    Check(origin && (origin->scheme == "http" || origin->scheme == "https") && !origin->host.empty(),
          "an http or https address with a host", text);
    if (!IsBoardAddress(url)) return 0;

    // As the walk builds them: the list from the board, a thread from its server part.
    const Text board = url.substr(0, url.size() - 1);
    const Text directory = LastPathSegment(board);
    const Text server = board.substr(0, board.size() - directory.size());
    const std::string list = ToUtf8(board + u"/subback.html");
    const std::string thread = ToUtf8(server + u"test/read.cgi/" + directory + u"/1165000001");
    Check(!directory.empty() && list.size() <= 2083, "a board has a folder and a list address in the cap", text);
    Check(fuzz::ReadOrigin(list) == origin, "the thread list is on the board's host", list);
    Check(fuzz::ReadOrigin(thread) == origin, "a thread is on the board's host", thread + " / " + text);
    return 0;
}
