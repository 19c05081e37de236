#include "structures/filter_structure.h"

#include <algorithm>
#include <cmath>
#include <numbers>
#include <stdexcept>

#include "model/character.h"
#include "model/number_format.h"
#include "model/number_text.h"
#include "model/opv.h"
#include "model/stage_gain_input.h"
#include "model/standard_value.h"
#include "response/response_accumulator.h"
#include "structures/capacitors/capacitor_choice.h"
#include "structures/design_messages.h"
#include "structures/gain_distribution.h"
#include "structures/stage_loop.h"

namespace vx {

CFilterStructure::CFilterStructure(int gridPoints) : context_(gridPoints) {}

void CFilterStructure::Attach(CFilter& filter, const COpv& opv, const CCharacter& character,
                              ResponseCurves& curves) {
    filter_ = &filter;
    opv_ = &opv;
    character_ = &character;
    curves_ = &curves;
}

std::vector<double> CFilterStructure::SeriesRun(double from, int count, int series) {
    std::vector<double> values;
    values.reserve(static_cast<size_t>(count));
    StandardValue v(series, from);
    values.push_back(v.Value());
    for (int i = 1; i < count; ++i) {
        values.push_back(v.Next());
    }
    return values;
}

double CFilterStructure::Magnitude(double w) const {
    return SafeMagnitude(StageTransfer(w));
}

double CFilterStructure::GroupDelay(double w) const {
    auto phase = [this](double x) {
        const Complex h = StageTransfer(x);
        return std::atan(h.imag() / h.real());
    };
    const double up = w * 1.0001;
    const double down = w / 1.0001;
    return (phase(up) - phase(down)) / (down - up);
}

double CFilterStructure::StoredMagnitude(double w) {
    PrepareStable(kMaxPrepareRuns);
    double product = 1.0;
    for (int i = 0; i < context_.stageCount; ++i) {
        SelectStage(i);
        LoadStageValues(i);
        product *= Magnitude(w);
    }
    return product;
}

double CFilterStructure::ResponseError() const {
    return context_.grid.Error([this](double w) { return StageTransfer(w); });
}

double CFilterStructure::ResponseDeviation() const {
    size_t hint = 0;
    return context_.grid.WorstDeviation(
        [this](size_t k) { return StageTransfer(context_.grid.Omega(k)); }, INFINITY, hint);
}

double CFilterStructure::SearchCombinations(bool) {
    return 0.0;
}

std::vector<double> CFilterStructure::CapacitorAxis(double exact) {
    return SeriesRun(0.1 * exact, 24, 12);
}

std::vector<double> CFilterStructure::ResistorAxis(double exact, double window) const {
    std::vector<double> axis;
    const double low = context_.r0 / window, high = context_.r0 * window;
    for (double r : SeriesRun(0.1 * exact, 2 * context_.series, context_.series)) {
        if (r >= low && r <= high) {
            axis.push_back(r);
        }
    }
    return axis;
}

void CFilterStructure::SetLogGrid() {
    context_.grid.SetLog(context_.gridPoints, halfOmegaG_, gridFactor_);
}

void CFilterStructure::SetIdealTargets() {
    WithIdealOpAmp([this] { context_.grid.SetTargets([this](double w) { return Magnitude(w); }); });
}

void CFilterStructure::StoreTarget() {
    SetLogGrid();
    SetIdealTargets();
}

void CFilterStructure::SetStageRecord(double fp, double qp, double gain, int stage) {
    if (stage < 0 || stage >= kMaxStages) {
        return;
    }
    context_.stages[static_cast<size_t>(stage)] = {fp, qp, gain};
    recordCount_ = std::max(recordCount_, stage + 1);
}

double CFilterStructure::StageGain(int stage) const {
    return stage >= 0 && stage < kMaxStages ? context_.stages[static_cast<size_t>(stage)].gain
                                            : 0.0;
}

void CFilterStructure::SetLowHighPassTargets(double stageGain, bool highPass, int records) {
    const double fg = filter_->Frequency();
    for (int i = 0; i < records; ++i) {
        const double a = context_.a[static_cast<size_t>(i)];
        const double b = context_.b[static_cast<size_t>(i)];
        if (IsFirstOrder(b)) {
            SetStageRecord(highPass ? fg * a : fg / a, -1.0, stageGain, i);
        } else {
            const double root = std::sqrt(b);
            SetStageRecord(highPass ? fg * root : fg / root, root / a, stageGain, i);
        }
    }
}

void CFilterStructure::SelectStage(int stage) {
    context_.currentStage = stage;
    context_.firstOrder = IsFirstOrderStage(stage);
}

void CFilterStructure::ReadSpecification() {
    if (filter_ == nullptr) {
        throw std::logic_error("structure used before Attach");
    }
    filterType_ = filter_->Type();
    opAmpIndex_ = filter_->OpAmp();
    context_.opAmp = {opv_->TimeConstant1(opAmpIndex_), opv_->TimeConstant2(opAmpIndex_),
                      opv_->DcGain(opAmpIndex_)};
    halfOmegaG_ = std::numbers::pi * filter_->Frequency();
    context_.omegaG = 2.0 * std::numbers::pi * filter_->Frequency();
    context_.stageCount = filter_->StageCount();
    context_.series = filter_->SeriesNumber();
    optimizeCapacitors_ = filter_->GetCapacitorMode() == CapacitorMode::OPTIMIZE;
    context_.r0 = filter_->Impedance();
    context_.exhaustive = filter_->SearchesEveryCombination();
    context_.window = filter_->ImpedanceWindow();
    progress_ = 0;
    SetCurveRange(filter_->PlotMin(), filter_->PlotMax());
}

void CFilterStructure::SetCurveRange(double lower, double upper) {
    lowerPlotLimit_ = lower;
    curveFactor_ = std::pow(upper / lower, 1.0 / (kCurvePoints - 1));
}

void CFilterStructure::FetchCoefficients() {
    int pairs = context_.stageCount;
    if (filter_->Structure() == StructureKind::SALLEN_KEY_X) {
        pairs = 2;
    } else if (filterType_ == FilterType::BANDPASS) {
        pairs = (context_.stageCount + 1) / 2;
    }
    pairs = std::min(pairs, kMaxStages);
    const bool reversed = filter_->GetStageSequence() == StageSequence::LOW_NOISE;
    for (int i = 0; i < pairs; ++i) {
        const int source = reversed ? pairs - 1 - i : i;
        context_.a[static_cast<size_t>(i)] = character_->A(source);
        context_.b[static_cast<size_t>(i)] = character_->B(source);
    }
    gridFactor_ = std::pow(4.0, 1.0 / (context_.gridPoints - 1));
}

void CFilterStructure::DistributeGain() {
    const double totalDb = filter_->GainDb();
    const std::span<StageRecord> records(context_.stages.data(),
                                         static_cast<size_t>(context_.stageCount));
    const GainDistribution distribution = filter_->GetGainDistribution();
    switch (filterType_) {
        case FilterType::LOWPASS:
        case FilterType::HIGHPASS:
            if (filter_->Structure() == StructureKind::SALLEN_KEY_X) {
                context_.stages[0].gain = 1.0;
                context_.stages[1].gain = std::pow(10.0, 0.05 * totalDb);
            } else if (distribution == GainDistribution::EQUAL_GBP) {
                DistributeByQ(records, filter_->Structure() == StructureKind::SALLEN_KEY);
            } else if (distribution == GainDistribution::VALUES) {
                for (int i = 0; i < context_.stageCount; ++i) {
                    context_.stages[static_cast<size_t>(i)].gain = filter_->GetStageGain(i);
                }
                if (filter_->Structure() == StructureKind::SALLEN_KEY) {
                    if (auto message = CheckNonInvertingStageGains(*filter_, context_.stageCount)) {
                        Fail(*message);
                    }
                }
            }
            break;
        case FilterType::BANDPASS:
            if (distribution == GainDistribution::EQUAL) {
                double product = 1.0;
                for (const StageRecord& s : records) {
                    product *= s.gain;
                }
                const double mean = std::pow(product, 1.0 / context_.stageCount);
                for (StageRecord& s : records) {
                    s.gain = mean;
                }
            } else if (distribution == GainDistribution::EQUAL_GBP) {
                DistributeByQ(records, false);
            }
            break;
        case FilterType::BANDREJECT:
            break;
    }
}

bool CFilterStructure::Prepare() {
    ReadSpecification();
    FetchCoefficients();
    recordCount_ = 0;
    SetStageTargets(std::pow(10.0, 0.05 * filter_->GainDb() / context_.stageCount));
    DistributeGain();
    const GainDistribution distribution = filter_->GetGainDistribution();
    if (filterType_ == FilterType::BANDPASS && distribution != GainDistribution::VALUES) {
        const double unplaced = LimitBandPassGain(std::span<StageRecord>(
            context_.stages.data(), static_cast<size_t>(context_.stageCount)));
        if (unplaced - 1.0 > 0.001) {
            filter_->SetGainDb(filter_->GainDb() - 20.0 * std::log10(unplaced));
            filter_->gainReduced = true;
            return false;
        }
    }
    return true;
}

bool CFilterStructure::PrepareStable(int maxRuns) {
    const double requestedDb = filter_->GainDb();
    const bool reducedBefore = filter_->gainReduced;
    for (int run = 0; run < maxRuns && !Prepare(); ++run) {
        if (filter_->GainDb() < kLowestGainDb) {
            filter_->SetGainDb(requestedDb);
            filter_->gainReduced = reducedBefore;
            Fail(GainBelowLowestMessage());
            return false;
        }
    }
    return !failure_;
}

bool CFilterStructure::PrepareUntilStable(int maxRuns) {
    failure_.reset();
    if (!PrepareStable(maxRuns)) {
        return false;
    }
    ResetCurves();
    return true;
}

bool CFilterStructure::Design(DesignMonitor& monitor) {
    monitor_ = &monitor;
    outcomes_ = {};
    if (PrepareUntilStable()) {
        if (optimizeCapacitors_) {
            DesignWithCapacitorSearch();
        } else {
            DesignWithFixedCapacitors();
        }
    }
    if (failure_) {
        filter_->SetDesignState(DesignState::CANCELLED);
    }
    filter_->MarkDesigned();
    monitor_ = nullptr;
    return !failure_;
}

double CFilterStructure::StandardCapacitor(double target) {
    const double c = RoundedToSeries(target, 12);
    return c > 0.0 ? c : NAN;
}

bool CFilterStructure::CheckStage(int stage) {
    if (StageValuesFinite()) {
        return true;
    }
    Fail(StageNotRealisableMessage(stage + 1));
    return false;
}

void CFilterStructure::Fail(const UserMessage& message) {
    if (!failure_) {
        failure_ = message;
    }
}

bool CFilterStructure::Ask(CapacitorPrompt& prompt, const std::string& caption, double minimum,
                           double& value) {
    if (!std::isfinite(value) || !std::isfinite(minimum)) {
        Fail(StageNotRealisableMessage(context_.currentStage + 1));
        return false;
    }
    value = CapacitorProposal(value, minimum);
    return prompt.AskCapacitor({caption, context_.currentStage + 1, context_.stageCount, minimum},
                               value);
}

double CFilterStructure::PairMinimum(double ratio, double first) {
    const double needed = ratio * first;
    const double m = 1.001 * needed;
    if (!(m > 1e-12)) {
        return 1e-12;
    }
    // Below 1 the rounding keeps a digit less and may fall under the ratio itself, where the
    // stage has no real dimensioning; the minimum then keeps its thousandth of margin unrounded.
    const double rounded = RoundSignificant(m, 4);
    return rounded >= needed ? rounded : m;
}

bool CFilterStructure::AskCapacitorPair(CapacitorPrompt& prompt, const std::string& firstCaption,
                                        const std::string& secondCaption, double ratio,
                                        double& first, double& second) {
    if (!Ask(prompt, firstCaption, 1e-12, first)) {
        return false;
    }
    const double m = PairMinimum(ratio, first);
    second = E12AtOrAbove(m);
    return Ask(prompt, secondCaption, m, second);
}

bool CFilterStructure::RepairCapacitorPair(CapacitorPrompt& prompt, double ratio, double& first,
                                           double& second) const {
    return second >= first * ratio ||
           prompt.ResolveMismatch({context_.currentStage + 1, context_.stageCount, ratio}, first,
                                  second);
}

bool CFilterStructure::EnterLowPassCapacitors(bool ask, CapacitorPrompt& prompt, double ratio,
                                              double& c1, double& c2) {
    if (ask) {
        DesignStage();
        return context_.firstOrder ? Ask(prompt, "C1", 1e-12, c1)
                                   : AskCapacitorPair(prompt, "C1", "C2", ratio, c1, c2);
    }
    c1 = StoredCapacitor(context_.currentStage, 0);
    c2 = StoredCapacitor(context_.currentStage, 1);
    return context_.firstOrder || RepairCapacitorPair(prompt, ratio, c1, c2);
}

bool CFilterStructure::EnterAllCapacitors(bool ask, CapacitorPrompt& prompt) {
    if (failure_) {
        return false;  // Prepare found the specification impossible
    }
    for (int i = 0; i < context_.stageCount; ++i) {
        SelectStage(i);
        if (!EnterCapacitors(ask, prompt) || !CheckStage(i)) {
            return false;
        }
        StoreStageValues(i);
    }
    return true;
}

bool CFilterStructure::PumpMessages() {
    if (monitor_ == nullptr) {
        return cancelled_;
    }
    monitor_->Report({context_.currentStage, retry_, progress_, context_.stageCount});
    if (monitor_->CancelRequested()) {
        filter_->SetDesignState(DesignState::CANCELLED);
    }
    if (filter_->GetDesignState() == DesignState::CANCELLED) {
        cancelled_ = true;
    }
    return cancelled_;
}

void CFilterStructure::SetProgress(long long count, long long total) {
    const double percent = std::floor(static_cast<double>(count) * 100.0 / total + 0.9);
    progress_ = static_cast<int>(std::min(percent, 100.0));
}

void CFilterStructure::IncrementRetry() {
    ++retry_;
    PumpMessages();
}

CResponseAccumulator CFilterStructure::Accumulator() const {
    return {*curves_, context_.omegaG * lowerPlotLimit_, curveFactor_};
}

void CFilterStructure::ResetCurves() {
    Accumulator().Reset(filterType_ == FilterType::BANDREJECT);
}

void CFilterStructure::AccumulateTargetResponse() {
    WithIdealOpAmp([this] { AccumulateMagnitude(curves_->target); });
}

std::vector<double> CFilterStructure::AccumulateTraditionalResponse() {
    return AccumulateMagnitude(curves_->traditional);
}

std::vector<double> CFilterStructure::AccumulateFilterResponse() {
    return AccumulateMagnitude(curves_->filter);
}

std::vector<double> CFilterStructure::AccumulateMagnitude(CShowFregang& curve) const {
    std::vector<double> samples =
        Accumulator().SampleMagnitude([this](double w) { return Magnitude(w); });
    CResponseAccumulator::Multiply(curve, samples);
    return samples;
}

void CFilterStructure::AccumulateGroupDelay() {
    Accumulator().AddGroupDelay([this](double w) { return GroupDelay(w); });
}

void CFilterStructure::DesignWithCapacitorSearch() {
    CStageLoop(*this).Run(false);
}

void CFilterStructure::DesignWithFixedCapacitors() {
    CStageLoop(*this).Run(true);
}

void CFilterStructure::RecomputeCurves() {
    CStageLoop(*this).RecomputeCurves();
}

void CFilterStructure::AppendTransfer(std::vector<RationalStage>& stages) const {
    std::optional<RationalStage> fit =
        FitRational([this](Complex s) { return StageTransferAt(s); }, context_.omegaG);
    if (fit) {
        stages.push_back(std::move(*fit));
    }
}

DesignTransfers CFilterStructure::EmptyTransfers() const {
    DesignTransfers t;
    t.firstOmega = context_.omegaG * lowerPlotLimit_;
    t.ratio = curveFactor_;
    t.frequency = filter_->Frequency();
    return t;
}

DesignTransfers CFilterStructure::CaptureTransfers() {
    DesignTransfers t = EmptyTransfers();
    for (int i = 0; i < StageCount(); ++i) {
        SelectStage(i);
        DesignStage();
        WithIdealOpAmp([&] { AppendTransfer(t.target); });
        LoadStageValues(i);
        AppendTransfer(t.filter);
    }
    return t;
}

std::vector<StageTableRow> CFilterStructure::FormatStageTable() const {
    std::vector<StageTableRow> rows;
    const double fg = filter_->Frequency();
    for (int i = 0; i < recordCount_; ++i) {
        const StageRecord& s = context_.stages[static_cast<size_t>(i)];
        rows.push_back({FormatInt(i + 1),
                        s.poleQuality < 0.0 ? std::string("-") : FormatFixed(s.poleQuality, 8, 10),
                        FormatQuantity(s.poleFrequency, "Hz", ValueKind::ANY),
                        FormatFixed(s.poleFrequency / fg, 8, 10),
                        FormatQuantity(s.gain, ValueKind::ANY)});
    }
    return rows;
}

}  // namespace vx
