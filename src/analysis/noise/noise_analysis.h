#pragma once

#include <string>
#include <vector>

#include "model/filter.h"
#include "model/opv.h"

// The noise at the output of a finished design and the signal at each op-amp's output: the
// figures that the choice of stage order trades against each other.
namespace vx {

// Spice's temperature: 27 degrees Celsius.
inline constexpr double kNoiseTemperature = 300.15;

enum class NoiseKind { RESISTOR, OPAMP_VOLTAGE, OPAMP_CURRENT };

// One source's share of the output noise.
struct NoiseContributor {
    std::string part;  // designator as in the netlist ("R2_1", "X3")
    int stage = 0;     // from 1
    NoiseKind kind = NoiseKind::RESISTOR;
    std::vector<double> density;  // V^2/Hz at the output, on the grid
    double rms = 0.0;             // V over the band
};

struct NoiseSpectrum {
    std::vector<double> frequencies;  // Hz
    // Output noise densities in V/rtHz.
    std::vector<double> total;
    std::vector<double> resistors;
    std::vector<double> opAmpVoltage;
    std::vector<double> opAmpCurrent;
    // The linear gain from the filter input to each op-amp output, in the netlist's stage order.
    std::vector<std::vector<double>> stageGains;
    // Every source, the largest rms first.
    std::vector<NoiseContributor> contributors;
    double bandLow = 0.0;  // Hz
    double bandHigh = 0.0;
    double rmsOutput = 0.0;     // V over the band
    double passbandGain = 1.0;  // linear, the design's gain
    double RmsInput() const { return rmsOutput / passbandGain; }
};

// The spectrum of the record's design with op-amp `opv.Data(filter.OpAmp())` on `points`
// frequencies spread logarithmically from `low` to `high`, integrated over [bandLow, bandHigh].
// The ideal op-amp and a datasheet figure that is missing add no noise.
NoiseSpectrum AnalyseNoise(const CFilter& filter, const COpv& opv, double low, double high,
                           int points, double bandLow, double bandHigh);

// How far one op-amp output may swing before it clips, and how fast before it slews.
struct StageHeadroom {
    int stage = 0;               // from 1
    double peakGain = 0.0;       // linear, from the filter input
    double peakFrequency = 0.0;  // Hz
    double largestInput = 0.0;   // V amplitude before this output reaches the swing
    double slewInput = 0.0;      // V amplitude the slew rate allows at the peak; NaN unknown
};

struct Headroom {
    double swing = 0.0;  // V amplitude each output may reach
    std::vector<StageHeadroom> stages;
    int limitingStage = 0;      // from 1
    double largestInput = 0.0;  // V amplitude
    // The highest frequency a full swing reaches without slewing: SR / (2 pi swing); NaN when
    // the slew rate is unknown.
    double fullPowerFrequency = 0.0;
};

// The swing an op-amp's outputs may reach: half the largest supply less the distance to the
// rails, from its datasheet figures; `fallback` where they are missing.
double OutputSwing(const OpAmpData& data, double fallback);
inline constexpr double kDefaultSwing = 10.0;

Headroom AnalyseHeadroom(const NoiseSpectrum& spectrum, const OpAmpData& opAmp, double swing);

}  // namespace vx
