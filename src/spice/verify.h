#pragma once

#include <variant>
#include <vector>

#include "model/spice_settings.h"
#include "model/user_message.h"

namespace vx {

class CDesignSession;
class CFilterStructure;

// How well a design's simulation in ngspice agrees with the program's own response.
struct SpiceVerification {
    int points = 0;             // frequencies compared
    double maxDeviationDb = 0;  // largest |simulated - computed| in dB among them
    double worstFrequency = 0;  // Hz, where it occurs
};

// Responses more than this far below their maximum are not compared: a notch's depth says
// nothing about the netlist.
constexpr double kVerifyFloorDb = 40.0;

// Compares simulated magnitudes (ratios, at `frequencies` in Hz) with the product of the
// structure's stages' magnitudes, stored values and selected op-amp; points more than
// kVerifyFloorDb below the design's maximum are left out. No points when none is left.
SpiceVerification CompareWithDesign(CFilterStructure& structure,
                                    const std::vector<double>& frequencies,
                                    const std::vector<double>& simulated);

// Simulates the session's design in ngspice (RunNgspiceAc) and compares the magnitude at the
// output with the product of the stages' magnitudes, stored values and selected op-amp, at the
// simulator's frequencies. A message when there is no design or the simulation gave nothing.
std::variant<SpiceVerification, UserMessage> VerifyWithNgspice(CDesignSession& session,
                                                               const SpiceSettings& settings);

}  // namespace vx
