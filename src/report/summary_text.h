#pragma once

#include <string>

// The one-paragraph description of a filter that heads every result.
namespace vx {

class CFilter;
class COpv;

enum class SummaryVariant {
    DIALOG,  // "OPV:" of a low-/high-pass on a line of its own
    REPORT,  // all on one line
};

std::string SummaryText(const CFilter& filter, const COpv& opv,
                        SummaryVariant variant = SummaryVariant::DIALOG);

// Band edges of a band-pass, placed symmetrically about fm on a linear scale; 0 for other types.
struct BandEdges {
    double lower = 0.0;
    double upper = 0.0;
};
BandEdges BandPassEdges(const CFilter& filter);

}  // namespace vx
