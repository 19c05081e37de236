#include "model/range_check.h"

namespace vx {

bool OrderAccepted(int order) {
    return order >= kMinOrder && order <= kMaxOrder;
}

bool RippleAccepted(double rippleDb) {
    return rippleDb > 0.0 && rippleDb <= 20.0;
}

UserMessage RangeMessage(std::string_view name, std::string_view range) {
    std::string text = "Der Wert des Parameters \"";
    text += name;
    text += "\" liegt außerhalb des zulässigen Bereichs [ ";
    text += range;
    text += " ].\n\n";
    text += kPleaseCorrect;
    return {"Eingabefehler", text};
}

}  // namespace vx
