#include "structures/mfb_structure.h"

#include "structures/capacitor_choice.h"

namespace vx {}  // namespace vx
