#include <gtest/gtest.h>

#include <cmath>
#include <numbers>
#include <random>

#include "../design_fixture.h"
#include "../scripted_prompt.h"
#include "structures/circuits/hp_sallen_key_x.h"
#include "structures/circuits/lp_sallen_key_x.h"

namespace vx {
namespace {

using test::Specify;
using Cx = std::complex<double>;

constexpr double kFg = 1000.0;
constexpr int kLf411 = 1;

// Exposes the steps of the design run so a test can look between them.
template <class Base>
class Probe : public Base {
  public:
    // Error of the starting design and after the search.
    std::pair<double, double> StartThenSearch(bool equalCapacitors) {
        this->PrepareUntilStable();
        this->AccumulateTargets();
        if (equalCapacitors) {
            this->StartEqualCapacitors();
        } else {
            this->StartGeneral();
        }
        const double start = this->StartSearch();
        if (equalCapacitors) {
            this->SearchEqualCapacitors();
        } else {
            this->SearchCapacitors();
        }
        return {start, this->ResponseError()};
    }
};

void SpecifyX(CDesignSession& session, bool highPass, Characteristic characteristic, double gainDb,
              ResistorSeries series, int opAmp = 0, bool equal = false) {
    Specify(session, highPass ? FilterType::HIGHPASS : FilterType::LOWPASS,
            StructureKind::SALLEN_KEY_X, characteristic, 3, kFg, gainDb, series, opAmp);
    SpecificationBlock block = session.Filter().Specification();
    block.equalCapacitors = equal;
    session.Filter().SetSpecification(block, StructureKind::SALLEN_KEY_X, session.Filter().Type());
}

CSallenKeyXStructure& Structure(CDesignSession& session) {
    return dynamic_cast<CSallenKeyXStructure&>(*session.Current());
}

// Solves the three node equations of the network (RC node, Sallen-Key node, non-inverting
// input) with the amplifier Vout = g V+ for Vin = 1, by Gaussian elimination.
Cx NodalTransfer(const SallenKeyXValues& v, bool highPass, Cx g, double w) {
    const Cx s(0.0, w);
    // Admittances of the six passive parts.
    const Cx y1 = 1.0 / v.r1;
    Cx m[3][4];
    if (highPass) {
        const Cx c1 = s * v.c1, c2 = s * v.c2, c3 = s * v.c3;
        const Cx g2 = 1.0 / v.r2, g3 = 1.0 / v.r3;
        const Cx rows[3][4] = {{c1 + y1 + c2, -c2, 0.0, c1},
                               {-c2, c2 + c3 + g2, -c3 - g * g2, 0.0},
                               {0.0, -c3, c3 + g3, 0.0}};
        std::copy(&rows[0][0], &rows[0][0] + 12, &m[0][0]);
    } else {
        const Cx c1 = s * v.c1, c2 = s * v.c2, c3 = s * v.c3;
        const Cx g2 = 1.0 / v.r2, g3 = 1.0 / v.r3;
        const Cx rows[3][4] = {{y1 + c1 + g2, -g2, 0.0, y1},
                               {-g2, g2 + g3 + c3, -g3 - g * c3, 0.0},
                               {0.0, -g3, g3 + c2, 0.0}};
        std::copy(&rows[0][0], &rows[0][0] + 12, &m[0][0]);
    }
    for (int col = 0; col < 3; ++col) {
        for (int row = col + 1; row < 3; ++row) {
            const Cx f = m[row][col] / m[col][col];
            for (int k = col; k < 4; ++k) {
                m[row][k] -= f * m[col][k];
            }
        }
    }
    Cx x[3];
    for (int row = 2; row >= 0; --row) {
        Cx sum = m[row][3];
        for (int k = row + 1; k < 3; ++k) {
            sum -= m[row][k] * x[k];
        }
        x[row] = sum / m[row][row];
    }
    return g * x[2];
}

// The network's response, with the amplifier of its gain network and the selected op-amp,
// is the one the node equations give.
TEST(SallenKeyX, TransferIsTheNodalSolutionOfTheNetwork) {
    std::mt19937 rng(3);
    std::uniform_real_distribution<double> decade(0.0, 1.0);
    auto draw = [&](double unit) { return unit * std::pow(10.0, 2.0 * decade(rng)); };
    for (const bool highPass : {false, true}) {
        CDesignSession session;
        SpecifyX(session, highPass, Characteristic::BESSEL, 10.0, ResistorSeries::E12, kLf411);
        CSallenKeyXStructure& s = Structure(session);
        ASSERT_TRUE(s.Prepare());
        for (int i = 0; i < 50; ++i) {
            const SallenKeyXValues v{draw(1e-9), draw(1e-9), draw(1e-9), draw(1e3),
                                     draw(1e3),  draw(1e3),  draw(1e3),  draw(1e3)};
            s.SetValues(v);
            for (const double f : {10.0, 300.0, 1000.0, 4000.0, 1e5}) {
                const double w = 2.0 * std::numbers::pi * f;
                const Cx g = s.OpAmp().NonInvertingGain(v.r5 / (v.r4 + v.r5), w);
                const Cx expected = NodalTransfer(v, highPass, g, w);
                EXPECT_LT(std::abs(s.StageTransfer(w) / expected - 1.0), 1e-9)
                    << "hp " << highPass << " case " << i << " f " << f;
            }
        }
    }
}

struct PairCase {
    Characteristic characteristic;
    double gainDb;
};

const PairCase kPairCases[] = {
    {Characteristic::BESSEL, 0.0},
    {Characteristic::BUTTERWORTH, 6.0},
    {Characteristic::CHEBYCHEV, 20.0},
};

// Each exactly dimensioned pair, with the other section absent, has the response of its
// prototype factor times its gain.
TEST(SallenKeyX, ExactPairsRealiseTheirPrototypeFactors) {
    for (const bool highPass : {false, true}) {
        for (const PairCase& c : kPairCases) {
            CDesignSession session;
            SpecifyX(session, highPass, c.characteristic, c.gainDb, ResistorSeries::E96);
            CSallenKeyXStructure& s = Structure(session);
            ASSERT_TRUE(s.Prepare());
            ASSERT_EQ(s.RecordCount(), 2);
            for (int pair = 0; pair < 2; ++pair) {
                s.SelectStage(pair);
                s.DesignStage();
                const double a = s.CoefficientA(pair), b = s.CoefficientB(pair);
                for (const double x : {0.1, 0.5, 0.9, 1.0, 1.7, 4.0}) {
                    const Cx p = highPass ? 1.0 / Cx(0.0, x) : Cx(0.0, x);
                    const double expected = s.StageGain(pair) / std::abs(1.0 + a * p + b * p * p);
                    // The ideal list entry has an open-loop gain of 1e8, hence the tolerance.
                    EXPECT_NEAR(s.Magnitude(2.0 * std::numbers::pi * kFg * x) / expected, 1.0, 1e-5)
                        << "hp " << highPass << " gain " << c.gainDb << " pair " << pair;
                }
            }
        }
    }
}

struct DesignCase {
    bool highPass;
    Characteristic characteristic;
    double gainDb;
    bool equal;
};

// Largest deviation in dB of the filter curve from the target curve over the pass band.
double PassBandDeviationDb(const CDesignSession& session, bool highPass) {
    const ResponseCurves& c = session.Curves();
    const double ratio = session.Filter().PlotMax() / session.Filter().PlotMin();
    double worst = 0.0;
    for (int i = 0; i < c.filter.Count(); ++i) {
        const double x = session.Filter().PlotMin() * std::pow(ratio, i / 1500.0);
        if (highPass ? x < 1.0 : x > 1.0) {
            continue;
        }
        worst = std::max(worst, std::fabs(20.0 * std::log10(c.filter.At(i) / c.target.At(i))));
    }
    return worst;
}

// Designed values put back into the network give the target response closely over the pass
// band, and the record holds the designed parts.
TEST(SallenKeyX, DesignsFollowTheTargetInThePassBand) {
    const DesignCase cases[] = {
        {false, Characteristic::BESSEL, 0.0, false},
        {true, Characteristic::BUTTERWORTH, 0.0, false},
    };
    for (const DesignCase& c : cases) {
        SCOPED_TRACE(testing::Message() << "hp " << c.highPass << " characteristic "
                                        << static_cast<int>(c.characteristic));
        CDesignSession session;
        SpecifyX(session, c.highPass, c.characteristic, c.gainDb, ResistorSeries::E12);
        SilentMonitor monitor;
        ASSERT_TRUE(session.Design(monitor));
        EXPECT_EQ(session.Filter().GetDesignState(), DesignState::DESIGNED);
        EXPECT_LT(PassBandDeviationDb(session, c.highPass), 0.5);
        // The stored values are the designed ones; without gain the amplifier is a follower.
        const SallenKeyXValues v = Structure(session).Values();
        EXPECT_EQ(session.Filter().ComponentCount(0), 6);
        EXPECT_EQ(session.Filter().Value(ComponentSlot::C3, 0), v.c3);
        EXPECT_EQ(session.Filter().Value(ComponentSlot::R3, 0), v.r3);
        EXPECT_EQ(v.r4, 0.0);
    }
}

// The search never ends above the starting design; with the option all capacitors are equal.
TEST(SallenKeyX, SearchImprovesOnTheStartingDesign) {
    const DesignCase cases[] = {
        {false, Characteristic::BESSEL, 10.0, false},
        {false, Characteristic::BUTTERWORTH, 10.0, true},
        {true, Characteristic::CHEBYCHEV, 10.0, false},
        {true, Characteristic::BESSEL, 10.0, true},
    };
    for (const DesignCase& c : cases) {
        SCOPED_TRACE(testing::Message() << "hp " << c.highPass << " equal " << c.equal);
        CDesignSession session;
        SpecifyX(session, c.highPass, c.characteristic, c.gainDb, ResistorSeries::E12, kLf411,
                 c.equal);
        std::unique_ptr<CSallenKeyXStructure> probe;
        if (c.highPass) {
            probe = std::make_unique<Probe<CHpSallenKeyX>>();
        } else {
            probe = std::make_unique<Probe<CLpSallenKeyX>>();
        }
        probe->Attach(session.Filter(), session.OpAmps(), session.Character(), session.Curves());
        const auto [start, final] =
            c.highPass ? static_cast<Probe<CHpSallenKeyX>&>(*probe).StartThenSearch(c.equal)
                       : static_cast<Probe<CLpSallenKeyX>&>(*probe).StartThenSearch(c.equal);
        EXPECT_LE(final, start);
        EXPECT_TRUE(probe->Realizable(probe->Values()));
        const SallenKeyXValues v = probe->Values();
        if (c.equal) {
            EXPECT_EQ(v.c1, v.c2);
            EXPECT_EQ(v.c2, v.c3);
        }
    }
}

// 13 dB cannot be set exactly with E12 gain resistors: the search judges the response with
// the gain error taken out, so the shape follows the target and only the level is off, by
// exactly the gain network's error.
TEST(SallenKeyX, GainCorrectionTakesOutTheGainNetworksError) {
    for (const bool highPass : {false, true}) {
        SCOPED_TRACE(testing::Message() << "hp " << highPass);
        CDesignSession session;
        SpecifyX(session, highPass, Characteristic::BESSEL, 13.0, ResistorSeries::E12);
        SilentMonitor monitor;
        ASSERT_TRUE(session.Design(monitor));
        CSallenKeyXStructure& s = Structure(session);
        const SallenKeyXValues v = s.Values();
        const double networkGain = 1.0 + v.r4 / v.r5;
        const double correction = s.GainCorrection(v);
        EXPECT_NEAR(correction * networkGain, std::pow(10.0, 13.0 / 20.0), 1e-9);
        EXPECT_GT(std::fabs(20.0 * std::log10(correction)), 0.2);
        // Far in the pass band the network passes the gain of its gain network.
        const double far = 2.0 * std::numbers::pi * kFg * (highPass ? 1e3 : 1e-3);
        EXPECT_NEAR(s.Magnitude(far) / networkGain, 1.0, 1e-4);
        const ResponseCurves& c = session.Curves();
        const double ratio = session.Filter().PlotMax() / session.Filter().PlotMin();
        for (int i = 0; i < c.filter.Count(); i += 10) {
            const double x = session.Filter().PlotMin() * std::pow(ratio, i / 1500.0);
            if (highPass ? x >= 1.0 : x <= 1.0) {
                EXPECT_NEAR(c.filter.At(i) * correction / c.target.At(i), 1.0, 0.02) << x;
            }
        }
        // With gain resistors the record holds all eight parts, and the curves come back
        // from the stored values.
        EXPECT_EQ(session.Filter().ComponentCount(0), 8);
        EXPECT_EQ(session.Filter().Value(ComponentSlot::R4, 0), v.r4);
        EXPECT_EQ(session.Filter().Value(ComponentSlot::R5, 0), v.r5);
        const ResponseCurves designed = c;
        ASSERT_TRUE(session.RecomputeCurves());
        EXPECT_EQ(c.filter.Values(), designed.filter.Values());
        EXPECT_EQ(c.target.Values(), designed.target.Values());
        EXPECT_EQ(c.groupDelay.Values(), designed.groupDelay.Values());
    }
}

// Entered capacitors: each section is dimensioned for its own pair, and the design keeps the
// capacitors without a search.
TEST(SallenKeyX, EnteredCapacitorsAreKept) {
    for (const bool highPass : {false, true}) {
        SCOPED_TRACE(testing::Message() << "hp " << highPass);
        CDesignSession session;
        Specify(session, highPass ? FilterType::HIGHPASS : FilterType::LOWPASS,
                StructureKind::SALLEN_KEY_X, Characteristic::BUTTERWORTH, 3, kFg, 10.0,
                ResistorSeries::E12, 0, CapacitorMode::ENTER);
        CSallenKeyXStructure& s = Structure(session);
        ASSERT_TRUE(s.Prepare());
        test::ScriptedPrompt prompt;
        prompt.answers = {10e-9, 4.7e-9};  // C3: the proposal
        ASSERT_TRUE(s.EnterAllCapacitors(true, prompt));
        ASSERT_EQ(prompt.asked.size(), 3u);
        EXPECT_EQ(prompt.asked[0].caption, "C1");
        EXPECT_EQ(prompt.asked[1].caption, "C2");
        EXPECT_EQ(prompt.asked[2].caption, "C3");
        const double c3 = s.Values().c3;
        if (!highPass) {
            EXPECT_GE(c3, prompt.asked[2].minimum);
        }
        // Each section alone realises its prototype factor.
        const SallenKeyXValues entered = s.Values();
        const double w = 2.0 * std::numbers::pi * kFg;
        for (int pair = 0; pair < 2; ++pair) {
            SallenKeyXValues v = entered;
            const double absent = highPass ? 2e20 : 0.0;
            if (pair == 0) {
                v.c2 = v.c3 = v.r2 = v.r3 = absent;
                v.r4 = 0.0;
            } else {
                v.c1 = v.r1 = absent;
            }
            s.SetValues(v);
            const double a = s.CoefficientA(pair), b = s.CoefficientB(pair);
            const double gain = pair == 0 ? 1.0 : std::pow(10.0, 0.5);
            for (const double x : {0.3, 1.0, 3.0}) {
                const Cx p = highPass ? 1.0 / Cx(0.0, x) : Cx(0.0, x);
                EXPECT_NEAR(s.Magnitude(w * x) / (gain / std::abs(1.0 + a * p + b * p * p)), 1.0,
                            1e-5)
                    << "pair " << pair << " x " << x;
            }
        }
        SilentMonitor monitor;
        ASSERT_TRUE(session.Design(monitor));
        EXPECT_EQ(session.Filter().GetDesignState(), DesignState::DESIGNED);
        EXPECT_EQ(session.Filter().Value(ComponentSlot::C1, 0), 10e-9);
        EXPECT_EQ(session.Filter().Value(ComponentSlot::C2, 0), 4.7e-9);
        EXPECT_EQ(session.Filter().Value(ComponentSlot::C3, 0), c3);
    }
}

TEST(SallenKeyX, StoredCapacitorsBelowTheRatioNeedARepair) {
    CDesignSession session;
    Specify(session, FilterType::LOWPASS, StructureKind::SALLEN_KEY_X, Characteristic::BUTTERWORTH,
            3, kFg, 0.0, ResistorSeries::E12, 0, CapacitorMode::ENTER);
    CSallenKeyXStructure& s = Structure(session);
    ASSERT_TRUE(s.Prepare());
    test::ScriptedPrompt prompt;
    // Butterworth (a = b = 1) with unity gain needs C3 >= 4 C2 in the Sallen-Key section.
    prompt.answers = {10e-9, 10e-9, 47e-9};
    ASSERT_TRUE(s.EnterAllCapacitors(true, prompt));
    EXPECT_TRUE(s.EnterAllCapacitors(false, prompt));
    EXPECT_TRUE(prompt.mismatches.empty());
    session.Filter().SetValue(ComponentSlot::C3, 0, 39e-9);
    EXPECT_FALSE(s.EnterAllCapacitors(false, prompt));
    ASSERT_EQ(prompt.mismatches.size(), 1u);
    EXPECT_NEAR(prompt.mismatches[0].minimumRatio, 4.0, 1e-9);
}

}  // namespace
}  // namespace vx
