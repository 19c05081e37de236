#pragma once

#include <string>

// The texts of the dimensioning result: the component table per stage and the realisation of
// the band-stop's resistors from two standard values.
namespace vx {

class CFilter;
class COpv;

// Band-stop resistor k + 1 (k = 0, 1) made of two parts; empty when it is a single part.
std::string RealisationText(const CFilter& filter, int k);

// Structure, summary, band-stop realisations, then a tab-separated table of the component
// values of every stage.
std::string DimensioningText(const CFilter& filter, const COpv& opv);

}  // namespace vx
