#pragma once

#include <array>
#include <optional>

#include "model/filter.h"
#include "model/user_message.h"

// The gains per stage that the gain dialog takes (linear, all 15 rows).
namespace vx {

using StageGains = std::array<double, kMaxStages>;

// The first stage whose gain is not above 0; a gain that is no number (NaN) gets the range
// message naming its field.
std::optional<UserMessage> CheckStageGains(const StageGains& gains);
// OK: checks and stores every stage gain; nothing is stored on an error.
std::optional<UserMessage> AcceptStageGains(const StageGains& gains, CFilter& filter);
// A Sallen-Key stage cannot attenuate: the first of the record's first `stages` stage gains
// that is below 1.
std::optional<UserMessage> CheckNonInvertingStageGains(const CFilter& filter, int stages);

}  // namespace vx
