#pragma once

#include <filesystem>
#include <optional>
#include <string>
#include <vector>

#include "model/user_message.h"
#include "spice/parts_list.h"

namespace vx {

// The parts list as CSV: the header "designators,kind,value,series,tolerance,count", then a
// line per row. Designators are separated by blanks; kind is resistor, capacitor or opamp;
// value is the program's text of the value ("4,7 kOhm", "10 nF") or the op-amp's model; series
// is "E24", "stepless" or empty; tolerance reads "1 %" or is empty. A field with a comma or a
// quote is quoted, its quotes doubled.
std::string PartsListCsv(const std::vector<PartsListRow>& rows);

// Writes the design's parts list; a message when the file cannot be written.
std::optional<UserMessage> SavePartsList(const std::filesystem::path& path, const CFilter& filter,
                                         const COpv& opv);

}  // namespace vx
