#pragma once

#include <string>

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

// Structure, summary, band-stop realisations, then a tab-separated table of the component
// values of every stage.
std::string DimensioningText(const CFilter& filter, const COpv& opv);

}  // namespace vx
