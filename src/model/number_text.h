#pragma once

#include <optional>
#include <string>
#include <string_view>

// Engineering number text: typed values with SI prefix letters and a decimal comma, and short
// texts with unit prefixes for dialogs, tables, reports and the plot.
namespace vx {

// Quantity kinds that change the prefix rules: a capacitance never uses "m" (it uses "u"), an
// infinite capacitance is a wire, a time keeps a trailing zero.
enum class ValueKind : char { ANY = 0, CAPACITANCE = 'C', RESISTANCE = 'R', TIME = 'T' };

// '4k7' -> 4700, '2,2n' -> 2.2e-9; the leftmost prefix letter also serves as decimal point.
double ParseValue(std::string_view text);
// As ParseValue, but nothing for a text that holds no number at all ("abc", "", "-"), which
// ParseValue would read as 0.
std::optional<double> ParseValueText(std::string_view text);

std::string FormatValue(double x, bool compact, int digits, ValueKind kind);
// As FormatValue, but values below 1 get no "m" prefix ('0,005' instead of '5m').
std::string FormatValueNoMilli(double x, bool compact, int digits, ValueKind kind);
// FormatValue followed directly by `unit` ('4,7 nF'); the word of an infinite value ("Draht")
// stands alone, as it is no number of that unit.
std::string FormatValueWithUnit(double x, bool compact, int digits, ValueKind kind,
                                std::string_view unit);
// FormatValueWithUnit(x, true, 3, TIME, "s").
std::string FormatTime(double x);
// Signed value with three digits and a unit, for tables and reports ('4,7 kOhm').
std::string FormatQuantity(double x, std::string_view unit, ValueKind kind);
std::string FormatQuantity(double x, ValueKind kind);

// A printf-style number text as the user reads it: its decimal point becomes a comma.
std::string WithDecimalComma(std::string text);
// "%*.*f" with a decimal comma; a finite value beyond the largest prefix (1e18) is written in
// the exponent form with `decimals` + 1 digits ('1e+300') instead of hundreds of digits.
std::string FormatFixed(double x, int decimals, int width = 0);
// A number text followed by `unit`: a bare number gets a space before it, a prefixed one
// ('4,7 k') already ends in one.
std::string WithUnit(std::string value, std::string_view unit);

double RoundSignificant(double x, int digits);
double RoundToTenth(double x);

struct AxisStep {
    double step;
    int subdivisions;
};
AxisStep NiceStep(double span);

struct AxisBounds {
    double low;
    double high;
    double step;
};
AxisBounds AxisRange(double min, double max);

}  // namespace vx
