#include "analysis/tolerance_statistics.h"

#include <algorithm>
#include <cmath>

namespace vx {

FigureSummary SummariseFigure(std::span<const double> values, double nominal) {
    FigureSummary s;
    s.nominal = nominal;
    double sum = 0.0;
    for (double v : values) {
        if (std::isnan(v)) {
            continue;
        }
        if (s.count == 0) {
            s.minimum = s.maximum = v;
        }
        s.minimum = std::min(s.minimum, v);
        s.maximum = std::max(s.maximum, v);
        sum += v;
        ++s.count;
    }
    if (s.count == 0) {
        s.mean = s.deviation = s.minimum = s.maximum = NAN;
        return s;
    }
    s.mean = sum / s.count;
    // The squares about the mean, in a second pass: the figures spread by a few per cent of
    // large values, which one-pass sums of squares would cancel away.
    double squares = 0.0;
    for (double v : values) {
        if (!std::isnan(v)) {
            squares += (v - s.mean) * (v - s.mean);
        }
    }
    s.deviation = s.count > 1 ? std::sqrt(squares / (s.count - 1)) : 0.0;
    return s;
}

namespace {

// The quantile p of the values, by selection: the values before `from` are known to be no
// larger than any after it (left so by an earlier call for a smaller p), and so are those
// before the quantile's lower order statistic when it returns.
double Quantile(std::vector<double>& values, double p, size_t& from) {
    const double h = (static_cast<double>(values.size()) - 1.0) * p;
    const size_t low = static_cast<size_t>(std::floor(h));
    const auto first = values.begin() + static_cast<std::ptrdiff_t>(from);
    const auto nth = values.begin() + static_cast<std::ptrdiff_t>(low);
    std::nth_element(first, nth, values.end());
    const double a = *nth;
    const double b = low + 1 < values.size() ? *std::min_element(nth + 1, values.end()) : a;
    from = low;
    return a + (h - static_cast<double>(low)) * (b - a);
}

}  // namespace

ToleranceBand EmptyBand(const CFilter& filter, bool linear) {
    ToleranceBand band{CShowFregang(), CShowFregang(),     CShowFregang(),   CShowFregang(),
                       CShowFregang(), filter.Frequency(), filter.PlotMin(), filter.PlotMax()};
    for (CShowFregang* curve : {&band.median, &band.q05, &band.q95, &band.minimum, &band.maximum}) {
        curve->SetLinearInterpolation(linear);
    }
    return band;
}

void FillBand(std::span<const double> responses, int runs, int first, int last,
              ToleranceBand& band) {
    const size_t points = static_cast<size_t>(band.median.Count());
    std::vector<double> column(static_cast<size_t>(runs));
    for (int k = first; k < last; ++k) {
        double low = INFINITY;
        double high = -INFINITY;
        for (size_t r = 0; r < column.size(); ++r) {
            const double v = responses[r * points + static_cast<size_t>(k)];
            column[r] = v;
            low = std::min(low, v);
            high = std::max(high, v);
        }
        size_t from = 0;
        band.q05.AddAt(k, Quantile(column, 0.05, from));
        band.median.AddAt(k, Quantile(column, 0.5, from));
        band.q95.AddAt(k, Quantile(column, 0.95, from));
        band.minimum.AddAt(k, low);
        band.maximum.AddAt(k, high);
    }
}

}  // namespace vx
