#pragma once

#include <array>
#include <cstdint>
#include <optional>
#include <string>

#include "model/curve_selection.h"
#include "model/filter_rules.h"
#include "model/filter_type.h"
#include "model/spice_settings.h"
#include "model/tolerance_scheme.h"

// The one record that describes the filter being designed and carries its design result.
namespace vx {

enum class StructureKind : int32_t { SALLEN_KEY = 0, SALLEN_KEY_X = 1, MFB = 2, TWIN_T = 3 };
enum class Characteristic : int32_t { BESSEL = 0, BUTTERWORTH = 1, CHEBYCHEV = 2, INDIVIDUAL = 3 };
enum class ResistorSeries : int32_t { E12 = 0, E24 = 1, E48 = 2, E96 = 3, E192 = 4 };
enum class StageSequence : int32_t { HIGH_LEVEL = 0, LOW_NOISE = 1 };
enum class CapacitorMode : int32_t { ENTER = 0, OPTIMIZE = 1 };
enum class GainDistribution : int32_t { EQUAL = 0, EQUAL_GBP = 1, VALUES = 2 };
// How the standard values are searched: around the rounded values (the files of earlier versions
// design so), or every combination within the impedance window.
enum class SearchMethod : int32_t { NEIGHBOURS = 0, EXHAUSTIVE = 1 };
enum class DesignState : int32_t { NONE = 0, SPECIFIED = 1, DESIGNED = 2, CANCELLED = 3 };
enum class ComponentSlot : int32_t { C1 = 0, C2, C3, R1, R2, R3, R4, R5 };

constexpr int kMaxComponents = 8;
constexpr int kAmplitudeMarks = 4;
constexpr int kFrequencyMarks = 6;

// What the user specified; always copied as one unit (the backup copies it whole).
struct SpecificationBlock {
    CapacitorMode capacitorMode = CapacitorMode::OPTIMIZE;
    bool equalCapacitors = false;
    Characteristic characteristic = Characteristic::BESSEL;
    double rippleDb = 1.0;
    ResistorSeries resistorSeries = ResistorSeries::E24;
    StageSequence stageSequence = StageSequence::HIGH_LEVEL;
    double frequency = 1000.0;  // fg for low-/high-pass, fm for band-pass/band-stop
    int32_t opAmp = 0;
    double bandwidth = 100.0;
    double quality = 10.0;
    double impedance = 10000.0;
    double gainDb = 0.0;
    double notchGainDb = 0.0;
    int32_t orderLpHp = 2;
    int32_t orderBpBs = 2;
    bool steplessR2 = false;
    GainDistribution gainDistribution = GainDistribution::EQUAL;
    std::array<double, 16> stageGain = MakeUnitGains();
    SearchMethod search = SearchMethod::NEIGHBOURS;
    // Every resistor of the exhaustive search lies within impedance / window .. impedance * window.
    double impedanceWindow = kDefaultImpedanceWindow;

    bool operator==(const SpecificationBlock&) const = default;

  private:
    static constexpr std::array<double, 16> MakeUnitGains() {
        std::array<double, 16> g{};
        g.fill(1.0);
        return g;
    }
};

struct Component {
    std::string name;
    double value = 0.0;
    bool operator==(const Component&) const = default;
};

struct StageEntry {
    std::array<Component, kMaxComponents> components;
    int32_t count = 0;
    bool operator==(const StageEntry&) const = default;
};

// How the twin-T band-stop realises R1 or R2 from two standard resistors.
enum class RealisationKind : int32_t { SINGLE = 0, PARALLEL = 1, SERIES = 2 };

struct Realisation {
    RealisationKind kind = RealisationKind::SINGLE;
    double first = 0.0;
    double second = 0.0;
    double value = 0.0;
};

struct Mark {
    bool enabled = false;
    double value = 0.0;
};

class CFilter {
  public:
    CFilter();

    // Stores the fields of `block` that belong to `type` (each type remembers its own inputs),
    // then assigns the component slots of the structure. Does not copy stageGain.
    void SetSpecification(const SpecificationBlock& block, StructureKind structure,
                          FilterType type);
    void SetBandRejectSpecification(CapacitorMode capacitorMode, ResistorSeries series, int opAmp,
                                    double frequency, double impedance, double quality);
    void AssignComponentSlots(FilterType type, StructureKind structure, bool gainResistors);

    const SpecificationBlock& Specification() const { return spec_; }
    FilterType Type() const { return type_; }
    StructureKind Structure() const { return structure_; }

    CapacitorMode GetCapacitorMode() const { return spec_.capacitorMode; }
    bool EqualCapacitors() const { return spec_.equalCapacitors; }
    Characteristic GetCharacteristic() const { return spec_.characteristic; }
    double RippleDb() const { return spec_.rippleDb; }
    ResistorSeries GetResistorSeries() const { return spec_.resistorSeries; }
    // Values per decade of the resistor series: 12, 24, 48, 96 or 192.
    int SeriesNumber() const;
    StageSequence GetStageSequence() const { return spec_.stageSequence; }
    double Frequency() const { return spec_.frequency; }
    int OpAmp() const { return spec_.opAmp; }
    // After the op-amp list changed: the same model at its new index.
    void SetOpAmp(int index) { spec_.opAmp = index; }
    double Bandwidth() const { return spec_.bandwidth; }
    double Impedance() const { return spec_.impedance; }
    bool SteplessR2() const { return spec_.steplessR2; }
    SearchMethod GetSearchMethod() const { return spec_.search; }
    // Every combination is searched: asked for, and the structure has that search (the
    // band-pass with a stepless R2 searches the neighbours, the twin-T does not search).
    bool SearchesEveryCombination() const;
    double ImpedanceWindow() const { return spec_.impedanceWindow; }
    // Sets both; the window is taken as given (the input checks keep it within its range).
    void SetSearch(SearchMethod method, double window) {
        spec_.search = method;
        spec_.impedanceWindow = window;
    }
    GainDistribution GetGainDistribution() const { return spec_.gainDistribution; }
    int OrderLpHp() const { return spec_.orderLpHp; }
    int OrderBpBs() const { return spec_.orderBpBs; }

    // Derived values.
    int Order() const;
    int StageCount() const;
    double Quality() const;  // fm / B for a band-pass, the stored quality otherwise
    double GainDb() const { return GainDb(type_); }
    double GainDb(FilterType type) const;
    bool HasGainResistors() const { return HasGainNetwork(GainDb()); }

    // Lowers the total gain of the current type (the band-pass gain limit does this).
    void SetGainDb(double gainDb);
    // Accepts 0..2; other values leave the field unchanged.
    void SetGainDistribution(int distribution);
    double GetStageGain(int stage) const;
    void SetStageGain(int stage, double gain);

    // Stage table; out-of-range indices read as 0 or an empty text, writes are ignored.
    int ComponentCount(int stage) const;
    double ComponentValue(int slot, int stage) const;
    void SetComponentValue(double x, int slot, int stage);
    std::string ComponentName(int stage, int slot) const;
    // Slot number of a named component in the current structure's stage layout.
    int SlotOf(ComponentSlot component) const { return slotMap_[static_cast<int>(component)]; }
    double Value(ComponentSlot component, int stage) const;
    void SetValue(ComponentSlot component, int stage, double x);
    const StageEntry& Stage(int stage) const;

    DesignState GetDesignState() const { return designState_; }
    // Setting CANCELLED also clears resultModified.
    void SetDesignState(DesignState state);
    // End of a design run: a cancelled run clears both modified flags; otherwise both are set
    // and the state becomes DESIGNED.
    void MarkDesigned();

    int CapsEnteredOrder() const { return capsEnteredOrder_; }
    void SetCapsEnteredOrder(int order) { capsEnteredOrder_ = order; }
    void ResetCapsEnteredOrder(bool reset);

    std::string CharacteristicName() const;
    static std::string TypeName(int type);
    static std::string StructureName(int structure);

    // Sets the creation stamp "%d-%02d-%02d %02d:%02d" from the local time.
    void StampCreationTime();
    void SetCreationStamp(std::string stamp) { creationStamp_ = std::move(stamp); }
    const std::string& CreationStamp() const { return creationStamp_; }

    void SaveBackup();
    void RestoreBackup();

    // Twin-T realisation of R1 (index 0) and R2 (index 1).
    void SetRealisation(int index, RealisationKind kind, double first, double second, double value);
    const Realisation& GetRealisation(int index) const;

    // Plot range as factors of the filter frequency; refuses pairs outside
    // 0.01 <= fmin < 1 < fmax <= 100 and then returns false.
    bool SetPlotRange(double fmin, double fmax);
    // Widens the plot range so that it shows every edge of the scheme of the type with a fifth
    // of room around it, within the range's limits; never narrows it.
    void FitPlotRangeToScheme();
    double PlotMin() const { return plotMin_; }
    double PlotMax() const { return plotMax_; }
    CurveSelection Curves() const { return curves_; }
    void SetCurves(CurveSelection curves) { curves_ = curves; }
    std::array<Mark, kAmplitudeMarks> amplitudeMarks{};
    std::array<Mark, kFrequencyMarks> frequencyMarks = MakeFrequencyMarks();

    // Document state.
    bool resultModified = false;
    bool resultUntitled = true;
    bool specModified = false;
    bool specUntitled = true;
    // Set when the band-pass gain limit lowered the total gain; the front end tells the user once.
    bool gainReduced = false;
    std::string documentFolder;
    std::string documentName = "Filter1";

    // The requirement the filter was planned from, if any; it belongs to the type it was
    // stated for and means nothing to another.
    std::optional<ToleranceScheme> scheme;
    // The scheme, when it is one of the current type's.
    const ToleranceScheme* SchemeOfType() const {
        return scheme && scheme->type == type_ ? &*scheme : nullptr;
    }

    // Settings carried in the record.
    SpiceSettings spice;
    bool filterparamsInOutput = false;

  private:
    static std::array<Mark, kFrequencyMarks> MakeFrequencyMarks() {
        std::array<Mark, kFrequencyMarks> m{};
        for (Mark& mark : m) {
            mark.value = -1.0;
        }
        return m;
    }

    std::array<int32_t, kMaxComponents> slotMap_{};
    FilterType type_ = FilterType::LOWPASS;
    SpecificationBlock spec_;
    DesignState designState_ = DesignState::NONE;
    StructureKind structure_ = StructureKind::SALLEN_KEY;
    SpecificationBlock savedSpec_;
    std::array<StageEntry, kMaxStages> stages_{};
    std::array<StageEntry, kMaxStages> savedStages_{};
    StructureKind savedStructure_ = StructureKind::SALLEN_KEY;
    FilterType savedType_ = FilterType::LOWPASS;
    std::string creationStamp_;
    int capsEnteredOrder_ = 0;
    std::array<Realisation, 2> realisations_{};
    double plotMin_ = 0.5;
    double plotMax_ = 2.0;
    CurveSelection curves_;
};

}  // namespace vx
