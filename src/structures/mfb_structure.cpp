#include "structures/mfb_structure.h"

#include "structures/capacitor_choice.h"

namespace vx {

bool CMfbStructure::Ask(CapacitorPrompt& prompt, const std::string& caption, double minimum,
                        double& value) const {
    value = CapacitorProposal(value, minimum);
    return prompt.AskCapacitor({caption, currentStage_ + 1, stageCount_, minimum}, value);
}

}  // namespace vx
