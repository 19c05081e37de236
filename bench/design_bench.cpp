#include <benchmark/benchmark.h>

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
    session.Filter().SetSpecification(block, s.structure, s.type);
    session.FillCharacteristic();
}

void RunDesign(benchmark::State& state, const Spec& spec) {
    CDesignSession session;
    Configure(session, spec);
    SilentMonitor monitor;
    for (auto _ : state) {
        session.Design(monitor);
        benchmark::DoNotOptimize(session.Curves().filter.At(750));
    }
}

void SallenKeyLowPassButterworth10E96(benchmark::State& state) {
    RunDesign(state, {FilterType::LOWPASS, StructureKind::SALLEN_KEY, Characteristic::BUTTERWORTH,
                      10, ResistorSeries::E96, "LF411"});
}
BENCHMARK(SallenKeyLowPassButterworth10E96)->Unit(benchmark::kMillisecond);

void SallenKeyHighPassChebyshev8E192(benchmark::State& state) {
    RunDesign(state, {FilterType::HIGHPASS, StructureKind::SALLEN_KEY, Characteristic::CHEBYCHEV, 8,
                      ResistorSeries::E192, "LF411"});
}
BENCHMARK(SallenKeyHighPassChebyshev8E192)->Unit(benchmark::kMillisecond);

// One round of the third-order search steps through 24 x 24 x 192 x 192 candidates.
void SallenKeyXLowPassBessel3E96(benchmark::State& state) {
    RunDesign(state, {FilterType::LOWPASS, StructureKind::SALLEN_KEY_X, Characteristic::BESSEL, 3,
                      ResistorSeries::E96, "LF411"});
}
BENCHMARK(SallenKeyXLowPassBessel3E96)->Unit(benchmark::kMillisecond)->Iterations(1);

}  // namespace
}  // namespace vx
