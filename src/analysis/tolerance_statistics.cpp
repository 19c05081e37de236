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

double SortedQuantile(std::span<const double> sorted, double p) {
    const double h = (static_cast<double>(sorted.size()) - 1.0) * p;
    const size_t low = static_cast<size_t>(std::floor(h));
    const size_t high = std::min(low + 1, sorted.size() - 1);
    return sorted[low] + (h - static_cast<double>(low)) * (sorted[high] - sorted[low]);
}

ToleranceBand BandOfRuns(std::span<const double> responses, int runs, int points, bool linear) {
    ToleranceBand band{CShowFregang(points), CShowFregang(points), CShowFregang(points),
                       CShowFregang(points), CShowFregang(points)};
    std::vector<double> column(static_cast<size_t>(runs));
    for (int k = 0; k < points; ++k) {
        for (int r = 0; r < runs; ++r) {
            column[static_cast<size_t>(r)] =
                responses[static_cast<size_t>(r) * static_cast<size_t>(points) +
                          static_cast<size_t>(k)];
        }
        std::sort(column.begin(), column.end());
        band.median.AddAt(k, SortedQuantile(column, 0.5));
        band.q05.AddAt(k, SortedQuantile(column, 0.05));
        band.q95.AddAt(k, SortedQuantile(column, 0.95));
        band.minimum.AddAt(k, column.front());
        band.maximum.AddAt(k, column.back());
    }
    for (CShowFregang* curve : {&band.median, &band.q05, &band.q95, &band.minimum, &band.maximum}) {
        curve->SetLinearInterpolation(linear);
    }
    return band;
}

}  // namespace vx
