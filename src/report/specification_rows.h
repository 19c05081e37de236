#pragma once

#include <string>
#include <vector>

// The "Spezifikation" section of the printed and HTML reports: what the user asked for, as
// label and value rows.
namespace vx {

class CFilter;
class COpv;

struct LabelRow {
    std::string label;
    std::string value;
    bool operator==(const LabelRow&) const = default;
};

std::vector<LabelRow> SpecificationRows(const CFilter& filter, const COpv& opv);

// The "Toleranzschema" section after it: the tolerance scheme of the filter's type; no rows,
// and no section, without one.
std::vector<LabelRow> SchemeRows(const CFilter& filter);

}  // namespace vx
