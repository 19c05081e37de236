#include "model/filter.h"

#include <algorithm>

#include <cmath>
#include <ctime>
#include <stdexcept>

#include "model/number_format.h"

namespace vx {

namespace {

constexpr const char* kTypeNames[] = {"Tiefpass", "Hochpass", "Bandpass", "Bandsperre"};
constexpr const char* kStructureNames[] = {"Sallen-Key", "Sallen-Key mit 1 OPV",
                                           "Mehrfachgegenkopplung", "Doppel-T"};

template <typename Enum>
Enum Checked(Enum value, int last, const char* what) {
    const int v = static_cast<int>(value);
    if (v < 0 || v > last) {
        throw std::invalid_argument(std::string("invalid ") + what + " " + FormatInt(v));
    }
    return value;
}

std::string TwoDigits(int n) {
    const std::string digits = FormatInt(n);
    return digits.size() < 2 ? std::string("0").append(digits) : digits;
}

// Stage layout of one structure: the components in slot order; components listed after
// `named` are mapped to their slots but carry no name and lie beyond the component count.
struct SlotLayout {
    std::array<ComponentSlot, kMaxComponents> order;
    int mapped;
    int named;
};

using S = ComponentSlot;
constexpr SlotLayout kSallenKeyGain{{S::R1, S::R2, S::R3, S::R4, S::C1, S::C2}, 6, 6};
constexpr SlotLayout kSallenKey{{S::R1, S::R2, S::C1, S::C2, S::R3, S::R4}, 6, 4};
constexpr SlotLayout kSallenKeyXGain{
    {S::R1, S::R2, S::R3, S::R4, S::R5, S::C1, S::C2, S::C3}, 8, 8};
constexpr SlotLayout kSallenKeyX{{S::R1, S::R2, S::R3, S::C1, S::C2, S::C3, S::R4, S::R5}, 8, 6};
constexpr SlotLayout kMfbLowPass{{S::R1, S::R2, S::R3, S::C1, S::C2}, 5, 5};
constexpr SlotLayout kMfbHighPass{{S::R1, S::R2, S::C1, S::C2, S::C3}, 5, 5};
constexpr SlotLayout kTwinT{{S::R1, S::R2, S::R3, S::R4, S::C1, S::C2}, 6, 6};

const char* SlotName(ComponentSlot c) {
    constexpr const char* kNames[] = {"C1", "C2", "C3", "R1", "R2", "R3", "R4", "R5"};
    return kNames[static_cast<int>(c)];
}

}  // namespace

CFilter::CFilter() {
    // Applying the defaults once per type leaves every type-specific field with its default.
    SpecificationBlock block;
    block.characteristic = Characteristic::CHEBYCHEV;
    SetSpecification(block, StructureKind::SALLEN_KEY, FilterType::LOWPASS);
    block.characteristic = Characteristic::BESSEL;
    SetSpecification(block, StructureKind::SALLEN_KEY, FilterType::LOWPASS);
    SetSpecification(block, StructureKind::MFB, FilterType::BANDPASS);
    SetSpecification(block, StructureKind::TWIN_T, FilterType::BANDREJECT);
    SetGainDistribution(static_cast<int>(GainDistribution::EQUAL));
    AssignComponentSlots(FilterType::LOWPASS, StructureKind::SALLEN_KEY, false);
}

void CFilter::SetSpecification(const SpecificationBlock& block, StructureKind structure,
                               FilterType type) {
    Checked(type, 3, "filter type");
    Checked(structure, 3, "structure");
    spec_.capacitorMode = Checked(block.capacitorMode, 1, "capacitor mode");
    spec_.equalCapacitors = block.equalCapacitors;
    spec_.frequency = block.frequency;
    spec_.impedance = block.impedance;
    spec_.gainDistribution = Checked(block.gainDistribution, 2, "gain distribution");
    spec_.resistorSeries = Checked(block.resistorSeries, 4, "resistor series");
    spec_.opAmp = block.opAmp;
    spec_.search = Checked(block.search, 1, "search method");
    spec_.impedanceWindow = block.impedanceWindow;

    if (type == FilterType::BANDREJECT) {
        spec_.notchGainDb = block.notchGainDb;
        spec_.orderBpBs = block.orderBpBs;
        spec_.quality = block.quality;
        spec_.steplessR2 = false;
    } else {
        spec_.characteristic = Checked(block.characteristic, 3, "characteristic");
        // A ripple entered once survives a switch to another characteristic.
        if (block.characteristic == Characteristic::CHEBYCHEV) {
            spec_.rippleDb = block.rippleDb;
        }
        spec_.gainDb = block.gainDb;
        spec_.stageSequence = Checked(block.stageSequence, 1, "stage sequence");
        if (type == FilterType::BANDPASS) {
            spec_.bandwidth = block.bandwidth;
            spec_.orderBpBs = block.orderBpBs;
            spec_.steplessR2 = block.steplessR2;
        } else {
            spec_.orderLpHp = block.orderLpHp;
            spec_.steplessR2 = false;
        }
    }
    AssignComponentSlots(type, structure, HasGainNetwork(spec_.gainDb));
}

void CFilter::SetBandRejectSpecification(CapacitorMode capacitorMode, ResistorSeries series,
                                         int opAmp, double frequency, double impedance,
                                         double quality) {
    SpecificationBlock block;
    block.capacitorMode = capacitorMode;
    block.equalCapacitors = false;
    block.characteristic = Characteristic::BESSEL;
    block.rippleDb = 0.0;
    block.resistorSeries = series;
    block.stageSequence = StageSequence::HIGH_LEVEL;
    block.frequency = frequency;
    block.opAmp = opAmp;
    block.impedance = impedance;
    block.quality = quality;
    // Pass-band gain of the twin-T stage whose feedback sets the notch quality.
    block.notchGainDb = quality >= 0.5 ? 20.0 * std::log10(TwinTGain(quality)) : 0.0;
    block.orderBpBs = 2;
    block.gainDistribution = GainDistribution::EQUAL;
    block.search = spec_.search;
    block.impedanceWindow = spec_.impedanceWindow;
    SetSpecification(block, StructureKind::TWIN_T, FilterType::BANDREJECT);
}

void CFilter::AssignComponentSlots(FilterType type, StructureKind structure, bool gainResistors) {
    type_ = Checked(type, 3, "filter type");
    structure_ = Checked(structure, 3, "structure");

    const SlotLayout* layout = nullptr;
    switch (structure) {
        case StructureKind::SALLEN_KEY:
            layout = gainResistors ? &kSallenKeyGain : &kSallenKey;
            break;
        case StructureKind::SALLEN_KEY_X:
            layout = gainResistors ? &kSallenKeyXGain : &kSallenKeyX;
            break;
        case StructureKind::MFB:
            if (type == FilterType::BANDREJECT) {
                return;  // no multiple-feedback band-stop exists
            }
            layout = type == FilterType::HIGHPASS ? &kMfbHighPass : &kMfbLowPass;
            break;
        case StructureKind::TWIN_T:
            layout = &kTwinT;
            break;
    }

    // -1 marks a component the structure does not have; the guarded accessors read it as 0.
    slotMap_.fill(-1);
    for (int slot = 0; slot < layout->mapped; ++slot) {
        slotMap_[static_cast<int>(layout->order[slot])] = slot;
    }
    for (StageEntry& stage : stages_) {
        for (int slot = 0; slot < kMaxComponents; ++slot) {
            stage.components[slot].name = slot < layout->named ? SlotName(layout->order[slot]) : "";
        }
        stage.count = layout->named;
    }
}

int CFilter::SeriesNumber() const {
    return 12 << static_cast<int>(Checked(spec_.resistorSeries, 4, "resistor series"));
}

int CFilter::Order() const {
    return type_ == FilterType::LOWPASS || type_ == FilterType::HIGHPASS ? spec_.orderLpHp
                                                                         : spec_.orderBpBs;
}

bool CFilter::SearchesEveryCombination() const {
    // A stepless band-pass R2 is tuned continuously, not chosen from the series.
    const bool searches = structure_ == StructureKind::SALLEN_KEY ||
                          structure_ == StructureKind::SALLEN_KEY_X ||
                          (structure_ == StructureKind::MFB && !spec_.steplessR2);
    return spec_.search == SearchMethod::EXHAUSTIVE && searches;
}

int CFilter::StageCount() const {
    return structure_ == StructureKind::SALLEN_KEY_X ? 1 : (Order() + 1) / 2;
}

double CFilter::Quality() const {
    return type_ == FilterType::BANDPASS ? spec_.frequency / spec_.bandwidth : spec_.quality;
}

double CFilter::GainDb(FilterType type) const {
    return type == FilterType::BANDREJECT ? spec_.notchGainDb : spec_.gainDb;
}

void CFilter::SetGainDb(double gainDb) {
    if (type_ == FilterType::BANDREJECT) {
        spec_.notchGainDb = gainDb;
    } else {
        spec_.gainDb = gainDb;
    }
}

void CFilter::SetGainDistribution(int distribution) {
    if (distribution >= 0 && distribution <= 2) {
        spec_.gainDistribution = static_cast<GainDistribution>(distribution);
    }
}

double CFilter::GetStageGain(int stage) const {
    return stage >= 0 && stage < kMaxStages ? spec_.stageGain[stage] : 0.0;
}

void CFilter::SetStageGain(int stage, double gain) {
    if (stage >= 0 && stage < kMaxStages) {
        spec_.stageGain[stage] = gain;
    }
}

int CFilter::ComponentCount(int stage) const {
    return stage >= 0 && stage < StageCount() && stage < kMaxStages ? stages_[stage].count : 0;
}

double CFilter::ComponentValue(int slot, int stage) const {
    return slot >= 0 && slot < ComponentCount(stage) ? stages_[stage].components[slot].value : 0.0;
}

void CFilter::SetComponentValue(double x, int slot, int stage) {
    if (slot >= 0 && slot < ComponentCount(stage)) {
        stages_[stage].components[slot].value = x;
    }
}

std::string CFilter::ComponentName(int stage, int slot) const {
    return slot >= 0 && slot < ComponentCount(stage) ? stages_[stage].components[slot].name : "";
}

double CFilter::Value(ComponentSlot component, int stage) const {
    return ComponentValue(SlotOf(Checked(component, 7, "component")), stage);
}

void CFilter::SetValue(ComponentSlot component, int stage, double x) {
    SetComponentValue(x, SlotOf(Checked(component, 7, "component")), stage);
}

const StageEntry& CFilter::Stage(int stage) const {
    static const StageEntry kEmpty{};
    return stage >= 0 && stage < kMaxStages ? stages_[stage] : kEmpty;
}

void CFilter::SetDesignState(DesignState state) {
    designState_ = Checked(state, 3, "design state");
    if (state == DesignState::CANCELLED) {
        resultModified = false;
    }
}

void CFilter::MarkDesigned() {
    if (designState_ == DesignState::CANCELLED) {
        resultModified = false;
        specModified = false;
    } else {
        resultModified = true;
        specModified = true;
        designState_ = DesignState::DESIGNED;
    }
}

void CFilter::ResetCapsEnteredOrder(bool reset) {
    if (reset) {
        capsEnteredOrder_ = 0;
    }
}

std::string CFilter::CharacteristicName() const {
    switch (spec_.characteristic) {
        case Characteristic::BESSEL:
            return "Bessel";
        case Characteristic::BUTTERWORTH:
            return "Butterworth";
        case Characteristic::CHEBYCHEV:
            return "Tschebyscheff";
        case Characteristic::INDIVIDUAL:
            return "Individual";
    }
    return "nicht definiert";
}

std::string CFilter::TypeName(int type) {
    return type >= 0 && type < 4 ? kTypeNames[type] : "";
}

std::string CFilter::StructureName(int structure) {
    return structure >= 0 && structure < 4 ? kStructureNames[structure] : "";
}

void CFilter::StampCreationTime() {
    const std::time_t now = std::time(nullptr);
    std::tm local{};
    if (now == static_cast<std::time_t>(-1) || localtime_r(&now, &local) == nullptr) {
        return;
    }
    creationStamp_ = FormatInt(local.tm_year + 1900) + "-" + TwoDigits(local.tm_mon + 1) + "-" +
                     TwoDigits(local.tm_mday) + " " + TwoDigits(local.tm_hour) + ":" +
                     TwoDigits(local.tm_min);
}

void CFilter::SaveBackup() {
    savedSpec_ = spec_;
    savedStructure_ = structure_;
    savedType_ = type_;
    savedStages_ = stages_;
}

void CFilter::RestoreBackup() {
    spec_ = savedSpec_;
    AssignComponentSlots(savedType_, savedStructure_, HasGainNetwork(GainDb(savedType_)));
    stages_ = savedStages_;
}

void CFilter::SetRealisation(int index, RealisationKind kind, double first, double second,
                             double value) {
    if (index >= 0 && index < static_cast<int>(realisations_.size())) {
        realisations_[index] = Realisation{Checked(kind, 2, "realisation"), first, second, value};
    }
}

const Realisation& CFilter::GetRealisation(int index) const {
    static const Realisation kNone{};
    return index >= 0 && index < static_cast<int>(realisations_.size()) ? realisations_[index]
                                                                        : kNone;
}

void CFilter::FitPlotRangeToScheme() {
    const ToleranceScheme* s = SchemeOfType();
    if (s == nullptr || !(Frequency() > 0.0)) {
        return;
    }
    double low = plotMin_;
    double high = plotMax_;
    const bool band = IsBandScheme(s->type);
    for (const double edge : {s->passEdge, s->stopEdge, band ? s->passEdgeHigh : s->passEdge,
                              band ? s->stopEdgeHigh : s->stopEdge}) {
        low = std::min(low, edge / Frequency() / 1.25);
        high = std::max(high, edge / Frequency() * 1.25);
    }
    SetPlotRange(std::max(low, 0.01), std::min(high, 100.0));
}

bool CFilter::SetPlotRange(double fmin, double fmax) {
    if (!(fmin >= 0.01 && fmin < 1.0 && fmax > 1.0 && fmax <= 100.0)) {
        return false;
    }
    plotMin_ = fmin;
    plotMax_ = fmax;
    return true;
}

}  // namespace vx
