#pragma once

#include <string>

// The questions a design with entered capacitors asks the user. The desktop application shows
// dialogs; the command line and the tests answer from stored or scripted values.
namespace vx {

struct CapacitorRequest {
    std::string caption;  // "C1", "C2", "C1 = C2", ...
    int stageNumber = 1;  // 1-based
    int stageCount = 1;
    double minimum = 0.0;  // 0 or less: no minimum shown
};

// A stored pair C1, C2 whose ratio C2/C1 is below the minimum ratio the stage needs.
struct MismatchRequest {
    int stageNumber = 1;  // 1-based
    int stageCount = 1;
    double minimumRatio = 0.0;
};

class CapacitorPrompt {
  public:
    virtual ~CapacitorPrompt() = default;
    // `value` holds the proposal (already raised to the minimum); the answer is written back.
    // Returns false when the user cancels. An answer must satisfy CapacitorEntryAccepted.
    virtual bool AskCapacitor(const CapacitorRequest& request, double& value) = 0;
    // Lets the user change c1 and/or c2 until c2/c1 reaches the ratio; false on cancel.
    virtual bool ResolveMismatch(const MismatchRequest& request, double& c1, double& c2) = 0;
    // A notice the user only acknowledges (for example the resulting value of C2).
    virtual void Inform(const std::string& caption, const std::string& text) = 0;
};

}  // namespace vx
