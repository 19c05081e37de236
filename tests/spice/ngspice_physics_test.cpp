#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <variant>

#include "session/design_session.h"
#include "spice/ngspice_sweep.h"
#include "spice/process_runner.h"
#include "spice/spice_defaults.h"

// Designs simulated in ngspice against facts of filter theory, not against the program's own
// response: a Butterworth low-pass is 3.01 dB down at its cut-off, a Bessel low-pass delays
// every frequency well below its cut-off alike, a twin-T notch lies at its centre frequency.
namespace vx {
namespace {

constexpr double kFrequency = 1000.0;

// A low-pass or high-pass with the ideal op-amp and fine resistor steps, so that the standard
// values stay close to the exact design.
AcSweep Simulate(CDesignSession& session, const std::vector<std::string>& expressions) {
    session.Filter().SetPlotRange(0.1, 10.0);
    SilentMonitor monitor;
    EXPECT_TRUE(session.Design(monitor));
    EXPECT_EQ(session.Filter().GetDesignState(), DesignState::DESIGNED);
    std::variant<AcSweep, UserMessage> run =
        RunNgspiceAc(session.Filter(), session.OpAmps(), DefaultSpiceSettings(), expressions);
    if (const auto* failure = std::get_if<UserMessage>(&run)) {
        ADD_FAILURE() << failure->text;
        return {};
    }
    return std::get<AcSweep>(run);
}

void SpecifyLowPass(CDesignSession& session, StructureKind structure, Characteristic characteristic,
                    int order) {
    SpecificationBlock block = session.Filter().Specification();
    block.characteristic = characteristic;
    block.orderLpHp = order;
    block.frequency = kFrequency;
    block.gainDb = 0.0;
    block.resistorSeries = ResistorSeries::E192;
    block.opAmp = 0;
    session.Filter().SetSpecification(block, structure, FilterType::LOWPASS);
    session.FillCharacteristic();
}

// Linear interpolation in log frequency between the simulated points around f.
double ValueAt(const AcSweep& sweep, size_t column, double f) {
    const auto& fs = sweep.frequencies;
    const auto upper = std::lower_bound(fs.begin(), fs.end(), f);
    if (upper == fs.begin() || upper == fs.end()) {
        ADD_FAILURE() << f << " Hz lies outside the sweep";
        return 0.0;
    }
    const size_t k = static_cast<size_t>(upper - fs.begin());
    const double t = std::log(f / fs[k - 1]) / std::log(fs[k] / fs[k - 1]);
    const std::vector<double>& v = sweep.values[column];
    return v[k - 1] + t * (v[k] - v[k - 1]);
}

class NgspicePhysics : public testing::Test {
  protected:
    void SetUp() override {
        ASSERT_FALSE(FindExecutable("ngspice").empty())
            << "ngspice is needed (scripts/install-deps.sh installs it)";
    }
};

TEST_F(NgspicePhysics, ButterworthLowPassIsThreeDbDownAtItsCutOff) {
    for (const StructureKind structure : {StructureKind::SALLEN_KEY, StructureKind::MFB}) {
        for (const int order : {2, 5}) {
            SCOPED_TRACE(testing::Message()
                         << "structure " << static_cast<int>(structure) << " order " << order);
            CDesignSession session;
            SpecifyLowPass(session, structure, Characteristic::BUTTERWORTH, order);
            const AcSweep sweep = Simulate(session, {kNgspiceMagnitude});
            if (sweep.frequencies.empty()) {
                continue;
            }
            const double db = 20.0 * std::log10(ValueAt(sweep, 0, kFrequency));
            // Standard values move the corner by less than 0.01 dB.
            EXPECT_NEAR(db, -3.0103, 0.03);
        }
    }
}

TEST_F(NgspicePhysics, BesselLowPassDelayIsFlatBelowItsCutOff) {
    CDesignSession session;
    SpecifyLowPass(session, StructureKind::SALLEN_KEY, Characteristic::BESSEL, 4);
    const AcSweep sweep = Simulate(session, {kNgspiceGroupDelay});
    if (sweep.frequencies.empty()) {
        return;
    }
    // The sweep starts at a tenth of the cut-off, where the delay has its low-frequency value.
    const double delay = sweep.values[0].front();
    double worst = 0.0;
    for (size_t k = 0; k < sweep.frequencies.size() && sweep.frequencies[k] <= 0.7 * kFrequency;
         ++k) {
        worst = std::max(worst, std::fabs(sweep.values[0][k] / delay - 1.0));
    }
    // The ideal fourth-order Bessel low-pass stays within 0.15 % up to 0.7 fg; a Butterworth
    // low-pass of the same order is a third off there.
    EXPECT_LT(worst, 0.01);
}

TEST_F(NgspicePhysics, TwinTNotchLiesAtItsCentreFrequency) {
    for (const double quality : {0.7, 5.0}) {
        SCOPED_TRACE(quality);
        CDesignSession session;
        session.Filter().SetBandRejectSpecification(CapacitorMode::OPTIMIZE, ResistorSeries::E192,
                                                    0, kFrequency, 10000.0, quality);
        const AcSweep sweep = Simulate(session, {kNgspiceMagnitude});
        if (sweep.frequencies.empty()) {
            continue;
        }
        const auto& m = sweep.values[0];
        const size_t deepest =
            static_cast<size_t>(std::min_element(m.begin(), m.end()) - m.begin());
        // The sweep has 401 points per octave, 0.17 % apart.
        EXPECT_NEAR(sweep.frequencies[deepest] / kFrequency, 1.0, 0.005);
    }
}

}  // namespace
}  // namespace vx
