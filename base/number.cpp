// The leading-number value, rounding, and numbers written as text.
#include "base/number.h"

#include <bit>
#include <charconv>
#include <cmath>
#include <cstdint>

namespace poko {

namespace {

// Significant digits kept for the conversion. A double's rounding can hinge on at
// most 767 significant digits, so keeping more plus one "sticky" digit that stands
// for any non-zero rest gives the correctly rounded result of the whole text
// without a heap buffer.
constexpr int kMaxDigits = 780;
// Exponents are clamped far beyond any double's range; nothing is lost by it.
constexpr int64_t kExponentClamp = 100000;
// Decimal exponents (of the leading digit) beyond which a text is surely too large
// for a double, or surely rounds to zero.
constexpr int64_t kOverflowPower = 310, kZeroPower = -326;

int BitWidth(uint64_t v) { return static_cast<int>(std::bit_width(v)); }

// Exact non-negative whole numbers, just large enough for the correctly rounded
// conversions between decimal text and doubles. The largest operand is 10^1105
// (a text of kMaxDigits digits at the underflow end) shifted left by 57 bits, about
// 3,730 bits. The standard library's conversions would do the same job, but bring
// some 200 KB of tables into the executable.
class BigNum {
public:
    explicit BigNum(uint64_t v = 0) : size_(v == 0 ? 0 : v >> 32 ? 2 : 1) {
        w_[0] = static_cast<uint32_t>(v);
        w_[1] = static_cast<uint32_t>(v >> 32);
    }

    // this * factor + add
    void MulAdd(uint32_t factor, uint32_t add) {
        uint64_t carry = add;
        for (int i = 0; i < size_; ++i) {
            carry += static_cast<uint64_t>(w_[i]) * factor;
            w_[i] = static_cast<uint32_t>(carry);
            carry >>= 32;
        }
        if (carry) w_[size_++] = static_cast<uint32_t>(carry);
    }

    void MulPow10(int64_t n) {
        for (; n >= 9; n -= 9) MulAdd(1000000000, 0);
        uint32_t rest = 1;
        for (; n > 0; --n) rest *= 10;
        MulAdd(rest, 0);
    }

    void ShiftLeft(int bits) {
        if (size_ == 0 || bits <= 0) return;
        const int words = bits / 32, part = bits % 32;
        w_[size_] = 0;
        for (int i = size_; i >= 0; --i) {
            const uint32_t low = i > 0 && part ? w_[i - 1] >> (32 - part) : 0;
            w_[i + words] = (w_[i] << part) | low;
        }
        for (int i = 0; i < words; ++i) w_[i] = 0;
        size_ += words + 1;
        Trim();
    }

    void ShiftRightOne() {
        for (int i = 0; i < size_; ++i) w_[i] = (w_[i] >> 1) | (i + 1 < size_ ? w_[i + 1] << 31 : 0);
        Trim();
    }

    int BitLength() const { return size_ == 0 ? 0 : (size_ - 1) * 32 + BitWidth(w_[size_ - 1]); }
    bool IsZero() const { return size_ == 0; }

    int Compare(const BigNum& o) const {
        if (size_ != o.size_) return size_ < o.size_ ? -1 : 1;
        for (int i = size_ - 1; i >= 0; --i)
            if (w_[i] != o.w_[i]) return w_[i] < o.w_[i] ? -1 : 1;
        return 0;
    }

    // this - o, where o is not larger
    void Subtract(const BigNum& o) {
        uint64_t borrow = 0;
        for (int i = 0; i < size_; ++i) {
            const uint64_t sub = (i < o.size_ ? o.w_[i] : 0) + borrow;
            borrow = w_[i] < sub;
            w_[i] = static_cast<uint32_t>(w_[i] - sub);
        }
        Trim();
    }

private:
    void Trim() {
        while (size_ > 0 && w_[size_ - 1] == 0) --size_;
    }

    uint32_t w_[128];  // 4,096 bits, least significant word first
    int size_;
};

// The whole quotient n / d, which must be below 2^63; n is left holding the remainder.
uint64_t DivideInto(BigNum& n, BigNum d) {
    int shift = n.BitLength() - d.BitLength();
    if (shift < 0) return 0;
    d.ShiftLeft(shift);
    uint64_t q = 0;
    for (; shift >= 0; --shift) {
        q <<= 1;
        if (n.Compare(d) >= 0) {
            n.Subtract(d);
            q |= 1;
        }
        d.ShiftRightOne();
    }
    return q;
}

// The double nearest to digits * 10^scale (halfway cases to even), for leading
// powers between kZeroPower and kOverflowPower; +infinity when that is too large.
double NearestDouble(const char* digits, int count, int64_t scale) {
    BigNum n, d(1);
    for (int i = 0; i < count; ++i) n.MulAdd(10, static_cast<uint32_t>(digits[i] - '0'));
    if (scale >= 0) n.MulPow10(scale);
    else d.MulPow10(-scale);
    // Scaled by 2^k so that the quotient has 56 or 57 bits: the 53 kept, a rounding
    // bit and more; the remainder tells whether anything non-zero lies beyond.
    const int k = 56 + d.BitLength() - n.BitLength();
    if (k > 0) n.ShiftLeft(k);
    else d.ShiftLeft(-k);
    const uint64_t q = DivideInto(n, d);
    const bool sticky = !n.IsZero();
    const int length = BitWidth(q);
    const int power = length - 1 - k;  // the value lies in [2^power, 2^(power+1))
    // 53 bits for a normal double, fewer for a subnormal one.
    const int keep = power + 1075 < 53 ? power + 1075 : 53;
    if (keep < 0) return 0;
    const int drop = length - keep;
    uint64_t significand = q >> drop;
    const uint64_t rest = q & ((uint64_t{1} << drop) - 1), half = uint64_t{1} << (drop - 1);
    if (rest > half || (rest == half && (sticky || (significand & 1)))) ++significand;
    // A carry out of the significand moves into the exponent field by itself.
    const uint64_t bits =
        keep < 53 ? significand : (static_cast<uint64_t>(power + 1023) << 52) + significand - (uint64_t{1} << 52);
    return bits >= 0x7FF0000000000000 ? HUGE_VAL : std::bit_cast<double>(bits);
}

uint64_t Pow10(int n) {
    uint64_t p = 1;
    while (n-- > 0) p *= 10;
    return p;
}

// A finite, non-zero |x| rounded to `digits` (at most 17) significant digits, halfway
// cases to even: the digits as a whole number and the decimal exponent of the first.
struct Rounded {
    uint64_t digits;
    int exponent;
};

Rounded RoundSignificant(double x, int digits) {
    const uint64_t bits = std::bit_cast<uint64_t>(x) & 0x7FFFFFFFFFFFFFFF;
    const int biased = static_cast<int>(bits >> 52);
    const uint64_t mantissa = (bits & 0xFFFFFFFFFFFFF) | (biased ? uint64_t{1} << 52 : 0);
    const int power2 = (biased ? biased : 1) - 1075;  // |x| = mantissa * 2^power2
    // floor(log10 |x|) or one less: corrected below.
    int exponent = static_cast<int>(std::floor((BitWidth(mantissa) - 1 + power2) * 0.30102999566398120));
    const uint64_t low = Pow10(digits - 1), high = Pow10(digits);
    for (;;) {
        const int scale = digits - 1 - exponent;
        BigNum n(mantissa), d(1);
        if (power2 > 0) n.ShiftLeft(power2);
        else d.ShiftLeft(-power2);
        if (scale > 0) n.MulPow10(scale);
        else d.MulPow10(-scale);
        uint64_t q = DivideInto(n, d);
        if (q >= high) {
            ++exponent;
            continue;
        }
        if (q < low) {
            --exponent;
            continue;
        }
        n.ShiftLeft(1);
        const int c = n.Compare(d);
        if (c > 0 || (c == 0 && (q & 1))) ++q;
        if (q == high) return {low, exponent + 1};
        return {q, exponent};
    }
}

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

int DigitValue(char16_t c, int base) {
    int d = -1;
    if (c >= u'0' && c <= u'9') d = c - u'0';
    else if (c >= u'a' && c <= u'f') d = c - u'a' + 10;
    else if (c >= u'A' && c <= u'F') d = c - u'A' + 10;
    return d < base ? d : -1;
}

LeadingNumber RadixInteger(Scanner& in, int base) {
    double value = 0;
    bool any_digit = false;
    for (int d; (d = DigitValue(in.Peek(), base)) >= 0; in.Next()) value = value * base + d, any_digit = true;
    return {value, std::isinf(value), any_digit && in.Peek() == u'\0'};
}

LeadingNumber DecimalNumber(Scanner& in) {
    bool negative = false;
    if (in.Peek() == u'+' || in.Peek() == u'-') {
        negative = in.Peek() == u'-';
        in.Next();
    }

    // Significant digits (no leading zeros) and the power of ten of the last one.
    char buf[kMaxDigits + 1];
    int count = 0;
    bool sticky = false;
    int64_t scale = 0;
    bool any_digit = false;
    bool seen_point = false;
    for (char16_t c = in.Peek();; c = in.Peek()) {
        if (c == u'.' && !seen_point) {
            seen_point = true;
        } else if (IsAsciiDigit(c)) {
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

    bool exponent_whole = true;
    const char16_t e = in.Peek();
    if (e == u'E' || e == u'e' || e == u'D' || e == u'd') {
        in.Next();
        bool exp_negative = false;
        if (in.Peek() == u'+' || in.Peek() == u'-') {
            exp_negative = in.Peek() == u'-';
            in.Next();
        }
        if (IsAsciiDigit(in.Peek())) {
            int64_t exponent = 0;
            for (; IsAsciiDigit(in.Peek()); in.Next()) {
                if (exponent < kExponentClamp) exponent = exponent * 10 + (in.Peek() - u'0');
            }
            scale += exp_negative ? -exponent : exponent;
        } else {
            exponent_whole = false;
        }
        // Without digits ("1e") the letter is not part of the number; as nothing is
        // read after the number, there is nothing to step back for.
    }

    const bool whole = exponent_whole && in.Peek() == u'\0';
    if (count == 0) return {0, false, whole};
    if (sticky) {
        buf[count++] = '1';
        --scale;
    }
    if (scale > kExponentClamp) scale = kExponentClamp;
    if (scale < -kExponentClamp) scale = -kExponentClamp;
    const int64_t leading_power = scale + count - 1;
    if (leading_power <= kZeroPower) return {negative ? -0.0 : 0.0, false, whole};
    if (leading_power >= kOverflowPower) return {negative ? -HUGE_VAL : HUGE_VAL, true, whole};
    const double value = NearestDouble(buf, count, scale);
    if (std::isinf(value)) return {negative ? -HUGE_VAL : HUGE_VAL, true, whole};
    return {negative ? -value : value, false, whole};
}

// Writes |x| rounded to `digits` significant digits; positional while the rounded
// value's decimal exponent lies in [-4, upper), exponent form otherwise.
Text FormatSignificant(double x, int digits, int upper) {
    if (std::isnan(x)) return u"NaN";
    if (std::isinf(x)) return x < 0 ? u"-Inf" : u"Inf";
    if (x == 0) return u"0";  // also -0

    const Rounded r = RoundSignificant(x, digits);
    char mantissa[24];
    int n = static_cast<int>(std::to_chars(mantissa, mantissa + sizeof mantissa, r.digits).ptr - mantissa);
    while (n > 1 && mantissa[n - 1] == '0') --n;
    const int exponent = r.exponent;

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

Text DecimalText(double x) {
    // Rounded to 15 digits, the largest doubles would come out above the largest double
    // and read back as an overflow; they are written as the largest such number below it.
    constexpr double kLargest15Digits = 1.79769313486231e308;
    if (std::isfinite(x) && std::fabs(x) > kLargest15Digits) x = std::copysign(kLargest15Digits, x);
    return FormatSignificant(x, 15, 15);
}

Text SingleText(float x) { return FormatSignificant(x, 7, 7); }

}  // namespace poko
