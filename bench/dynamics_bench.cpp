#include <benchmark/benchmark.h>

#include "plot/diagram.h"
#include "session/design_session.h"

// Phase and time responses of a finished design: the stages' transfer functions fitted, their
// poles and the cascade's residues found, phase, step and impulse summed on 1501 points.
// Target: order 30 under 10 ms.
namespace vx {

namespace {

void Design(CDesignSession& session, benchmark::State& state, StructureKind structure,
            const char* opAmp) {
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
}

void Dynamics(benchmark::State& state, StructureKind structure, const char* opAmp) {
    CDesignSession session;
    Design(session, state, structure, opAmp);
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

// One step of a zoom or a pan of the diagram: magnitude, traditional and delay curves
// recomputed on the new range, and phase and step on it. Target: order 30 under 30 ms, so
// that dragging the middle button pans smoothly.
void ZoomStep(benchmark::State& state) {
    CDesignSession session;
    Design(session, state, StructureKind::SALLEN_KEY, "LF411");
    CDiagram diagram(session);
    double shift = 1.01;
    for (auto _ : state) {
        diagram.SetView(PlotViewKind::MAGNITUDE);
        diagram.ZoomTo({300.0 * shift, 3000.0 * shift});
        benchmark::DoNotOptimize(diagram.Curves().x.back());
        diagram.SetView(PlotViewKind::PHASE);
        benchmark::DoNotOptimize(diagram.Curves().series.size());
        shift = 2.02 - shift;
    }
}
BENCHMARK(ZoomStep)->Arg(30)->Unit(benchmark::kMillisecond);

}  // namespace
}  // namespace vx
