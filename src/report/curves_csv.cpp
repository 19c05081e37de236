#include "report/curves_csv.h"

#include <cmath>

#include "model/number_format.h"

namespace vx {

std::string CurvesCsv(const ResponseCurves& curves, double frequency, double plotMin,
                      double plotMax, bool hasTraditional) {
    // Twelve significant digits keep the grid's spacing visible at 1501 points.
    constexpr int kDigits = 12;
    std::string s = "frequency_hz,target,traditional,filter,group_delay_s\n";
    const double factor = std::pow(plotMax / plotMin, 1.0 / (kCurvePoints - 1));
    double f = frequency * plotMin;
    for (int i = 0; i < kCurvePoints; ++i) {
        s += FormatG(f, kDigits);
        for (const CShowFregang* c :
             {&curves.target, &curves.traditional, &curves.filter, &curves.groupDelay}) {
            s += ',';
            if (c != &curves.traditional || hasTraditional) {
                s += FormatG(c->At(i), kDigits);
            }
        }
        s += '\n';
        f *= factor;
    }
    return s;
}

}  // namespace vx
