#pragma once

#include <optional>

#include "analysis/noise/noise_study.h"

class QWidget;

namespace vx {

class CDesignRunner;
class CDesignSession;

// The noise and headroom figures of the design on show: the study behind the progress dialog
// (designing the other stage order may take as long as the design itself) and its result, kept
// until the design changes.
class CNoiseFlow {
  public:
    CNoiseFlow(QWidget* window, CDesignSession& session, CDesignRunner& runner);

    // Unattended (a run from the command line): messages go to standard error.
    void SetUnattended(bool unattended) { unattended_ = unattended; }

    // Studies the design with the default settings and keeps the result; false when it was
    // cancelled or failed (the user was told why), and the previous result is gone either way.
    bool Run();
    // A new design: the result is gone.
    void Drop() { study_.reset(); }

    // The study of the last run, or nullptr.
    const NoiseStudy* Result() const { return study_ ? &*study_ : nullptr; }

  private:
    QWidget* window_;
    CDesignSession& session_;
    CDesignRunner& runner_;
    std::optional<NoiseStudy> study_;
    bool unattended_ = false;
};

}  // namespace vx
