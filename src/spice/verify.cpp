#include "spice/verify.h"

#include <algorithm>
#include <cmath>
#include <numbers>

#include "model/number_format.h"
#include "session/design_session.h"
#include "session/design_session_messages.h"
#include "spice/ngspice_sweep.h"
#include "spice/spice_messages.h"

namespace vx {

SpiceVerification CompareWithDesign(CFilterStructure& structure,
                                    const std::vector<double>& frequencies,
                                    const std::vector<double>& simulated) {
    std::vector<double> computed;
    computed.reserve(frequencies.size());
    double peak = 0.0;
    for (const double f : frequencies) {
        computed.push_back(structure.StoredMagnitude(2.0 * std::numbers::pi * f));
        peak = std::max(peak, computed.back());
    }
    const double floor = peak * std::pow(10.0, -kVerifyFloorDb / 20.0);
    SpiceVerification result;
    for (size_t k = 0; k < computed.size() && k < simulated.size(); ++k) {
        if (computed[k] <= floor) {
            continue;
        }
        const double deviation = std::fabs(20.0 * std::log10(simulated[k] / computed[k]));
        ++result.points;
        if (!(deviation <= result.maxDeviationDb)) {
            result.maxDeviationDb = deviation;
            result.worstFrequency = frequencies[k];
        }
    }
    return result;
}

std::variant<SpiceVerification, UserMessage> VerifyWithNgspice(CDesignSession& session,
                                                               const SpiceSettings& settings) {
    CFilterStructure* structure = session.Current();
    if (structure == nullptr || session.Filter().GetDesignState() != DesignState::DESIGNED) {
        return NoDesignMessage(spice_text::kCaptionCheck);
    }
    std::variant<AcSweep, UserMessage> run =
        RunNgspiceAc(session.Filter(), session.OpAmps(), settings, {kNgspiceMagnitude});
    if (auto* failure = std::get_if<UserMessage>(&run)) {
        return *failure;
    }
    const AcSweep& sweep = std::get<AcSweep>(run);
    const SpiceVerification result =
        CompareWithDesign(*structure, sweep.frequencies, sweep.values[0]);
    if (result.points == 0) {
        return spice_text::NothingToCompareMessage(kVerifyFloorDb);
    }
    return result;
}

}  // namespace vx
