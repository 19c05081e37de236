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
    Lane d1{}, d2{}, d3{};
    LaneMask out{};
    for (int l = 0; l < kLanes; ++l) {
        d1[l] = c.d1[static_cast<size_t>(l)];
        d2[l] = c.d2[static_cast<size_t>(l)];
        d3[l] = c.d3[static_cast<size_t>(l)];
        out[l] = c.live[static_cast<size_t>(l)] ? 0 : -1;
    }
    const double e1 = c.e1, e2 = c.e2;

    // One point's terms, as H = g / (1 + x (d1 - g e1 + x (d2 - g e2 + x d3))) with complex
    // operands: each complex product in full, the division by Smith's formula.
    auto term = [&](size_t k, Lane& result) {
        const double xr = xRe_[k], xi = xIm_[k], gr = gRe_[k], gi = gIm_[k], t = target_[k];
        const Lane bRe = (d2 - gr * e2) + xr * d3;
        const Lane bIm = -(gi * e2) + xi * d3;
        const Lane aRe = (d1 - gr * e1) + (xr * bRe - xi * bIm);
        const Lane aIm = -(gi * e1) + (xr * bIm + xi * bRe);
        const Lane dRe = (xr * aRe - xi * aIm) + 1.0;
        const Lane dIm = xr * aIm + xi * aRe;

        Lane absRe{}, absIm{};
        for (int l = 0; l < kLanes; ++l) {
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
        Lane hRe = (first * ratio + second) / denom;
        const Lane scaled = second * ratio;
        Lane hIm = (smaller ? scaled - gr : gi - scaled) / denom;

        LaneMask exact =
            (absRe >= 0x1p-200) & (absRe <= 0x1p200) & (absIm >= 0x1p-200) & (absIm <= 0x1p200);
        if (!PlainDivision(gr) || !PlainDivision(gi)) {
            exact = LaneMask{};
        }
        if (!All(exact)) {
            for (int l = 0; l < kLanes; ++l) {
                if (exact[l] == 0) {
                    const std::complex<double> h =
                        std::complex<double>(gr, gi) / std::complex<double>(dRe[l], dIm[l]);
                    hRe[l] = h.real();
                    hIm[l] = h.imag();
                }
            }
        }

        // |H| by the hypotenuse scaled against overflow and underflow; not finite: |re| + |im|.
        Lane re{}, im{}, root{};
        for (int l = 0; l < kLanes; ++l) {
            re[l] = std::fabs(hRe[l]);
            im[l] = std::fabs(hIm[l]);
        }
        const LaneMask finite = (re <= 0x1.fffffffffffffp1023) & (im <= 0x1.fffffffffffffp1023);
        const Lane larger = re < im ? im : re;
        const Lane scale = larger >= 1.0 ? Lane{} + 0.25 : Lane{} + 4.0;
        const Lane x = re * scale, y = im * scale;
        const Lane square = x * x + y * y;
        for (int l = 0; l < kLanes; ++l) {
            root[l] = std::sqrt(square[l]);
        }
        const Lane magnitude = finite ? root / scale : re + im;
        const Lane d = (magnitude * correction - t) / t;
        result = d * d;
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
