#pragma once

#include <string>

#include "model/user_message.h"
#include "structures/capacitors/capacitor_choice.h"

namespace vx {

// Tells the user the C2 that the entered C1 and the stage gain give.
inline UserMessage HpMfbC2Notice(double c2) {
    return {"Wert von C2",
            "Aus den vorgegebenen Werten für Verstärkung und C1 ergibt sich :\n\nC2 = " +
                FormatCapacitance(c2)};
}

}  // namespace vx
