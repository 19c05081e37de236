#pragma once

#include <string>
#include <vector>

// The texts of the dimensioning result: the component table per stage and the realisation of
// the band-stop's resistors from two standard values.
namespace vx {

class CFilter;
class COpv;

// Band-stop resistor k + 1 (k = 0, 1) made of two parts; empty when it is a single part.
std::string RealisationText(const CFilter& filter, int k);
// The band-stop's C2, two equal capacitors in parallel.
std::string CapacitorRealisationText(const CFilter& filter);
// Component `k` of stage `stage` (0-based) with its unit; the band-stop's R1 and R2 when made of
// two parts in whole ohms.
std::string ComponentValueText(const CFilter& filter, int stage, int k);

// The dashes under the table's header: so many per column, at most `limit` in all. The
// defaults fit a window whose tab stops are twelve dashes apart.
struct DimensioningSeparator {
    int perColumn = 12;
    int limit = 178;
};
// The separator for a window that measures its font: each column `columnWidth` wide, a dash
// `dashWidth` wide; the dashes span the whole table.
DimensioningSeparator FittedSeparator(int columnWidth, int dashWidth, int columns);

// The table's cells: the header ("Stufe" unless the structure has a single stage, then the
// component names of stage 1) and one row per stage, as the text shows them.
std::vector<std::vector<std::string>> DimensioningCells(const CFilter& filter);

// Structure, summary, band-stop realisations, then a tab-separated table of the component
// values of every stage.
std::string DimensioningText(const CFilter& filter, const COpv& opv,
                             const DimensioningSeparator& separator = {});

}  // namespace vx
