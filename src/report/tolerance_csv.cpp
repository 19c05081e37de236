#include "report/tolerance_csv.h"

#include "report/curves_csv.h"

namespace vx {

std::string ToleranceCsv(const CShowFregang& filter, const ToleranceBand& band, double frequency,
                         double plotMin, double plotMax) {
    return CurveColumnsCsv(
        "frequency_hz,filter,median,q05,q95,min,max",
        {&filter, &band.median, &band.q05, &band.q95, &band.minimum, &band.maximum}, frequency,
        plotMin, plotMax);
}

}  // namespace vx
