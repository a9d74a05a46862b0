// The global IP copy over any IP-echo page: the box and both clipboard formats get the
// same text, an address or nothing as a reading apart from the program's finds (a dotted
// quad of numbers to 255, or up to 45 hex digits, colons and dots with two colons or
// more; blanks or tabs around it), and the clipboard is closed as often as it is opened.
#include <algorithm>
#include <regex>

#include "net/global_ip.h"
#include "tests/fuzz/fuzz_check.h"
#include "tests/support/fake_platform.h"

using namespace poko;
using fuzz::Check;

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    static const std::regex quad(R"((\d{1,3})\.(\d{1,3})\.(\d{1,3})\.(\d{1,3}))");
    static const std::regex six(R"([0-9A-Fa-f.]*:[0-9A-Fa-f.]*:[0-9A-Fa-f:.]*)");
    FakePlatform fake;
    fake.pages["http://echo.test/e/?"].body = std::string(fuzz::Bytes(data, size));
    ShowGlobalIP(fake, 0x100, u"http://echo.test/e/?");
    Check(fake.CallsStartingWith("OpenClipboard").size() == fake.CallsStartingWith("CloseClipboard").size(),
          "the clipboard is closed as often as it is opened");
    const std::string written = fake.clipboard.at(0).second;
    Check(fake.clipboard.at(1).second == written && fake.CallsStartingWith("MessageBox([" + written + "] ").size() == 1,
          "the same text in the box and both formats", written);
    const size_t from = written.find_first_not_of(" \t");
    const std::string ip = from == std::string::npos ? "" : written.substr(from, written.find_last_not_of(" \t") + 1 - from);
    std::smatch parts;
    const bool isQuad = std::regex_match(ip, parts, quad) &&
                        std::all_of(parts.begin() + 1, parts.end(), [](const auto& p) { return std::stoi(p) <= 255; });
    Check(ip.empty() || isQuad || (ip.size() <= 45 && std::regex_match(ip, six)), "an address or nothing", ip);
    return 0;
}
