#pragma once

#include <optional>
#include <string>
#include <variant>
#include <vector>

#include "model/user_message.h"
#include "plot/chart_layout.h"
#include "plot/plot_overlay.h"
#include "spice/ngspice_job.h"
#include "spice/pspice.h"

namespace vx {

class CFilterStructure;

// One simulated trace of an analysis, named as the simulator's waveform viewer names it.
struct SpiceTrace {
    std::string name;  // e.g. "VDB(0UT)"
    std::string unit;  // "dB", "°", "s", "V"; empty for a ratio
    std::vector<double> values;
};

// What a simulation of one analysis gave: the traces over frequency (Hz) or, for the step
// response, time (s).
struct SpiceResult {
    SpiceMode mode = SpiceMode::AMPLITUDE_DB;
    std::vector<double> x;
    std::vector<SpiceTrace> traces;
};

// One command of the Spice menu: the netlist and display file of its analysis, the simulator's
// process, and, when the simulator is ngspice, the results read back from its batch run.
// Any other simulator is only started on the netlist.
class CSpiceAnalysis {
  public:
    // Settings from the record.
    CSpiceAnalysis(const CFilter& filter, const COpv& opv, SpiceMode mode);

    SpiceMode Mode() const { return mode_; }
    // ngspice, whose batch run gives results to read back.
    bool ReadsBack() const { return spice_.IsNgspice(); }

    // Checks the configuration, writes the netlist and the display file (for ngspice also the
    // control file of its batch run) and gives the process to start; a message when one fails,
    // and then nothing is written after it.
    std::variant<ProcessRequest, UserMessage> Prepare() const;
    // The traces of a finished batch run, or a message naming what went wrong (not started,
    // past the time limit of `limitSeconds`, no results) and what ngspice printed last.
    std::variant<SpiceResult, UserMessage> Finish(const ProcessResult& end,
                                                  int limitSeconds = kSpiceTimeLimitSeconds) const;

    // The simulated magnitude of an amplitude analysis as an overlay of the main diagram, with
    // its largest deviation from the structure's stored design; nothing for other analyses.
    static std::optional<PlotOverlay> AmplitudeOverlay(const SpiceResult& result,
                                                       CFilterStructure& structure);
    // The result window's chart: one diagram per trace under the analysis and the design's
    // summary line.
    static Chart ResultChart(const SpiceResult& result, const std::string& summary);
    // The same as text for the clipboard: the chart's title, then a tab-separated column of
    // frequency or time and one of each trace, numbers with a decimal comma.
    static std::string ResultText(const SpiceResult& result, const std::string& summary);

  private:
    CPspice spice_;
    SpiceMode mode_;
    CNgspiceJob job_;
};

}  // namespace vx
