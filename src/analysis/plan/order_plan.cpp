#include "analysis/plan/order_plan.h"

#include <cmath>
#include <optional>

#include "model/character.h"

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
