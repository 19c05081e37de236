// Designs a matrix of specifications and compares the searched standard values ("Ihr Filter")
// with plain rounding ("Traditioneller Entwurf"): per design the worst deviation from the target
// in dB over the plot range where the target lies within 40 dB of its maximum, then per
// structure how often and by how much the search beats or loses to rounding.
//
//   veltranix_quality_sweep [--matrix common|wide|both] [--list] [--threads N]
//
// "common": low-pass and high-pass, Sallen-Key and multiple feedback, Bessel, Butterworth,
// Chebyshev 1 dB, orders 2, 4, 5, 0/6/20 dB, E24/E96, ideal and LF411, 2 kHz (432 designs).
// "wide": a fixed pseudo-random draw over other frequencies, impedances, orders, gains, series
// and op-amps, with the third-order structures and the band-pass.
#include <algorithm>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <map>
#include <random>
#include <string>
#include <vector>

#include "model/bp_input.h"
#include "model/hp_lp_input.h"
#include "response/rounding_guard.h"
#include "session/design_session.h"

namespace vx {
namespace {

struct SweepSpec {
    FilterType type = FilterType::LOWPASS;
    StructureKind structure = StructureKind::SALLEN_KEY;
    Characteristic characteristic = Characteristic::BUTTERWORTH;
    int order = 2;
    double frequency = 2000.0;
    double impedance = 10000.0;
    double gainDb = 0.0;
    ResistorSeries series = ResistorSeries::E24;
    int opAmp = 0;
    double bandwidth = 0.0;  // band-pass only
};

struct Outcome {
    double searched = 0.0;          // worst |dB deviation| of the searched design
    double rounded = 0.0;           // the same for plain rounding
    int stagesRoundedByStage = 0;   // stages whose search ended worse than their rounded values
    int stagesRoundedByFilter = 0;  // stages put back to rounding for the whole filter's sake
};

const char* Name(FilterType t) {
    static const char* const names[] = {"LP", "HP", "BP", "BR"};
    return names[static_cast<int>(t)];
}
const char* Name(StructureKind s) {
    static const char* const names[] = {"SK", "SKX", "MFB", "TT"};
    return names[static_cast<int>(s)];
}
const char* Name(Characteristic c) {
    static const char* const names[] = {"Bessel", "Butterworth", "Chebyshev1dB", "Individual"};
    return names[static_cast<int>(c)];
}

bool Specify(CDesignSession& session, const SweepSpec& s) {
    if (s.type == FilterType::BANDPASS) {
        BpInput in;
        in.order = s.order;
        in.frequency = s.frequency;
        in.bandwidth = s.bandwidth;
        in.gainDb = s.gainDb;
        in.impedance = s.impedance;
        in.characteristic = s.characteristic;
        in.series = s.series;
        in.opAmp = s.opAmp;
        return !AcceptBpInput(in, session.Filter(), session.Character());
    }
    HpLpInput in;
    in.characteristic = s.characteristic;
    in.order = s.order;
    in.frequency = s.frequency;
    in.impedance = s.impedance;
    in.gainDb = s.gainDb;
    in.series = s.series;
    in.opAmp = s.opAmp;
    return !AcceptHpLpInput(in, s.type, s.structure, session.Filter(), session.Character());
}

std::vector<SweepSpec> CommonMatrix() {
    std::vector<SweepSpec> specs;
    for (FilterType type : {FilterType::LOWPASS, FilterType::HIGHPASS}) {
        for (StructureKind structure : {StructureKind::SALLEN_KEY, StructureKind::MFB}) {
            for (Characteristic c :
                 {Characteristic::BESSEL, Characteristic::BUTTERWORTH, Characteristic::CHEBYCHEV}) {
                for (int order : {2, 4, 5}) {
                    for (double gain : {0.0, 6.0, 20.0}) {
                        for (ResistorSeries series : {ResistorSeries::E24, ResistorSeries::E96}) {
                            for (int opAmp : {0, 1}) {
                                specs.push_back({type, structure, c, order, 2000.0, 10000.0, gain,
                                                 series, opAmp});
                            }
                        }
                    }
                }
            }
        }
    }
    return specs;
}

// A fixed draw (the seed never changes, so the figures can be compared over time).
std::vector<SweepSpec> WideMatrix() {
    std::mt19937 rng(20261208);
    auto pick = [&](auto const& list) {
        return list[std::uniform_int_distribution<size_t>(0, list.size() - 1)(rng)];
    };
    const std::vector<double> frequencies{50.0, 330.0, 1000.0, 7500.0, 25e3, 120e3};
    const std::vector<double> impedances{1e3, 4.7e3, 22e3, 100e3};
    const std::vector<double> gains{0.0, 3.0, 10.0, 14.0, 26.0, 40.0};
    const std::vector<ResistorSeries> series{ResistorSeries::E12, ResistorSeries::E24,
                                             ResistorSeries::E48, ResistorSeries::E96,
                                             ResistorSeries::E192};
    const std::vector<Characteristic> characteristics{
        Characteristic::BESSEL, Characteristic::BUTTERWORTH, Characteristic::CHEBYCHEV};
    const std::vector<int> opAmps{0, 1, 2};
    std::vector<SweepSpec> specs;
    for (int k = 0; k < 600; ++k) {
        SweepSpec s;
        const int kind = k % 10;
        s.type = (k / 10) % 2 == 0 ? FilterType::LOWPASS : FilterType::HIGHPASS;
        s.characteristic = pick(characteristics);
        s.frequency = pick(frequencies);
        s.impedance = pick(impedances);
        s.gainDb = pick(gains);
        s.series = pick(series);
        s.opAmp = pick(opAmps);
        if (kind < 4) {
            s.structure = StructureKind::SALLEN_KEY;
            s.order = std::uniform_int_distribution<int>(1, 9)(rng);
        } else if (kind < 8) {
            s.structure = StructureKind::MFB;
            s.order = std::uniform_int_distribution<int>(1, 9)(rng);
        } else if (kind < 9) {
            // The third-order search is the slow one: keep it to the smaller series here.
            s.structure = StructureKind::SALLEN_KEY_X;
            s.order = 3;
            s.series = pick(std::vector<ResistorSeries>{ResistorSeries::E12, ResistorSeries::E24,
                                                        ResistorSeries::E48});
        } else {
            s.type = FilterType::BANDPASS;
            s.structure = StructureKind::MFB;
            s.order = 2 * std::uniform_int_distribution<int>(1, 4)(rng);
            s.bandwidth = s.frequency * pick(std::vector<double>{0.05, 0.2, 0.5, 1.0});
            s.gainDb = std::min(s.gainDb, 14.0);
        }
        specs.push_back(s);
    }
    return specs;
}

struct Tally {
    int designs = 0;
    int compared = 0;  // designs with a rounded design to compare (not the third order)
    int losses = 0;    // searched worse than rounded by more than 0.05 dB
    int wins = 0;      // searched better by more than 0.05 dB
    double worstLoss = 0.0;
    double sumSearched = 0.0;
    double sumRounded = 0.0;
    int guarded = 0;        // designs where the whole-filter check put rounded stages back
    int stageFallback = 0;  // designs with a stage whose search ended worse than rounding
};

void AddTo(Tally& all, const Tally& t) {
    all.designs += t.designs;
    all.compared += t.compared;
    all.losses += t.losses;
    all.wins += t.wins;
    all.worstLoss = std::max(all.worstLoss, t.worstLoss);
    all.sumSearched += t.sumSearched;
    all.sumRounded += t.sumRounded;
    all.guarded += t.guarded;
    all.stageFallback += t.stageFallback;
}

void PrintRow(const std::string& name, const Tally& t) {
    const double designs = std::max(1, t.designs);
    if (t.compared == 0) {
        // The third order has no rounded design to compare with.
        std::printf("| %s | %d | - | - | - | %.3f | - | - | %d |\n", name.c_str(), t.designs,
                    t.sumSearched / designs, t.stageFallback);
        return;
    }
    const double compared = t.compared;
    std::printf("| %s | %d | %d (%.1f %%) | %d | %.3f | %.3f | %.3f | %d | %d |\n", name.c_str(),
                t.designs, t.losses, 100.0 * t.losses / compared, t.wins, t.worstLoss,
                t.sumSearched / designs, t.sumRounded / compared, t.guarded, t.stageFallback);
}

void PrintTable(const char* title, const std::map<std::string, Tally>& tallies) {
    std::printf("\n%s\n", title);
    std::printf(
        "| Structure | Designs | Search loses > 0.05 dB | Search wins > 0.05 dB | "
        "Worst loss (dB) | Mean searched (dB) | Mean rounded (dB) | Filter check | "
        "Stage check |\n");
    std::printf("|---|---|---|---|---|---|---|---|---|\n");
    int designs = 0;
    Tally compared;
    for (const auto& [name, t] : tallies) {
        PrintRow(name, t);
        designs += t.designs;
        if (t.compared > 0) {
            AddTo(compared, t);
        }
    }
    PrintRow("All with rounding", compared);
    std::printf("(%d designs in all)\n", designs);
}

void Sweep(const char* title, const std::vector<SweepSpec>& specs, bool list, int threads) {
    std::map<std::string, Tally> tallies;
    int refused = 0;
    for (const SweepSpec& s : specs) {
        CDesignSession session;
        session.SetSearchOptions({threads, true});
        if (!Specify(session, s)) {
            ++refused;
            continue;
        }
        SilentMonitor monitor;
        session.Design(monitor);
        const ResponseCurves& c = session.Curves();
        const bool thirdOrder = s.structure == StructureKind::SALLEN_KEY_X;
        Outcome o{WorstDeviationDb(c.target.Values(), c.filter.Values()),
                  thirdOrder ? NAN : WorstDeviationDb(c.target.Values(), c.traditional.Values())};
        const CFilterStructure& structure = *session.Current();
        for (int i = 0; i < structure.StageCount(); ++i) {
            o.stagesRoundedByStage += structure.Outcome(i).roundedByStage ? 1 : 0;
            o.stagesRoundedByFilter += structure.Outcome(i).roundedByFilter ? 1 : 0;
        }
        const std::string key = std::string(Name(s.type)) + " " + Name(s.structure);
        Tally& t = tallies[key];
        ++t.designs;
        t.sumSearched += o.searched;
        t.guarded += o.stagesRoundedByFilter > 0 ? 1 : 0;
        t.stageFallback += o.stagesRoundedByStage > 0 ? 1 : 0;
        if (!thirdOrder) {
            const double d = o.searched - o.rounded;
            ++t.compared;
            t.sumRounded += o.rounded;
            t.losses += d > 0.05 ? 1 : 0;
            t.wins += d < -0.05 ? 1 : 0;
            t.worstLoss = std::max(t.worstLoss, d);
        }
        if (list) {
            std::printf(
                "%s %s %s n=%d f=%g R0=%g A=%gdB E%d opamp=%d B=%g: searched %.3f dB, "
                "rounded %.3f dB, stages rounded %d + %d%s\n",
                Name(s.type), Name(s.structure), Name(s.characteristic), s.order, s.frequency,
                s.impedance, s.gainDb, 12 << static_cast<int>(s.series), s.opAmp, s.bandwidth,
                o.searched, o.rounded, o.stagesRoundedByStage, o.stagesRoundedByFilter,
                o.searched - o.rounded > 0.05 ? "  LOSS" : "");
        }
    }
    PrintTable(title, tallies);
    if (refused > 0) {
        std::printf("(%d specifications refused by the input checks)\n", refused);
    }
}

}  // namespace
}  // namespace vx

int main(int argc, char** argv) {
    std::string matrix = "both";
    bool list = false;
    int threads = 0;
    for (int i = 1; i < argc; ++i) {
        if (std::strcmp(argv[i], "--matrix") == 0 && i + 1 < argc) {
            matrix = argv[++i];
        } else if (std::strcmp(argv[i], "--list") == 0) {
            list = true;
        } else if (std::strcmp(argv[i], "--threads") == 0 && i + 1 < argc) {
            threads = std::atoi(argv[++i]);
        } else {
            std::fprintf(stderr, "usage: %s [--matrix common|wide|both] [--list] [--threads N]\n",
                         argv[0]);
            return 2;
        }
    }
    if (matrix == "common" || matrix == "both") {
        vx::Sweep("Common matrix (432 designs at 2 kHz)", vx::CommonMatrix(), list, threads);
    }
    if (matrix == "wide" || matrix == "both") {
        vx::Sweep("Wide matrix (600 drawn designs)", vx::WideMatrix(), list, threads);
    }
    return 0;
}
