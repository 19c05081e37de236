#pragma once

#include <string>

#include "model/number_format.h"

// The texts of the result windows, the report's options and its print commands.
namespace vx {

inline constexpr const char* kDimensioningTitle = "Ergebnis - Dimensionierung";
inline constexpr const char* kParametersTitle = "Ergebnis - Filterparameter";
inline constexpr const char* kSchematicTitle = "Schaltbild einer Stufe Ihres Filters";

// "Ergebnis - Optionen": the report option, and the designer named in reports and files.
inline constexpr const char* kResultOptionsTitle = "Ergebnis - Optionen";
inline constexpr const char* kFilterparamsOption =
    "Filterparameter in Ergebnisdatei und Druck aufnehmen";
inline constexpr const char* kDesignerGroup = "Designer";
inline constexpr const char* kDesignerNameLabel = "Name :";
inline constexpr const char* kDesignerOrganisationLabel = "Organisation :";

// Printing the result report.
inline constexpr const char* kResultPageSetupTitle = "Ergebnis-Druckeinrichtung";
inline constexpr const char* kResultPreviewTitle = "Ergebnis - Seitenansicht";
inline constexpr const char* kResultPrintTitle = "Ergebnis drucken";
// The foot of every page of the printed report.
inline std::string PageNumberText(int page, int pages) {
    return "Seite " + FormatInt(page) + " von " + FormatInt(pages);
}

}  // namespace vx
