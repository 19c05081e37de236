#pragma once

#include <array>
#include <cmath>
#include <complex>
#include <utility>
#include <vector>

namespace vx::test {

// One two-terminal admittance of a netlist.
struct Branch {
    int p;
    int q;
    std::complex<double> y;
};

// Nodes of an inverting single-op-amp stage: 0 ground, 1 input (driven with 1 V), 2 internal
// node, 3 inverting input, 4 output. The amplifier drives the output to -A times node 3.
constexpr int kGround = 0, kIn = 1, kInternal = 2, kInverting = 3, kOut = 4;

// Output voltage of the netlist, from a plain nodal-analysis solve (Gauss with pivoting).
inline std::complex<double> SolveInvertingStage(const std::vector<Branch>& branches,
                                                std::complex<double> openLoopGain) {
    using C = std::complex<double>;
    // Unknowns V2, V3, V4; column 3 is the right-hand side.
    std::array<std::array<C, 4>, 3> m{};
    for (const Branch& b : branches) {
        for (const auto& [node, other] : {std::pair{b.p, b.q}, std::pair{b.q, b.p}}) {
            if (node != kInternal && node != kInverting) {
                continue;  // the output's current comes from the amplifier
            }
            auto& row = m[static_cast<size_t>(node - 2)];
            row[static_cast<size_t>(node - 2)] += b.y;
            if (other >= kInternal) {
                row[static_cast<size_t>(other - 2)] -= b.y;
            } else if (other == kIn) {
                row[3] += b.y;
            }
        }
    }
    m[2] = {C(0.0), openLoopGain, C(1.0), C(0.0)};  // V4 + A V3 = 0
    for (size_t k = 0; k < 3; ++k) {
        size_t pivot = k;
        for (size_t i = k + 1; i < 3; ++i) {
            if (std::abs(m[i][k]) > std::abs(m[pivot][k])) {
                pivot = i;
            }
        }
        std::swap(m[k], m[pivot]);
        for (size_t i = k + 1; i < 3; ++i) {
            const C f = m[i][k] / m[k][k];
            for (size_t j = k; j < 4; ++j) {
                m[i][j] -= f * m[k][j];
            }
        }
    }
    std::array<C, 3> v{};
    for (size_t k = 3; k-- > 0;) {
        C sum = m[k][3];
        for (size_t j = k + 1; j < 3; ++j) {
            sum -= m[k][j] * v[j];
        }
        v[k] = sum / m[k][k];
    }
    return v[2];
}

// A(jw) = A0 / ((1 + jw T1)(1 + jw T2)).
inline std::complex<double> OpenLoopGain(double a0, double t1, double t2, double w) {
    return a0 /
           ((1.0 + std::complex<double>(0.0, w * t1)) * (1.0 + std::complex<double>(0.0, w * t2)));
}

}  // namespace vx::test
