// The global IP copy over any IP-echo page: what reaches the box and the clipboard is an
// address or nothing, as an independent reading of it finds (a dotted quad of numbers up
// to 255, or at most 45 hex digits, colons and dots with at least two colons), the same
// text in the box and in both formats, and the clipboard is closed as often as opened.
#include <algorithm>

#include "net/global_ip.h"
#include "tests/fuzz/fuzz_check.h"
#include "tests/support/fake_platform.h"

using namespace poko;
using fuzz::Check;

namespace {

const Text kUrl = u"http://echo.test/e/?";

bool LooksLikeAddress(const std::string& s) {
    if (s.find(':') != std::string::npos)
        return s.size() <= 45 && std::count(s.begin(), s.end(), ':') >= 2 &&
               s.find_first_not_of("0123456789abcdefABCDEF:.") == std::string::npos;
    int parts = 0;
    size_t at = 0;
    for (;;) {
        const size_t dot = s.find('.', at);
        const std::string part = s.substr(at, dot == std::string::npos ? std::string::npos : dot - at);
        if (part.empty() || part.size() > 3 || part.find_first_not_of("0123456789") != std::string::npos ||
            std::stoi(part) > 255)
            return false;
        ++parts;
        if (dot == std::string::npos) return parts == 4;
        at = dot + 1;
    }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    FakePlatform fake;
    fake.pages[ToAnsi(kUrl)].body = std::string(fuzz::Bytes(data, size));
    ShowGlobalIP(fake, 0x100, kUrl);

    Check(fake.CallsStartingWith("OpenClipboard").size() == fake.CallsStartingWith("CloseClipboard").size(),
          "the clipboard is closed as often as it is opened");
    Check(fake.clipboard.size() == 2, "both formats are written");
    const std::string ip = fake.clipboard[0].second;
    Check(fake.clipboard[1].second == ip, "the same text in both formats", ip);
    Check(ip.empty() || LooksLikeAddress(ip), "the clipboard holds an address or nothing", ip);
    const auto boxes = fake.CallsStartingWith("MessageBox([" + ip + "] ");
    Check(boxes.size() == 1, "the box shows what the clipboard gets", ip);
    return 0;
}
