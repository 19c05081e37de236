#pragma once

#include <cstddef>
#include <optional>
#include <string>
#include <vector>

#include "cli/option_table.h"
#include "model/curve_selection.h"

// The plot options of veltranix-cli: an SVG picture of the designed response.
namespace vx {
class CDesignSession;
class CFilter;
struct ToleranceBand;
}  // namespace vx

namespace vx::cli {

struct PlotOptions {
    std::string output;  // SVG file; empty: no plot
    int width = 1000;
    int height = 700;
    std::vector<std::string> frequencyMarks;  // Hz, prefix letters allowed
    std::vector<std::string> levelMarks;      // dB
    std::optional<CurveSelection> curves;     // none keeps the record's
};

// The plot options' rows of the design command's option table.
OptionGroup PlotOptionGroup(PlotOptions& options);

// Puts the marks and the curve selection into the record, as the graph dialogs would.
void ApplyPlotOptions(const PlotOptions& options, CFilter& filter);

// Writes the picture of the session's design as the screen would show it at that size, with the
// band of a tolerance analysis when there is one; false when the file cannot be written.
bool WritePlotSvg(CDesignSession& session, const PlotOptions& options,
                  const ToleranceBand* band = nullptr);

}  // namespace vx::cli
