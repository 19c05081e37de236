#pragma once

#include <optional>
#include <string>
#include <variant>
#include <vector>

#include "model/user_message.h"
#include "spice/process_runner.h"

namespace vx {

class CPspice;
enum class SpiceMode : int;

// How long a simulation may run before the program ends it: a sweep of a filter of order 30
// takes well under a second.
inline constexpr int kSpiceTimeLimitSeconds = 60;

// The simulated points: the sweep's frequencies or the transient's times, and for each of them
// one value per expression asked for.
struct SimulatedColumns {
    std::vector<double> x;
    std::vector<std::vector<double>> values;  // values[e][k]: expression e at x[k]
};

// An analysis the control file runs after the netlist's own, and the plot it makes, whose
// vectors the expressions then read (ngspice's noise analysis: "noise1").
struct NgspiceAnalysis {
    std::string command;
    std::string plot;
};

// One batch run of ngspice on the netlist a CPspice wrote: a control file beside the netlist
// sources it, runs its analysis and writes the asked ngspice expressions, one column each, into
// a data file; ngspice's own output goes to a log. The caller starts the process.
class CNgspiceJob {
  public:
    // `caption` heads the messages of a failed run.
    CNgspiceJob(const CPspice& spice, SpiceMode mode, std::vector<std::string> expressions,
                std::string caption, std::optional<NgspiceAnalysis> extra = std::nullopt);

    // Writes the control file and removes the data of an earlier run; a message when it cannot.
    std::optional<UserMessage> WriteControlFile() const;
    // ngspice in batch mode, started in the netlist's folder: its source command takes no quoted
    // path, so the files are read by name (a name has no blanks).
    ProcessRequest Request() const;
    // The columns, or a message naming what went wrong and what ngspice printed last;
    // `limitSeconds` is the time limit that ended a run that timed out.
    std::variant<SimulatedColumns, UserMessage> Read(
        const ProcessResult& end, int limitSeconds = kSpiceTimeLimitSeconds) const;

  private:
    std::string FileName(const char* suffix) const;
    std::string InFolder(const std::string& name) const;

    std::string folder_;
    std::string command_;
    std::string netlistName_;
    std::string base_;  // file name of the control file, the data and the log, without suffix
    bool transient_;
    std::vector<std::string> expressions_;
    std::string caption_;
    std::optional<NgspiceAnalysis> extra_;
};

}  // namespace vx
