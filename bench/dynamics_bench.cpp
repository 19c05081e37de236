#include <benchmark/benchmark.h>

#include "session/design_session.h"

// Phase and time responses of a finished design: the stages' transfer functions fitted, their
// poles and the cascade's residues found, phase, step and impulse summed on 1501 points.
// Target: order 30 under 10 ms.
namespace vx {
namespace {

void Dynamics(benchmark::State& state, StructureKind structure, const char* opAmp) {
    CDesignSession session;
    SpecificationBlock block = session.Filter().Specification();
    block.characteristic = Characteristic::CHEBYCHEV;
    block.rippleDb = 1.0;
    block.orderLpHp = static_cast<int>(state.range(0));
    block.frequency = 1000.0;
    block.resistorSeries = ResistorSeries::E24;
    block.opAmp = session.OpAmps().FindByName(opAmp);
    session.Filter().SetSpecification(block, structure, FilterType::LOWPASS);
    session.FillCharacteristic();
    SilentMonitor monitor;
    session.Design(monitor);
    for (auto _ : state) {
        const FilterDynamics d = session.Dynamics();
        benchmark::DoNotOptimize(d.filterStep->step.back());
    }
}
BENCHMARK_CAPTURE(Dynamics, SallenKeyLF411, StructureKind::SALLEN_KEY, "LF411")
    ->Arg(10)
    ->Arg(30)
    ->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(Dynamics, MfbUa741, StructureKind::MFB, "uA741")
    ->Arg(30)
    ->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(Dynamics, SallenKeyIdeal, StructureKind::SALLEN_KEY, "ideal")
    ->Arg(30)
    ->Unit(benchmark::kMillisecond);

}  // namespace
}  // namespace vx
