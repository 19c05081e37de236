// Random specifications across the ranges the input checks allow: every one the checks accept is
// saved, loads again and designs, and the design ends with finite values or a message.
//
// In CI the draws keep to small series and moderate orders with a fixed seed. By hand, the full
// ranges run with
//   VX_RANDOM_SPECS=2000 VX_RANDOM_FULL=1 VX_RANDOM_SEED=7 VX_RANDOM_KEEP_GOING=1
//   build/veltranix_tests --gtest_filter='RandomSpecifications.*'
// Every failure names the `veltranix-cli new` command that reproduces it.
#include <gtest/gtest.h>

#include <chrono>
#include <cmath>
#include <cstdint>
#include <cstdlib>
#include <exception>
#include <optional>
#include <sstream>
#include <string>

#include "../support/deadline.h"
#include "files/specification_reader.h"
#include "files/specification_writer.h"
#include "model/bp_input.h"
#include "model/br_tt_input.h"
#include "model/character.h"
#include "model/gain_fields.h"
#include "model/hp_lp_input.h"
#include "model/stage_gain_input.h"
#include "scripted_prompt.h"
#include "session/design_session.h"

namespace vx {
namespace {

long EnvNumber(const char* name, long fallback) {
    const char* text = std::getenv(name);
    return text == nullptr ? fallback : std::strtol(text, nullptr, 10);
}

// A small generator of its own, so that the draws are the same with every standard library.
class Draws {
  public:
    explicit Draws(uint64_t seed) : state_(seed) {}
    uint64_t Next() {
        // splitmix64
        uint64_t z = (state_ += 0x9e3779b97f4a7c15ULL);
        z = (z ^ (z >> 30)) * 0xbf58476d1ce4e5b9ULL;
        z = (z ^ (z >> 27)) * 0x94d049bb133111ebULL;
        return z ^ (z >> 31);
    }
    double Uniform(double low, double high) {
        return low + (high - low) * static_cast<double>(Next() >> 11) * 0x1.0p-53;
    }
    double LogUniform(double low, double high) {
        return std::exp(Uniform(std::log(low), std::log(high)));
    }
    int Int(int low, int high) {
        return low + static_cast<int>(Next() % static_cast<uint64_t>(high - low + 1));
    }
    bool Chance(double p) { return Uniform(0.0, 1.0) < p; }

  private:
    uint64_t state_;
};

struct RandomSpec {
    FilterType type = FilterType::LOWPASS;
    StructureKind structure = StructureKind::SALLEN_KEY;
    HpLpInput hpLp;
    BpInput bp;
    BrTtInput br;
    StageGains stageGains{};
    std::array<double, kMaxStages> poleFrequency{};
    std::array<double, kMaxStages> poleQuality{};

    CapacitorMode Mode() const {
        return type == FilterType::BANDPASS     ? bp.capacitorMode
               : type == FilterType::BANDREJECT ? br.capacitorMode
                                                : hpLp.capacitorMode;
    }
    std::string Describe() const;
};

const char* const kSeriesNames[] = {"E12", "E24", "E48", "E96", "E192"};
const char* const kOpAmpNames[] = {"ideal", "LF411", "uA741"};
const char* const kCharacteristicNames[] = {"bessel", "butterworth", "chebyshev", "individual"};

std::string SearchWord(const SearchInput& search) {
    return search.method == SearchMethod::EXHAUSTIVE ? " --search exhaustive"
                                                     : " --search neighbours";
}

// The specification as a command line of `veltranix-cli new`, to reproduce a failure by hand.
std::string RandomSpec::Describe() const {
    std::ostringstream s;
    s.precision(17);
    const char* const types[] = {"lowpass", "highpass", "bandpass", "bandreject"};
    const char* const structures[] = {"sk", "skx", "mfb", "twin-t"};
    s << "new " << types[static_cast<int>(type)] << ' ' << structures[static_cast<int>(structure)];
    auto common = [&](double f, double z, ResistorSeries series, CapacitorMode mode, int opAmp) {
        s << " --frequency " << f << " --impedance " << z << " --series "
          << kSeriesNames[static_cast<int>(series)] << " --opamp " << kOpAmpNames[opAmp]
          << (mode == CapacitorMode::ENTER ? " --capacitors enter" : "");
    };
    if (type == FilterType::BANDREJECT) {
        s << " --q " << br.quality;
        common(br.frequency, br.impedance, br.series, br.capacitorMode, br.opAmp);
        return s.str();
    }
    if (type == FilterType::BANDPASS) {
        s << " --characteristic " << kCharacteristicNames[static_cast<int>(bp.characteristic)]
          << " --ripple " << bp.rippleDb << " --order " << bp.order << " --bandwidth "
          << bp.bandwidth << " --gain-db " << bp.gainDb
          << (bp.sequence == StageSequence::LOW_NOISE ? " --sequence low-noise" : "")
          << (bp.distribution == GainDistribution::EQUAL_GBP ? " --distribution equal-gbp" : "")
          << (bp.steplessR2 ? " --stepless-r2" : "") << SearchWord(bp.search);
        common(bp.frequency, bp.impedance, bp.series, bp.capacitorMode, bp.opAmp);
        return s.str();
    }
    s << " --characteristic " << kCharacteristicNames[static_cast<int>(hpLp.characteristic)]
      << " --ripple " << hpLp.rippleDb << " --order " << hpLp.order << " --gain-db " << hpLp.gainDb
      << (hpLp.sequence == StageSequence::LOW_NOISE ? " --sequence low-noise" : "")
      << (hpLp.equalCapacitors ? " --equal-capacitors" : "") << SearchWord(hpLp.search);
    if (hpLp.distribution == GainDistribution::EQUAL_GBP) {
        s << " --distribution equal-gbp";
    } else if (hpLp.distribution == GainDistribution::VALUES) {
        s << " --distribution values --stage-gains ";
        for (int i = 0; i < (hpLp.order + 1) / 2; ++i) {
            s << (i > 0 ? ":" : "") << stageGains[static_cast<size_t>(i)];
        }
    }
    if (hpLp.characteristic == Characteristic::INDIVIDUAL) {
        s << " --poles ";
        for (int i = 0; i < (hpLp.order + 1) / 2; ++i) {
            s << (i > 0 ? "/" : "") << poleFrequency[static_cast<size_t>(i)] << ':'
              << poleQuality[static_cast<size_t>(i)];
        }
    }
    common(hpLp.frequency, hpLp.impedance, hpLp.series, hpLp.capacitorMode, hpLp.opAmp);
    return s.str();
}

RandomSpec Draw(Draws& d, bool full) {
    RandomSpec r;
    const int kinds = d.Int(0, 9);
    // Low-pass and high-pass with the three circuits, then band-pass and band-stop.
    r.type = kinds < 8 ? (kinds % 2 == 0 ? FilterType::LOWPASS : FilterType::HIGHPASS)
                       : (kinds == 8 ? FilterType::BANDPASS : FilterType::BANDREJECT);
    const StructureKind lowHigh[] = {StructureKind::SALLEN_KEY, StructureKind::SALLEN_KEY_X,
                                     StructureKind::MFB, StructureKind::SALLEN_KEY};
    r.structure = r.type == FilterType::BANDPASS     ? StructureKind::MFB
                  : r.type == FilterType::BANDREJECT ? StructureKind::TWIN_T
                                                     : lowHigh[kinds / 2];
    const double frequency = d.LogUniform(1e-9, 1e9);
    const double impedance = d.LogUniform(1e-9, 1e9);
    const int opAmp = d.Int(0, 2);
    const CapacitorMode mode = d.Chance(0.3) ? CapacitorMode::ENTER : CapacitorMode::OPTIMIZE;
    const bool thirdOrder = r.structure == StructureKind::SALLEN_KEY_X;
    // Both searches; the search over every combination keeps to the default window.
    const SearchInput search{d.Chance(0.5) ? SearchMethod::EXHAUSTIVE : SearchMethod::NEIGHBOURS,
                             kDefaultImpedanceWindow};
    // The third-order search grows with the square of the series size.
    const int largestSeries = full ? 4 : (thirdOrder ? 0 : 1);
    const auto series = static_cast<ResistorSeries>(d.Int(0, largestSeries));
    const auto sequence = d.Chance(0.5) ? StageSequence::HIGH_LEVEL : StageSequence::LOW_NOISE;
    const auto characteristic = static_cast<Characteristic>(d.Int(0, 3));
    const double ripple = d.LogUniform(1e-3, 20.0);
    const int largestOrder = full ? 30 : 10;
    if (r.type == FilterType::BANDREJECT) {
        r.br = {frequency, d.LogUniform(0.5, 200.0),
                impedance, static_cast<ResistorSeries>(d.Int(1, std::max(1, largestSeries))),
                mode,      opAmp};
        return r;
    }
    if (r.type == FilterType::BANDPASS) {
        r.bp.order = 2 * d.Int(1, largestOrder / 2);
        r.bp.frequency = frequency;
        const BandwidthLimits limits = BandPassBandwidthLimits(frequency, opAmp);
        r.bp.bandwidth = d.LogUniform(limits.minimum, limits.maximum);
        r.bp.gainDb = d.Uniform(-100.0, 200.0);
        r.bp.impedance = impedance;
        r.bp.characteristic = characteristic == Characteristic::INDIVIDUAL
                                  ? Characteristic::BUTTERWORTH
                                  : characteristic;
        r.bp.rippleDb = ripple;
        r.bp.sequence = sequence;
        r.bp.series = series;
        r.bp.steplessR2 = d.Chance(0.3);
        r.bp.distribution = d.Chance(0.5) ? GainDistribution::EQUAL : GainDistribution::EQUAL_GBP;
        r.bp.capacitorMode = mode;
        r.bp.opAmp = opAmp;
        r.bp.search = search;
        return r;
    }
    HpLpInput& in = r.hpLp;
    in.characteristic = characteristic;
    in.rippleDb = ripple;
    in.order = thirdOrder ? 3 : d.Int(1, largestOrder);
    in.frequency = frequency;
    in.impedance = impedance;
    in.gainDb =
        r.structure == StructureKind::MFB ? d.Uniform(-100.0, 200.0) : d.Uniform(0.0, 200.0);
    in.sequence = sequence;
    in.series = series;
    const int distribution = thirdOrder ? 0 : d.Int(0, 2);
    in.distribution = static_cast<GainDistribution>(distribution);
    in.capacitorMode = thirdOrder ? CapacitorMode::OPTIMIZE : mode;
    in.opAmp = opAmp;
    in.search = search;
    in.equalCapacitors = thirdOrder && d.Chance(0.3);
    for (size_t i = 0; i < kMaxStages; ++i) {
        r.stageGains[i] = d.LogUniform(0.01, 1e4);
        r.poleFrequency[i] = d.LogUniform(0.05, 20.0);
        r.poleQuality[i] = d.LogUniform(0.05, 100.0);
    }
    return r;
}

// NOT_REALISABLE: the core ends the design with a message.
enum class Outcome { REFUSED, DESIGNED, NOT_REALISABLE, FAILED };

// Checks the specification as `new` does and stores it; false when the checks refuse it.
bool Accept(const RandomSpec& r, CDesignSession& session) {
    CFilter& filter = session.Filter();
    CCharacter& character = session.Character();
    if (r.type == FilterType::BANDREJECT) {
        return !AcceptBrTtInput(r.br, filter);
    }
    if (r.type == FilterType::BANDPASS) {
        return !AcceptBpInput(r.bp, filter, character);
    }
    HpLpInput in = r.hpLp;
    if (in.distribution == GainDistribution::VALUES) {
        if (AcceptStageGains(r.stageGains, filter)) {
            return false;
        }
        in.gainDb = StageGainProductDb(r.stageGains, in.order);
    }
    character.individualFrequency = r.poleFrequency;
    character.individualQ = r.poleQuality;
    return !AcceptHpLpInput(in, r.type, r.structure, filter, character);
}

bool AllFinite(const std::vector<double>& values) {
    for (double v : values) {
        if (!std::isfinite(v)) {
            return false;
        }
    }
    return true;
}

// A design the core cannot do tells why, in German, and leaves no result.
Outcome NotRealisable(const std::optional<UserMessage>& failure, const CFilter& filter) {
    EXPECT_TRUE(failure.has_value() && !failure->caption.empty() && !failure->text.empty());
    EXPECT_NE(filter.GetDesignState(), DesignState::DESIGNED);
    return Outcome::NOT_REALISABLE;
}

Outcome SaveLoadAndDesign(const RandomSpec& r) {
    CDesignSession entered;
    if (!Accept(r, entered)) {
        return Outcome::REFUSED;
    }
    if (r.Mode() == CapacitorMode::ENTER) {
        test::ScriptedPrompt prompt;  // takes every proposal
        CFilterStructure& structure = *entered.Current();
        if (!structure.PrepareUntilStable() || !structure.EnterAllCapacitors(true, prompt)) {
            return NotRealisable(structure.Failure(), entered.Filter());
        }
        entered.Filter().SetCapsEnteredOrder(entered.Filter().Order());
    }
    const std::string text =
        SpecificationText(entered.Filter(), entered.Character(), entered.OpAmps(), "");

    CDesignSession session;
    // One thread: the many small searches would spend their time starting threads.
    session.SetSearchOptions({1, true});
    const SpecificationLoadResult loaded = ReadSpecification(text, "random.vxs", session.Filter(),
                                                             session.Character(), session.OpAmps());
    EXPECT_TRUE(loaded.ok) << "the written file does not load again:\n"
                           << (loaded.messages.empty() ? "" : loaded.messages[0].text) << "\n"
                           << text;
    if (!loaded.ok) {
        return Outcome::FAILED;
    }
    if (session.Filter().GetCapacitorMode() == CapacitorMode::ENTER) {
        // The proposals were taken, so the stored capacitors need no repair.
        test::ScriptedPrompt prompt;
        CFilterStructure& structure = *session.Current();
        if (!structure.PrepareUntilStable() || !structure.EnterAllCapacitors(false, prompt)) {
            if (structure.Failure()) {
                return NotRealisable(structure.Failure(), session.Filter());
            }
            ADD_FAILURE() << "the stored capacitors ask for a repair:\n" << text;
            return Outcome::FAILED;
        }
    }
    SilentMonitor monitor;
    if (!session.Design(monitor)) {
        return NotRealisable(session.DesignFailure(), session.Filter());
    }
    const CFilter& f = session.Filter();
    EXPECT_EQ(f.GetDesignState(), DesignState::DESIGNED);
    for (int stage = 0; stage < f.StageCount(); ++stage) {
        for (int slot = 0; slot < f.ComponentCount(stage); ++slot) {
            EXPECT_TRUE(std::isfinite(f.ComponentValue(slot, stage)))
                << f.ComponentName(stage, slot) << " of stage " << stage + 1;
        }
    }
    const ResponseCurves& c = session.Curves();
    EXPECT_TRUE(AllFinite(c.target.Values()) && AllFinite(c.traditional.Values()) &&
                AllFinite(c.filter.Values()) && AllFinite(c.groupDelay.Values()))
        << "a curve holds a value that is not finite";
    return Outcome::DESIGNED;
}

// Under AddressSanitizer every evaluation costs many times more; fewer draws keep the run short.
#ifdef __SANITIZE_ADDRESS__
constexpr long kDraws = 30;
#else
constexpr long kDraws = 100;
#endif

TEST(RandomSpecifications, EveryAcceptedSpecificationSavesLoadsAndDesigns) {
    const long count = EnvNumber("VX_RANDOM_SPECS", kDraws);
    const bool full = EnvNumber("VX_RANDOM_FULL", 0) != 0;
    Draws draws(static_cast<uint64_t>(EnvNumber("VX_RANDOM_SEED", 11)));
    const bool keepGoing = std::getenv("VX_RANDOM_KEEP_GOING") != nullptr;
    std::array<int, 4> outcomes{};
    // A design that never ends fails the run instead of hanging it.
    test::RunWithDeadline("the random designs", std::chrono::hours(full ? 24 : 1), [&] {
        for (long i = 0; i < count; ++i) {
            const RandomSpec r = Draw(draws, full);
            SCOPED_TRACE(r.Describe());
            Outcome outcome = Outcome::FAILED;
            try {
                outcome = SaveLoadAndDesign(r);
            } catch (const std::exception& e) {
                ADD_FAILURE() << "exception: " << e.what();
            }
            ++outcomes[static_cast<size_t>(outcome)];
            if (::testing::Test::HasFailure() && !keepGoing) {
                break;
            }
        }
    });
    std::printf("refused %d, designed %d, not realisable %d, failed %d\n", outcomes[0], outcomes[1],
                outcomes[2], outcomes[3]);
    // Most draws must get as far as a design, or the test would prove little.
    EXPECT_GT(outcomes[static_cast<size_t>(Outcome::DESIGNED)], count / 2);
}

}  // namespace
}  // namespace vx
