#include "model/range_check.h"

#include <cmath>

namespace vx {

bool OrderAccepted(int order) {
    return order >= kMinOrder && order <= kMaxOrder;
}

bool RippleAccepted(double rippleDb) {
    return rippleDb > 0.0 && rippleDb <= 20.0;
}

double RippleToStore(double typedRippleDb, double storedRippleDb) {
    return std::isnan(typedRippleDb) ? storedRippleDb : typedRippleDb;
}

}  // namespace vx
