// The global IP cut on arbitrary pages: never outside the page, and what it returns
// stands between a "(" and the first ")" after it, inside the first comment.
#include "base/ansi.h"
#include "net/global_ip.h"
#include "tests/fuzz/fuzz_check.h"

using namespace poko;
using fuzz::Check;

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const Text page = FromAnsi(fuzz::Bytes(data, size));
    const Text ip = CutGlobalIP(page);
    if (ip.empty()) return 0;
    const size_t open = page.find(u"<!--"), close = page.find(u"-->");
    Check(open != Text::npos && close != Text::npos && open < close, "an address only from a comment");
    const Text comment = page.substr(open, close + 1 - open);
    Check(comment.find(u"(" + ip + u")") == comment.find(u'('), "the address is what the first ( ) enclose");
    return 0;
}
