#include "analysis/tolerance_analysis.h"

#include <algorithm>
#include <atomic>
#include <cmath>
#include <memory>
#include <numbers>

#include "analysis/figure_meter.h"
#include "analysis/sensitivity_table.h"
#include "analysis/tolerance_evaluator.h"
#include "analysis/tolerance_mask.h"
#include "analysis/tolerance_messages.h"
#include "analysis/tolerance_random.h"
#include "analysis/tolerance_statistics.h"
#include "session/design_session.h"
#include "session/design_session_messages.h"
#include "structures/search/parallel_blocks.h"

namespace vx {

namespace {

// Runs handed to a thread at a time: a few milliseconds of work, so that a cancel is seen soon.
constexpr int kRunsPerBlock = 8;
// Grid points of the band handed to a thread at a time.
constexpr int kColumnsPerBlock = 64;

// The response grid of the design's curves, built as they are: by repeated multiplication.
std::vector<double> ResponseGrid(const CFilter& filter) {
    std::vector<double> omegas(kCurvePoints);
    double w = 2.0 * std::numbers::pi * filter.Frequency() * filter.PlotMin();
    const double ratio = std::pow(filter.PlotMax() / filter.PlotMin(), 1.0 / 1500.0);
    for (double& omega : omegas) {
        omega = w;
        w *= ratio;
    }
    return omegas;
}

// What one thread needs for its runs, allocated once.
struct Worker {
    explicit Worker(const CDesignSession& session)
        : evaluator(session),
          values(evaluator.Parts().size()),
          opAmps(static_cast<size_t>(evaluator.StageCount())) {}
    CToleranceEvaluator evaluator;
    std::vector<double> values;
    std::vector<OpAmpParams> opAmps;
};

std::optional<UserMessage> Refusal(const CFilter& filter, const ToleranceSettings& settings) {
    if (filter.GetDesignState() != DesignState::DESIGNED) {
        return NoDesignMessage(tolerance_text::kCaption);
    }
    return CheckToleranceSettings(settings);
}

ToleranceRun CancelledRun() {
    ToleranceRun run;
    run.outcome = ToleranceOutcome::CANCELLED;
    return run;
}

long long RunBlocks(const ToleranceSettings& settings) {
    return (settings.runs + kRunsPerBlock - 1) / kRunsPerBlock;
}

// What every run starts from.
struct RunInputs {
    const ToleranceSettings& settings;
    const std::vector<TolerancePart>& parts;
    OpAmpParams opAmp;
    const std::vector<double>& omegas;
    const CFigureMeter& meter;
    const CToleranceMask& mask;
};

// What the runs give, indexed by run; the responses run after run, a grid's worth each.
struct RunOutputs {
    RunOutputs(int runs, size_t points)
        : responses(static_cast<size_t>(runs) * points),
          figures(static_cast<size_t>(runs)),
          passed(static_cast<size_t>(runs)) {}
    std::vector<double> responses;
    std::vector<ResponseFigures> figures;
    std::vector<char> passed;
};

// The monitor's view of both phases: the runs take nine tenths of the progress, the band the
// rest.
struct Progress {
    DesignMonitor& monitor;
    int runs;
    int points;
    std::atomic<int> done{0};
    std::atomic<int> columns{0};

    bool Poll() {
        monitor.Report({0, 0,
                        done.load(std::memory_order_relaxed) * 90 / runs +
                            columns.load(std::memory_order_relaxed) * 10 / points});
        return monitor.CancelRequested();
    }
};

// Run r on `w`: the parts and the op-amps drawn from the run's own random stream, its response
// on the grid, its figures and the mask's verdict.
void MonteCarloRun(const RunInputs& in, int r, Worker& w, RunOutputs& out) {
    const ToleranceSettings& settings = in.settings;
    CToleranceRandom random(settings.seed, static_cast<uint64_t>(r));
    for (size_t i = 0; i < in.parts.size(); ++i) {
        const double tolerance =
            in.parts[i].capacitor ? settings.capacitorTolerance : settings.resistorTolerance;
        w.values[i] = in.parts[i].nominal * random.Factor(tolerance, settings.distribution);
    }
    // The gain-bandwidth product A0 / (2 pi T1) varies through T1.
    for (OpAmpParams& a : w.opAmps) {
        a = in.opAmp;
        a.t1 /= random.Factor(settings.gainBandwidthSpread, settings.distribution);
    }
    w.evaluator.SetValues(w.values, w.opAmps);
    const size_t points = in.omegas.size();
    const std::span<double> row(out.responses.data() + static_cast<size_t>(r) * points, points);
    w.evaluator.Magnitudes(in.omegas, row);
    out.figures[static_cast<size_t>(r)] =
        in.meter.Measure(row, [&w](double omega) { return w.evaluator.Magnitude(omega); });
    out.passed[static_cast<size_t>(r)] = in.mask.Passes(row) ? 1 : 0;
}

// All runs, in blocks on `threads` workers; true when cancelled.
bool RunOnThreads(const RunInputs& in, const CDesignSession& session, int threads,
                  Progress& progress, RunOutputs& out) {
    std::vector<std::unique_ptr<Worker>> workers;
    for (int i = 0; i < threads; ++i) {
        workers.push_back(std::make_unique<Worker>(session));
    }
    const int runs = in.settings.runs;
    auto runBlock = [&](int worker, long long block) {
        Worker& w = *workers[static_cast<size_t>(worker)];
        const int first = static_cast<int>(block) * kRunsPerBlock;
        for (int r = first; r < std::min(runs, first + kRunsPerBlock); ++r) {
            MonteCarloRun(in, r, w, out);
            progress.done.fetch_add(1, std::memory_order_relaxed);
        }
    };
    return CParallelBlocks().Run(threads, RunBlocks(in.settings), runBlock,
                                 [&progress] { return progress.Poll(); });
}

// The band over the runs' responses, in blocks of grid points; true when cancelled.
bool BandOnThreads(const std::vector<double>& responses, int threads, Progress& progress,
                   ToleranceBand& band) {
    const int points = progress.points;
    const long long columnBlocks =
        (static_cast<long long>(points) + kColumnsPerBlock - 1) / kColumnsPerBlock;
    auto bandBlock = [&](int, long long block) {
        const int first = static_cast<int>(block) * kColumnsPerBlock;
        const int last = std::min(points, first + kColumnsPerBlock);
        FillBand(responses, progress.runs, first, last, band);
        progress.columns.fetch_add(last - first, std::memory_order_relaxed);
    };
    return CParallelBlocks().Run(threads, columnBlocks, bandBlock,
                                 [&progress] { return progress.Poll(); });
}

// The spread of the runs' figures about the nominal ones, and the yield.
void Summarise(RunOutputs& out, const ResponseFigures& nominal, ToleranceResult& result) {
    std::vector<double> frequencies(out.figures.size());
    std::vector<double> levels(out.figures.size());
    for (size_t r = 0; r < out.figures.size(); ++r) {
        frequencies[r] = out.figures[r].frequency;
        levels[r] = out.figures[r].levelDb;
    }
    result.frequency = SummariseFigure(frequencies, nominal.frequency);
    result.level = SummariseFigure(levels, nominal.levelDb);
    result.runFigures = std::move(out.figures);
    result.passed = static_cast<int>(std::count(out.passed.begin(), out.passed.end(), 1));
}

}  // namespace

ToleranceRun CToleranceAnalysis::Run(DesignMonitor& monitor) const {
    ToleranceRun run;
    const CFilter& filter = session_.Filter();
    if (std::optional<UserMessage> refused = Refusal(filter, settings_)) {
        run.message = std::move(refused);
        return run;
    }
    const ResponseCurves& curves = session_.Curves();
    const std::vector<double> omegas = ResponseGrid(filter);
    CToleranceEvaluator nominal(session_);
    auto nominalAt = [&nominal](double w) { return nominal.Magnitude(w); };
    const CFigureMeter meter(filter.Type(), omegas, curves.target.Values(),
                             2.0 * std::numbers::pi * filter.Frequency(), nominalAt);
    const ToleranceScheme* scheme = filter.SchemeOfType();
    const CToleranceMask mask = scheme ? CToleranceMask(*scheme, omegas, curves.target.Values())
                                       : CToleranceMask(curves.target.Values());
    ToleranceResult& result = run.result;
    if (scheme) {
        result.scheme = *scheme;
    }
    result.settings = settings_;
    result.type = filter.Type();
    result.cutoffDropDb = meter.CutoffDropDb();
    result.passBandFrequency = meter.PassBandOmega() / (2.0 * std::numbers::pi);
    result.nominalPasses = mask.Passes(curves.filter.Values());
    const ResponseFigures nominalFigures = meter.Measure(curves.filter.Values(), nominalAt);
    result.sensitivities = ComputeSensitivities(nominal);

    const RunInputs inputs{settings_, nominal.Parts(), nominal.OpAmp(), omegas, meter, mask};
    const int threads = static_cast<int>(
        std::min<long long>(CParallelBlocks::ThreadCount(settings_.threads), RunBlocks(settings_)));
    RunOutputs outputs(settings_.runs, omegas.size());
    Progress progress{monitor, settings_.runs, static_cast<int>(omegas.size())};
    if (RunOnThreads(inputs, session_, threads, progress, outputs)) {
        return CancelledRun();
    }
    result.band = EmptyBand(filter, curves.filter.LinearInterpolation());
    if (BandOnThreads(outputs.responses, threads, progress, result.band)) {
        return CancelledRun();
    }
    monitor.Report({0, 0, 100});
    Summarise(outputs, nominalFigures, result);
    run.outcome = ToleranceOutcome::DONE;
    return run;
}

}  // namespace vx
