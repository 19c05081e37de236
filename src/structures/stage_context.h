#pragma once

#include <array>
#include <cstddef>

#include "model/filter_rules.h"
#include "structures/opamp_params.h"
#include "structures/search/error_grid.h"

namespace vx {

// Target of one stage: pole frequency fp in Hz, pole quality (-1 for a first-order stage) and
// linear stage gain (the magnitude for inverting structures).
struct StageRecord {
    double poleFrequency = 0.0;
    double poleQuality = -1.0;
    double gain = 1.0;
};

// What a structure needs to dimension and search its current stage: the driver fills it from
// the specification when it prepares a design, and selects the stage.
struct StageContext {
    explicit StageContext(int points) : gridPoints(points) {}

    // The stage's target magnitudes on the error grid.
    CErrorGrid grid;
    int gridPoints;
    // The prototype's coefficients of 1 + a P + b P^2, per stage (b = 0: first order).
    std::array<double, kMaxStages> a{};
    std::array<double, kMaxStages> b{};
    std::array<StageRecord, kMaxStages> stages{};
    int stageCount = 0;
    int currentStage = 0;
    bool firstOrder = false;
    // The amplifier the evaluations use.
    OpAmpParams opAmp;
    // Resistor series (values per decade) and impedance level in ohm.
    int series = 24;
    double r0 = 10000.0;
    // The filter's angular corner frequency.
    double omegaG = 0.0;
    // Every combination of standard values is searched (not only the neighbours), with every
    // resistor within r0 / window .. r0 window.
    bool exhaustive = false;
    double window = kDefaultImpedanceWindow;

    const StageRecord& Record() const { return stages[static_cast<size_t>(currentStage)]; }
    double A() const { return a[static_cast<size_t>(currentStage)]; }
    double B() const { return b[static_cast<size_t>(currentStage)]; }
};

}  // namespace vx
