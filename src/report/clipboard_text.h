#pragma once

#include <string>
#include <vector>

// The result windows' content as plain text for the clipboard (Ctrl+C): tables with
// tab-separated columns, so that a spreadsheet takes them cell by cell.
namespace vx {

class CFilter;
class CFilterStructure;
class COpv;

// The dimensioning text, the search's line and the design check's findings.
std::string DimensioningClipboardText(const CFilter& filter, const COpv& opv,
                                      const std::vector<std::string>& findings);
// The summary above the filter-parameter grid.
std::string ParametersClipboardText(const CFilter& filter, const COpv& opv,
                                    const CFilterStructure& structure);

}  // namespace vx
