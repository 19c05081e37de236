#pragma once

#include <string>
#include <vector>

#include "analysis/noise/noise_analysis.h"
#include "model/filter.h"
#include "plot/plot_primitives.h"
#include "response/filter_dynamics.h"
#include "response/show_fregang.h"

// The curves a view of the diagram shows, on their grid: what the cursor reads, what the
// diagram's values on the clipboard hold, and what the phase and time views draw.
namespace vx {

enum class PlotViewKind { MAGNITUDE, PHASE, STEP, IMPULSE, NOISE };

inline constexpr PlotColor kTargetColor{0, 160, 0};
inline constexpr PlotColor kFilterColor{0, 0, 255};
inline constexpr PlotColor kTraditionalColor{255, 0, 0};
inline constexpr PlotColor kDelayColor{0, 0, 0};

struct ViewSeries {
    std::string name;  // the legend
    std::string unit;  // "dB", "s", "°", "V", "1/s"
    PlotColor color;
    std::vector<double> values;
};

struct ViewCurves {
    bool frequencyAxis = true;  // x in Hz on a logarithmic axis; else time in s
    std::vector<double> x;      // rising
    std::vector<ViewSeries> series;
};

// The crossed Sallen-Key structure has no traditional counterpart to compare with.
bool TraditionalShown(const CFilter& filter);

// The grid of the response curves: kCurvePoints frequencies from `first` to `last` Hz.
std::vector<double> CurveGrid(double first, double last);

// The selected magnitudes in dB and the group delay in s.
ViewCurves MagnitudeCurves(const CFilter& filter, const ResponseCurves& curves,
                           std::vector<double> grid);
// The selected ones of target and filter: their phase in degrees on `grid`, or the step (V for
// a 1 V step) or impulse response (1/s) on `response`'s time. An unstable response gives none.
ViewCurves PhaseCurves(const CFilter& filter, const std::vector<double>& targetPhase,
                       const std::vector<double>& filterPhase, std::vector<double> grid);
ViewCurves TimeCurves(const CFilter& filter, const std::optional<TimeResponse>& targetResponse,
                      const std::optional<TimeResponse>& filterResponse, bool impulse);

// The output noise density in nV/rtHz, in all and by kind (the kinds that add any), and the gain
// in dB from the filter input to each op-amp output.
ViewCurves NoiseCurves(const NoiseSpectrum& spectrum);
inline constexpr const char* kNoiseDensityUnit = "nV/√Hz";

// Each series at `x`, interpolated on the grid (in log frequency on a frequency axis); NaN
// outside it.
std::vector<double> ValuesAt(const ViewCurves& curves, double x);
// The place "5,007 kHz", then for each series "Ihr Filter 3,02 dB"; empty outside the grid.
std::vector<std::string> ReadoutLines(const ViewCurves& curves, double x);
// The lines in one, for the status bar.
std::string ReadoutText(const ViewCurves& curves, double x);
// The values as tab-separated text with a heading line ("Frequenz [Hz]", "Ihr Filter [dB]"),
// decimal commas and eight significant digits: what a German spreadsheet reads as numbers.
std::string ValuesTable(const ViewCurves& curves);

}  // namespace vx
