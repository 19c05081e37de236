#pragma once

#include <string>

#include "spice/spice_settings.h"

namespace vx {

class CDesignSession;

// How well a design's simulation in ngspice agrees with the program's own response.
struct SpiceVerification {
    bool ok = false;
    std::string error;          // why the comparison could not be made
    int points = 0;             // frequencies compared
    double maxDeviationDb = 0;  // largest |simulated - computed| in dB among them
    double worstFrequency = 0;  // Hz, where it occurs
};

// Responses more than this far below their maximum are not compared: a notch's depth says
// nothing about the netlist.
constexpr double kVerifyFloorDb = 40.0;

// Writes the AC netlist of the session's design into settings.tmpPath, runs settings.command
// (ngspice) on it in batch mode, and compares the simulated magnitude at the output with the
// product of the stages' magnitudes, stored values and selected op-amp, at the simulator's
// frequencies.
SpiceVerification VerifyWithNgspice(CDesignSession& session, const SpiceSettings& settings);

}  // namespace vx
