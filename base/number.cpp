#include "base/number.h"

#include <charconv>
#include <cmath>
#include <cstdint>
#include <system_error>

namespace poko {

namespace {

// Significant digits kept for the conversion. A double's rounding can hinge on at
// most 767 significant digits, so keeping more plus one "sticky" digit that stands
// for any non-zero rest gives the correctly rounded result of the whole text
// without a heap buffer.
constexpr int kMaxDigits = 780;
// Exponents are clamped far beyond any double's range; nothing is lost by it.
constexpr int64_t kExponentClamp = 100000;

class Scanner {
public:
    explicit Scanner(const Text& text) : text_(text) {}

    // The next character that is not ignored, or 0 at the end.
    char16_t Peek() {
        while (pos_ < text_.size() && IsIgnored(text_[pos_])) ++pos_;
        return pos_ < text_.size() ? text_[pos_] : u'\0';
    }
    void Next() { ++pos_; }

private:
    static bool IsIgnored(char16_t c) { return c == u' ' || c == u'\t' || c == u'\n'; }

    const Text& text_;
    size_t pos_ = 0;
};

bool IsDigit(char16_t c) { return c >= u'0' && c <= u'9'; }

int DigitValue(char16_t c, int base) {
    int d = -1;
    if (c >= u'0' && c <= u'9') d = c - u'0';
    else if (c >= u'a' && c <= u'f') d = c - u'a' + 10;
    else if (c >= u'A' && c <= u'F') d = c - u'A' + 10;
    return d < base ? d : -1;
}

LeadingNumber RadixInteger(Scanner& in, int base) {
    double value = 0;
    for (int d; (d = DigitValue(in.Peek(), base)) >= 0; in.Next()) value = value * base + d;
    if (std::isinf(value)) return {value, true};
    return {value, false};
}

LeadingNumber DecimalNumber(Scanner& in) {
    bool negative = false;
    if (in.Peek() == u'+' || in.Peek() == u'-') {
        negative = in.Peek() == u'-';
        in.Next();
    }

    // Significant digits (no leading zeros) and the power of ten of the last one.
    char buf[kMaxDigits + 32];
    int count = 0;
    bool sticky = false;
    int64_t scale = 0;
    bool any_digit = false;
    bool seen_point = false;
    for (char16_t c = in.Peek();; c = in.Peek()) {
        if (c == u'.' && !seen_point) {
            seen_point = true;
        } else if (IsDigit(c)) {
            any_digit = true;
            if (count == 0 && c == u'0') {
                if (seen_point) --scale;
            } else if (count < kMaxDigits) {
                buf[count++] = static_cast<char>(c);
                if (seen_point) --scale;
            } else {
                sticky = sticky || c != u'0';
                if (!seen_point) ++scale;
            }
        } else {
            break;
        }
        in.Next();
    }
    if (!any_digit) return {0, false};

    const char16_t e = in.Peek();
    if (e == u'E' || e == u'e' || e == u'D' || e == u'd') {
        in.Next();
        bool exp_negative = false;
        if (in.Peek() == u'+' || in.Peek() == u'-') {
            exp_negative = in.Peek() == u'-';
            in.Next();
        }
        if (IsDigit(in.Peek())) {
            int64_t exponent = 0;
            for (; IsDigit(in.Peek()); in.Next()) {
                if (exponent < kExponentClamp) exponent = exponent * 10 + (in.Peek() - u'0');
            }
            scale += exp_negative ? -exponent : exponent;
        }
        // Without digits ("1e") the letter is not part of the number; as nothing is
        // read after the number, there is nothing to step back for.
    }

    if (count == 0) return {0, false};
    if (sticky) {
        buf[count++] = '1';
        --scale;
    }
    if (scale > kExponentClamp) scale = kExponentClamp;
    if (scale < -kExponentClamp) scale = -kExponentClamp;
    const int64_t leading_power = scale + count - 1;

    char* end = buf + count;
    *end++ = 'e';
    end = std::to_chars(end, buf + sizeof buf, scale).ptr;

    double value = 0;
    const auto result = std::from_chars(buf, end, value);
    if (result.ec == std::errc::result_out_of_range) {
        // from_chars leaves value alone then; tell overflow from underflow by size.
        if (leading_power >= 0) return {negative ? -HUGE_VAL : HUGE_VAL, true};
        value = 0;
    }
    return {negative ? -value : value, false};
}

// Writes |x| rounded to `digits` significant digits; positional while the rounded
// value's decimal exponent lies in [-4, upper), exponent form otherwise.
Text FormatSignificant(double x, int digits, int upper) {
    if (std::isnan(x)) return u"NaN";
    if (std::isinf(x)) return x < 0 ? u"-Inf" : u"Inf";
    if (x == 0) return u"0";  // also -0

    char sci[48];
    const auto r = std::to_chars(sci, sci + sizeof sci, std::fabs(x), std::chars_format::scientific,
                                 digits - 1);
    // sci is "d.ddde+XX" (or "de+XX" when digits is 1).
    char mantissa[24];
    int n = 0;
    const char* p = sci;
    for (; p < r.ptr && *p != 'e'; ++p) {
        if (*p != '.') mantissa[n++] = *p;
    }
    int exponent = 0;
    std::from_chars(p + 1 + (p[1] == '+'), r.ptr, exponent);
    while (n > 1 && mantissa[n - 1] == '0') --n;

    Text out;
    if (x < 0) out += u'-';
    if (exponent >= upper || exponent < -4) {
        out += static_cast<char16_t>(mantissa[0]);
        if (n > 1) {
            out += u'.';
            for (int i = 1; i < n; ++i) out += static_cast<char16_t>(mantissa[i]);
        }
        out += u'E';
        out += exponent < 0 ? u'-' : u'+';
        const int magnitude = exponent < 0 ? -exponent : exponent;
        if (magnitude < 10) out += u'0';
        char e[8];
        const auto er = std::to_chars(e, e + sizeof e, magnitude);
        for (const char* q = e; q < er.ptr; ++q) out += static_cast<char16_t>(*q);
    } else if (exponent >= 0) {
        for (int i = 0; i <= exponent; ++i) out += static_cast<char16_t>(i < n ? mantissa[i] : '0');
        if (n > exponent + 1) {
            out += u'.';
            for (int i = exponent + 1; i < n; ++i) out += static_cast<char16_t>(mantissa[i]);
        }
    } else {
        out += u"0.";
        for (int i = -1; i > exponent; --i) out += u'0';
        for (int i = 0; i < n; ++i) out += static_cast<char16_t>(mantissa[i]);
    }
    return out;
}

}  // namespace

LeadingNumber LeadingNumberValue(const Text& text) {
    Scanner in(text);
    if (in.Peek() == u'&') {
        in.Next();
        const char16_t kind = in.Peek();
        if (kind == u'H' || kind == u'h') {
            in.Next();
            return RadixInteger(in, 16);
        }
        if (kind == u'O' || kind == u'o') {
            in.Next();
            return RadixInteger(in, 8);
        }
        return {0, false};
    }
    return DecimalNumber(in);
}

double RoundHalfEven(double x) {
    if (!std::isfinite(x)) return x;
    const double below = std::floor(x);
    const double rest = x - below;  // exact: no double rounding can creep in
    double r = below;
    if (rest > 0.5 || (rest == 0.5 && std::fmod(below, 2.0) != 0)) r = below + 1;
    return r == 0 ? std::copysign(0.0, x) : r;
}

Text DecimalText(double x) { return FormatSignificant(x, 15, 15); }

Text SingleText(float x) { return FormatSignificant(x, 7, 7); }

}  // namespace poko
