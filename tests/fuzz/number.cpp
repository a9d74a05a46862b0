// The leading-number value on any text, and the promise the program relies on when it
// writes a number back (a time box, the opacity, a window position): what it writes
// reads back to the same text, a position's after at most one more write.
#include <cfloat>
#include <cmath>

#include "base/number.h"
#include "tests/fuzz/fuzz_check.h"

using namespace poko;
using fuzz::Check;

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const Text text = fuzz::TextOf(data, size);
    const LeadingNumber n = LeadingNumberValue(text);
    Check(n.overflow ? std::isinf(n.value) : std::isfinite(n.value), "finite unless it overflows", ToUtf8(text));
    if (n.overflow) return 0;

    const Text written = DecimalText(n.value);
    const LeadingNumber back = LeadingNumberValue(written);
    Check(!back.overflow && DecimalText(back.value) == written, "DecimalText reads back to itself",
          ToUtf8(text) + " -> " + ToUtf8(written) + " -> " + ToUtf8(DecimalText(back.value)));

    const double r = RoundHalfEven(n.value);
    Check(r == std::floor(r) && std::fabs(r - n.value) <= 0.5, "RoundHalfEven is the nearest whole number",
          ToUtf8(written));

    // Seven digits cannot name every single-precision value: a position read from more
    // digits may be written twice before its text settles (1.00000005E+28, 1E+28,
    // 9.999999E+27), but no more.
    if (std::fabs(n.value) <= FLT_MAX) {
        auto readWrite = [](const Text& t) { return SingleText(static_cast<float>(LeadingNumberValue(t).value)); };
        const Text once = SingleText(static_cast<float>(n.value)), twice = readWrite(once);
        Check(readWrite(twice) == twice, "SingleText settles after a second write",
              ToUtf8(once) + " -> " + ToUtf8(twice) + " -> " + ToUtf8(readWrite(twice)));
    }
    return 0;
}
