#pragma once

#include <string>
#include <variant>

#include "model/user_message.h"

// The band-edge dialog of the band-pass: two edge frequencies become centre and bandwidth.
namespace vx {

struct CentreAndBandwidth {
    double centre;
    double bandwidth;
};

// The edges of a band with centre fm and bandwidth B: f2 - f1 = B and f1 f2 = fm^2.
struct BandEdgePair {
    double lower;
    double upper;
};
BandEdgePair BandEdgesOf(double centre, double bandwidth);
// An edge frequency as the dialog shows it and as its OK reads it: six significant digits.
std::string BandEdgeText(double hz);

// Both edges are rounded to six significant digits first, as the fields show them. An edge
// that is no number (NaN) gets the range message naming its field.
std::variant<CentreAndBandwidth, UserMessage> ConvertBandEdges(double lower, double upper);

}  // namespace vx
