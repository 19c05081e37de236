#pragma once

#include "structures/capacitors/capacitor_prompt.h"

class QWidget;

namespace vx {

// The capacitor questions of a design, answered in the capacitor dialogs on the window thread.
// Unattended (a screenshot run) it answers every question with cancel and writes notices to
// standard error.
class CDialogCapacitorPrompt final : public CapacitorPrompt {
  public:
    explicit CDialogCapacitorPrompt(QWidget* window) : window_(window) {}

    void SetUnattended(bool unattended) { unattended_ = unattended; }

    bool AskCapacitor(const CapacitorRequest& request, double& value) override;
    bool ResolveMismatch(const MismatchRequest& request, double& c1, double& c2) override;
    void Inform(const std::string& caption, const std::string& text) override;

  private:
    // The progress dialog while a design runs, so that the question comes on top of it.
    QWidget* Parent() const;

    QWidget* window_;
    bool unattended_ = false;
};

}  // namespace vx
