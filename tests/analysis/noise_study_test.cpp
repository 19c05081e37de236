#include "analysis/noise/noise_study.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>

#include "session/design_session.h"

namespace vx {
namespace {

double PeakDb(const StageHeadroom& h) {
    return 20.0 * std::log10(h.peakGain);
}

// A Sallen-Key low-pass, Chebyshev 1 dB, order 7, 10 kHz, +20 dB, E96, LF411: ngspice on the
// exported netlists of both orders gives 156 uV rms from 100 Hz to 100 kHz with the inner op-amps
// peaking at +5, +10 and +15 dB for the highest level, and 35 uV with +25, +34 and +28 dB for the
// lowest noise. The study finds both from either order.
TEST(NoiseStudy, BothStageOrdersAsNgspiceSeesThem) {
    struct Order {
        StageSequence sequence;
        double rmsMicrovolts;
        double peaksDb[3];
    };
    const Order orders[] = {{StageSequence::HIGH_LEVEL, 156.0, {5.0, 10.0, 15.0}},
                            {StageSequence::LOW_NOISE, 35.0, {25.0, 34.0, 28.0}}};
    for (const Order& chosen : orders) {
        CDesignSession session;
        SpecificationBlock block = session.Filter().Specification();
        block.characteristic = Characteristic::CHEBYCHEV;
        block.rippleDb = 1.0;
        block.orderLpHp = 7;
        block.frequency = 10000.0;
        block.gainDb = 20.0;
        block.resistorSeries = ResistorSeries::E96;
        block.opAmp = session.OpAmps().FindByName("LF411");
        block.stageSequence = chosen.sequence;
        session.Filter().SetSpecification(block, StructureKind::SALLEN_KEY, FilterType::LOWPASS);
        session.FillCharacteristic();
        SilentMonitor monitor;
        ASSERT_TRUE(session.Design(monitor));
        const NoiseStudy study = StudyNoise(session, {100.0, 100000.0, std::nullopt}, monitor);
        ASSERT_TRUE(study.other);
        for (const NoiseFigures* f : {&study.chosen, &*study.other}) {
            const Order& expected = f->sequence == orders[0].sequence ? orders[0] : orders[1];
            EXPECT_NEAR(f->spectrum.rmsOutput * 1e6, expected.rmsMicrovolts,
                        0.02 * expected.rmsMicrovolts);
            ASSERT_EQ(f->headroom.stages.size(), 4u);
            for (int s = 0; s < 3; ++s) {
                EXPECT_NEAR(PeakDb(f->headroom.stages[s]), expected.peaksDb[s], 0.6) << s;
            }
            // The lowest-noise order clips first in an inner stage, before the output.
            const bool lowNoise = f->sequence == StageSequence::LOW_NOISE;
            EXPECT_EQ(f->headroom.limitingStage == 4, !lowNoise);
            EXPECT_NEAR(f->headroom.largestInput,
                        kDefaultSwing / f->headroom.stages[f->headroom.limitingStage - 1].peakGain,
                        1e-12);
        }
        EXPECT_NE(study.chosen.sequence, study.other->sequence);
    }
}

}  // namespace
}  // namespace vx
