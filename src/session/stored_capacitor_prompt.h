#pragma once

#include <optional>
#include <string>
#include <vector>

#include "model/user_message.h"
#include "structures/capacitors/capacitor_prompt.h"

namespace vx {

// Answers the capacitor questions of a design with nobody to ask: the stored capacitors are
// used as they are; a capacitor that is not stored, or a stored pair that cannot be realised,
// refuses the entry and leaves the reason in Error().
class StoredCapacitorPrompt final : public CapacitorPrompt {
  public:
    bool AskCapacitor(const CapacitorRequest& request, double& value) override;
    bool ResolveMismatch(const MismatchRequest& request, double& c1, double& c2) override;
    void Inform(const std::string& caption, const std::string& text) override;

    // Why the entry was refused, when it was.
    const std::optional<UserMessage>& Error() const { return error_; }
    // The notices the design gave on the way, in order.
    const std::vector<UserMessage>& Notices() const { return notices_; }

  private:
    std::optional<UserMessage> error_;
    std::vector<UserMessage> notices_;
};

}  // namespace vx
