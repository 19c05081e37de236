#pragma once

#include "structures/capacitors/capacitor_prompt.h"

class QObject;

namespace vx {

// Hands the capacitor questions of a design on a worker thread to a prompt on the window
// thread, and blocks the worker until the user has answered.
class CRelayedCapacitorPrompt final : public CapacitorPrompt {
  public:
    // `windowObject` lives on the window thread; `target` is used only there.
    CRelayedCapacitorPrompt(QObject* windowObject, CapacitorPrompt& target)
        : windowObject_(windowObject), target_(target) {}

    bool AskCapacitor(const CapacitorRequest& request, double& value) override;
    bool ResolveMismatch(const MismatchRequest& request, double& c1, double& c2) override;
    void Inform(const std::string& caption, const std::string& text) override;

  private:
    template <class F>
    void OnWindowThread(F&& f);

    QObject* windowObject_;
    CapacitorPrompt& target_;
};

}  // namespace vx
