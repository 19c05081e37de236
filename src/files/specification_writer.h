#pragma once

#include <filesystem>
#include <optional>
#include <string>

#include "model/user_message.h"

namespace vx {

class CCharacter;
class CFilter;
class COpv;

// A number as the file keeps it: six decimals in exponent form.
double AsWritten(double x);

// The designer line of a file: the name, and ", " and the organisation when there is one.
std::string DesignerText(const std::string& name, const std::string& organisation);

// The file's content: what the user specified, the individual pole data, the stage gains and
// the entered capacitors (plain 8-bit text; the designer text is written in Latin-1).
std::string SpecificationText(const CFilter& filter, const CCharacter& character, const COpv& opv,
                              const std::string& designer);

// Writes the file through a temporary file beside it, so that a failed save leaves the old file
// as it was. Returns the message for the user when the file could not be written.
std::optional<UserMessage> SaveSpecification(const std::filesystem::path& path,
                                             const CFilter& filter, const CCharacter& character,
                                             const COpv& opv, const std::string& designer);

}  // namespace vx
