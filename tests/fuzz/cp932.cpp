// Code page 932 both ways on arbitrary input: bytes as a settings file or a page may hold
// them (undefined bytes, lead bytes with bad trail bytes, a lead byte cut off by the
// end), and UTF-16 as a text box may hold it (lone surrogates, characters the code page
// lacks). What the program writes must read back to the same bytes, so a value stored
// once stays as it is, and a text the code page holds whole comes back whole.
#include <algorithm>

#include "base/ansi.h"
#include "tests/fuzz/fuzz_check.h"

using namespace poko;
using fuzz::Check;

namespace {

std::string Hex(std::string_view bytes) {
    static const char digits[] = "0123456789ABCDEF";
    std::string out;
    for (unsigned char b : bytes) out += {digits[b >> 4], digits[b & 15], ' '};
    return out;
}

void CheckWritten(const Text& text) {
    const std::string written = ToAnsi(text);
    Check(written.size() <= 2 * text.size(), "at most two bytes per unit", Hex(written));
    const Text read = FromAnsi(written);
    Check(ToAnsi(read) == written, "written bytes read back to themselves", Hex(written) + "-> " + Hex(ToAnsi(read)));
    if (std::find(read.begin(), read.end(), u'?') == read.end())
        Check(read == text, "a text without '?' comes back whole", Hex(written));
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string_view bytes = fuzz::Bytes(data, size);
    const Text decoded = FromAnsi(bytes);
    Check(decoded.size() <= bytes.size(), "at most one unit per byte", Hex(bytes));
    CheckWritten(decoded);

    Text units;
    for (std::size_t i = 0; i + 1 < size; i += 2) units += static_cast<char16_t>(data[i] | data[i + 1] << 8);
    CheckWritten(units);
    return 0;
}
