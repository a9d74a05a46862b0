// The link checks on any text: a web address is http or https with a host, printable
// ASCII without quotes, blanks or angle brackets, at most 2,083 characters, as a reading
// apart from the program's finds; a board keeps its thread list and threads on its host.
#include <algorithm>

#include "mascot/board.h"
#include "tests/fuzz/fuzz_check.h"
#include "tests/fuzz/origin.h"

using namespace poko;
using fuzz::Check;

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const Text url = fuzz::TextOf(data, size);
    const std::string text = ToUtf8(url);
    Check(IsWebAddress(url) || !IsBoardAddress(url), "a board is a web address", text);
    if (!IsWebAddress(url)) return 0;
    Check(url.size() <= 2083 && text.find_first_of("\"'<>\\") == std::string::npos &&
              std::all_of(text.begin(), text.end(), [](unsigned char c) { return c > 0x20 && c < 0x7F; }),
          "at most 2,083 characters of printable ASCII", text);
    const auto origin = fuzz::ReadOrigin(text);
    Check(origin && (std::get<0>(*origin) == "http" || std::get<0>(*origin) == "https") && !std::get<1>(*origin).empty(),
          "an http or https address with a host", text);
    if (!IsBoardAddress(url)) return 0;
    // As the walk builds them: the list from the board, a thread from its server part.
    const Text board = url.substr(0, url.size() - 1), directory = LastPathSegment(board);
    const std::string list = ToUtf8(board + u"/subback.html");
    const std::string thread = ToUtf8(board.substr(0, board.size() - directory.size()) + u"test/read.cgi/" + directory + u"/1");
    Check(list.size() <= 2083 && fuzz::ReadOrigin(list) == origin, "the thread list is on the board's host", list);
    Check(fuzz::ReadOrigin(thread) == origin, "a thread is on the board's host", thread + " / " + text);
    return 0;
}
