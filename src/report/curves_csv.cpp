#include "report/curves_csv.h"

#include <cmath>

#include "model/number_format.h"

namespace vx {

std::string CurveColumnsCsv(const std::string& header,
                            const std::vector<const CShowFregang*>& columns, double frequency,
                            double plotMin, double plotMax) {
    // Twelve significant digits keep the grid's spacing visible at 1501 points.
    constexpr int kDigits = 12;
    std::string s = header + "\n";
    const double factor = std::pow(plotMax / plotMin, 1.0 / (kCurvePoints - 1));
    double f = frequency * plotMin;
    for (int i = 0; i < kCurvePoints; ++i) {
        s += FormatG(f, kDigits);
        for (const CShowFregang* c : columns) {
            s += ',';
            if (c != nullptr) {
                s += FormatG(c->At(i), kDigits);
            }
        }
        s += '\n';
        f *= factor;
    }
    return s;
}

std::string CurvesCsv(const ResponseCurves& curves, double frequency, double plotMin,
                      double plotMax, bool hasTraditional) {
    return CurveColumnsCsv("frequency_hz,target,traditional,filter,group_delay_s",
                           {&curves.target, hasTraditional ? &curves.traditional : nullptr,
                            &curves.filter, &curves.groupDelay},
                           frequency, plotMin, plotMax);
}

}  // namespace vx
