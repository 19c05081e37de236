#include "model/range_check.h"

namespace vx {

bool OrderAccepted(int order) {
    return order >= kMinOrder && order <= kMaxOrder;
}

bool RippleAccepted(double rippleDb) {
    return rippleDb > 0.0 && rippleDb <= 20.0;
}

}  // namespace vx
