// Times the standard-value search over a matrix of third-order designs and over the slowest
// designs of the other structures, both ways: the default search and the straightforward one
// (one thread, every candidate summed in full). Reports per group the slowest and the median
// design with both times, and checks that both ways store the same values bit for bit.
//
//   veltranix_search_sweep [--group NAME] [--only TEXT] [--identity none|extremes|all]
//                          [--repeat N] [--list] [--search neighbours|exhaustive]
//
// Third-order groups "E96" and "E192": low-pass and high-pass; Bessel, Butterworth, Chebyshev
// 1 dB; 0, 6, 20 dB; ideal, LF411, uA741; 100 Hz, 1 kHz, 20 kHz; general capacitors, and equal
// capacitors where the gain allows them (270 designs each). Group "others": Sallen-Key and
// multiple-feedback low-pass and high-pass of order 30 at E192, the multiple-feedback band-pass
// of order 30 with and without stepless R2, each with the three characteristics and the LF411.
//
// "--identity extremes" (the default) runs the straightforward search for the slowest and the
// median design of each group; "all" runs it for every design (hours at E192) and also checks
// the default search with 1, 2 and 4 threads; "none" times the default search only. "--repeat
// N" keeps the fastest of N default runs. "--only TEXT" takes only the designs whose description
// (as listed) contains TEXT, for a profile of one case. "--search" names the standard-value
// search (the neighbour search by default; the straightforward search over every combination
// takes hours at E96 already, so that one goes with "--identity none").
#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <ctime>
#include <string>
#include <vector>

#include "model/bp_input.h"
#include "model/hp_lp_input.h"
#include "session/design_session.h"

namespace vx {
namespace {

struct Case {
    FilterType type = FilterType::LOWPASS;
    StructureKind structure = StructureKind::SALLEN_KEY_X;
    Characteristic characteristic = Characteristic::BESSEL;
    int order = 3;
    double frequency = 1000.0;
    double gainDb = 0.0;
    ResistorSeries series = ResistorSeries::E96;
    int opAmp = 0;
    bool equalCapacitors = false;
    bool stepless = false;
    SearchMethod search = SearchMethod::NEIGHBOURS;
};

struct Group {
    std::string name;
    std::vector<Case> cases;
};

std::string Describe(const Case& c) {
    static const char* const types[] = {"low-pass", "high-pass", "band-pass", "band-stop"};
    static const char* const structures[] = {"Sallen-Key", "third-order Sallen-Key",
                                             "multiple-feedback", "twin-T"};
    static const char* const characteristics[] = {"Bessel", "Butterworth", "Chebyshev 1 dB",
                                                  "individual"};
    static const char* const opAmps[] = {"ideal", "LF411", "uA741"};
    char text[200];
    std::snprintf(text, sizeof text, "%s %s, %s, order %d, %g Hz, %g dB, E%d, %s%s%s",
                  structures[static_cast<int>(c.structure)], types[static_cast<int>(c.type)],
                  characteristics[static_cast<int>(c.characteristic)], c.order, c.frequency,
                  c.gainDb, 12 << static_cast<int>(c.series), opAmps[c.opAmp],
                  c.equalCapacitors ? ", equal capacitors" : "", c.stepless ? ", stepless R2" : "");
    return text;
}

bool Specify(CDesignSession& session, const Case& c) {
    if (c.type == FilterType::BANDPASS) {
        BpInput in;
        in.order = c.order;
        in.frequency = c.frequency;
        in.gainDb = c.gainDb;
        in.characteristic = c.characteristic;
        in.series = c.series;
        in.steplessR2 = c.stepless;
        in.opAmp = c.opAmp;
        in.search.method = c.search;
        return !AcceptBpInput(in, session.Filter(), session.Character());
    }
    HpLpInput in;
    in.characteristic = c.characteristic;
    in.order = c.order;
    in.frequency = c.frequency;
    in.gainDb = c.gainDb;
    in.series = c.series;
    in.opAmp = c.opAmp;
    in.equalCapacitors = c.equalCapacitors;
    in.search.method = c.search;
    return !AcceptHpLpInput(in, c.type, c.structure, session.Filter(), session.Character());
}

constexpr Characteristic kCharacteristics[] = {Characteristic::BESSEL, Characteristic::BUTTERWORTH,
                                               Characteristic::CHEBYCHEV};

std::vector<Case> ThirdOrderCases(ResistorSeries series) {
    std::vector<Case> cases;
    for (FilterType type : {FilterType::LOWPASS, FilterType::HIGHPASS}) {
        for (Characteristic characteristic : kCharacteristics) {
            for (double gainDb : {0.0, 6.0, 20.0}) {
                for (int opAmp : {0, 1, 2}) {
                    for (double frequency : {100.0, 1000.0, 20000.0}) {
                        for (bool equal : {false, true}) {
                            // Equal capacitors need 6 dB of gain.
                            if (!equal || gainDb >= 6.0) {
                                cases.push_back({type, StructureKind::SALLEN_KEY_X, characteristic,
                                                 3, frequency, gainDb, series, opAmp, equal});
                            }
                        }
                    }
                }
            }
        }
    }
    return cases;
}

std::vector<Case> OtherCases() {
    std::vector<Case> cases;
    for (Characteristic characteristic : kCharacteristics) {
        for (StructureKind structure : {StructureKind::SALLEN_KEY, StructureKind::MFB}) {
            for (FilterType type : {FilterType::LOWPASS, FilterType::HIGHPASS}) {
                cases.push_back(
                    {type, structure, characteristic, 30, 1000.0, 0.0, ResistorSeries::E192, 1});
            }
        }
        for (bool stepless : {false, true}) {
            Case c{FilterType::BANDPASS,
                   StructureKind::MFB,
                   characteristic,
                   30,
                   1000.0,
                   0.0,
                   ResistorSeries::E192,
                   1};
            c.stepless = stepless;
            cases.push_back(c);
        }
    }
    return cases;
}

struct Run {
    bool designed = false;
    double wall = 0.0;  // s
    double cpu = 0.0;   // s, all threads of the process
    std::vector<double> values;
};

double ProcessCpuSeconds() {
    timespec t{};
    clock_gettime(CLOCK_PROCESS_CPUTIME_ID, &t);
    return static_cast<double>(t.tv_sec) + 1e-9 * static_cast<double>(t.tv_nsec);
}

Run Design(const Case& c, const SearchOptions& options) {
    CDesignSession session;
    session.SetSearchOptions(options);
    Run run;
    if (!Specify(session, c)) {
        return run;
    }
    SilentMonitor monitor;
    const double cpu = ProcessCpuSeconds();
    const auto start = std::chrono::steady_clock::now();
    run.designed = session.Design(monitor);
    run.wall = std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
    run.cpu = ProcessCpuSeconds() - cpu;
    for (int stage = 0; stage < kMaxStages; ++stage) {
        for (int slot = 0; slot < kMaxComponents; ++slot) {
            run.values.push_back(session.Filter().Value(static_cast<ComponentSlot>(slot), stage));
        }
    }
    return run;
}

// Bit for bit: a NaN, which no design stores, would compare unequal with itself.
bool SameValues(const Run& a, const Run& b) {
    return a.designed == b.designed && a.values.size() == b.values.size() &&
           std::memcmp(a.values.data(), b.values.data(), a.values.size() * sizeof(double)) == 0;
}

enum class Identity { NONE, EXTREMES, ALL };

struct Options {
    std::string group;  // empty: every group
    std::string only;   // empty: every design
    Identity identity = Identity::EXTREMES;
    int repeat = 1;
    bool list = false;
    SearchMethod search = SearchMethod::NEIGHBOURS;
};

struct Measured {
    const Case* c;
    Run fast;
};

// Returns the number of designs whose searches stored different values.
int SweepGroup(const Group& group, const Options& options) {
    std::vector<Measured> measured;
    int mismatches = 0;
    auto mismatch = [&](const Case& c, const char* what) {
        ++mismatches;
        std::printf("MISMATCH (%s): %s\n", what, Describe(c).c_str());
    };
    for (const Case& c : group.cases) {
        if (Describe(c).find(options.only) == std::string::npos) {
            continue;
        }
        Run fast = Design(c, SearchOptions{});
        for (int r = 1; r < options.repeat; ++r) {
            const Run again = Design(c, SearchOptions{});
            if (!SameValues(again, fast)) {
                mismatch(c, "repeated default search");
            }
            fast.wall = std::min(fast.wall, again.wall);
            fast.cpu = std::min(fast.cpu, again.cpu);
        }
        if (!fast.designed) {
            std::printf("not designed: %s\n", Describe(c).c_str());
            continue;
        }
        if (options.identity == Identity::ALL) {
            for (int threads : {1, 2, 4}) {
                if (!SameValues(Design(c, SearchOptions{threads, true}), fast)) {
                    mismatch(c,
                             ("default search on " + std::to_string(threads) + " threads").c_str());
                }
            }
            const Run reference = Design(c, SearchOptions::Straightforward());
            if (!SameValues(reference, fast)) {
                mismatch(c, "straightforward search");
            }
            if (options.list) {
                std::printf("%9.3f s %9.3f s  %s\n", reference.wall, fast.wall,
                            Describe(c).c_str());
            }
        } else if (options.list) {
            std::printf("%9.3f s (%.3f s CPU)  %s\n", fast.wall, fast.cpu, Describe(c).c_str());
        }
        std::fflush(stdout);
        measured.push_back({&c, std::move(fast)});
    }
    if (measured.empty()) {
        return mismatches;
    }
    std::sort(measured.begin(), measured.end(),
              [](const Measured& a, const Measured& b) { return a.fast.wall < b.fast.wall; });
    std::printf("\n%s: %zu designs\n", group.name.c_str(), measured.size());
    std::printf(
        "| Case | Design | Straightforward | Default (CPU) | Ratio |\n|---|---|---|---|---|\n");
    const std::pair<const char*, const Measured*> extremes[] = {
        {"slowest", &measured.back()}, {"median", &measured[measured.size() / 2]}};
    for (const auto& [label, m] : extremes) {
        if (options.identity == Identity::NONE) {
            std::printf("| %s | %s | - | %.3f s (%.3f s) | - |\n", label, Describe(*m->c).c_str(),
                        m->fast.wall, m->fast.cpu);
            continue;
        }
        const Run reference = Design(*m->c, SearchOptions::Straightforward());
        if (!SameValues(reference, m->fast)) {
            mismatch(*m->c, "straightforward search");
        }
        std::printf("| %s | %s | %.3f s | %.3f s (%.3f s) | %.1f |\n", label,
                    Describe(*m->c).c_str(), reference.wall, m->fast.wall, m->fast.cpu,
                    reference.wall / m->fast.wall);
    }
    std::fflush(stdout);
    return mismatches;
}

}  // namespace
}  // namespace vx

int main(int argc, char** argv) {
    vx::Options options;
    for (int i = 1; i < argc; ++i) {
        const std::string arg = argv[i];
        if (arg == "--group" && i + 1 < argc) {
            options.group = argv[++i];
        } else if (arg == "--only" && i + 1 < argc) {
            options.only = argv[++i];
        } else if (arg == "--identity" && i + 1 < argc) {
            const std::string mode = argv[++i];
            options.identity = mode == "all"    ? vx::Identity::ALL
                               : mode == "none" ? vx::Identity::NONE
                                                : vx::Identity::EXTREMES;
        } else if (arg == "--repeat" && i + 1 < argc) {
            options.repeat = std::max(1, std::atoi(argv[++i]));
        } else if (arg == "--list") {
            options.list = true;
        } else if (arg == "--search" && i + 1 < argc) {
            options.search = std::strcmp(argv[++i], "exhaustive") == 0
                                 ? vx::SearchMethod::EXHAUSTIVE
                                 : vx::SearchMethod::NEIGHBOURS;
        } else {
            std::fprintf(stderr,
                         "usage: %s [--group E96|E192|others] [--only TEXT] "
                         "[--identity none|extremes|all] [--repeat N] [--list] "
                         "[--search neighbours|exhaustive]\n",
                         argv[0]);
            return 2;
        }
    }
    std::vector<vx::Group> groups = {
        {"Third order, E96", vx::ThirdOrderCases(vx::ResistorSeries::E96)},
        {"Third order, E192", vx::ThirdOrderCases(vx::ResistorSeries::E192)},
        {"Other structures, order 30", vx::OtherCases()},
    };
    for (vx::Group& group : groups) {
        for (vx::Case& c : group.cases) {
            c.search = options.search;
        }
    }
    const char* const keys[] = {"E96", "E192", "others"};
    int mismatches = 0;
    for (size_t g = 0; g < groups.size(); ++g) {
        if (options.group.empty() || options.group == keys[g]) {
            mismatches += vx::SweepGroup(groups[g], options);
        }
    }
    if (mismatches > 0) {
        std::printf("\n%d designs stored different values\n", mismatches);
        return 1;
    }
    return 0;
}
