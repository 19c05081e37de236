#include <benchmark/benchmark.h>

#include <atomic>
#include <chrono>
#include <thread>

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

// Takes the cancel of the benchmark's thread.
class CancelOnRequest final : public DesignMonitor {
  public:
    void Report(const DesignProgress&) override {}
    bool CancelRequested() override { return cancel.load(); }

    std::atomic<bool> cancel{false};
};

// Wall time from a cancel request, 200 ms into a design, to the end of the design (the front
// end's cancel button should take effect within 100 ms).
void CancelLatency(benchmark::State& state, const Spec& spec) {
    for (auto _ : state) {
        CDesignSession session;
        Configure(session, spec);
        session.SetSearchOptions(state.range(0) == 0 ? SearchOptions::Straightforward()
                                                     : SearchOptions{});
        CancelOnRequest monitor;
        std::atomic<bool> ended{false};
        std::thread design([&] {
            session.Design(monitor);
            ended.store(true);
        });
        const auto start = std::chrono::steady_clock::now();
        while (!ended.load() &&
               std::chrono::steady_clock::now() - start < std::chrono::milliseconds(200)) {
            std::this_thread::sleep_for(std::chrono::milliseconds(1));
        }
        const auto requested = std::chrono::steady_clock::now();
        monitor.cancel.store(true);
        design.join();
        if (session.Filter().GetDesignState() != DesignState::CANCELLED) {
            state.SkipWithError("the design ended before the cancel");
            break;
        }
        state.SetIterationTime(
            std::chrono::duration<double>(std::chrono::steady_clock::now() - requested).count());
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

void CancelSallenKeyXE192(benchmark::State& state) {
    CancelLatency(state, {FilterType::LOWPASS, StructureKind::SALLEN_KEY_X, Characteristic::BESSEL,
                          3, ResistorSeries::E192, "LF411"});
}
BENCHMARK(CancelSallenKeyXE192)->Apply(CancelBothWays);

void CancelBandPassStepless30E192(benchmark::State& state) {
    CancelLatency(state, {FilterType::BANDPASS, StructureKind::MFB, Characteristic::BUTTERWORTH, 30,
                          ResistorSeries::E192, "LF411", true});
}
BENCHMARK(CancelBandPassStepless30E192)->Apply(CancelBothWays);

}  // namespace
}  // namespace vx
