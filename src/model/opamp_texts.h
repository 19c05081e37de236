#pragma once

#include <array>
#include <string>
#include <string_view>
#include <vector>

#include "model/opamp_data.h"

// What the op-amp list, the input dialogs and the results say of an op-amp model.
namespace vx {

class COpv;

namespace opamp_text {
inline constexpr const char* kListTitle = "Operationsverstärker";
inline constexpr const char* kAddTitle = "Eigenen Operationsverstärker hinzufügen";
inline constexpr const char* kChangeTitle = "Eigenen Operationsverstärker ändern";
inline constexpr const char* kFilterLabel = "Suchen:";
inline constexpr const char* kFilterHint = "Name, Hersteller oder Klasse";
inline constexpr const char* kAddButton = "Hinzufügen...";
inline constexpr const char* kChangeButton = "Ändern...";
inline constexpr const char* kRemoveButton = "Entfernen";
inline constexpr const char* kCloseButton = "Schließen";
inline constexpr const char* kOwnKind = "eigen";
inline constexpr std::array<const char*, 9> kColumns = {
    "Name",         "Hersteller",        "Klasse",     "GBW",   "Phasenreserve",
    "Anstiegsrate", "Rauschen (nV/√Hz)", "Versorgung", "Quelle"};

// The rail-to-rail choices of the form, in the order it offers them.
struct RailToRailChoice {
    RailToRail value;
    const char* text;
};
inline constexpr std::array<RailToRailChoice, 4> kRailToRailChoices = {{
    {RailToRail::NONE, "nein"},
    {RailToRail::INPUT, "Eingang"},
    {RailToRail::OUTPUT, "Ausgang"},
    {RailToRail::BOTH, "Eingang und Ausgang"},
}};
}  // namespace opamp_text

// The list's row of model `index`, a text for each of opamp_text::kColumns; a figure the
// datasheet does not give stays empty. The user's own models are of the class "eigen".
std::vector<std::string> OpAmpRow(const COpv& opv, int index);

// Whether `filter` occurs in the name, the maker or the class of model `index`, ignoring case;
// an empty filter matches every model.
bool OpAmpMatches(const COpv& opv, int index, std::string_view filter);

// The figures one chooses a part by: "GBW 8 MHz, 13 V/µs, 18 nV/√Hz", as far as they are known.
std::string OpAmpFigures(const COpv& opv, int index);

// The name of model `index` with its gain-bandwidth product, "LF411 (GBW 3,97 MHz)"; the ideal
// op-amp by its name alone.
std::string OpAmpNameWithGbw(const COpv& opv, int index);

}  // namespace vx
