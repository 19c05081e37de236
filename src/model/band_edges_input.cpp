#include "model/band_edges_input.h"

#include <cmath>

#include "model/input_dialog_texts.h"
#include "model/input_messages.h"
#include "model/number_text.h"

namespace vx {

namespace {

double AsShown(double x) {
    return ParseValue(BandEdgeText(x));
}

std::string Hz(double x) {
    return FormatValue(x, false, 4, ValueKind::ANY);
}

}  // namespace

std::string BandEdgeText(double hz) {
    // Edges of a centre or bandwidth that is no number leave the field empty, not "nan".
    return std::isnan(hz) ? std::string() : FormatValue(hz, false, 6, ValueKind::ANY);
}

BandEdgePair BandEdgesOf(double centre, double bandwidth) {
    const double h = bandwidth / 2.0;
    const double root = std::sqrt(centre * centre + h * h);
    return {root - h, root + h};
}

std::variant<CentreAndBandwidth, UserMessage> ConvertBandEdges(double lower, double upper) {
    // The later field's message wins, as in the input dialogs.
    if (std::isnan(upper)) {
        return RangeMessage(kUpperEdgeName, kBandEdgeRange);
    }
    if (std::isnan(lower)) {
        return RangeMessage(kLowerEdgeName, kBandEdgeRange);
    }
    const double f1 = AsShown(lower);
    const double f2 = AsShown(upper);
    if (f2 <= f1) {
        return UserMessage{"Eingabefehler",
                           "Die untere Grenzfrequenz muss kleiner als die obere sein."};
    }
    if (f1 <= 0.0) {
        return UserMessage{"Eingabefehler", "Die untere Grenzfrequenz muss > 0 sein."};
    }
    const double fm = std::sqrt(f1 * f2);
    const double b = f2 - f1;
    // The pole Q of the band-pass must lie between 0.1 and 30.
    if (b * 1.01 < fm / 30.0 || b > 10.0 * fm * 1.01) {
        return BandwidthOutOfRangeMessage(Hz(fm), Hz(fm / 30.0), Hz(10.0 * fm));
    }
    return CentreAndBandwidth{fm, b};
}

}  // namespace vx
