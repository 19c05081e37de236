#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <type_traits>
#include <vector>

#include "design_fixture.h"
#include "structures/circuits/hp_mfb.h"
#include "structures/circuits/hp_sallen_key.h"
#include "structures/circuits/lp_mfb.h"
#include "structures/circuits/lp_sallen_key.h"

namespace vx {
namespace {

// What the screen of a line kept and dropped: every candidate that may win must stay.
struct Verdict {
    int mayWin = 0;
    int missed = 0;
    int others = 0;
    int dropped = 0;
};

// Screens a line through a designed stage and compares with the errors the design computes.
template <class Base>
class LineProbe : public Base {
  public:
    using StageValues = std::remove_cvref_t<decltype(std::declval<Base>().Values())>;

    // Along `field`: 96 values from 0.1 times the designed one, a bound between their errors.
    void Check(double StageValues::*field, Verdict& verdict) {
        this->DesignStage();
        this->StoreTarget();
        const StageValues start = this->values_;
        const std::vector<double> run = Base::SeriesRun(0.1 * (start.*field), 96, 48);
        LineScreenAxis axis = Axis(field, start);
        ASSERT_GT(axis.screen.PointCount(), 0U);
        const std::vector<double> u = axis.Variables(run);
        this->StartScreenLine(start, field, axis.screen);
        std::vector<double> errors;
        for (double value : run) {
            this->values_ = start;
            this->values_.*field = value;
            errors.push_back(Realised(this->values_) ? this->ResponseError() : INFINITY);
        }
        this->values_ = start;
        std::vector<double> sorted = errors;
        std::nth_element(sorted.begin(), sorted.begin() + 10, sorted.end());
        axis.screen.Screen(u, sorted[10]);
        for (size_t i = 0; i < run.size(); ++i) {
            const bool kept = axis.screen.Keeps(static_cast<int>(i));
            if (errors[i] <= sorted[10]) {
                ++verdict.mayWin;
                verdict.missed += kept ? 0 : 1;
            } else {
                ++verdict.others;
                verdict.dropped += kept ? 0 : 1;
            }
        }
    }

  private:
    static constexpr bool kSallenKey = std::is_same_v<StageValues, SallenKeyValues>;

    LineScreenAxis Axis(double StageValues::*field, const StageValues& v) const {
        if constexpr (kSallenKey) {
            std::vector<Complex> gains;
            for (double w : this->Grid()) {
                gains.push_back(this->OpAmp().NonInvertingGain(FeedbackFraction(v.r3, v.r4), w));
            }
            return this->ScreenAlong(field, gains);
        } else {
            return this->ScreenAlong(field);
        }
    }
    bool Realised(const StageValues& v) const {
        if constexpr (kSallenKey) {
            return this->Realizable(v);
        } else {
            return true;
        }
    }
};

// Each structure's lines, every stage of designs with a first-order stage and high gain, with
// the ideal, a common and a slow amplifier: the screen keeps every candidate whose own error is
// within the bound, and drops most of the others.
template <class Structure>
void CheckLines(FilterType type, StructureKind kind,
                std::initializer_list<double LineProbe<Structure>::StageValues::*> fields) {
    Verdict verdict;
    for (const auto& [characteristic, order, gainDb] :
         {std::tuple{Characteristic::CHEBYCHEV, 9, 20.0},
          std::tuple{Characteristic::BESSEL, 4, 0.0},
          std::tuple{Characteristic::BUTTERWORTH, 5, 6.0}}) {
        CDesignSession session;
        test::Specify(session, type, kind, characteristic, order, 1000.0, gainDb,
                      ResistorSeries::E48, session.OpAmps().FindByName("LF411"));
        LineProbe<Structure> probe;
        probe.Attach(session.Filter(), session.OpAmps(), session.Character(), session.Curves());
        ASSERT_TRUE(probe.Prepare());
        for (const OpAmpParams& opAmp :
             {probe.OpAmp(), OpAmpParams::Ideal(), OpAmpParams{1.6e-3, 2e-8, 2e5}}) {
            probe.SetOpAmp(opAmp);
            for (int stage = 0; stage < probe.StageCount(); ++stage) {
                probe.SelectStage(stage);
                for (auto field : fields) {
                    probe.Check(field, verdict);
                }
            }
        }
    }
    EXPECT_EQ(verdict.missed, 0) << "of " << verdict.mayWin;
    EXPECT_GT(verdict.dropped, verdict.others / 2);
}

TEST(LineForms, ScreensKeepEveryCandidateThatMayWin) {
    using enum FilterType;
    using enum StructureKind;
    {
        SCOPED_TRACE("Sallen-Key low-pass");
        CheckLines<CLpSallenKey>(LOWPASS, SALLEN_KEY, {&SallenKeyValues::r2});
    }
    {
        SCOPED_TRACE("Sallen-Key high-pass");
        CheckLines<CHpSallenKey>(HIGHPASS, SALLEN_KEY,
                                 {&SallenKeyValues::r2, &SallenKeyValues::r1});
    }
    {
        SCOPED_TRACE("multiple-feedback low-pass");
        CheckLines<CLpMfb>(LOWPASS, MFB, {&MfbValues::r3});
    }
    {
        SCOPED_TRACE("multiple-feedback high-pass");
        CheckLines<CHpMfb>(HIGHPASS, MFB, {&MfbValues::r2, &MfbValues::r1});
    }
}

}  // namespace
}  // namespace vx
