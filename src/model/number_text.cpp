#include "model/number_text.h"

#include <algorithm>
#include <array>
#include <cctype>
#include <cmath>
#include <stdexcept>
#include <utility>

#include "model/number_format.h"

namespace vx {

namespace {

// Beyond this a value is infinite (a capacitance becomes a wire); below it a value is 0.
constexpr double kInfinite = 1e20;
constexpr double kZero = 1e-20;
// A fixed form beyond this is all digits.
constexpr double kBeyondPrefixes = 1e18;
// From peta on a value is written in the exponent form ('4,32e+15'), which reads back.
constexpr double kExponentFrom = 1e15;
// Longest number text before the prefix, as the dialogs' fields allow.
constexpr size_t kMaxNumberText = 40;

struct Prefix {
    char letter;
    double factor;
};

// In this order the leftmost letter wins; "m" is milli, "M" mega. "T" reads back what Format
// writes; "P" is pico, as typed values have always had it, so Format writes no peta.
constexpr std::array<Prefix, 12> kPrefixLetters = {{{'p', 1e-12},
                                                    {'P', 1e-12},
                                                    {'n', 1e-9},
                                                    {'N', 1e-9},
                                                    {'u', 1e-6},
                                                    {'U', 1e-6},
                                                    {'m', 1e-3},
                                                    {'k', 1e3},
                                                    {'K', 1e3},
                                                    {'M', 1e6},
                                                    {'G', 1e9},
                                                    {'T', 1e12}}};

// Written prefixes by groups of three decades: mega to tera above kilo, pico to micro below
// milli. The value is multiplied by `scale` before its digits are written.
struct WrittenPrefix {
    char letter;
    double scale;
};
constexpr std::array<WrittenPrefix, 3> kLargePrefixes = {{{'M', 1e-6}, {'G', 1e-9}, {'T', 1e-12}}};
constexpr std::array<WrittenPrefix, 3> kSmallPrefixes = {{{'p', 1e12}, {'n', 1e9}, {'u', 1e6}}};

// A value in its prefix's range; '\0' for no prefix.
struct Scaled {
    double value;
    char prefix;
};

// An infinite capacitance is a wire; any other infinite value shows nothing.
std::string InfiniteText(ValueKind kind) {
    return kind == ValueKind::CAPACITANCE ? "Draht" : "";
}

// Values of 1 and more.
Scaled ScaleLarge(double v, ValueKind kind) {
    const int k = static_cast<int>(std::log10(v)) / 3;
    if (k == 1) {
        const double scaled = v * 0.001;
        // Outside component values "4700" reads better than "4,7k".
        const bool whole = scaled - std::floor(scaled) <= 1e-10;
        if (kind == ValueKind::CAPACITANCE || kind == ValueKind::RESISTANCE || whole) {
            return {scaled, 'k'};
        }
    } else if (k >= 2 && k <= 4) {
        const WrittenPrefix& p = kLargePrefixes[static_cast<size_t>(k - 2)];
        return {v * p.scale, p.letter};
    }
    return {v, '\0'};
}

// Values below 1; milli only where asked for.
Scaled ScaleSmall(double v, ValueKind kind, bool milli, double shift) {
    const int k = static_cast<int>(std::log10(v) + shift) / 3;
    if (k == 0) {
        // A capacitance of millifarads is still written in microfarads.
        if (kind == ValueKind::CAPACITANCE) {
            return {v * 1e6, 'u'};
        }
        if (milli) {
            return {v * 1e3, 'm'};
        }
    } else if (k >= -3 && k <= -1) {
        const WrittenPrefix& p = kSmallPrefixes[static_cast<size_t>(k + 3)];
        return {v * p.scale, p.letter};
    }
    return {v, '\0'};
}

// Whole numbers are never cut: also not the microfarads of a millifarad capacitance, which
// would otherwise read '4,7e+03u'.
int Precision(double v, int digits, double shift) {
    const int n = v >= 1.0 ? static_cast<int>(std::log10(v) + shift) + 1 : 0;
    return n > digits ? n : digits;
}

std::string Digits(double v, int precision) {
    std::string text = FormatG(v, precision);
    if (std::fabs(v) >= 1.0 && text.find('e') != std::string::npos) {
        // Rounding carried into a new digit (999.7 with three digits): '1000', not '1e+03'.
        text = FormatF(v, 0);
    }
    return text;
}

// The prefix after the digits, a blank before it unless compact (a time gets none) and a
// decimal comma: only one point can be there.
std::string WithPrefix(std::string text, char prefix, bool compact, int digits, ValueKind kind) {
    if (kind == ValueKind::TIME) {
        // A time keeps a trailing zero so that '1,50ms' lines up with '1,25ms'.
        if (text.find('.') != std::string::npos && text.size() < static_cast<size_t>(digits) + 1) {
            text += '0';
        }
    } else if (!compact && prefix != '\0') {
        text += ' ';
    }
    if (text.size() > kMaxNumberText) {
        text.resize(kMaxNumberText);
    }
    if (prefix != '\0') {
        text += prefix;
    }
    return WithDecimalComma(std::move(text));
}

std::string Format(double x, bool compact, int digits, ValueKind kind, bool milli) {
    // Said before any prefix is worked out: the logarithm of NaN has no integer part.
    if (std::isnan(x)) {
        return "nan";
    }
    const double v = std::fabs(x);
    if (v >= kInfinite) {
        return InfiniteText(kind);
    }
    if (v <= kZero) {
        return "0";
    }
    if (v >= kExponentFrom) {
        return WithDecimalComma(FormatG(x, std::max(digits, 1)));
    }
    // Shifts the logarithm so that an exact power of ten is not truncated to the one below.
    const double shift = std::pow(10.0, -(digits + 1));
    const Scaled scaled = v >= 1 ? ScaleLarge(v, kind) : ScaleSmall(v, kind, milli, shift);
    const int precision = Precision(scaled.value, digits, shift);
    std::string text = Digits(x < 0 ? -scaled.value : scaled.value, precision);
    return WithPrefix(std::move(text), scaled.prefix, compact, digits, kind);
}

}  // namespace

double ParseValue(std::string_view text) {
    return ParseValueText(text).value_or(0.0);
}

std::optional<double> ParseValueText(std::string_view text) {
    std::string s;
    s.reserve(text.size());
    for (const char c : text) {
        if (c != ' ') {
            s += c == ',' ? '.' : c;
        }
    }
    double multiplier = 1.0;
    size_t found = std::string::npos;
    for (const Prefix& p : kPrefixLetters) {
        const size_t at = s.find(p.letter);
        if (at < found) {
            found = at;
            multiplier = p.factor;
            // The prefix letter doubles as the decimal point: '4k7'.
            s[at] = '.';
        }
    }
    // A number starts, after its sign, with a digit or with a point before one.
    const size_t start = !s.empty() && (s[0] == '+' || s[0] == '-') ? 1 : 0;
    const bool digitFirst = start < s.size() && std::isdigit(static_cast<unsigned char>(s[start]));
    const bool pointFirst = start + 1 < s.size() && s[start] == '.' &&
                            std::isdigit(static_cast<unsigned char>(s[start + 1]));
    if (!digitFirst && !pointFirst) {
        return std::nullopt;
    }
    return ParseDouble(s) * multiplier;
}

std::string FormatValue(double x, bool compact, int digits, ValueKind kind) {
    return Format(x, compact, digits, kind, true);
}

std::string FormatValueNoMilli(double x, bool compact, int digits, ValueKind kind) {
    return Format(x, compact, digits, kind, false);
}

std::string FormatValueWithUnit(double x, bool compact, int digits, ValueKind kind,
                                std::string_view unit) {
    std::string text = FormatValue(x, compact, digits, kind);
    if (std::fabs(x) < kInfinite) {
        text += unit;
    }
    return text;
}

std::string FormatTime(double x) {
    return FormatValueWithUnit(x, true, 3, ValueKind::TIME, "s");
}

std::string FormatQuantity(double x, std::string_view unit, ValueKind kind) {
    const double v = std::fabs(x);
    if (v >= kInfinite) {
        return InfiniteText(kind);
    }
    std::string s = "0";
    if (v > kZero) {
        // The sign goes in front of the unsigned text: a time keeps its trailing zero.
        s = FormatValue(v, false, 3, kind);
        if (x < 0) {
            s.insert(0, 1, '-');
        }
    }
    return unit.empty() ? s : WithUnit(std::move(s), unit);
}

std::string FormatQuantity(double x, ValueKind kind) {
    return FormatQuantity(x, "", kind);
}

double RoundSignificant(double x, int digits) {
    const double a = std::fabs(x);
    if (a <= kZero || digits <= 0 || digits >= 20) {
        return x;
    }
    const int e = static_cast<int>(std::log10(a)) + 1;
    const double s = std::pow(10.0, digits - e);
    const double r = std::trunc(a * s + 0.5) / s;
    return x < 0 ? -r : r;
}

double RoundToTenth(double x) {
    const double r = std::trunc(std::fabs(x) * 10.0 + 0.5) * 0.1;
    return x < 0 ? -r : r;
}

AxisStep NiceStep(double span) {
    // Scaling 0, a negative span or an infinity into 1..10 would never end.
    if (!(span > 0) || !std::isfinite(span)) {
        throw std::invalid_argument("axis step of a span that is not positive and finite");
    }
    double factor = 1.0;
    while (span > 10.0) {
        span /= 10.0;
        factor *= 10.0;
    }
    while (span < 1.0) {
        span *= 10.0;
        factor /= 10.0;
    }
    double best = 1.0;
    for (const double candidate : {5.0, 10.0}) {
        if (std::fabs(span / candidate - 1.0) < std::fabs(span / best - 1.0)) {
            best = candidate;
        }
    }
    return {best * factor, best == 5.0 ? 5 : 10};
}

AxisBounds AxisRange(double min, double max) {
    const double step = NiceStep((max - min) / 16).step;
    const double low = std::trunc(min / step + 1e-9) * step;
    double high = std::trunc(max / step + 1e-9) * step;
    if (max > high) {
        high += step;
    }
    return {low, high, step};
}

std::string WithDecimalComma(std::string text) {
    std::replace(text.begin(), text.end(), '.', ',');
    return text;
}

std::string FormatFixed(double x, int decimals, int width) {
    const bool huge = std::isfinite(x) && std::fabs(x) >= kBeyondPrefixes;
    return WithDecimalComma(huge ? FormatG(x, decimals + 1) : FormatF(x, decimals, width));
}

std::string WithUnit(std::string value, std::string_view unit) {
    if (std::isdigit(static_cast<unsigned char>(value.back()))) {
        value += ' ';
    }
    value += unit;
    return value;
}

}  // namespace vx
