#pragma once

#include <array>
#include <string>

#include "model/filter.h"

// The titles, labels and notes of the input dialogs, as the user reads them.
namespace vx {

// "Sallen-Key-Tiefpass", "Sallen-Key-Hochpass 3. Ordnung mit 1 OPV",
// "Tiefpass mit Mehrfachgegenkopplung", ...
std::string HpLpDialogTitle(FilterType type, StructureKind structure);
inline constexpr const char* kBpDialogTitle = "Bandpass mit Mehrfachgegenkopplung";
inline constexpr const char* kBrTtDialogTitle = "Bandsperre mit Doppel-T-Glied";
inline constexpr const char* kPoleDialogTitle =
    "Parameter der individuellen Charakteristik eingeben";
inline constexpr const char* kGainDialogTitle = "Verstärkung der Filterstufen eingeben";
inline constexpr const char* kBandEdgesDialogTitle = "Bandgrenzen des Bandpassfilters eingeben";

// Groups of radio buttons, and their buttons in the order of the enumerations.
inline constexpr const char* kCharacteristicGroup = "Charakteristik";
inline constexpr const char* kCharacteristicGroupBp = "Charakteristik (falls Ordnung >= 4)";
inline constexpr std::array<const char*, 4> kCharacteristicRadios = {
    "Bessel", "Butterworth", "Tschebyscheff", "Individuell"};
inline constexpr const char* kSequenceGroup = "Stufenfolge (falls Ordnung >= 3)";
inline constexpr const char* kSequenceGroupBp = "Stufenfolge (falls Ordnung >= 4)";
inline constexpr std::array<const char*, 2> kSequenceRadios = {"größte Aussteuerbarkeit",
                                                               "geringstes Rauschen"};
inline constexpr const char* kSeriesGroup = "Widerstandswerte";
inline constexpr std::array<const char*, 5> kSeriesRadios = {"E12-Reihe", "E24-Reihe", "E48-Reihe",
                                                             "E96-Reihe", "E192-Reihe"};
inline constexpr const char* kDistributionGroup = "Verteilung der Verstärkung";
inline constexpr std::array<const char*, 2> kDistributionRadios = {
    "Alle Stufen mit gleicher Verstärkung", "Stufenverstärkung abhängig von Q"};
inline constexpr const char* kStageGainsButton = "Verstärkung der Stufen eingeben...";
inline constexpr const char* kCapacitorGroup = "Kapazitätswerte";
inline constexpr std::array<const char*, 2> kCapacitorRadios = {"vorgeben", "optimieren"};
inline constexpr const char* kOpAmpGroup = "Operationsverstärker";
// The standard-value search: its buttons, and the factor only the exhaustive search reads.
inline constexpr const char* kSearchGroup = "Normwertsuche";
inline constexpr const char* kSearchExhaustiveRadio = "alle Kombinationen (beste Werte)";
inline constexpr const char* kSearchNeighboursRadio = "Nachbarwerte";
// After "Nachbarwerte" where every combination was asked for and the circuit has no such search.
inline constexpr const char* kNoCombinationSearch =
    "(alle Kombinationen sucht diese Schaltung nicht)";
inline constexpr const char* kImpedanceWindowLabel = "Impedanzfenster (Faktor) :";
inline constexpr const char* kImpedanceWindowName = "Impedanzfenster";

// Fields.
inline constexpr const char* kRippleLabel = "Welligkeit [dB] :";
inline constexpr const char* kRippleNote = "( > 0, max. 20 )";
inline constexpr const char* kPoleParametersButton = "Parameter eingeben...";
inline constexpr const char* kOrderLabel = "Ordnung (1..30) :";
inline constexpr const char* kOrderLabelBp = "Ordnung (2..30, gerade) :";
inline constexpr const char* kCutoffLabel = "Grenzfrequenz [Hz] :";
inline constexpr const char* kCentreLabel = "Mittenfrequenz [Hz] :";
inline constexpr const char* kBandwidthLabel = "Bandbreite [Hz] :";
inline constexpr const char* kBandEdgesButton = "Bandgrenzen eingeben";
inline constexpr const char* kImpedanceLabel = "Impedanzniveau [Ohm] :";
inline constexpr const char* kInputImpedanceLabel = "Eingangsimpedanz [Ohm] :";
inline constexpr const char* kGainLinearLabel = "Verstärkung :";
inline constexpr const char* kGainDbLabel = "...oder in dB :";
inline constexpr const char* kQualityLabel = "Güte der Unterdrückung :";
inline constexpr const char* kSteplessR2Check = "R2 kein Normwert";

// The third-order structure's option.
inline constexpr const char* kEqualCapacitorsCheck = "Alle Kapazitäten gleich";
inline constexpr const char* kEqualCapacitorsNeed = "Diese Option erfordert: Verstärkung >= 6 dB";
inline constexpr const char* kEqualCapacitorsWarning =
    "Mit dieser Option kann das Ergebnis schlechter sein.";

// The band-stop's gain, which follows from Q.
inline constexpr const char* kBandStopGainNote =
    "Die Verstärkung A ergibt sich aus der Güte Q gemäß :";
inline constexpr const char* kBandStopGainFormula = "A =  20 x log ( 2 - 1 / ( 2 Q ) ) dB";

// The pole data and stage gain dialogs: 15 rows "Stufe 1 :" .. "Stufe 15 :".
std::string StageRowLabel(int stageNumber);
inline constexpr const char* kPoleFrequencyLabel = "Normierte Polfrequenz :";
inline constexpr const char* kPoleFrequencyNote =
    "( Polfrequenz der Stufe, dividiert durch die Nennfrequenz des Gesamtfilters )";
inline constexpr const char* kPoleQualityLabel = "Polgüte Q :";
inline constexpr const char* kStageGainNote = "> 0";
// The fields of a row as a range message names them ("Verstärkung der Stufe 3",
// "Polgüte Q der Stufe 3"), the stage gain with its note as the range.
std::string StageGainFieldName(int stageNumber);
std::string PoleFieldName(bool quality, int stageNumber);
inline constexpr const char* kPoleParameterRange = "> 0";

// The band edges of the band-pass.
inline constexpr const char* kLowerEdgeLabel = "Untere Grenzfrequenz [Hz] :";
inline constexpr const char* kUpperEdgeLabel = "Obere Grenzfrequenz [Hz] :";
inline constexpr const char* kLowerEdgeName = "Untere Grenzfrequenz";
inline constexpr const char* kUpperEdgeName = "Obere Grenzfrequenz";
inline constexpr const char* kBandEdgeRange = "> 0";

}  // namespace vx
