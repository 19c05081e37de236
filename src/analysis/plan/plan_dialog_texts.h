#pragma once

// The texts of the dialog that plans a filter from a tolerance scheme.
namespace vx::plan_text {

inline constexpr const char* kCaption = "Filter aus Toleranzschema planen";
inline constexpr const char* kTypeGroup = "Filtertyp";
inline constexpr const char* kLimitsGroup = "Zusätzliche Grenzen";
inline constexpr const char* kNoLimitNote = "(leer: keine Grenze)";
inline constexpr const char* kPlanButton = "Planen";
inline constexpr const char* kPlanGroup = "Niedrigste Ordnung je Charakteristik";
inline constexpr const char* kPlanNote =
    "Grau: erreicht das Schema nicht; fett: hält die zusätzlichen Grenzen ein.";
inline constexpr const char* kStructureGroup = "Schaltung";
// Closes the plan and opens the input dialog filled with the chosen row.
inline constexpr const char* kTakeButton = "Übernehmen...";

}  // namespace vx::plan_text
