#pragma once

#include <cstddef>
#include <string>

// The texts of the design check, in German as the user reads them.
namespace vx::check {

// `deviation` (its size) with its unit, `above` when the final curve lies above the target,
// `frequency` with its unit.
std::string PassBandDeviationMessage(const std::string& deviation, bool above,
                                     const std::string& frequency);
std::string GainBandwidthMessage(int stage, const std::string& opAmp, const std::string& has,
                                 const std::string& needs);
std::string PartRangeMessage(int stage, const std::string& part, const std::string& value,
                             const std::string& low, const std::string& high);
// The search over every combination had to leave the specified impedance window (`asked`) for
// `taken`, or (`taken` empty) found nothing up to the widest and searched the neighbours.
std::string WidenedWindowMessage(int stage, const std::string& asked, const std::string& taken);
std::string NoCombinationMessage(int stage, const std::string& widest);

// The heading over the findings in the result window, the printed report and the HTML page.
inline constexpr const char* kFindingsHeading = "Warnungen zum Entwurf";
// One line for the diagram's corner and the status bar: how many findings there are and where
// they are listed; empty for none.
std::string FindingsSummary(size_t count);

}  // namespace vx::check
