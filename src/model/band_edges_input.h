#pragma once

#include <variant>

#include "model/user_message.h"

// The band-edge dialog of the band-pass: two edge frequencies become centre and bandwidth.
namespace vx {

struct CentreAndBandwidth {
    double centre;
    double bandwidth;
};

// Both edges are rounded to six significant digits first, as the fields show them.
std::variant<CentreAndBandwidth, UserMessage> ConvertBandEdges(double lower, double upper);

}  // namespace vx
