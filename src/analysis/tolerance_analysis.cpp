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

}  // namespace

ToleranceRun CToleranceAnalysis::Run(DesignMonitor& monitor) const {
    ToleranceRun run;
    const CFilter& filter = session_.Filter();
    if (filter.GetDesignState() != DesignState::DESIGNED) {
        run.message = NoDesignMessage(tolerance_text::kCaption);
        return run;
    }
    if (std::optional<UserMessage> refused = CheckToleranceSettings(settings_)) {
        run.message = std::move(refused);
        return run;
    }

    const ResponseCurves& curves = session_.Curves();
    const std::vector<double> omegas = ResponseGrid(filter);
    CToleranceEvaluator nominal(session_);
    auto nominalAt = [&nominal](double w) { return nominal.Magnitude(w); };
    const CFigureMeter meter(filter.Type(), omegas, curves.target.Values(),
                             2.0 * std::numbers::pi * filter.Frequency(), nominalAt);
    const CToleranceMask mask(curves.target.Values());
    ToleranceResult& result = run.result;
    result.settings = settings_;
    result.type = filter.Type();
    result.cutoffDropDb = meter.CutoffDropDb();
    result.passBandFrequency = meter.PassBandOmega() / (2.0 * std::numbers::pi);
    result.nominalPasses = mask.Passes(curves.filter.Values());
    const ResponseFigures nominalFigures = meter.Measure(curves.filter.Values(), nominalAt);
    result.sensitivities = ComputeSensitivities(nominal);

    const int runs = settings_.runs;
    const size_t points = omegas.size();
    const long long blockCount = (runs + kRunsPerBlock - 1) / kRunsPerBlock;
    const int threads = static_cast<int>(
        std::min<long long>(CParallelBlocks::ThreadCount(settings_.threads), blockCount));
    std::vector<std::unique_ptr<Worker>> workers;
    for (int i = 0; i < threads; ++i) {
        workers.push_back(std::make_unique<Worker>(session_));
    }
    const std::vector<TolerancePart>& parts = nominal.Parts();
    const OpAmpParams opAmp = nominal.OpAmp();
    std::vector<double> responses(static_cast<size_t>(runs) * points);
    std::vector<ResponseFigures> figures(static_cast<size_t>(runs));
    std::vector<char> passed(static_cast<size_t>(runs));
    std::atomic<int> done{0};

    auto runBlock = [&](int worker, long long block) {
        Worker& w = *workers[static_cast<size_t>(worker)];
        const int first = static_cast<int>(block) * kRunsPerBlock;
        for (int r = first; r < std::min(runs, first + kRunsPerBlock); ++r) {
            CToleranceRandom random(settings_.seed, static_cast<uint64_t>(r));
            for (size_t i = 0; i < parts.size(); ++i) {
                const double tolerance =
                    parts[i].capacitor ? settings_.capacitorTolerance : settings_.resistorTolerance;
                w.values[i] = parts[i].nominal * random.Factor(tolerance, settings_.distribution);
            }
            // The gain-bandwidth product A0 / (2 pi T1) varies through T1.
            for (OpAmpParams& a : w.opAmps) {
                a = opAmp;
                a.t1 /= random.Factor(settings_.gainBandwidthSpread, settings_.distribution);
            }
            w.evaluator.SetValues(w.values, w.opAmps);
            const std::span<double> row(responses.data() + static_cast<size_t>(r) * points, points);
            w.evaluator.Magnitudes(omegas, row);
            figures[static_cast<size_t>(r)] =
                meter.Measure(row, [&w](double omega) { return w.evaluator.Magnitude(omega); });
            passed[static_cast<size_t>(r)] = mask.Passes(row) ? 1 : 0;
            done.fetch_add(1, std::memory_order_relaxed);
        }
    };
    // The runs take nine tenths of the progress, the band the rest.
    std::atomic<int> columns{0};
    auto poll = [&] {
        monitor.Report(
            {0, 0,
             done.load(std::memory_order_relaxed) * 90 / runs +
                 columns.load(std::memory_order_relaxed) * 10 / static_cast<int>(points)});
        return monitor.CancelRequested();
    };
    auto cancelled = [] {
        ToleranceRun run;
        run.outcome = ToleranceOutcome::CANCELLED;
        return run;
    };
    if (CParallelBlocks().Run(threads, blockCount, runBlock, poll)) {
        return cancelled();
    }
    result.band = EmptyBand(filter, curves.filter.LinearInterpolation());
    const long long columnBlocks =
        (static_cast<long long>(points) + kColumnsPerBlock - 1) / kColumnsPerBlock;
    auto bandBlock = [&](int, long long block) {
        const int first = static_cast<int>(block) * kColumnsPerBlock;
        const int last = std::min(static_cast<int>(points), first + kColumnsPerBlock);
        FillBand(responses, runs, first, last, result.band);
        columns.fetch_add(last - first, std::memory_order_relaxed);
    };
    if (CParallelBlocks().Run(threads, columnBlocks, bandBlock, poll)) {
        return cancelled();
    }
    monitor.Report({0, 0, 100});

    std::vector<double> frequencies(figures.size());
    std::vector<double> levels(figures.size());
    for (size_t r = 0; r < figures.size(); ++r) {
        frequencies[r] = figures[r].frequency;
        levels[r] = figures[r].levelDb;
    }
    result.frequency = SummariseFigure(frequencies, nominalFigures.frequency);
    result.level = SummariseFigure(levels, nominalFigures.levelDb);
    result.runFigures = std::move(figures);
    result.passed = static_cast<int>(std::count(passed.begin(), passed.end(), 1));
    run.outcome = ToleranceOutcome::DONE;
    return run;
}

}  // namespace vx
