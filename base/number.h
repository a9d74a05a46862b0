// Numbers as the program reads them from text and writes them back.
#pragma once

#include "base/text.h"

namespace poko {

struct LeadingNumber {
    double value;       // meaningful only when overflow is false
    bool overflow;      // the number is too large for a double
    bool whole = false;  // the number is the whole text, blanks aside (a stored value's test)
};

// The one rule by which a text becomes a number (time boxes, settings values, the
// command line's time). Blanks, tabs and line feeds anywhere are ignored. The value
// is that of the longest leading part that reads as a decimal number: optional sign,
// ASCII digits with at most one '.', optional exponent (E or D, either case,
// optional sign, digits; a letter without digits is not part of it). "&H" / "&O"
// (either case) start a hexadecimal / octal integer instead. Anything else reads 0.
// The result is the double nearest to the decimal value; too small rounds to 0.
LeadingNumber LeadingNumberValue(const Text& text);
// Whether the whole text, blanks aside, reads as one number by that rule: at least one
// digit, and an exponent letter only with its digits ("1e" is no number, "1e5" is).
inline bool IsNumeric(const Text& text) { return LeadingNumberValue(text).whole; }

// Nearest whole number, halves to the even one (banker's rounding), independent of
// the floating-point rounding mode. Keeps the sign of zero: -0.5 gives -0.
double RoundHalfEven(double x);

// The plain decimal form a number takes when it is written into a text box.
// Rounded to 15 significant digits, trailing zeros dropped, no "-0". Magnitudes
// (after rounding) from 1e-4 up to but excluding 1e15 are written positionally
// ("7", "-1", "0.5", "0.0001"), others as d.ddd + "E" + sign + at least two
// exponent digits ("1E+15", "1.5E-07", "1E+300"). Fifteen digits always survive a
// trip through LeadingNumberValue, so writing what was read changes nothing.
// Not-a-number and infinities, which the program never writes, give "NaN", "Inf"
// and "-Inf".
Text DecimalText(double x);

// The same for a single-precision value with 7 significant digits: positional
// from 1e-4 up to but excluding 1e7 ("1500", "-75", "0.5"), otherwise exponent
// form ("1.234568E+07"). Used where window positions are saved.
Text SingleText(float x);

}  // namespace poko
