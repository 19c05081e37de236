#pragma once

#include <optional>
#include <string>

// How the results name the standard-value search a design ran.
namespace vx {

class CFilter;

// "alle Kombinationen (beste Werte), Impedanzfenster Faktor 3,16" or "Nachbarwerte"; nothing
// for the twin-T, whose resistors follow from its capacitors without a search.
std::optional<std::string> SearchMethodText(const CFilter& filter);
// The same after "Normwertsuche: " (kSearchGroup), as a line of its own.
std::optional<std::string> SearchMethodLine(const CFilter& filter);

}  // namespace vx
