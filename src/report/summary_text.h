#pragma once

#include <string>

// The one-paragraph description of a filter that heads every result.
namespace vx {

class CFilter;
class COpv;

enum class SummaryVariant {
    DIALOG,  // "OPV:" of a low-/high-pass on a line of its own; the op-amp with its GBW
    REPORT,  // all on one line, the op-amp by its name
};

std::string SummaryText(const CFilter& filter, const COpv& opv,
                        SummaryVariant variant = SummaryVariant::DIALOG);

// A Chebyshev ripple in dB without its unit: number text from 0.1 on, smaller ripples in
// exponent form so that they do not read as 0.
std::string RippleNumberText(double rippleDb);

// Band edges of a band-pass, placed symmetrically about fm on a linear scale; 0 for other types.
struct BandEdges {
    double lower = 0.0;
    double upper = 0.0;
};
BandEdges BandPassEdges(const CFilter& filter);

}  // namespace vx
