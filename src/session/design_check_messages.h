#pragma once

#include <string>

// The texts of the design check, in German as the user reads them.
namespace vx::check {

// `deviation` with its unit, `frequency` with its unit.
std::string PassBandDeviationMessage(const std::string& deviation, const std::string& frequency);
std::string GainBandwidthMessage(int stage, const std::string& opAmp, const std::string& has,
                                 const std::string& needs);
std::string PartRangeMessage(int stage, const std::string& part, const std::string& value,
                             const std::string& low, const std::string& high);

}  // namespace vx::check
