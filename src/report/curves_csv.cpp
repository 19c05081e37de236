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

namespace {

// A curve of the grid holding `values` (empty ones leave it at 0).
CShowFregang CurveOf(const std::vector<double>& values) {
    CShowFregang curve;
    curve.Fill(0.0);
    for (size_t i = 0; i < values.size(); ++i) {
        curve.AddAt(static_cast<int>(i), values[i]);
    }
    return curve;
}

}  // namespace

std::string CurvesCsv(const ResponseCurves& curves, const FilterDynamics& dynamics,
                      double frequency, double plotMin, double plotMax, bool hasTraditional) {
    const CShowFregang targetPhase = CurveOf(dynamics.targetPhase);
    const CShowFregang filterPhase = CurveOf(dynamics.filterPhase);
    return CurveColumnsCsv(
        "frequency_hz,target,traditional,filter,group_delay_s,target_phase_deg,filter_phase_deg",
        {&curves.target, hasTraditional ? &curves.traditional : nullptr, &curves.filter,
         &curves.groupDelay, dynamics.targetPhase.empty() ? nullptr : &targetPhase,
         dynamics.filterPhase.empty() ? nullptr : &filterPhase},
        frequency, plotMin, plotMax);
}

std::string StepCsv(const FilterDynamics& dynamics) {
    constexpr int kDigits = 12;
    const std::optional<TimeResponse>& target = dynamics.targetStep;
    const std::optional<TimeResponse>& filter = dynamics.filterStep;
    const TimeResponse* times = target ? &*target : filter ? &*filter : nullptr;
    std::string s = "time_s,target,filter\n";
    if (times == nullptr) {
        return s;
    }
    for (size_t i = 0; i < times->time.size(); ++i) {
        s += FormatG(times->time[i], kDigits) + ',';
        if (target) {
            s += FormatG(target->step[i], kDigits);
        }
        s += ',';
        if (filter) {
            s += FormatG(filter->step[i], kDigits);
        }
        s += '\n';
    }
    return s;
}

}  // namespace vx
