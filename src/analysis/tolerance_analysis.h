#pragma once

#include <optional>

#include "analysis/tolerance_result.h"
#include "analysis/tolerance_settings.h"
#include "model/user_message.h"
#include "structures/design_monitor.h"

namespace vx {

class CDesignSession;

enum class ToleranceOutcome {
    DONE,
    CANCELLED,  // the monitor asked to stop; there is no result
    REFUSED,    // nothing designed, or settings out of range: `message` says which
};

struct ToleranceRun {
    ToleranceOutcome outcome = ToleranceOutcome::REFUSED;
    ToleranceResult result;  // when DONE
    std::optional<UserMessage> message;
};

// A Monte Carlo analysis of the designed filter as it will be built: every resistor and
// capacitor of the stored design (and, with a spread, each op-amp's gain-bandwidth product)
// departs from its value as its tolerance allows, run after run, and the response of each run
// is evaluated on the 1501-point response grid of the curves. Run r draws from a random stream
// of its own, derived from the seed and r, so the result is the same for every thread count.
// Also computes the sensitivities of the stages' poles to their components.
//
// A front end may run it on a worker thread: the session must not change meanwhile; `monitor`
// gets the progress (DesignProgress::percent) from the calling thread, every 25 ms, and a
// cancel ends the run within about that time.
class CToleranceAnalysis {
  public:
    CToleranceAnalysis(const CDesignSession& session, const ToleranceSettings& settings)
        : session_(session), settings_(settings) {}

    ToleranceRun Run(DesignMonitor& monitor) const;

  private:
    const CDesignSession& session_;
    ToleranceSettings settings_;
};

}  // namespace vx
