#include "structures/search/line_screen.h"

#include <algorithm>
#include <cmath>
#include <functional>
#include <utility>
#include <vector>

namespace vx {

void CLineScreen::AddPoint(const Point& point) {
    if (count_ == kMaxPoints) {
        return;
    }
    const size_t k = count_++;
    p0Re_[k] = point.p0.real();
    p0Im_[k] = point.p0.imag();
    p0Abs_[k] = std::abs(point.p0);
    for (size_t j = 0; j < kMaxTerms; ++j) {
        pRe_[j][k] = point.p[j].real();
        pIm_[j][k] = point.p[j].imag();
        pAbs_[j][k] = std::abs(point.p[j]);
        qRe_[j][k] = point.q[j].real();
        qIm_[j][k] = point.q[j].imag();
        qAbs_[j][k] = std::abs(point.q[j]);
    }
    m_[k] = point.m;
    alpha_[k] = point.alpha;
    beta_[k] = point.beta;
    gamma_[k] = point.gamma;
}

void CLineScreen::StartLine(std::span<const double> a, std::span<const double> b, double c) {
    std::copy_n(a.begin(), pTerms_, a_.begin());
    std::copy_n(b.begin(), qTerms_, b_.begin());
    c_ = c;
    prepared_ = 0;
}

// The loops run over arrays of points, which the compiler turns into vector code for the
// instruction set of the machine; the result is a bound with a wide margin, not a stored value.
__attribute__((target_clones("default", "avx2"))) void CLineScreen::Prepare(size_t first,
                                                                            size_t last) {
    std::array<double, kChunk> pRe{}, pIm{}, size{}, qRe{}, qIm{}, qSize{};
    const size_t n = last - first;
    for (size_t i = 0; i < n; ++i) {
        pRe[i] = p0Re_[first + i];
        pIm[i] = p0Im_[first + i];
        size[i] = p0Abs_[first + i];
    }
    for (size_t j = 0; j < pTerms_; ++j) {
        const double aj = a_[j], aAbs = std::fabs(aj);
        for (size_t i = 0; i < n; ++i) {
            pRe[i] += aj * pRe_[j][first + i];
            pIm[i] += aj * pIm_[j][first + i];
            size[i] += aAbs * pAbs_[j][first + i];
        }
    }
    for (size_t j = 0; j < qTerms_; ++j) {
        const double bj = b_[j], bAbs = std::fabs(bj);
        for (size_t i = 0; i < n; ++i) {
            qRe[i] += bj * qRe_[j][first + i];
            qIm[i] += bj * qIm_[j][first + i];
            qSize[i] += bAbs * qAbs_[j][first + i];
        }
    }
    for (size_t i = 0; i < n; ++i) {
        const size_t k = first + i;
        // A q of 0 gives z and |q| of infinity or not a number; the bound of such a point is 0
        // or not a number, which never exceeds the search's bound, so it prunes nothing.
        const double q2 = qRe[i] * qRe[i] + qIm[i] * qIm[i];
        const double inverse = 1.0 / q2;
        zRe_[k] = -(pRe[i] * qRe[i] + pIm[i] * qIm[i]) * inverse;
        zIm_[k] = -(pIm[i] * qRe[i] - pRe[i] * qIm[i]) * inverse;
        qLength_[k] = std::sqrt(q2);
        mLine_[k] = c_ * m_[k];
        slack_[k] = 1e-12 * (size[i] + uMax_ * qSize[i]);
    }
}

void CLineScreen::ScreenUpTo(double uMax) {
    if (uMax != uMax_) {
        uMax_ = uMax;
        prepared_ = 0;
    }
}

void CLineScreen::SetConditions(std::span<const Condition> conditions) {
    conditionCount_ = std::min(conditions.size(), kMaxConditions);
    std::copy_n(conditions.begin(), conditionCount_, conditions_.begin());
}

bool CLineScreen::Unrealisable(double low, double high) const {
    for (size_t i = 0; i < conditionCount_; ++i) {
        const Condition& c = conditions_[i];
        const double aLow = c.a0 + low * c.a1, aHigh = c.a0 + high * c.a1;
        const double bLow = c.b0 + low * c.b1, bHigh = c.b0 + high * c.b1;
        const double cLow = c.c0 + low * c.c1, cHigh = c.c0 + high * c.c1;
        // Far below the rounding of f anywhere in the interval, measured on the magnitudes of
        // its parts, so that parts which nearly cancel keep their room too.
        const double u = std::max(std::fabs(low), std::fabs(high));
        const double margin = 1e-9 * ((std::fabs(c.a0) + u * std::fabs(c.a1)) *
                                          (std::fabs(c.b0) + u * std::fabs(c.b1)) +
                                      std::fabs(c.c0) + u * std::fabs(c.c1));
        if (aLow * bLow + cLow < -margin && aHigh * bHigh + cHigh < -margin) {
            return true;
        }
    }
    return false;
}

__attribute__((target_clones("default", "avx2"))) bool CLineScreen::Exceeds(double low, double high,
                                                                            double limit) {
    // Points in chunks, so that an interval whose first points already exceed the limit costs
    // little; the points come in the order the search added them, the telling ones first, and
    // a line's points are prepared when an interval first needs them.
    double sum = 0.0;
    for (size_t begin = 0; begin < count_; begin += kChunk) {
        const size_t end = std::min(count_, begin + kChunk);
        if (end > prepared_) {
            Prepare(begin, end);
            prepared_ = end;
        }
        std::array<double, kChunk> terms{};
        for (size_t k = begin; k < end; ++k) {
            // Distances of z from the nearest and the farthest u of the interval.
            const double along = std::max(0.0, std::max(low - zRe_[k], zRe_[k] - high));
            const double farAlong = std::max(zRe_[k] - low, high - zRe_[k]);
            const double across2 = zIm_[k] * zIm_[k];
            const double nearest = qLength_[k] * std::sqrt(along * along + across2) - slack_[k];
            const double farthest =
                qLength_[k] * std::sqrt(farAlong * farAlong + across2) + slack_[k];
            // |H| lies between m / farthest and m / nearest; the term is least where |H| alpha
            // comes nearest to beta. A nearest distance not above 0 leaves |H| unlimited: the
            // difference below beta is then clipped to 0.
            const double over = mLine_[k] / farthest * alpha_[k] - beta_[k];
            const double under = beta_[k] - mLine_[k] / std::max(nearest, 1e-300) * alpha_[k];
            const double d = std::max(0.0, std::max(over, under)) * gamma_[k];
            terms[k - begin] = d * d;
        }
        if (fourth_) {
            for (size_t k = begin; k < end; ++k) {
                terms[k - begin] *= terms[k - begin];
            }
        }
        for (size_t k = begin; k < end; ++k) {
            sum += terms[k - begin];
        }
        if (sum > limit) {
            return true;
        }
    }
    return false;
}

void CLineScreen::Keep(int first, int last) {
    for (int i = first; i < last; ++i) {
        kept_[static_cast<size_t>(i) / 64] |= std::uint64_t{1} << (i % 64);
    }
}

IndexRange CLineScreen::Screen(const std::vector<double>& u, double bound) {
    const int size = static_cast<int>(u.size());
    kept_.assign((u.size() + 63) / 64, 0);
    if (!(bound < INFINITY) || count_ == 0 || u.empty()) {
        Keep(0, size);
        return {0, size};
    }
    // u is monotonic: its largest magnitude is at an end.
    ScreenUpTo(std::max(std::fabs(u.front()), std::fabs(u.back())));
    // Room for the rounding of the error and of this bound (relative 1e-6, far above either).
    const double limit = bound * (1.0 + 1e-6) + 1e-300;
    constexpr int kFew = 4;
    int first = size, last = 0;
    std::array<IndexRange, 64> stack{};
    size_t depth = 0;
    stack[depth++] = {0, size};
    while (depth > 0) {
        const IndexRange r = stack[--depth];
        const double a = u[static_cast<size_t>(r.first)];
        const double b = u[static_cast<size_t>(r.last - 1)];
        const double low = std::min(a, b), high = std::max(a, b);
        if (Unrealisable(low, high) || Exceeds(low, high, limit)) {
            continue;
        }
        if (r.last - r.first <= kFew) {
            Keep(r.first, r.last);
            first = std::min(first, r.first);
            last = std::max(last, r.last);
            continue;
        }
        const int middle = (r.first + r.last) / 2;
        // The upper half first, so that the lower one comes off the stack first.
        stack[depth++] = {middle, r.last};
        stack[depth++] = {r.first, middle};
    }
    return first < last ? IndexRange{first, last} : IndexRange{0, 0};
}

IndexRange CLineScreen::ScreenBand(const std::vector<double>& u, double ratio) {
    const int size = static_cast<int>(u.size());
    kept_.assign((u.size() + 63) / 64, 0);
    if (!(ratio < INFINITY) || count_ == 0 || u.empty()) {
        Keep(0, size);
        return {0, size};
    }
    ScreenUpTo(std::max(std::fabs(u.front()), std::fabs(u.back())));
    // The same room for rounding as the sum's.
    const double wide = ratio * (1.0 + 1e-6);
    double low = std::min(u.front(), u.back()), high = std::max(u.front(), u.back());
    // Narrows [low, high] to where point k allows the candidates; false once nothing is left.
    // |H| alpha = m alpha / (|q| |u - z|) must reach beta / wide: |u - z| within a radius; and
    // stay below beta wide: |u - z| beyond a smaller one, which can only trim the ends of the
    // interval. A point without a finite z tells nothing.
    auto narrow = [&](size_t k) {
        if (!std::isfinite(zRe_[k]) || !std::isfinite(zIm_[k]) || !(qLength_[k] > 0.0)) {
            return true;
        }
        const double scale = mLine_[k] * alpha_[k] / beta_[k];
        const double across2 = zIm_[k] * zIm_[k];
        const double outer = (scale * wide + slack_[k]) / qLength_[k];
        if (outer * outer < across2) {
            return false;
        }
        const double reach = std::sqrt(outer * outer - across2);
        low = std::max(low, zRe_[k] - reach);
        high = std::min(high, zRe_[k] + reach);
        const double inner = (scale / wide - slack_[k]) / qLength_[k];
        if (inner > 0.0 && inner * inner > across2) {
            const double hole = std::sqrt(inner * inner - across2);
            if (low > zRe_[k] - hole) {
                low = std::max(low, zRe_[k] + hole);
            }
            if (high < zRe_[k] + hole) {
                high = std::min(high, zRe_[k] - hole);
            }
        }
        return low <= high;
    };
    // Neighbouring lines tend to fail at the same point: it is asked first, on its own.
    if (bandHint_ < count_ && bandHint_ >= prepared_) {
        Prepare(bandHint_, bandHint_ + 1);
        if (!narrow(bandHint_)) {
            return {0, 0};
        }
    }
    for (size_t begin = 0; begin < count_; begin += kChunk) {
        const size_t end = std::min(count_, begin + kChunk);
        if (end > prepared_) {
            Prepare(begin, end);
            prepared_ = end;
        }
        for (size_t k = begin; k < end; ++k) {
            if (!narrow(k)) {
                bandHint_ = k;
                return {0, 0};
            }
        }
    }
    auto [first, last] = IndicesWithin(u, low, high);
    if (first >= last) {
        return {0, 0};
    }
    Keep(first, last);
    // A candidate that cannot be realised never wins: each condition's stretch of the line where
    // it is clearly negative (see Unrealisable) is dropped too. f is convex, so that stretch lies
    // between the roots of f + margin, with the margin taken at the line's largest |u|.
    const double uMax = std::max(std::fabs(u[static_cast<size_t>(first)]),
                                 std::fabs(u[static_cast<size_t>(last - 1)]));
    for (size_t k = 0; k < conditionCount_ && first < last; ++k) {
        const Condition& c = conditions_[k];
        const double margin = 1e-9 * ((std::fabs(c.a0) + uMax * std::fabs(c.a1)) *
                                          (std::fabs(c.b0) + uMax * std::fabs(c.b1)) +
                                      std::fabs(c.c0) + uMax * std::fabs(c.c1));
        const double a = c.a1 * c.b1, b = c.a0 * c.b1 + c.a1 * c.b0 + c.c1;
        const double cc = c.a0 * c.b0 + c.c0 + margin;
        double holeLow = -INFINITY, holeHigh = INFINITY;
        if (a > 0.0) {
            const double disc = b * b - 4.0 * a * cc;
            if (!(disc > 0.0)) {
                continue;
            }
            const double q = -0.5 * (b + std::copysign(std::sqrt(disc), b));
            const double r1 = std::min(q / a, cc / q), r2 = std::max(q / a, cc / q);
            const double room = 1e-9 * (std::fabs(r1) + std::fabs(r2));
            holeLow = r1 + room;
            holeHigh = r2 - room;
        } else if (b > 0.0) {
            holeHigh = -cc / b - 1e-9 * std::fabs(cc / b);
        } else if (b < 0.0) {
            holeLow = -cc / b + 1e-9 * std::fabs(cc / b);
        } else if (!(cc < 0.0)) {
            continue;
        }
        // The candidates strictly inside the hole.
        const auto [from, to] = IndicesWithin(u, std::nextafter(holeLow, INFINITY),
                                              std::nextafter(holeHigh, -INFINITY));
        for (int i = std::max(from, first); i < std::min(to, last); ++i) {
            kept_[static_cast<size_t>(i) / 64] &= ~(std::uint64_t{1} << (i % 64));
        }
        if (from <= first && to > first) {
            first = std::min(to, last);
        }
        if (to >= last && from < last) {
            last = std::max(from, first);
        }
    }
    if (first >= last) {
        return {0, 0};
    }
    return {first, last};
}

IndexRange CLineScreen::IndicesWithin(const std::vector<double>& u, double low, double high) {
    if (u.empty() || !(low <= high)) {
        return {0, 0};
    }
    // u is monotonic: binary searches in its own direction.
    if (u.front() <= u.back()) {
        const auto first = std::lower_bound(u.begin(), u.end(), low);
        const auto last = std::upper_bound(first, u.end(), high);
        return {static_cast<int>(first - u.begin()), static_cast<int>(last - u.begin())};
    }
    const auto first = std::lower_bound(u.begin(), u.end(), high, std::greater<double>());
    const auto last = std::upper_bound(first, u.end(), low, std::greater<double>());
    return {static_cast<int>(first - u.begin()), static_cast<int>(last - u.begin())};
}

bool CLineScreen::Reaches(double low, double high, double bound, int depth) {
    if (!(bound < INFINITY) || count_ == 0) {
        return true;
    }
    ScreenUpTo(std::max(std::fabs(low), std::fabs(high)));
    const double limit = bound * (1.0 + 1e-6) + 1e-300;
    struct Part {
        double low, high;
        int level;
    };
    std::array<Part, 64> stack{};
    size_t size = 0;
    stack[size++] = {low, high, 0};
    while (size > 0) {
        const Part part = stack[--size];
        if (Unrealisable(part.low, part.high) || Exceeds(part.low, part.high, limit)) {
            continue;
        }
        if (part.level >= depth || size + 2 > stack.size()) {
            return true;
        }
        const double middle = 0.5 * (part.low + part.high);
        stack[size++] = {middle, part.high, part.level + 1};
        stack[size++] = {part.low, middle, part.level + 1};
    }
    return false;
}

std::vector<double> LineScreenAxis::Variables(const std::vector<double>& run) const {
    std::vector<double> u;
    u.reserve(run.size());
    for (double value : run) {
        u.push_back(reciprocal ? 1.0 / value : value);
    }
    return u;
}

std::vector<size_t> SpreadOrder(size_t n) {
    std::vector<size_t> order;
    if (n == 0) {
        return order;
    }
    std::vector<bool> taken(n, false);
    auto take = [&](size_t k) {
        if (!taken[k]) {
            taken[k] = true;
            order.push_back(k);
        }
    };
    take(n - 1);
    take(0);
    // Breadth first over the halved intervals.
    std::vector<std::pair<size_t, size_t>> level = {{0, n - 1}};
    while (!level.empty()) {
        std::vector<std::pair<size_t, size_t>> next;
        for (auto [low, high] : level) {
            if (high - low < 2) {
                continue;
            }
            const size_t middle = (low + high) / 2;
            take(middle);
            next.emplace_back(low, middle);
            next.emplace_back(middle, high);
        }
        level = std::move(next);
    }
    return order;
}

}  // namespace vx
