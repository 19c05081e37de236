#include "analysis/plan/order_plan.h"

#include <algorithm>
#include <cmath>
#include <optional>

#include "model/character.h"
#include "response/rational_stage.h"
#include "response/time_response.h"

namespace vx {

namespace {

constexpr int kMaxOrder = 30;

struct Prototype {
    CCharacter character;

    double AttenuationDb(double omega) const {
        double db = 0.0;
        for (int i = 0; i < character.Count(); ++i) {
            const double re = 1.0 - character.B(i) * omega * omega;
            const double im = character.A(i) * omega;
            db += 10.0 * std::log10(re * re + im * im);
        }
        return db;
    }

    // The group delay at omega: a stage's phase atan2(a w, 1 - b w^2) turns at
    // a (1 + b w^2) / ((1 - b w^2)^2 + (a w)^2).
    double Delay(double omega) const {
        double t = 0.0;
        for (int i = 0; i < character.Count(); ++i) {
            const double a = character.A(i);
            const double b = character.B(i);
            const double re = 1.0 - b * omega * omega;
            t += a * (1.0 + b * omega * omega) / (re * re + a * a * omega * omega);
        }
        return t;
    }

    double DelayVariationPercent(double passEdge) const {
        double low = INFINITY;
        double high = 0.0;
        for (int k = 0; k <= 400; ++k) {
            const double t = Delay(passEdge * k / 400.0);
            low = std::min(low, t);
            high = std::max(high, t);
        }
        return 100.0 * (high - low) / high;
    }

    double OvershootPercent() const {
        std::vector<RationalStage> stages;
        for (int i = 0; i < character.Count(); ++i) {
            RationalStage stage;
            stage.numerator = {1.0};
            stage.denominator = {1.0, character.A(i)};
            if (character.B(i) > 0.0) {
                stage.denominator.push_back(character.B(i));
            }
            stage.poles = PolynomialRoots(stage.denominator);
            stages.push_back(std::move(stage));
        }
        // Long enough for the slowest ringing of order 30 to have peaked.
        const std::optional<TimeResponse> r = CascadeTimeResponse(stages, 200.0, 8001);
        return r ? std::max(0.0, r->figures.overshootPercent) : NAN;
    }

    // The first omega from which the attenuation exceeds `db` for good, between a scan of the
    // log axis and bisection: past the pass band every prototype's attenuation rises.
    double Crossing(double db, double from) const {
        const double step = std::pow(10.0, 1.0 / 200.0);
        double low = from;
        double high = from * step;
        // A Chebyshev prototype touches its ripple at the band's peaks: that is within it.
        db += 1e-9;
        while (AttenuationDb(high) <= db) {
            low = high;
            high *= step;
            if (high > 1e8) {
                return INFINITY;
            }
        }
        for (int i = 0; i < 100; ++i) {
            const double mid = std::sqrt(low * high);
            (AttenuationDb(mid) <= db ? low : high) = mid;
        }
        return std::sqrt(low * high);
    }
};

Prototype PrototypeOf(Characteristic characteristic, double rippleDb, int n) {
    Prototype p;
    p.character.Set(characteristic, rippleDb, n, false);
    return p;
}

// The order and placement of one characteristic.
PlanRow Plan(const ToleranceScheme& s, Characteristic characteristic, double rippleDb) {
    PlanRow row{characteristic, rippleDb, 0, 0.0, 0.0};
    const bool high = s.type == FilterType::HIGHPASS;
    // The scheme as a low-pass: the stop edge as a multiple of the pass edge.
    const double ratio = high ? s.passEdge / s.stopEdge : s.stopEdge / s.passEdge;
    for (int n = 1; n <= kMaxOrder; ++n) {
        const Prototype p = PrototypeOf(characteristic, rippleDb, n);
        const double pass = p.Crossing(s.passAttenuation, 1e-4);
        const double stop = p.Crossing(s.stopAttenuation, pass);
        if (!(stop / pass <= ratio)) {
            continue;
        }
        // The room the scheme leaves is shared: the pass edge lies as far inside the pass
        // band's limit as the stop edge inside the stop band's, in log frequency.
        const double slack = std::sqrt(ratio / (stop / pass));
        const double omegaPass = pass / slack;  // where the pass edge falls on the prototype
        row.order = n;
        row.frequency = high ? s.passEdge * omegaPass : s.passEdge / omegaPass;
        row.stopMarginDb = p.AttenuationDb(omegaPass * ratio) - s.stopAttenuation;
        if (!high) {
            row.delayVariationPercent = p.DelayVariationPercent(omegaPass);
            row.overshootPercent = p.OvershootPercent();
        }
        return row;
    }
    return row;
}

}  // namespace

double PrototypeAttenuationDb(Characteristic characteristic, double rippleDb, int n, double omega) {
    return PrototypeOf(characteristic, rippleDb, n).AttenuationDb(omega);
}

std::vector<PlanRow> PlanOrders(const ToleranceScheme& scheme) {
    std::vector<PlanRow> rows = {Plan(scheme, Characteristic::BESSEL, 0.0),
                                 Plan(scheme, Characteristic::BUTTERWORTH, 0.0),
                                 Plan(scheme, Characteristic::CHEBYCHEV, scheme.passAttenuation)};
    for (const double ripple : kPlanRipples) {
        if (ripple < scheme.passAttenuation) {
            rows.push_back(Plan(scheme, Characteristic::CHEBYCHEV, ripple));
        }
    }
    return rows;
}

}  // namespace vx
