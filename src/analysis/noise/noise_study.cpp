#include "analysis/noise/noise_study.h"

#include <algorithm>

#include "response/show_fregang.h"
#include "session/design_session.h"

namespace vx {

bool StageOrderMatters(const CFilter& filter) {
    return filter.StageCount() >= 2 && filter.Structure() != StructureKind::SALLEN_KEY_X &&
           filter.Type() != FilterType::BANDREJECT;
}

// An inner stage may peak far from the filter frequency (a low-pass stage of high Q below it):
// the stages' gains are searched over four decades around it.
constexpr double kHeadroomReach = 100.0;

NoiseFigures NoiseFiguresOf(const CFilter& filter, const COpv& opv, const NoiseSettings& settings) {
    const double fg = filter.Frequency();
    const double bandLow = settings.bandLow.value_or(fg * filter.PlotMin());
    const double bandHigh = settings.bandHigh.value_or(fg * filter.PlotMax());
    // The plot's grid, widened where the band reaches beyond it.
    const double low = std::min(fg * filter.PlotMin(), bandLow);
    const double high = std::max(fg * filter.PlotMax(), bandHigh);
    NoiseFigures f;
    f.sequence = filter.GetStageSequence();
    f.spectrum = AnalyseNoise(filter, opv, low, high, kCurvePoints, bandLow, bandHigh);
    const NoiseSpectrum wide =
        AnalyseNoise(filter, opv, std::min(low, fg / kHeadroomReach),
                     std::max(high, fg * kHeadroomReach), kCurvePoints, bandLow, bandHigh);
    const OpAmpData& data = opv.Data(filter.OpAmp());
    f.headroom =
        AnalyseHeadroom(wide, data, settings.swing.value_or(OutputSwing(data, kDefaultSwing)));
    return f;
}

NoiseStudy StudyNoise(CDesignSession& session, const NoiseSettings& settings,
                      DesignMonitor& monitor) {
    NoiseStudy study;
    const CFilter& filter = session.Filter();
    study.chosen = NoiseFiguresOf(filter, session.OpAmps(), settings);
    // Entered capacitors belong to the stages in their order: the other order has none.
    if (!StageOrderMatters(filter) || filter.GetCapacitorMode() != CapacitorMode::OPTIMIZE) {
        return study;
    }
    CDesignSession other;
    other.Filter() = filter;
    SpecificationBlock block = filter.Specification();
    block.stageSequence = block.stageSequence == StageSequence::HIGH_LEVEL
                              ? StageSequence::LOW_NOISE
                              : StageSequence::HIGH_LEVEL;
    other.Filter().SetSpecification(block, filter.Structure(), filter.Type());
    other.FillCharacteristic();
    if (other.Design(monitor) && other.Filter().GetDesignState() == DesignState::DESIGNED) {
        study.other = NoiseFiguresOf(other.Filter(), other.OpAmps(), settings);
    }
    return study;
}

}  // namespace vx
