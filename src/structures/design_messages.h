#pragma once

#include "model/user_message.h"

// What the design tells the user when a specification the input accepted cannot be realised.
namespace vx {

// A stage whose dimensioning leaves the range of numbers: its capacitors fall below 1 pF, the
// smallest value the series rounding gives.
UserMessage StageNotRealisableMessage(int stageNumber);
// The band-pass gain limit would have to lower the gain below the lowest the input accepts.
UserMessage GainBelowLowestMessage();

}  // namespace vx
