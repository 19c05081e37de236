#include <benchmark/benchmark.h>

#include "analysis/tolerance_analysis.h"
#include "structures/design_session.h"

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
};

void Configure(CDesignSession& session, const Spec& s) {
    SpecificationBlock block = session.Filter().Specification();
    block.characteristic = s.characteristic;
    block.rippleDb = 1.0;
    block.orderLpHp = s.order;
    block.orderBpBs = s.order;
    block.frequency = 1000.0;
    block.resistorSeries = s.series;
    block.opAmp = session.OpAmps().FindByName(s.opAmp);
    block.capacitorMode = CapacitorMode::OPTIMIZE;
    block.steplessR2 = s.stepless;
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

}  // namespace
}  // namespace vx
