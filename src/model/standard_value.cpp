#include "model/standard_value.h"

#include <array>
#include <cmath>
#include <stdexcept>
#include <string>

namespace vx {

namespace {

// Mantissas of IEC 60063, each followed by 1000 (the next decade, reachable by rounding) and 0.
constexpr std::array<int, 14> kE12 = {100, 120, 150, 180, 220, 270,  330,
                                      390, 470, 560, 680, 820, 1000, 0};
constexpr std::array<int, 26> kE24 = {100, 110, 120, 130, 150, 160, 180,  200, 220,
                                      240, 270, 300, 330, 360, 390, 430,  470, 510,
                                      560, 620, 680, 750, 820, 910, 1000, 0};
// E48 to E192 follow round(100 * 10^(i/n)), except E192 entry 185, which the standard sets to 920.
constexpr std::array<int, 50> kE48 = {
    100, 105, 110, 115, 121, 127, 133, 140, 147, 154, 162, 169, 178, 187, 196,  205, 215,
    226, 237, 249, 261, 274, 287, 301, 316, 332, 348, 365, 383, 402, 422, 442,  464, 487,
    511, 536, 562, 590, 619, 649, 681, 715, 750, 787, 825, 866, 909, 953, 1000, 0};
constexpr std::array<int, 98> kE96 = {
    100, 102, 105, 107, 110, 113, 115, 118, 121, 124, 127, 130,  133, 137, 140, 143, 147,
    150, 154, 158, 162, 165, 169, 174, 178, 182, 187, 191, 196,  200, 205, 210, 215, 221,
    226, 232, 237, 243, 249, 255, 261, 267, 274, 280, 287, 294,  301, 309, 316, 324, 332,
    340, 348, 357, 365, 374, 383, 392, 402, 412, 422, 432, 442,  453, 464, 475, 487, 499,
    511, 523, 536, 549, 562, 576, 590, 604, 619, 634, 649, 665,  681, 698, 715, 732, 750,
    768, 787, 806, 825, 845, 866, 887, 909, 931, 953, 976, 1000, 0};
constexpr std::array<int, 194> kE192 = {
    100, 101, 102, 104, 105, 106, 107, 109, 110, 111, 113, 114, 115,  117, 118, 120, 121, 123,
    124, 126, 127, 129, 130, 132, 133, 135, 137, 138, 140, 142, 143,  145, 147, 149, 150, 152,
    154, 156, 158, 160, 162, 164, 165, 167, 169, 172, 174, 176, 178,  180, 182, 184, 187, 189,
    191, 193, 196, 198, 200, 203, 205, 208, 210, 213, 215, 218, 221,  223, 226, 229, 232, 234,
    237, 240, 243, 246, 249, 252, 255, 258, 261, 264, 267, 271, 274,  277, 280, 284, 287, 291,
    294, 298, 301, 305, 309, 312, 316, 320, 324, 328, 332, 336, 340,  344, 348, 352, 357, 361,
    365, 370, 374, 379, 383, 388, 392, 397, 402, 407, 412, 417, 422,  427, 432, 437, 442, 448,
    453, 459, 464, 470, 475, 481, 487, 493, 499, 505, 511, 517, 523,  530, 536, 542, 549, 556,
    562, 569, 576, 583, 590, 597, 604, 612, 619, 626, 634, 642, 649,  657, 665, 673, 681, 690,
    698, 706, 715, 723, 732, 741, 750, 759, 768, 777, 787, 796, 806,  816, 825, 835, 845, 856,
    866, 876, 887, 898, 909, 920, 931, 942, 953, 965, 976, 988, 1000, 0};

// Values below this are 0; the rounding cannot scale them into the mantissa range.
constexpr double kZeroLimit = 1e-20;
// Smallest positive value the series rounding handles (1 pF).
constexpr double kSmallest = 1e-12;

std::span<const int> Table(int series) {
    switch (series) {
        case 12:
            return kE12;
        case 24:
            return kE24;
        case 48:
            return kE48;
        case 96:
            return kE96;
        case 192:
            return kE192;
        default:
            throw std::invalid_argument("invalid standard value series " + std::to_string(series));
    }
}

}  // namespace

std::span<const int> SeriesTable(int series) {
    return Table(series);
}

int SeriesNumber(int seriesIndex) {
    constexpr std::array<int, 5> kSeries = {12, 24, 48, 96, 192};
    if (seriesIndex < 0 || seriesIndex >= static_cast<int>(kSeries.size())) {
        throw std::invalid_argument("invalid resistor series index " + std::to_string(seriesIndex));
    }
    return kSeries[static_cast<size_t>(seriesIndex)];
}

StandardValue::StandardValue(int series) : series_(series) {
    Table(series);
}

StandardValue::StandardValue(int series, double x) : StandardValue(series) {
    SetValue(x);
}

void StandardValue::SetSeries(int series) {
    Table(series);
    series_ = series;
    if (hasValue_) {
        SetValue(lastInput_);
    }
}

double StandardValue::SetValue(double x) {
    // Scaling an infinity or NaN into the mantissa range would never end.
    if (!std::isfinite(x)) {
        throw std::invalid_argument("standard value of a non-finite number");
    }
    hasValue_ = true;
    if (x < kZeroLimit) {
        position_ = -1;
        factor_ = 1.0;
        lastInput_ = 0.0;
        return 0.0;
    }
    const double a = x < kSmallest ? kSmallest : x;
    double m = a;
    while (m >= 1000.0) {
        m *= 0.1;
    }
    double c;
    do {
        c = m;
        m = c * 10.0;
    } while (c < 100.0);

    const std::span<const int> table = Table(series_);
    size_t d = 1;
    while (table[d] <= c && table[d] < 1000) {
        ++d;
    }
    const double lower = table[d - 1];
    const double upper = table[d];
    // Linear distance in the mantissa; a tie goes to the upper value.
    position_ = static_cast<int>(c - lower < upper - c ? d - 1 : d);
    factor_ = a / c;
    lastInput_ = x;
    return Value();
}

double StandardValue::Value() const {
    if (position_ < 0) {
        return 0.0;
    }
    return Table(series_)[static_cast<size_t>(position_)] * factor_;
}

double StandardValue::Next() {
    if (position_ < 0) {
        return 0.0;
    }
    // From the entry 1000 this steps to 100 of the next decade: the same value.
    ++position_;
    if (position_ >= series_) {
        position_ = 0;
        factor_ *= 10.0;
    }
    return Value();
}

double StandardValue::Previous() {
    if (position_ < 0) {
        return 0.0;
    }
    if (position_ == 0) {
        position_ = series_ - 1;
        factor_ *= 0.1;
    } else {
        --position_;
    }
    return Value();
}

void RoundToSeries(double& x, int series) {
    x = RoundedToSeries(x, series);
}

double RoundedToSeries(double x, int series) {
    if (!std::isfinite(x)) {
        return x;
    }
    return StandardValue(series, x).Value();
}

}  // namespace vx
