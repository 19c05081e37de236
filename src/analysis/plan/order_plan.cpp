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
// The twin-T's amplifier gain 2 - 1/(2 Q) reaches 1 at Q = 0.5: a follower.
constexpr double kLowestNotchQuality = 0.5;

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

// The prototype's omega at the pass edge when the room the scheme leaves, `ratio` between the
// stop and pass edges in prototype omega, is shared: the pass edge lies as far inside the pass
// band's limit as the stop edge inside the stop band's, in log frequency. Empty when the
// prototype needs more room than `ratio`.
std::optional<double> SharedPassOmega(const Prototype& p, const ToleranceScheme& s, double ratio) {
    const double pass = p.Crossing(s.passAttenuation, 1e-4);
    const double stop = p.Crossing(s.stopAttenuation, pass);
    if (!(stop / pass <= ratio)) {
        return std::nullopt;
    }
    return pass / std::sqrt(ratio / (stop / pass));
}

// |f/fm - fm/f|: the band transformations' distance from the centre.
double Detuning(double f, double fm) {
    return std::abs(f / fm - fm / f);
}

void MarkLimits(const ToleranceScheme& s, PlanRow& row) {
    const bool delay =
        !s.delayVariationPercent || row.delayVariationPercent <= *s.delayVariationPercent;
    const bool overshoot = !s.overshootPercent || row.overshootPercent <= *s.overshootPercent;
    row.meetsLimits = row.order > 0 && delay && overshoot;
}

// A low-pass or high-pass: the scheme as a low-pass, the stop edge a multiple of the pass edge.
PlanRow PlanLowHigh(const ToleranceScheme& s, Characteristic characteristic, double rippleDb) {
    PlanRow row{characteristic, rippleDb};
    const bool high = s.type == FilterType::HIGHPASS;
    const double ratio = high ? s.passEdge / s.stopEdge : s.stopEdge / s.passEdge;
    for (int n = 1; n <= kMaxOrder; ++n) {
        const Prototype p = PrototypeOf(characteristic, rippleDb, n);
        const std::optional<double> omegaPass = SharedPassOmega(p, s, ratio);
        if (!omegaPass) {
            continue;
        }
        row.order = n;
        row.frequency = high ? s.passEdge * *omegaPass : s.passEdge / *omegaPass;
        row.stopMarginDb = p.AttenuationDb(*omegaPass * ratio) - s.stopAttenuation;
        if (!high) {
            row.delayVariationPercent = p.DelayVariationPercent(*omegaPass);
            row.overshootPercent = p.OvershootPercent();
        }
        return row;
    }
    return row;
}

// A band-pass from the low-pass prototype of half its order: Omega = (f/fm - fm/f) fm / B,
// geometrically symmetric about the centre fm. The centre is the pass band's geometric mean, so
// that both pass edges map to the same Omega; the nearer stop edge (in Omega) sets the room.
PlanRow PlanBandPass(const ToleranceScheme& s, Characteristic characteristic, double rippleDb) {
    PlanRow row{characteristic, rippleDb};
    const double fm = std::sqrt(s.passEdge * s.passEdgeHigh);
    const double pass = Detuning(s.passEdge, fm);
    const double ratio = std::min(Detuning(s.stopEdge, fm), Detuning(s.stopEdgeHigh, fm)) / pass;
    for (int n = 1; 2 * n <= kMaxOrder; ++n) {
        const Prototype p = PrototypeOf(characteristic, rippleDb, n);
        const std::optional<double> omegaPass = SharedPassOmega(p, s, ratio);
        if (!omegaPass) {
            continue;
        }
        const double q = *omegaPass / pass;  // fm / B
        row.order = 2 * n;
        row.frequency = fm;
        row.bandwidth = fm / q;
        row.stopMarginDb = p.AttenuationDb(*omegaPass * ratio) - s.stopAttenuation;
        // The band-pass delay is the prototype's at Omega times dOmega/dx = q (1 + 1/x^2).
        double low = INFINITY;
        double high = 0.0;
        for (int k = 0; k <= 400; ++k) {
            const double x = s.passEdge / fm * std::pow(s.passEdgeHigh / s.passEdge, k / 400.0);
            const double t = p.Delay(q * (x - 1.0 / x)) * q * (1.0 + 1.0 / (x * x));
            low = std::min(low, t);
            high = std::max(high, t);
        }
        row.delayVariationPercent = 100.0 * (high - low) / high;
        return row;
    }
    return row;
}

// The twin-T notch |H| = |1 - x^2| / sqrt((1 - x^2)^2 + (x/Q)^2) is the band-stop transform of
// the first-order prototype with Omega = 1 / (Q |x - 1/x|). A larger Q narrows the notch: the
// pass edges want Q large enough, the stop edges small enough; the plan takes the geometric
// mean of both bounds, but at least the twin-T's smallest Q of 0.5.
PlanRow PlanBandStop(const ToleranceScheme& s) {
    PlanRow row{Characteristic::BUTTERWORTH, 0.0};
    const Prototype p = PrototypeOf(Characteristic::BUTTERWORTH, 0.0, 1);
    const double fm = std::sqrt(s.passEdge * s.passEdgeHigh);
    const double passOmega = p.Crossing(s.passAttenuation, 1e-4);
    const double stopOmega = p.Crossing(s.stopAttenuation, passOmega);
    const double stopDetuning = std::max(Detuning(s.stopEdge, fm), Detuning(s.stopEdgeHigh, fm));
    const double lowest = 1.0 / (passOmega * Detuning(s.passEdge, fm));
    const double highest = 1.0 / (stopOmega * stopDetuning);
    if (!(lowest <= highest) || highest < kLowestNotchQuality) {
        return row;
    }
    row.order = 2;
    row.frequency = fm;
    row.quality = std::max(std::sqrt(lowest * highest), kLowestNotchQuality);
    row.stopMarginDb = p.AttenuationDb(1.0 / (row.quality * stopDetuning)) - s.stopAttenuation;
    return row;
}

}  // namespace

double PrototypeAttenuationDb(Characteristic characteristic, double rippleDb, int n, double omega) {
    return PrototypeOf(characteristic, rippleDb, n).AttenuationDb(omega);
}

PlanRow PlanCharacteristic(const ToleranceScheme& scheme, Characteristic characteristic,
                           double rippleDb) {
    PlanRow row;
    switch (scheme.type) {
        case FilterType::BANDREJECT:
            row = PlanBandStop(scheme);
            break;
        case FilterType::BANDPASS:
            row = PlanBandPass(scheme, characteristic, rippleDb);
            break;
        default:
            row = PlanLowHigh(scheme, characteristic, rippleDb);
            break;
    }
    MarkLimits(scheme, row);
    return row;
}

std::vector<PlanRow> PlanOrders(const ToleranceScheme& scheme) {
    if (scheme.type == FilterType::BANDREJECT) {
        return {PlanCharacteristic(scheme, Characteristic::BUTTERWORTH, 0.0)};
    }
    std::vector<PlanRow> rows = {
        PlanCharacteristic(scheme, Characteristic::BESSEL, 0.0),
        PlanCharacteristic(scheme, Characteristic::BUTTERWORTH, 0.0),
        PlanCharacteristic(scheme, Characteristic::CHEBYCHEV, scheme.passAttenuation)};
    for (const double ripple : kPlanRipples) {
        if (ripple < scheme.passAttenuation) {
            rows.push_back(PlanCharacteristic(scheme, Characteristic::CHEBYCHEV, ripple));
        }
    }
    return rows;
}

std::vector<StructureKind> PlanStructures(FilterType type) {
    switch (type) {
        case FilterType::BANDPASS:
            return {StructureKind::MFB};
        case FilterType::BANDREJECT:
            return {StructureKind::TWIN_T};
        default:
            return {StructureKind::SALLEN_KEY, StructureKind::SALLEN_KEY_X, StructureKind::MFB};
    }
}

int OpAmpCount(StructureKind structure, int order) {
    switch (structure) {
        case StructureKind::SALLEN_KEY_X:
            return order == 3 ? 1 : 0;
        case StructureKind::TWIN_T:
            return order == 2 ? 1 : 0;
        default:
            return (order + 1) / 2;
    }
}

SpecificationBlock PlannedSpecification(SpecificationBlock base, FilterType type,
                                        const PlanRow& row) {
    base.characteristic = row.characteristic;
    if (row.characteristic == Characteristic::CHEBYCHEV) {
        base.rippleDb = row.rippleDb;
    }
    base.frequency = row.frequency;
    switch (type) {
        case FilterType::BANDPASS:
            base.orderBpBs = row.order;
            base.bandwidth = row.bandwidth;
            break;
        case FilterType::BANDREJECT:
            base.orderBpBs = row.order;
            base.quality = row.quality;
            break;
        default:
            base.orderLpHp = row.order;
            break;
    }
    return base;
}

}  // namespace vx
