#include "model/curve_selection.h"

namespace vx {

int CurveSelection::Bits() const {
    return (filter ? kFilterBit : 0) + (target ? kTargetBit : 0) +
           (traditional ? kTraditionalBit : 0) + (delay ? kDelayBit : 0);
}

CurveSelection CurveSelection::FromBits(int bits) {
    return {(bits & kFilterBit) != 0, (bits & kTargetBit) != 0, (bits & kTraditionalBit) != 0,
            (bits & kDelayBit) != 0};
}

}  // namespace vx
