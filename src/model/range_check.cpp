#include "model/range_check.h"

#include <cmath>

#include "model/filter_rules.h"

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

bool ImpedanceWindowAccepted(double window) {
    return window >= kLowestImpedanceWindow && window <= kHighestImpedanceWindow;
}

}  // namespace vx
