#pragma once

#include <functional>
#include <optional>

#include "analysis/tolerance_result.h"
#include "analysis/tolerance_settings.h"

class QWidget;

namespace vx {

class CDesignRunner;
class CDesignSession;

// The tolerance analysis of the design on show: its settings dialog, the run behind the
// progress dialog, and the result, kept until the design changes.
class CToleranceFlow {
  public:
    CToleranceFlow(QWidget* window, CDesignSession& session, CDesignRunner& runner);

    // Unattended (a run from the command line): messages go to standard error.
    void SetUnattended(bool unattended) { unattended_ = unattended; }
    // Told of the band to draw whenever the result changes; nullptr when there is none.
    void SetBandHook(std::function<void(const ToleranceBand*)> hook) {
        bandHook_ = std::move(hook);
    }

    // The settings dialog; none when it was cancelled.
    std::optional<ToleranceSettings> Ask() const;
    // Runs the analysis behind the progress dialog and keeps its result; false when it was
    // cancelled or failed (the user was told why), and the previous result is gone either way.
    bool Run(const ToleranceSettings& settings);
    // A new design: the result and the settings of the last run are gone.
    void Drop();

    // The result of the last run, or nullptr.
    const ToleranceResult* Result() const { return result_ ? &*result_ : nullptr; }
    // What the dialog proposes: the settings of the last run, or the design's defaults.
    ToleranceSettings Proposal() const;

  private:
    void SetResult(std::optional<ToleranceResult> result);

    QWidget* window_;
    CDesignSession& session_;
    CDesignRunner& runner_;
    std::function<void(const ToleranceBand*)> bandHook_;
    std::optional<ToleranceResult> result_;
    std::optional<ToleranceSettings> lastSettings_;
    bool unattended_ = false;
};

}  // namespace vx
