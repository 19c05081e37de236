#pragma once

#include <string>
#include <string_view>

// printf-style number text that never depends on the process locale: the desktop front end
// switches the C library to the user's locale, which would otherwise turn "1.5" into "1,5".
namespace vx {

// "%.*g": shortest of plain and exponent form with `precision` significant digits.
std::string FormatG(double x, int precision = 6);
// "%E": six decimals and an upper-case exponent, as the specification file writes numbers.
std::string FormatE(double x);
// "%*.*f": fixed point, right-aligned in `width` characters.
std::string FormatF(double x, int precision, int width = 0);
// "%d".
std::string FormatInt(long long n);

// strtod in the C locale: optional blanks and sign, digits with an optional point, optional
// exponent; stops at the first character that does not fit; no number gives 0.
double ParseDouble(std::string_view text);
// strtol in base 10 with the same rules; no number gives 0.
long long ParseInt(std::string_view text);

}  // namespace vx
