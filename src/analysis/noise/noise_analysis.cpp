#include "analysis/noise/noise_analysis.h"

#include <algorithm>
#include <cmath>
#include <numbers>

#include "analysis/noise/stage_network.h"
#include "structures/stage_circuit.h"

namespace vx {

namespace {

constexpr double kBoltzmann = 1.380649e-23;

// The density squared of a source whose white level is `white` with a 1/f corner (NaN: none).
double WithCorner(double white, double corner, double f) {
    return white * white * (std::isfinite(corner) ? 1.0 + corner / f : 1.0);
}

// The integral of a density squared over [low, high], linear in log frequency between the
// grid's points.
double Integrate(const std::vector<double>& f, const std::vector<double>& psd, double low,
                 double high) {
    double sum = 0.0;
    for (size_t k = 0; k + 1 < f.size(); ++k) {
        const double a = std::max(f[k], low);
        const double b = std::min(f[k + 1], high);
        if (!(b > a)) {
            continue;
        }
        auto at = [&](double x) {
            const double t = std::log(x / f[k]) / std::log(f[k + 1] / f[k]);
            return psd[k] + t * (psd[k + 1] - psd[k]);
        };
        sum += 0.5 * (at(a) + at(b)) * (b - a);
    }
    return sum;
}

}  // namespace

NoiseSpectrum AnalyseNoise(const CFilter& filter, const COpv& opv, double low, double high,
                           int points, double bandLow, double bandHigh) {
    const int index = filter.OpAmp();
    const TwoPoleModel model{opv.DcGain(index), opv.TimeConstant1(index), opv.TimeConstant2(index)};
    // The ideal op-amp adds no noise of its own.
    const OpAmpData data = index == 0 ? OpAmpData{} : opv.Data(index);
    const std::vector<StageCircuit> circuits = StageCircuits(filter);
    std::vector<CStageNetwork> stages;
    NoiseSpectrum out;
    for (const StageCircuit& c : circuits) {
        stages.emplace_back(c, filter, model);
        for (const CStageNetwork::Resistor& r : stages.back().Resistors()) {
            out.contributors.push_back({r.designator, c.number, NoiseKind::RESISTOR, {}, 0.0});
        }
        const std::string amplifier = AmplifierDesignator(c.number, index == 0);
        out.contributors.push_back({amplifier, c.number, NoiseKind::OPAMP_VOLTAGE, {}, 0.0});
        out.contributors.push_back({amplifier, c.number, NoiseKind::OPAMP_CURRENT, {}, 0.0});
    }
    const size_t n = static_cast<size_t>(std::max(points, 2));
    out.stageGains.assign(stages.size(), std::vector<double>(n));
    for (NoiseContributor& c : out.contributors) {
        c.density.resize(n);
    }
    const double fourKT = 4.0 * kBoltzmann * kNoiseTemperature;
    const double en = data.voltageNoise * 1e-9;
    const double in = data.currentNoise * 1e-12;
    for (size_t k = 0; k < n; ++k) {
        const double f = low * std::pow(high / low, static_cast<double>(k) / (n - 1));
        out.frequencies.push_back(f);
        std::vector<StageResponse> responses;
        for (const CStageNetwork& s : stages) {
            responses.push_back(s.At(2.0 * std::numbers::pi * f));
        }
        std::complex<double> gain = 1.0;
        for (size_t s = 0; s < stages.size(); ++s) {
            gain *= responses[s].transfer;
            out.stageGains[s][k] = std::abs(gain);
        }
        // What follows each stage carries its noise to the output.
        std::complex<double> after = 1.0;
        size_t c = out.contributors.size();
        for (size_t s = stages.size(); s-- > 0;) {
            const double carry = std::norm(after);
            const StageResponse& r = responses[s];
            const double currentGain =
                std::norm(r.currentNoisePlus) + std::norm(r.currentNoiseMinus);
            out.contributors[--c].density[k] =
                std::isfinite(in) ? WithCorner(in, data.currentNoiseCorner, f) * currentGain * carry
                                  : 0.0;
            out.contributors[--c].density[k] =
                std::isfinite(en)
                    ? WithCorner(en, data.voltageNoiseCorner, f) * std::norm(r.voltageNoise) * carry
                    : 0.0;
            const std::vector<CStageNetwork::Resistor>& resistors = stages[s].Resistors();
            for (size_t i = resistors.size(); i-- > 0;) {
                out.contributors[--c].density[k] =
                    fourKT / resistors[i].ohms * std::norm(r.resistors[i]) * carry;
            }
            after *= r.transfer;
        }
    }
    out.total.assign(n, 0.0);
    out.resistors.assign(n, 0.0);
    out.opAmpVoltage.assign(n, 0.0);
    out.opAmpCurrent.assign(n, 0.0);
    for (NoiseContributor& c : out.contributors) {
        std::vector<double>& kind = c.kind == NoiseKind::RESISTOR        ? out.resistors
                                    : c.kind == NoiseKind::OPAMP_VOLTAGE ? out.opAmpVoltage
                                                                         : out.opAmpCurrent;
        for (size_t k = 0; k < n; ++k) {
            kind[k] += c.density[k];
            out.total[k] += c.density[k];
        }
        c.rms = std::sqrt(Integrate(out.frequencies, c.density, bandLow, bandHigh));
    }
    out.bandLow = bandLow;
    out.bandHigh = bandHigh;
    out.rmsOutput = std::sqrt(Integrate(out.frequencies, out.total, bandLow, bandHigh));
    for (std::vector<double>* v :
         {&out.total, &out.resistors, &out.opAmpVoltage, &out.opAmpCurrent}) {
        for (double& x : *v) {
            x = std::sqrt(x);
        }
    }
    std::stable_sort(
        out.contributors.begin(), out.contributors.end(),
        [](const NoiseContributor& a, const NoiseContributor& b) { return a.rms > b.rms; });
    out.passbandGain = std::pow(10.0, filter.GainDb() / 20.0);
    return out;
}

double OutputSwing(const OpAmpData& data, double fallback) {
    const double swing = data.supplyMax / 2.0 - data.swingToRail;
    return std::isfinite(swing) && swing > 0.0 ? swing : fallback;
}

Headroom AnalyseHeadroom(const NoiseSpectrum& spectrum, const OpAmpData& opAmp, double swing) {
    Headroom h;
    h.swing = swing;
    const double slew = opAmp.slewRate * 1e6;  // V/s
    h.fullPowerFrequency = slew / (2.0 * std::numbers::pi * swing);
    h.largestInput = INFINITY;
    for (size_t s = 0; s < spectrum.stageGains.size(); ++s) {
        const std::vector<double>& g = spectrum.stageGains[s];
        const size_t peak = static_cast<size_t>(std::max_element(g.begin(), g.end()) - g.begin());
        StageHeadroom stage;
        stage.stage = static_cast<int>(s) + 1;
        stage.peakGain = g[peak];
        stage.peakFrequency = spectrum.frequencies[peak];
        stage.largestInput = swing / stage.peakGain;
        stage.slewInput = slew / (2.0 * std::numbers::pi * stage.peakFrequency) / stage.peakGain;
        if (stage.largestInput < h.largestInput) {
            h.largestInput = stage.largestInput;
            h.limitingStage = stage.stage;
        }
        h.stages.push_back(stage);
    }
    return h;
}

}  // namespace vx
