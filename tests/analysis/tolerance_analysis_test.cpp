#include "analysis/tolerance_analysis.h"

#include <gtest/gtest.h>

#include <cmath>
#include <numbers>
#include <string>

#include "../structures/design_fixture.h"
#include "analysis/tolerance_statistics.h"
#include "tolerance_test_support.h"

namespace vx {
namespace {

using test::DesignedExample;

ToleranceRun Analyse(const CDesignSession& session, const ToleranceSettings& settings) {
    SilentMonitor monitor;
    return CToleranceAnalysis(session, settings).Run(monitor);
}

// Bit for bit, a figure that is not a number equal to one that is not either.
bool Same(double a, double b) {
    return a == b || (std::isnan(a) && std::isnan(b));
}

TEST(ToleranceAnalysis, WithoutToleranceTheBandIsTheFilterCurveOfEveryStructure) {
    for (const char* name : test::kExamples) {
        SCOPED_TRACE(name);
        const auto session = DesignedExample(name);
        ToleranceSettings settings;
        settings.resistorTolerance = 0.0;
        settings.capacitorTolerance = 0.0;
        settings.runs = 3;
        const ToleranceRun run = Analyse(*session, settings);
        ASSERT_EQ(run.outcome, ToleranceOutcome::DONE);
        const std::vector<double>& filter = session->Curves().filter.Values();
        const ToleranceBand& band = run.result.band;
        for (const CShowFregang* curve :
             {&band.median, &band.q05, &band.q95, &band.minimum, &band.maximum}) {
            EXPECT_EQ(curve->Values(), filter);
        }
        for (const ResponseFigures& f : run.result.runFigures) {
            EXPECT_TRUE(Same(f.frequency, run.result.frequency.nominal));
            EXPECT_TRUE(Same(f.levelDb, run.result.level.nominal));
        }
        EXPECT_EQ(run.result.passed, run.result.nominalPasses ? 3 : 0);
        EXPECT_FALSE(run.result.sensitivities.empty());
    }
}

TEST(ToleranceAnalysis, TheSeedAloneDecidesTheResult) {
    // Op-amps with a real gain-bandwidth product, so their spread counts too.
    CDesignSession session;
    test::Specify(session, FilterType::LOWPASS, StructureKind::SALLEN_KEY,
                  Characteristic::CHEBYCHEV, 6, 10000.0, 6.0, ResistorSeries::E96,
                  session.OpAmps().FindByName("LF411"));
    SilentMonitor monitor;
    ASSERT_TRUE(session.Design(monitor));
    ToleranceSettings settings = ToleranceSettings::For(session.Filter());
    settings.gainBandwidthSpread = 0.3;
    settings.distribution = ToleranceDistribution::NORMAL;
    settings.runs = 203;  // not a multiple of the runs a thread takes at a time
    settings.seed = 17;
    settings.threads = 1;
    const ToleranceResult one = Analyse(session, settings).result;
    for (int threads : {2, 4}) {
        SCOPED_TRACE(threads);
        settings.threads = threads;
        const ToleranceResult many = Analyse(session, settings).result;
        EXPECT_EQ(many.band.median.Values(), one.band.median.Values());
        EXPECT_EQ(many.band.q05.Values(), one.band.q05.Values());
        EXPECT_EQ(many.band.q95.Values(), one.band.q95.Values());
        EXPECT_EQ(many.band.minimum.Values(), one.band.minimum.Values());
        EXPECT_EQ(many.band.maximum.Values(), one.band.maximum.Values());
        ASSERT_EQ(many.runFigures.size(), one.runFigures.size());
        for (size_t r = 0; r < one.runFigures.size(); ++r) {
            EXPECT_TRUE(Same(many.runFigures[r].frequency, one.runFigures[r].frequency)) << r;
            EXPECT_TRUE(Same(many.runFigures[r].levelDb, one.runFigures[r].levelDb)) << r;
        }
        EXPECT_EQ(many.passed, one.passed);
    }
    settings.seed = 18;
    EXPECT_NE(Analyse(session, settings).result.band.q95.Values(), one.band.q95.Values());
}

// The gain-bandwidth product of a real op-amp varies through its time constant T1; the ideal
// op-amp has none, so its filter keeps its response.
TEST(ToleranceAnalysis, TheGainBandwidthSpreadMovesOnlyRealOpAmps) {
    for (const char* opAmp : {"LF411", "IDEAL"}) {
        SCOPED_TRACE(opAmp);
        CDesignSession session;
        test::Specify(session, FilterType::HIGHPASS, StructureKind::MFB,
                      Characteristic::BUTTERWORTH, 4, 20000.0, 20.0, ResistorSeries::E96,
                      session.OpAmps().FindByName(opAmp));
        ASSERT_TRUE(session.Filter().SetPlotRange(0.1, 10.0));
        SilentMonitor monitor;
        ASSERT_TRUE(session.Design(monitor));
        ToleranceSettings settings;
        settings.resistorTolerance = 0.0;
        settings.capacitorTolerance = 0.0;
        settings.gainBandwidthSpread = 0.3;
        settings.runs = 50;
        const ToleranceBand band = Analyse(session, settings).result.band;
        const std::vector<double>& filter = session.Curves().filter.Values();
        if (std::string(opAmp) == "IDEAL") {
            EXPECT_EQ(band.minimum.Values(), filter);
            EXPECT_EQ(band.maximum.Values(), filter);
        } else {
            // A decade above its cut-off the high-pass loses gain with its op-amp.
            const int last = kCurvePoints - 1;
            EXPECT_GT(band.maximum.At(last) / band.minimum.At(last), 1.01);
        }
    }
}

// E[g(1 + u)] over the factor u of a part: uniform on [-t, t], or normal with sigma t/3 cut off
// at 3 sigma; by Simpson's rule.
template <class G>
double Expectation(ToleranceDistribution distribution, double t, G g) {
    const int n = 20000;
    const double h = 2.0 * t / n;
    double sum = 0.0;
    double weights = 0.0;
    for (int i = 0; i <= n; ++i) {
        const double u = -t + i * h;
        const double simpson = i == 0 || i == n ? 1.0 : (i % 2 == 1 ? 4.0 : 2.0);
        const double density =
            distribution == ToleranceDistribution::UNIFORM ? 1.0 : std::exp(-4.5 * u * u / (t * t));
        sum += simpson * density * g(1.0 + u);
        weights += simpson * density;
    }
    return sum / weights;
}

// A first-order low-pass whose resistor alone varies: its cut-off 1 / (2 pi R C) spreads as 1/R.
TEST(ToleranceAnalysis, TheCutoffOfAnRcLowPassSpreadsAsItsResistor) {
    CDesignSession session;
    test::Specify(session, FilterType::LOWPASS, StructureKind::SALLEN_KEY,
                  Characteristic::BUTTERWORTH, 1, 1000.0, 0.0, ResistorSeries::E96);
    SilentMonitor monitor;
    ASSERT_TRUE(session.Design(monitor));
    const double r = session.Filter().Value(ComponentSlot::R1, 0);
    const double c = session.Filter().Value(ComponentSlot::C1, 0);
    const double nominal = 1.0 / (2.0 * std::numbers::pi * r * c);
    constexpr double kTolerance = 0.01;
    constexpr int kRuns = 4000;
    for (ToleranceDistribution distribution :
         {ToleranceDistribution::UNIFORM, ToleranceDistribution::NORMAL}) {
        SCOPED_TRACE(static_cast<int>(distribution));
        ToleranceSettings settings;
        settings.resistorTolerance = kTolerance;
        settings.capacitorTolerance = 0.0;
        settings.distribution = distribution;
        settings.runs = kRuns;
        const ToleranceResult result = Analyse(session, settings).result;
        const double mean =
            nominal * Expectation(distribution, kTolerance, [](double x) { return 1.0 / x; });
        const double square =
            nominal * nominal *
            Expectation(distribution, kTolerance, [](double x) { return 1.0 / (x * x); });
        const double sigma = std::sqrt(square - mean * mean);
        EXPECT_NEAR(result.frequency.nominal, nominal, 1e-6 * nominal);
        EXPECT_EQ(result.frequency.count, kRuns);
        // Four standard errors: of the mean sigma / sqrt(N), of the deviation at most
        // sigma / sqrt(2 N) (less for these light-tailed distributions).
        EXPECT_NEAR(result.frequency.mean, mean, 4.0 * sigma / std::sqrt(kRuns));
        EXPECT_NEAR(result.frequency.deviation, sigma, 4.0 * sigma / std::sqrt(2.0 * kRuns));
        EXPECT_GE(result.frequency.minimum, nominal / (1.0 + kTolerance));
        EXPECT_LE(result.frequency.maximum, nominal / (1.0 - kTolerance));
    }
}

// The twin-T's notch is the null of a balanced bridge, and the amplifier that raises its Q
// multiplies what the parts' mismatch leaves of it: the residual gain at the notch of a high-Q
// notch spreads about Q times wider, its depth in dB sits lower by as much.
TEST(ToleranceAnalysis, AHighQNotchKeepsItsDepthWorseThanALowQNotch) {
    auto residualSpread = [](double q, double& meanDepth) {
        CDesignSession session;
        session.Filter().SetBandRejectSpecification(CapacitorMode::OPTIMIZE, ResistorSeries::E96, 0,
                                                    50.0, 10000.0, q);
        SilentMonitor monitor;
        EXPECT_TRUE(session.Design(monitor));
        ToleranceSettings settings;
        settings.resistorTolerance = 0.01;
        settings.capacitorTolerance = 0.05;
        const ToleranceResult result = Analyse(session, settings).result;
        meanDepth = result.level.mean;
        std::vector<double> residuals;
        for (const ResponseFigures& f : result.runFigures) {
            residuals.push_back(std::pow(10.0, -f.levelDb / 20.0));
        }
        return SummariseFigure(residuals, 0.0).deviation;
    };
    double lowDepth = 0.0;
    double highDepth = 0.0;
    const double low = residualSpread(1.0, lowDepth);
    const double high = residualSpread(10.0, highDepth);
    EXPECT_GT(high, 4.0 * low);
    EXPECT_GT(lowDepth, highDepth + 12.0);
}

class CancelAtOnce final : public DesignMonitor {
  public:
    void Report(const DesignProgress&) override {}
    bool CancelRequested() override { return true; }
};

// A kept scheme is the yield's mask in place of the derived one, over the range widened to its
// edges: one the design meets with room passes every run, one whose stop edge the design misses
// passes none, and the planned one lies between.
TEST(ToleranceAnalysis, TheUsersSchemeIsTheYieldsMask) {
    CDesignSession session;
    // The plan of 1 dB up to 1 kHz and 40 dB from 3 kHz: Butterworth, order 5, 1169 Hz.
    test::Specify(session, FilterType::LOWPASS, StructureKind::SALLEN_KEY,
                  Characteristic::BUTTERWORTH, 5, 1169.24, 0.0, ResistorSeries::E96);
    ToleranceSettings settings;
    settings.runs = 200;
    struct Case {
        ToleranceScheme scheme;
        bool nominalPasses;
        double lowest;
        double highest;
    };
    auto lowPass = [](double fp, double amax, double fs, double amin) {
        ToleranceScheme s;
        s.passEdge = fp;
        s.passAttenuation = amax;
        s.stopEdge = fs;
        s.stopAttenuation = amin;
        return s;
    };
    const Case cases[] = {
        {lowPass(500.0, 3.0, 5000.0, 20.0), true, 1.0, 1.0},
        {lowPass(1000.0, 1.0, 3000.0, 40.0), true, 0.3, 0.999},
        {lowPass(1000.0, 1.0, 2000.0, 40.0), false, 0.0, 0.0},
    };
    for (const Case& c : cases) {
        session.Filter().scheme = c.scheme;
        session.Filter().SetPlotRange(0.5, 2.0);
        session.Filter().FitPlotRangeToScheme();
        SilentMonitor monitor;
        ASSERT_TRUE(session.Design(monitor));
        const ToleranceRun run = Analyse(session, settings);
        ASSERT_EQ(run.outcome, ToleranceOutcome::DONE);
        SCOPED_TRACE(c.scheme.stopEdge);
        EXPECT_EQ(run.result.scheme, c.scheme);
        EXPECT_EQ(run.result.nominalPasses, c.nominalPasses);
        EXPECT_GE(run.result.Yield(), c.lowest);
        EXPECT_LE(run.result.Yield(), c.highest);
    }
}

TEST(ToleranceAnalysis, RefusesWhatItCannotDoAndStopsOnCancel) {
    const CDesignSession undesigned;
    ToleranceRun run = Analyse(undesigned, {});
    EXPECT_EQ(run.outcome, ToleranceOutcome::REFUSED);
    ASSERT_TRUE(run.message.has_value());
    EXPECT_EQ(run.message->caption, "Toleranzanalyse");

    const auto session = DesignedExample("sk_lowpass_gain");
    struct Case {
        double resistor;
        int runs;
        bool refused;
    };
    for (const Case c :
         {Case{0.5, 1, false}, Case{0.51, 10, true}, Case{-0.01, 10, true}, Case{NAN, 10, true},
          Case{0.01, 0, true}, Case{0.01, ToleranceSettings::kMaxRuns + 1, true}}) {
        SCOPED_TRACE(testing::Message() << c.resistor << " " << c.runs);
        ToleranceSettings settings;
        settings.resistorTolerance = c.resistor;
        settings.runs = c.runs;
        run = Analyse(*session, settings);
        EXPECT_EQ(run.outcome, c.refused ? ToleranceOutcome::REFUSED : ToleranceOutcome::DONE);
        EXPECT_EQ(run.message.has_value(), c.refused);
    }

    CancelAtOnce cancel;
    ToleranceSettings many;
    many.runs = ToleranceSettings::kMaxRuns;
    EXPECT_EQ(CToleranceAnalysis(*session, many).Run(cancel).outcome, ToleranceOutcome::CANCELLED);
}

}  // namespace
}  // namespace vx
