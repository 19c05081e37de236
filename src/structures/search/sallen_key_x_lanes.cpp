#include "structures/search/sallen_key_x_lanes.h"

#include <cmath>

namespace vx {

namespace {

using Lane = double __attribute__((vector_size(CSallenKeyXLanes::kLanes * sizeof(double))));
using LaneMask = long long __attribute__((vector_size(CSallenKeyXLanes::kLanes * sizeof(double))));

// Where Smith's formula is exact as written: the runtime's complex division computes the same
// formula, scaling its parts by powers of 2 only when they come near the ends of the range of
// doubles, which changes no bit while everything stays far inside it.
bool PlainDivision(double v) {
    const double a = std::fabs(v);
    return a == 0.0 || (a >= 0x1p-200 && a <= 0x1p200);
}

bool All(const LaneMask& m) {
    for (int l = 0; l < CSallenKeyXLanes::kLanes; ++l) {
        if (m[l] == 0) {
            return false;
        }
    }
    return true;
}

// The steps of Errors are always inlined, so that each of its clones runs them with its own
// instruction set; they take and give vectors by reference, which keeps the calling convention
// out of it.

// One candidate's stage numbers per lane.
struct LaneCandidates {
    Lane d1, d2, d3;
    double e1, e2;
};

// H = g / D per lane, the division by Smith's formula where that is exact as written, else by
// the runtime's complex division.
[[gnu::always_inline]] inline void Divide(double gr, double gi, const Lane& dRe, const Lane& dIm,
                                          Lane& hRe, Lane& hIm) {
    Lane absRe{}, absIm{};
    for (int l = 0; l < CSallenKeyXLanes::kLanes; ++l) {
        absRe[l] = std::fabs(dRe[l]);
        absIm[l] = std::fabs(dIm[l]);
    }
    const LaneMask smaller = absRe < absIm;
    const Lane num = smaller ? dRe : dIm;
    const Lane den = smaller ? dIm : dRe;
    const Lane ratio = num / den;
    const Lane denom = num * ratio + den;
    const Lane first = smaller ? Lane{} + gr : Lane{} + gi;
    const Lane second = smaller ? Lane{} + gi : Lane{} + gr;
    hRe = (first * ratio + second) / denom;
    const Lane scaled = second * ratio;
    hIm = (smaller ? scaled - gr : gi - scaled) / denom;

    LaneMask exact =
        (absRe >= 0x1p-200) & (absRe <= 0x1p200) & (absIm >= 0x1p-200) & (absIm <= 0x1p200);
    if (!PlainDivision(gr) || !PlainDivision(gi)) {
        exact = LaneMask{};
    }
    if (!All(exact)) {
        for (int l = 0; l < CSallenKeyXLanes::kLanes; ++l) {
            if (exact[l] == 0) {
                const std::complex<double> h =
                    std::complex<double>(gr, gi) / std::complex<double>(dRe[l], dIm[l]);
                hRe[l] = h.real();
                hIm[l] = h.imag();
            }
        }
    }
}

// |H| per lane by the hypotenuse scaled against overflow and underflow; not finite: |re| + |im|.
[[gnu::always_inline]] inline void Magnitude(const Lane& hRe, const Lane& hIm, Lane& magnitude) {
    Lane re{}, im{}, root{};
    for (int l = 0; l < CSallenKeyXLanes::kLanes; ++l) {
        re[l] = std::fabs(hRe[l]);
        im[l] = std::fabs(hIm[l]);
    }
    const LaneMask finite = (re <= 0x1.fffffffffffffp1023) & (im <= 0x1.fffffffffffffp1023);
    const Lane larger = re < im ? im : re;
    const Lane scale = larger >= 1.0 ? Lane{} + 0.25 : Lane{} + 4.0;
    const Lane x = re * scale, y = im * scale;
    const Lane square = x * x + y * y;
    for (int l = 0; l < CSallenKeyXLanes::kLanes; ++l) {
        root[l] = std::sqrt(square[l]);
    }
    magnitude = finite ? root / scale : re + im;
}

// One point's terms, as H = g / (1 + x (d1 - g e1 + x (d2 - g e2 + x d3))) with complex
// operands: each complex product in full.
[[gnu::always_inline]] inline void Term(const LaneCandidates& c, double xr, double xi, double gr,
                                        double gi, double t, double correction, Lane& result) {
    const Lane bRe = (c.d2 - gr * c.e2) + xr * c.d3;
    const Lane bIm = -(gi * c.e2) + xi * c.d3;
    const Lane aRe = (c.d1 - gr * c.e1) + (xr * bRe - xi * bIm);
    const Lane aIm = -(gi * c.e1) + (xr * bIm + xi * bRe);
    const Lane dRe = (xr * aRe - xi * aIm) + 1.0;
    const Lane dIm = xr * aIm + xi * aRe;
    Lane hRe, hIm, magnitude;
    Divide(gr, gi, dRe, dIm, hRe, hIm);
    Magnitude(hRe, hIm, magnitude);
    const Lane d = (magnitude * correction - t) / t;
    result = d * d;
}

}  // namespace

void CSallenKeyXLanes::AddPoint(std::complex<double> x, std::complex<double> gain, double target) {
    xRe_.push_back(x.real());
    xIm_.push_back(x.imag());
    gRe_.push_back(gain.real());
    gIm_.push_back(gain.imag());
    target_.push_back(target);
}

void CSallenKeyXLanes::SetProbes(const std::array<size_t, kProbes>& probes) {
    probes_ = probes;
    slot_.assign(target_.size(), -1);
    for (size_t i = 0; i < kProbes; ++i) {
        slot_[probes[i]] = static_cast<int>(i);
    }
}

// Vector code for the machine's instruction set, chosen when the program starts; every clone does
// the same IEEE operations.
__attribute__((target_clones("default", "avx2"))) std::array<double, CSallenKeyXLanes::kLanes>
CSallenKeyXLanes::Errors(const Candidates& c, double correction, double bound) const {
    LaneCandidates lanes{{}, {}, {}, c.e1, c.e2};
    LaneMask out{};
    for (int l = 0; l < kLanes; ++l) {
        lanes.d1[l] = c.d1[static_cast<size_t>(l)];
        lanes.d2[l] = c.d2[static_cast<size_t>(l)];
        lanes.d3[l] = c.d3[static_cast<size_t>(l)];
        out[l] = c.live[static_cast<size_t>(l)] ? 0 : -1;
    }
    auto term = [&](size_t k, Lane& result) {
        Term(lanes, xRe_[k], xIm_[k], gRe_[k], gIm_[k], target_[k], correction, result);
    };

    const std::array<double, kLanes> none = {INFINITY, INFINITY, INFINITY, INFINITY};
    std::array<Lane, kProbes> probed{};
    Lane partial{};
    const double probeBound = bound * (1.0 + 1e-9);
    for (size_t i = 0; i < kProbes; ++i) {
        term(probes_[i], probed[i]);
        partial += probed[i];
        out |= partial > probeBound;
        if (All(out)) {
            return none;
        }
    }
    Lane sum{};
    for (size_t k = 0; k < target_.size(); ++k) {
        Lane t{};
        if (slot_[k] >= 0) {
            t = probed[static_cast<size_t>(slot_[k])];
        } else {
            term(k, t);
        }
        sum += t;
        out |= sum > bound;
        if (All(out)) {
            return none;
        }
    }
    std::array<double, kLanes> errors{};
    for (int l = 0; l < kLanes; ++l) {
        errors[static_cast<size_t>(l)] = out[l] != 0 ? INFINITY : sum[l];
    }
    return errors;
}

}  // namespace vx
