#include "plot/axis_label.h"

#include <cctype>
#include <cmath>

#include "model/number_text.h"

namespace vx {

namespace {

// A tick computed as a sum of steps is its nice value up to rounding.
constexpr double kSameValue = 1e-9;

// A character's advance relative to a digit, the wider of DejaVu Sans and Arial: a comma is
// half a digit, "M" and "m" one and a half.
double DigitShare(char c) {
    if (std::isdigit(static_cast<unsigned char>(c))) {
        return 1.0;
    }
    switch (c) {
        case ',':
        case '.':
            return 0.5;
        case '-':
            return 0.6;
        case 'k':
            return 0.92;
        case 'p':
        case 'n':
        case 'u':
        case 'e':
            return 1.0;
        case 'T':
            return 1.1;
        case '+':
            return 1.35;
        case 'G':
            return 1.4;
        default:
            // "M", "m" and anything unforeseen.
            return 1.6;
    }
}

}  // namespace

int SignificantDigits(double f, int maxDigits) {
    int digits = 1;
    while (digits < maxDigits && std::fabs(RoundSignificant(f, digits) - f) > kSameValue * f) {
        ++digits;
    }
    return digits;
}

std::string AxisFrequencyLabel(double f, int maxDigits) {
    const int digits = SignificantDigits(f, maxDigits);
    // Rounded first, or 0,999999 Hz would read "1000m". A resistance is the one kind whose
    // number text keeps "k" on values that are no whole kilo.
    return FormatValue(RoundSignificant(f, digits), true, digits, ValueKind::RESISTANCE);
}

double LabelWidth(std::string_view text, double digitWidth) {
    double shares = 0.0;
    for (const char c : text) {
        shares += DigitShare(c);
    }
    return shares * digitWidth;
}

}  // namespace vx
