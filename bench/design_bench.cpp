#include <benchmark/benchmark.h>

#include <atomic>
#include <chrono>
#include <thread>

#include "analysis/tolerance_analysis.h"
#include "session/design_session.h"

namespace vx {
namespace {

struct Spec {
    FilterType type;
    StructureKind structure;
    Characteristic characteristic;
    int order;
    ResistorSeries series;
    const char* opAmp;
    bool stepless = false;
    double frequency = 1000.0;
    double gainDb = 0.0;
    SearchMethod search = SearchMethod::NEIGHBOURS;
};

Spec Exhaustive(Spec s) {
    s.search = SearchMethod::EXHAUSTIVE;
    return s;
}

void Configure(CDesignSession& session, const Spec& s) {
    SpecificationBlock block = session.Filter().Specification();
    block.characteristic = s.characteristic;
    block.rippleDb = 1.0;
    block.orderLpHp = s.order;
    block.orderBpBs = s.order;
    block.frequency = s.frequency;
    block.gainDb = s.gainDb;
    block.resistorSeries = s.series;
    block.opAmp = session.OpAmps().FindByName(s.opAmp);
    block.capacitorMode = CapacitorMode::OPTIMIZE;
    block.steplessR2 = s.stepless;
    block.search = s.search;
    session.Filter().SetSpecification(block, s.structure, s.type);
    session.FillCharacteristic();
}

// state.range(0): 0 the straightforward search (one thread, no pruning), 1 the default search.
void RunDesign(benchmark::State& state, const Spec& spec) {
    CDesignSession session;
    Configure(session, spec);
    session.SetSearchOptions(state.range(0) == 0 ? SearchOptions::Straightforward()
                                                 : SearchOptions{});
    SilentMonitor monitor;
    for (auto _ : state) {
        session.Design(monitor);
        benchmark::DoNotOptimize(session.Curves().filter.At(750));
    }
}

// Both ways in one run, wall time and the CPU time of all threads.
void BothWays(benchmark::internal::Benchmark* b) {
    b->ArgName("fast")
        ->Arg(0)
        ->Arg(1)
        ->Unit(benchmark::kMillisecond)
        ->UseRealTime()
        ->MeasureProcessCPUTime();
}

// One round of the third-order search steps through 24 x 24 x 192 x 192 candidates.
void SallenKeyXLowPassBessel3E96(benchmark::State& state) {
    RunDesign(state, {FilterType::LOWPASS, StructureKind::SALLEN_KEY_X, Characteristic::BESSEL, 3,
                      ResistorSeries::E96, "LF411"});
}
BENCHMARK(SallenKeyXLowPassBessel3E96)->Apply(BothWays)->Iterations(1)->Repetitions(2);

// 24 x 24 x 384 x 384 candidates per round; the straightforward search takes minutes.
void SallenKeyXLowPassBessel3E192(benchmark::State& state) {
    RunDesign(state, {FilterType::LOWPASS, StructureKind::SALLEN_KEY_X, Characteristic::BESSEL, 3,
                      ResistorSeries::E192, "LF411"});
}
BENCHMARK(SallenKeyXLowPassBessel3E192)->Apply(BothWays)->Iterations(1);

void SallenKeyLowPassButterworth10E96(benchmark::State& state) {
    RunDesign(state, {FilterType::LOWPASS, StructureKind::SALLEN_KEY, Characteristic::BUTTERWORTH,
                      10, ResistorSeries::E96, "LF411"});
}
BENCHMARK(SallenKeyLowPassButterworth10E96)->Apply(BothWays);

void SallenKeyLowPassButterworth10E192(benchmark::State& state) {
    RunDesign(state, {FilterType::LOWPASS, StructureKind::SALLEN_KEY, Characteristic::BUTTERWORTH,
                      10, ResistorSeries::E192, "LF411"});
}
BENCHMARK(SallenKeyLowPassButterworth10E192)->Apply(BothWays);

void MfbHighPassChebyshev10E192(benchmark::State& state) {
    RunDesign(state, {FilterType::HIGHPASS, StructureKind::MFB, Characteristic::CHEBYCHEV, 10,
                      ResistorSeries::E192, "LF411"});
}
BENCHMARK(MfbHighPassChebyshev10E192)->Apply(BothWays);

void MfbLowPassBessel10E192(benchmark::State& state) {
    RunDesign(state, {FilterType::LOWPASS, StructureKind::MFB, Characteristic::BESSEL, 10,
                      ResistorSeries::E192, "LF411"});
}
BENCHMARK(MfbLowPassBessel10E192)->Apply(BothWays);

void MfbBandPassButterworth10E96Stepless(benchmark::State& state) {
    RunDesign(state, {FilterType::BANDPASS, StructureKind::MFB, Characteristic::BUTTERWORTH, 10,
                      ResistorSeries::E96, "LF411", true});
}
BENCHMARK(MfbBandPassButterworth10E96Stepless)->Apply(BothWays);

void TwinTBandStopE192(benchmark::State& state) {
    RunDesign(state, {FilterType::BANDREJECT, StructureKind::TWIN_T, Characteristic::BUTTERWORTH, 2,
                      ResistorSeries::E192, "LF411"});
}
BENCHMARK(TwinTBandStopE192)->Apply(BothWays);

void SallenKeyHighPassChebyshev8E192(benchmark::State& state) {
    RunDesign(state, {FilterType::HIGHPASS, StructureKind::SALLEN_KEY, Characteristic::CHEBYCHEV, 8,
                      ResistorSeries::E192, "LF411"});
}
BENCHMARK(SallenKeyHighPassChebyshev8E192)->Apply(BothWays);

// The search over every combination, the default search only (the straightforward one takes
// seconds per stage at E96). Targets: order 10 at E96 within 0.2 s, order 30 at E192 and the
// third order at E192 within 2 s.
void DefaultOnly(benchmark::internal::Benchmark* b) {
    b->ArgName("fast")
        ->Arg(1)
        ->Unit(benchmark::kMillisecond)
        ->UseRealTime()
        ->MeasureProcessCPUTime();
}

BENCHMARK_CAPTURE(RunDesign, ExhaustiveSallenKeyLowPassChebyshev10E96,
                  Exhaustive({FilterType::LOWPASS, StructureKind::SALLEN_KEY,
                              Characteristic::CHEBYCHEV, 10, ResistorSeries::E96, "LF411"}))
    ->Apply(DefaultOnly);
BENCHMARK_CAPTURE(RunDesign, ExhaustiveMfbLowPassChebyshev10E96,
                  Exhaustive({FilterType::LOWPASS, StructureKind::MFB, Characteristic::CHEBYCHEV,
                              10, ResistorSeries::E96, "LF411"}))
    ->Apply(DefaultOnly);
BENCHMARK_CAPTURE(RunDesign, ExhaustiveMfbHighPassChebyshev10E96,
                  Exhaustive({FilterType::HIGHPASS, StructureKind::MFB, Characteristic::CHEBYCHEV,
                              10, ResistorSeries::E96, "LF411"}))
    ->Apply(DefaultOnly);
BENCHMARK_CAPTURE(RunDesign, ExhaustiveSallenKeyLowPassChebyshev30E192,
                  Exhaustive({FilterType::LOWPASS, StructureKind::SALLEN_KEY,
                              Characteristic::CHEBYCHEV, 30, ResistorSeries::E192, "LF411"}))
    ->Apply(DefaultOnly)
    ->Iterations(2);
BENCHMARK_CAPTURE(RunDesign, ExhaustiveMfbLowPassChebyshev30E192,
                  Exhaustive({FilterType::LOWPASS, StructureKind::MFB, Characteristic::CHEBYCHEV,
                              30, ResistorSeries::E192, "LF411"}))
    ->Apply(DefaultOnly)
    ->Iterations(2);
BENCHMARK_CAPTURE(RunDesign, ExhaustiveMfbHighPassChebyshev30E192,
                  Exhaustive({FilterType::HIGHPASS, StructureKind::MFB, Characteristic::CHEBYCHEV,
                              30, ResistorSeries::E192, "LF411"}))
    ->Apply(DefaultOnly)
    ->Iterations(2);
// The search sweep's slowest third-order design at E192 over every combination (`--search
// exhaustive`): at 6 dB the gain network's gain of 2 makes the coefficients nearly cancel.
BENCHMARK_CAPTURE(RunDesign, ExhaustiveSallenKeyXHighPassBessel3E192,
                  Exhaustive({FilterType::HIGHPASS, StructureKind::SALLEN_KEY_X,
                              Characteristic::BESSEL, 3, ResistorSeries::E192, "uA741", false,
                              1000.0, 6.0}))
    ->Apply(DefaultOnly)
    ->Iterations(2);

// Takes the cancel of the benchmark's thread.
class CancelOnRequest final : public DesignMonitor {
  public:
    void Report(const DesignProgress&) override {}
    bool CancelRequested() override { return cancel.load(); }

    std::atomic<bool> cancel{false};
};

// Runs `job` on a thread of its own, asks it through its monitor to stop `delay` into the run,
// and gives the wall time in seconds from the request to the job's end (the front end's cancel
// button should take effect within 100 ms). `stopped` tells whether the job took the request.
template <class Job, class Stopped>
void TimeCancel(benchmark::State& state, std::chrono::milliseconds delay, Job&& job,
                Stopped&& stopped) {
    CancelOnRequest monitor;
    std::atomic<bool> ended{false};
    std::thread worker([&] {
        job(monitor);
        ended.store(true);
    });
    const auto start = std::chrono::steady_clock::now();
    while (!ended.load() && std::chrono::steady_clock::now() - start < delay) {
        std::this_thread::sleep_for(std::chrono::milliseconds(1));
    }
    const auto requested = std::chrono::steady_clock::now();
    monitor.cancel.store(true);
    worker.join();
    if (!stopped()) {
        state.SkipWithError("the job ended before the cancel");
        return;
    }
    state.SetIterationTime(
        std::chrono::duration<double>(std::chrono::steady_clock::now() - requested).count());
}

// A cancel `delay` into a design.
void CancelLatency(benchmark::State& state, const Spec& spec,
                   std::chrono::milliseconds delay = std::chrono::milliseconds(100)) {
    for (auto _ : state) {
        CDesignSession session;
        Configure(session, spec);
        session.SetSearchOptions(state.range(0) == 0 ? SearchOptions::Straightforward()
                                                     : SearchOptions{});
        TimeCancel(
            state, delay, [&](DesignMonitor& monitor) { session.Design(monitor); },
            [&] { return session.Filter().GetDesignState() == DesignState::CANCELLED; });
    }
}

// Both searches, five cancels each, the time the benchmark measured.
void CancelBothWays(benchmark::internal::Benchmark* b) {
    b->ArgName("fast")
        ->Arg(0)
        ->Arg(1)
        ->UseManualTime()
        ->Unit(benchmark::kMillisecond)
        ->Iterations(5);
}

// The search sweep's slowest third-order design: most now end within 100 ms.
void CancelSallenKeyXE192(benchmark::State& state) {
    CancelLatency(state, {FilterType::HIGHPASS, StructureKind::SALLEN_KEY_X, Characteristic::BESSEL,
                          3, ResistorSeries::E192, "uA741", false, 20000.0, 20.0});
}
BENCHMARK(CancelSallenKeyXE192)->Apply(CancelBothWays);

// The default search ends this design within about 20 ms, so the cancel comes 5 ms into it.
void CancelBandPassStepless30E192(benchmark::State& state) {
    CancelLatency(state,
                  {FilterType::BANDPASS, StructureKind::MFB, Characteristic::BUTTERWORTH, 30,
                   ResistorSeries::E192, "LF411", true},
                  std::chrono::milliseconds(5));
}
BENCHMARK(CancelBandPassStepless30E192)->Apply(CancelBothWays);

// The tolerance analysis of an order-10 design: 1000 runs over the 1501-point grid, the parts
// within the series' tolerances and the op-amps' gain-bandwidth product 20 %, on
// state.range(0) threads. The design itself is not timed.
void ToleranceSallenKeyLowPassButterworth10E96(benchmark::State& state) {
    CDesignSession session;
    Configure(session, {FilterType::LOWPASS, StructureKind::SALLEN_KEY, Characteristic::BUTTERWORTH,
                        10, ResistorSeries::E96, "LF411"});
    SilentMonitor monitor;
    session.Design(monitor);
    ToleranceSettings settings = ToleranceSettings::For(session.Filter());
    settings.gainBandwidthSpread = 0.2;
    settings.threads = static_cast<int>(state.range(0));
    for (auto _ : state) {
        const ToleranceRun run = CToleranceAnalysis(session, settings).Run(monitor);
        benchmark::DoNotOptimize(run.result.passed);
    }
}
BENCHMARK(ToleranceSallenKeyLowPassButterworth10E96)
    ->ArgName("threads")
    ->Arg(1)
    ->Arg(2)
    ->Unit(benchmark::kMillisecond)
    ->UseRealTime()
    ->MeasureProcessCPUTime();

// A cancel 100 ms into a tolerance analysis of the largest design (15 stages, 10000 runs).
void CancelToleranceBandPass30E96(benchmark::State& state) {
    CDesignSession session;
    Configure(session, {FilterType::BANDPASS, StructureKind::MFB, Characteristic::BUTTERWORTH, 30,
                        ResistorSeries::E96, "LF411"});
    SilentMonitor silent;
    session.Design(silent);
    ToleranceSettings settings = ToleranceSettings::For(session.Filter());
    settings.runs = ToleranceSettings::kMaxRuns;
    for (auto _ : state) {
        ToleranceOutcome outcome = ToleranceOutcome::DONE;
        TimeCancel(
            state, std::chrono::milliseconds(100),
            [&](DesignMonitor& monitor) {
                outcome = CToleranceAnalysis(session, settings).Run(monitor).outcome;
            },
            [&] { return outcome == ToleranceOutcome::CANCELLED; });
    }
}
BENCHMARK(CancelToleranceBandPass30E96)
    ->UseManualTime()
    ->Unit(benchmark::kMillisecond)
    ->Iterations(5);

}  // namespace
}  // namespace vx
