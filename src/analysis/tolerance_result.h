#pragma once

#include <optional>
#include <string>
#include <vector>

#include "analysis/figure_meter.h"
#include "analysis/tolerance_settings.h"
#include "model/filter.h"
#include "model/tolerance_scheme.h"
#include "response/show_fregang.h"

namespace vx {

// The magnitude over the runs at each point of the response grid (linear): median, the 5 % and
// 95 % quantiles and the extremes, with the grid they lie on (the filter frequency and the plot
// range of the design at the time).
struct ToleranceBand {
    CShowFregang median;
    CShowFregang q05;
    CShowFregang q95;
    CShowFregang minimum;
    CShowFregang maximum;
    double frequency = 0.0;
    double plotMin = 0.0;
    double plotMax = 0.0;

    // The band lies on the grid of the record's curves; after a change of the plot range it
    // does not, and the analysis must run again.
    bool OnGridOf(const CFilter& filter) const {
        return filter.Frequency() == frequency && filter.PlotMin() == plotMin &&
               filter.PlotMax() == plotMax;
    }
};

// One figure of ResponseFigures over the runs; runs that did not give it (a cut-off beyond the
// plotted range) are left out and counted.
struct FigureSummary {
    double nominal = 0.0;  // of the design as stored ("Ihr Filter")
    double mean = 0.0;
    double deviation = 0.0;  // sample standard deviation
    double minimum = 0.0;
    double maximum = 0.0;
    int count = 0;  // runs that gave the figure
};

// The relative sensitivities S = d ln y / d ln x of one pole of a stage to one component of the
// stored design, with the ideal op-amp.
struct SensitivityRow {
    int stage = 0;  // 0-based
    bool realPole = false;
    std::string component;   // the record's name, "R1"
    double frequency = 0.0;  // S of the pole frequency
    double quality = 0.0;    // S of the pole quality; a real pole has none
};

struct ToleranceResult {
    ToleranceSettings settings;
    FilterType type = FilterType::LOWPASS;
    ToleranceBand band;
    FigureSummary frequency;  // cut-off, centre or notch frequency in Hz
    FigureSummary level;      // pass-band gain, gain at the centre or notch depth in dB
    std::vector<ResponseFigures> runFigures;  // of each run, in run order
    double cutoffDropDb =
        0.0;  // how far below the pass-band gain the cut-off lies (low-/high-pass)
    double passBandFrequency = 0.0;         // where the pass-band gain is taken, Hz
    int passed = 0;                         // runs within the mask
    std::optional<ToleranceScheme> scheme;  // the user's scheme as the mask, else the derived one
    bool nominalPasses = false;             // the stored design itself keeps the mask
    std::vector<SensitivityRow> sensitivities;

    double Yield() const {
        return settings.runs > 0 ? static_cast<double>(passed) / settings.runs : 0.0;
    }
};

}  // namespace vx
