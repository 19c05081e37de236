// Designs a matrix of specifications with both standard-value searches and compares them with
// plain rounding ("Traditioneller Entwurf"): per design the worst deviation from the target in dB
// over the plot range where the target lies within 40 dB of its maximum, then per structure the
// means of rounding, the neighbour search and the search over every combination, how often the
// latter ends worse than the neighbours, and how often its impedance window had to widen.
//
// Single-stage designs (order 1 and 2, Sallen-Key and multiple feedback, low-pass and
// high-pass) are also designed by the straightforward search over every combination, the true
// brute force: its values are the limit the search can reach, and the default search (pruned,
// on every core) must store the same values bit for bit. The sweep exits with 1 where any
// differ.
//
//   veltranix_quality_sweep [--matrix common|wide|both|single] [--brute-force E12..E192]
//                           [--list] [--threads N] [--only "HP MFB"]
//
// "common": low-pass and high-pass, Sallen-Key and multiple feedback, Bessel, Butterworth,
// Chebyshev 1 dB, orders 2, 4, 5, 0/6/20 dB, E24/E96, ideal and LF411, 2 kHz (432 designs).
// "wide": a fixed pseudo-random draw over other frequencies, impedances, orders, gains, series
// and op-amps, with the third-order structures and the band-pass.
// "single": only single stages, the brute force for each: orders 1 and 2, both types, both
// structures, the three characteristics, 0/6/20 dB, E12 to E96, the three op-amps, 100 Hz,
// 2 kHz and 20 kHz (2592 designs). "both" (the default) runs "common" and "wide".
// "--brute-force" names the largest series the brute force runs for: by default E48, since a
// multiple-feedback stage at E96 takes it seconds (three resistors of the series each).
// "--only" keeps the designs of one type and structure ("LP SK", "HP MFB"), so that a long run
// can be split over processes.
#include <algorithm>
#include <chrono>
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

// A loss smaller than this is below what the plot shows.
constexpr double kLossDb = 0.05;

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
int SeriesSize(ResistorSeries s) {
    return 12 << static_cast<int>(s);
}

bool SingleStage(const SweepSpec& s) {
    return s.order <= 2 && (s.type == FilterType::LOWPASS || s.type == FilterType::HIGHPASS) &&
           (s.structure == StructureKind::SALLEN_KEY || s.structure == StructureKind::MFB);
}

bool Specify(CDesignSession& session, const SweepSpec& s, SearchMethod method) {
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
        in.search.method = method;
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
    in.search.method = method;
    return !AcceptHpLpInput(in, s.type, s.structure, session.Filter(), session.Character());
}

// The bits of every stored component value, stage by stage.
std::vector<unsigned long long> StoredBits(const CFilter& filter) {
    std::vector<unsigned long long> bits;
    for (int stage = 0; stage < kMaxStages; ++stage) {
        for (int slot = 0; slot < kMaxComponents; ++slot) {
            const double v = filter.Value(static_cast<ComponentSlot>(slot), stage);
            unsigned long long b = 0;
            std::memcpy(&b, &v, sizeof b);
            bits.push_back(b);
        }
    }
    return bits;
}

struct Run {
    bool designed = false;
    bool exhaustive = false;  // the structure searched every combination
    double worst = NAN;       // worst |dB deviation| from the target
    double rounded = NAN;     // the same for plain rounding (the third order has none)
    bool widened = false;     // a stage's impedance window had to widen
    double seconds = 0.0;
    std::vector<unsigned long long> bits;
};

// A structure without the search over every combination searches the neighbours whatever is
// asked: it ends as `neighbours` did, so it is not designed again.
Run Design(const SweepSpec& s, SearchMethod method, const SearchOptions& options,
           const Run* neighbours = nullptr) {
    CDesignSession session;
    session.SetSearchOptions(options);
    Run run;
    if (!Specify(session, s, method)) {
        return run;
    }
    if (neighbours != nullptr && !session.Filter().SearchesEveryCombination()) {
        return *neighbours;
    }
    SilentMonitor monitor;
    const auto start = std::chrono::steady_clock::now();
    run.designed = session.Design(monitor);
    run.seconds = std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
    if (!run.designed) {
        return run;
    }
    const CFilter& filter = session.Filter();
    const ResponseCurves& c = session.Curves();
    run.exhaustive = filter.SearchesEveryCombination();
    run.worst = WorstDeviationDb(c.target.Values(), c.filter.Values());
    if (s.structure != StructureKind::SALLEN_KEY_X) {
        run.rounded = WorstDeviationDb(c.target.Values(), c.traditional.Values());
    }
    const CFilterStructure& structure = *session.Current();
    for (int i = 0; i < structure.StageCount(); ++i) {
        run.widened = run.widened || structure.Outcome(i).window > filter.ImpedanceWindow();
    }
    run.bits = StoredBits(filter);
    return run;
}

struct Tally {
    int designs = 0;
    int compared = 0;    // designs with a rounded design (not the third order)
    int exhaustive = 0;  // designs whose structure searched every combination
    double sumRounded = 0.0;
    double sumNeighbours = 0.0;
    double sumExhaustive = 0.0;
    int losses = 0;  // exhaustive worse than the neighbours by more than kLossDb
    int wins = 0;    // better by more than kLossDb
    double worstLoss = 0.0;
    int widened = 0;
    // Single stages with the brute force.
    int bruteForced = 0;
    double bruteRounded = 0.0;
    double bruteNeighbours = 0.0;
    double bruteExhaustive = 0.0;
    double bruteLimit = 0.0;
    int differ = 0;
    double bruteSeconds = 0.0;
};

void AddTo(Tally& all, const Tally& t) {
    all.designs += t.designs;
    all.compared += t.compared;
    all.exhaustive += t.exhaustive;
    all.sumRounded += t.sumRounded;
    all.sumNeighbours += t.sumNeighbours;
    all.sumExhaustive += t.sumExhaustive;
    all.losses += t.losses;
    all.wins += t.wins;
    all.worstLoss = std::max(all.worstLoss, t.worstLoss);
    all.widened += t.widened;
    all.bruteForced += t.bruteForced;
    all.bruteRounded += t.bruteRounded;
    all.bruteNeighbours += t.bruteNeighbours;
    all.bruteExhaustive += t.bruteExhaustive;
    all.bruteLimit += t.bruteLimit;
    all.differ += t.differ;
    all.bruteSeconds += t.bruteSeconds;
}

std::string Mean(double sum, int count) {
    if (count == 0) {
        return "-";
    }
    char text[32];
    std::snprintf(text, sizeof text, "%.3f", sum / count);
    return text;
}

void PrintRow(const std::string& name, const Tally& t) {
    std::printf("| %s | %d | %s | %s | %s | %d | %d | %.3f | %d | %d |\n", name.c_str(), t.designs,
                Mean(t.sumRounded, t.compared).c_str(), Mean(t.sumNeighbours, t.designs).c_str(),
                Mean(t.sumExhaustive, t.designs).c_str(), t.losses, t.wins, t.worstLoss, t.widened,
                t.exhaustive);
}

void PrintBruteRow(const std::string& name, const Tally& t) {
    std::printf("| %s | %d | %s | %s | %s | %s | %d | %.1f |\n", name.c_str(), t.bruteForced,
                Mean(t.bruteRounded, t.bruteForced).c_str(),
                Mean(t.bruteNeighbours, t.bruteForced).c_str(),
                Mean(t.bruteExhaustive, t.bruteForced).c_str(),
                Mean(t.bruteLimit, t.bruteForced).c_str(), t.differ, t.bruteSeconds);
}

void PrintTables(const char* title, const std::map<std::string, Tally>& tallies) {
    Tally all;
    for (const auto& [name, t] : tallies) {
        AddTo(all, t);
    }
    std::printf("\n%s\n", title);
    std::printf(
        "| Structure | Designs | Mean rounded (dB) | Mean neighbours (dB) | Mean exhaustive (dB) "
        "| Exhaustive loses > 0.05 dB | Exhaustive wins > 0.05 dB | Worst loss (dB) | Window "
        "widened | Searched every combination |\n");
    std::printf("|---|---|---|---|---|---|---|---|---|---|\n");
    for (const auto& [name, t] : tallies) {
        PrintRow(name, t);
    }
    PrintRow("All", all);
    if (all.bruteForced == 0) {
        return;
    }
    std::printf("\nSingle stages against the brute force\n");
    std::printf(
        "| Structure | Designs | Mean rounded (dB) | Mean neighbours (dB) | Mean exhaustive (dB) "
        "| Brute-force limit (dB) | Values differ | Brute force (s) |\n");
    std::printf("|---|---|---|---|---|---|---|---|\n");
    for (const auto& [name, t] : tallies) {
        if (t.bruteForced > 0) {
            PrintBruteRow(name, t);
        }
    }
    PrintBruteRow("All", all);
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

std::vector<SweepSpec> SingleStageMatrix() {
    std::vector<SweepSpec> specs;
    for (FilterType type : {FilterType::LOWPASS, FilterType::HIGHPASS}) {
        for (StructureKind structure : {StructureKind::SALLEN_KEY, StructureKind::MFB}) {
            for (Characteristic c :
                 {Characteristic::BESSEL, Characteristic::BUTTERWORTH, Characteristic::CHEBYCHEV}) {
                for (int order : {1, 2}) {
                    for (double gain : {0.0, 6.0, 20.0}) {
                        for (ResistorSeries series : {ResistorSeries::E12, ResistorSeries::E24,
                                                      ResistorSeries::E48, ResistorSeries::E96}) {
                            for (int opAmp : {0, 1, 2}) {
                                for (double frequency : {100.0, 2000.0, 20000.0}) {
                                    specs.push_back({type, structure, c, order, frequency, 10000.0,
                                                     gain, series, opAmp});
                                }
                            }
                        }
                    }
                }
            }
        }
    }
    return specs;
}

struct SweepSettings {
    bool list = false;
    int threads = 0;
    std::string only;  // empty: every design; else the type and structure, as "HP MFB"
    ResistorSeries bruteForceUpTo = ResistorSeries::E48;
};

// Returns the number of single-stage designs whose values differ from the brute force's.
int Sweep(const char* title, const std::vector<SweepSpec>& specs, const SweepSettings& settings) {
    const SearchOptions options{settings.threads, true};
    std::map<std::string, Tally> tallies;
    int refused = 0;
    double seconds[2] = {0.0, 0.0};
    for (const SweepSpec& s : specs) {
        if (!settings.only.empty() &&
            std::string(Name(s.type)) + " " + Name(s.structure) != settings.only) {
            continue;
        }
        const Run neighbours = Design(s, SearchMethod::NEIGHBOURS, options);
        if (!neighbours.designed) {
            ++refused;
            continue;
        }
        const Run exhaustive = Design(s, SearchMethod::EXHAUSTIVE, options, &neighbours);
        seconds[0] += neighbours.seconds;
        seconds[1] += exhaustive.exhaustive ? exhaustive.seconds : 0.0;
        Tally& t = tallies[std::string(Name(s.type)) + " " + Name(s.structure)];
        ++t.designs;
        t.exhaustive += exhaustive.exhaustive ? 1 : 0;
        t.sumNeighbours += neighbours.worst;
        t.sumExhaustive += exhaustive.worst;
        t.widened += exhaustive.widened ? 1 : 0;
        const double d = exhaustive.worst - neighbours.worst;
        t.losses += d > kLossDb ? 1 : 0;
        t.wins += d < -kLossDb ? 1 : 0;
        t.worstLoss = std::max(t.worstLoss, d);
        if (!std::isnan(neighbours.rounded)) {
            ++t.compared;
            t.sumRounded += neighbours.rounded;
        }
        const bool bruteForce = SingleStage(s) && s.series <= settings.bruteForceUpTo;
        Run brute;
        if (bruteForce) {
            brute = Design(s, SearchMethod::EXHAUSTIVE, SearchOptions::Straightforward());
            ++t.bruteForced;
            t.bruteRounded += neighbours.rounded;
            t.bruteNeighbours += neighbours.worst;
            t.bruteExhaustive += exhaustive.worst;
            t.bruteLimit += brute.worst;
            t.differ += brute.bits != exhaustive.bits ? 1 : 0;
            t.bruteSeconds += brute.seconds;
        }
        if (settings.list) {
            std::printf(
                "%s %s %s n=%d f=%g R0=%g A=%gdB E%d opamp=%d B=%g: rounded %.3f dB, neighbours "
                "%.3f dB, exhaustive %.3f dB",
                Name(s.type), Name(s.structure), Name(s.characteristic), s.order, s.frequency,
                s.impedance, s.gainDb, SeriesSize(s.series), s.opAmp, s.bandwidth,
                neighbours.rounded, neighbours.worst, exhaustive.worst);
            if (bruteForce) {
                std::printf(", brute force %.3f dB in %.2f s%s", brute.worst, brute.seconds,
                            brute.bits != exhaustive.bits ? "  DIFFER" : "");
            }
            std::printf("%s%s\n", exhaustive.widened ? "  WIDENED" : "",
                        d > kLossDb ? "  LOSS" : "");
        }
    }
    PrintTables(title, tallies);
    Tally all;
    for (const auto& [name, t] : tallies) {
        AddTo(all, t);
    }
    std::printf(
        "(%d designs; %d refused by the input checks; design time %.1f s neighbours, %.1f s "
        "exhaustive, %.1f s brute force up to E%d)\n",
        all.designs, refused, seconds[0], seconds[1], all.bruteSeconds,
        SeriesSize(settings.bruteForceUpTo));
    return all.differ;
}

}  // namespace
}  // namespace vx

int main(int argc, char** argv) {
    std::string matrix = "both";
    vx::SweepSettings settings;
    bool usage = false;
    for (int i = 1; i < argc && !usage; ++i) {
        if (std::strcmp(argv[i], "--matrix") == 0 && i + 1 < argc) {
            matrix = argv[++i];
        } else if (std::strcmp(argv[i], "--brute-force") == 0 && i + 1 < argc) {
            static const char* const names[] = {"E12", "E24", "E48", "E96", "E192"};
            const char* const series = argv[++i];
            const auto found = std::find_if(std::begin(names), std::end(names), [&](const char* n) {
                return std::strcmp(n, series) == 0;
            });
            if (found == std::end(names)) {
                usage = true;
            } else {
                settings.bruteForceUpTo =
                    static_cast<vx::ResistorSeries>(found - std::begin(names));
            }
        } else if (std::strcmp(argv[i], "--list") == 0) {
            settings.list = true;
        } else if (std::strcmp(argv[i], "--only") == 0 && i + 1 < argc) {
            settings.only = argv[++i];
        } else if (std::strcmp(argv[i], "--threads") == 0 && i + 1 < argc) {
            settings.threads = std::atoi(argv[++i]);
        } else {
            usage = true;
        }
    }
    if (usage ||
        (matrix != "common" && matrix != "wide" && matrix != "both" && matrix != "single")) {
        std::fprintf(stderr,
                     "usage: %s [--matrix common|wide|both|single] [--brute-force E12..E192] "
                     "[--list] [--threads N] [--only \"LP SK\"]\n",
                     argv[0]);
        return 2;
    }
    int differ = 0;
    if (matrix == "common" || matrix == "both") {
        differ += vx::Sweep("Common matrix (432 designs at 2 kHz)", vx::CommonMatrix(), settings);
    }
    if (matrix == "wide" || matrix == "both") {
        differ += vx::Sweep("Wide matrix (600 drawn designs)", vx::WideMatrix(), settings);
    }
    if (matrix == "single") {
        differ += vx::Sweep("Single stages (2592 designs)", vx::SingleStageMatrix(), settings);
    }
    if (differ > 0) {
        std::printf("%d single-stage designs store other values than the brute force\n", differ);
        return 1;
    }
    return 0;
}
