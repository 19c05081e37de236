#pragma once

#include <optional>

#include "analysis/noise/noise_analysis.h"
#include "structures/design_monitor.h"

namespace vx {

class CDesignSession;

// What the noise and headroom figures are asked for over: the band the rms noise is taken over
// (Hz; unset: the plot range) and the swing of the op-amp outputs (V amplitude; unset: from the
// op-amp's supply and its distance to the rails, else kDefaultSwing).
struct NoiseSettings {
    std::optional<double> bandLow;
    std::optional<double> bandHigh;
    std::optional<double> swing;
};

struct NoiseFigures {
    StageSequence sequence = StageSequence::HIGH_LEVEL;
    NoiseSpectrum spectrum;
    Headroom headroom;
};

// The figures of the design as it is, and, where the stage order matters, of the same filter
// designed with the other order (for the comparison only; the session keeps its design).
struct NoiseStudy {
    NoiseFigures chosen;
    std::optional<NoiseFigures> other;
};

// The order of the stages matters for a cascade of two stages or more that the input dialogs let
// the user order: not the third-order structure's single stage, not the twin-T.
bool StageOrderMatters(const CFilter& filter);

// Figures of the record's finished design on its curve grid.
NoiseFigures NoiseFiguresOf(const CFilter& filter, const COpv& opv, const NoiseSettings& settings);
// Both orders; the other one's design may take as long as the first (its search) and reports to
// `monitor`, which may stop it. Nothing for the other order when it cannot be designed or was
// stopped.
NoiseStudy StudyNoise(CDesignSession& session, const NoiseSettings& settings,
                      DesignMonitor& monitor);

}  // namespace vx
