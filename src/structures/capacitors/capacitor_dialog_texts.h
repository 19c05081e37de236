#pragma once

#include <string>

// The labels of the capacitor dialogs, as the user reads them.
namespace vx {

// One capacitor of one stage.
inline constexpr const char* kCapacitorValueLabel = "Wert :";
inline constexpr const char* kCapacitorCurrentLabel = "Aktueller Wert :";
inline constexpr const char* kCapacitorMinimumLabel = "Mindestwert :";

// The repair of a stored pair whose ratio is too small.
inline constexpr const char* kMismatchTitle = "Kapazitäten anpassen";

// The editing of every stage's capacitors, ten stages a page.
inline constexpr const char* kEditCapacitorsTitle = "Kapazitäten ändern";
inline constexpr const char* kEditComponentColumn = "Bauteil";
inline constexpr const char* kEditMinimumColumn = "Mindestwert";
inline constexpr const char* kEditCurrentColumn = "Aktueller Wert";
inline constexpr const char* kEditChangeButton = "Ändern";
inline constexpr const char* kEditMoreStagesButton = "Weitere Stufen";
inline constexpr int kEditStagesPerPage = 10;
inline constexpr const char* kThirdOrderCapacitorsSearched =
    "Die Kapazitäten eines Filters 3. Ordnung mit 1 OPV werden immer optimiert und können nicht "
    "vorgegeben werden.";
// "Stufe 3"
std::string EditStageLabel(int stageNumber);

}  // namespace vx
