#pragma once

#include <functional>
#include <optional>
#include <string>
#include <vector>

#include "model/spice_settings.h"
#include "model/user_message.h"
#include "spice/process_runner.h"

namespace vx {

class CFilter;
class COpv;

// The analyses of the Spice menu.
enum class SpiceMode : int {
    AMPLITUDE_DB = 1,
    AMPLITUDE_LINEAR = 2,
    PHASE = 3,
    GROUP_DELAY = 4,
    STEP_RESPONSE = 5,
    ALL = 6,  // amplitude, phase and group delay
};

// Hands one design to an external circuit simulator: writes the netlist (".cir") with the
// analysis of a mode and the display file (".prb") for the simulator's waveform viewer into the
// temporary folder, and starts the simulator on the netlist.
class CPspice {
  public:
    using Launcher = std::function<ProcessResult(const ProcessRequest&)>;

    // Settings from the record.
    CPspice(const CFilter& filter, const COpv& opv);
    CPspice(const CFilter& filter, const COpv& opv, SpiceSettings settings);
    virtual ~CPspice() = default;

    // Caption of the mode's messages, e.g. "Spice - Amplitudengang".
    static std::string Caption(SpiceMode mode);

    // The three checks of the configuration, in this order: a simulator that can be executed
    // (absolute, or found on PATH), a temporary folder, a library file that exists; a message
    // when one fails.
    std::optional<UserMessage> CheckConfiguration() const;

    const SpiceSettings& Settings() const { return settings_; }
    // Whether the simulator call names ngspice, which needs options of its own.
    bool IsNgspice() const;

    // The document name with every blank replaced by "_".
    std::string FileName() const;
    std::string NetlistPath() const;
    std::string DisplayPath() const;
    // The library of the user's own op-amp model beside the netlist ("<name>_opv.lib"), which
    // the netlist names after the shipped one; empty when the design uses no own model.
    std::string OwnLibraryPath() const;

    std::string Netlist(SpiceMode mode) const;
    std::string DisplayFile(SpiceMode mode) const;

    // The simulator started on the netlist, as an argument list. ngspice is asked for its PSpice
    // compatibility, which it needs to read ".LIB" with a file name.
    std::vector<std::string> SimulatorArguments() const;

    // Check, then the netlist, then the display file; a message when one fails.
    std::optional<UserMessage> WriteFiles(SpiceMode mode) const;
    // WriteFiles, then the simulator, waited for until it ends.
    std::optional<UserMessage> RunSimulation(SpiceMode mode,
                                             const Launcher& launch = RunProcess) const;

  private:
    const CFilter& filter_;
    const COpv& opv_;
    SpiceSettings settings_;
};

}  // namespace vx
