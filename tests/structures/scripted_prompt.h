#pragma once

#include <deque>
#include <optional>
#include <string>
#include <vector>

#include "structures/capacitors/capacitor_prompt.h"

namespace vx::test {

// Answers capacitor questions from a script; an empty answer cancels.
class ScriptedPrompt : public CapacitorPrompt {
  public:
    std::deque<std::optional<double>> answers;
    // Mismatch repair: new (c1, c2), or nothing to cancel.
    std::deque<std::optional<std::pair<double, double>>> repairs;
    std::vector<CapacitorRequest> asked;
    std::vector<double> proposals;
    std::vector<MismatchRequest> mismatches;
    std::vector<std::string> notices;

    bool AskCapacitor(const CapacitorRequest& request, double& value) override {
        asked.push_back(request);
        proposals.push_back(value);
        if (answers.empty()) {
            return true;  // accept the proposal
        }
        const std::optional<double> answer = answers.front();
        answers.pop_front();
        if (!answer) {
            return false;
        }
        value = *answer;
        return true;
    }

    bool ResolveMismatch(const MismatchRequest& request, double& c1, double& c2) override {
        mismatches.push_back(request);
        if (repairs.empty() || !repairs.front()) {
            return false;
        }
        c1 = repairs.front()->first;
        c2 = repairs.front()->second;
        repairs.pop_front();
        return true;
    }

    void Inform(const std::string& caption, const std::string& text) override {
        notices.push_back(caption + ": " + text);
    }
};

}  // namespace vx::test
