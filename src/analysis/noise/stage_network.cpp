#include "analysis/noise/stage_network.h"

#include <algorithm>
#include <cmath>

namespace vx {

namespace {

using Complex = std::complex<double>;

// A wire where the record holds an infinite capacitor or a resistor of nothing.
constexpr double kShort = 1e12;

// Solves m x = r for every column of r in place (Gauss with partial pivoting); m is n by n.
void Solve(std::vector<std::vector<Complex>>& m, std::vector<std::vector<Complex>>& r) {
    const size_t n = m.size();
    for (size_t k = 0; k < n; ++k) {
        size_t pivot = k;
        for (size_t i = k + 1; i < n; ++i) {
            if (std::abs(m[i][k]) > std::abs(m[pivot][k])) {
                pivot = i;
            }
        }
        std::swap(m[k], m[pivot]);
        for (auto& column : r) {
            std::swap(column[k], column[pivot]);
        }
        for (size_t i = k + 1; i < n; ++i) {
            const Complex f = m[i][k] / m[k][k];
            for (size_t j = k; j < n; ++j) {
                m[i][j] -= f * m[k][j];
            }
            for (auto& column : r) {
                column[i] -= f * column[k];
            }
        }
    }
    for (auto& column : r) {
        for (size_t k = n; k-- > 0;) {
            Complex sum = column[k];
            for (size_t j = k + 1; j < n; ++j) {
                sum -= m[k][j] * column[j];
            }
            column[k] = sum / m[k][k];
        }
    }
}

}  // namespace

CStageNetwork::CStageNetwork(const StageCircuit& circuit, const CFilter& filter,
                             const TwoPoleModel& opAmp)
    : opAmp_(opAmp) {
    const int stage = circuit.number - 1;
    for (const StagePart& part : circuit.parts) {
        Add(part, filter, stage);
    }
    const StageAmplifier& amp = circuit.amplifier;
    for (const StagePart& part : amp.divider) {
        Add(part, filter, stage);
    }
    switch (amp.kind) {
        case AmplifierKind::FOLLOWER:
            plus_ = Node(amp.n);
            minus_ = Node(StageNode::OUT);
            break;
        case AmplifierKind::GAIN_NETWORK:
        case AmplifierKind::TWIN_T:
            plus_ = Node(amp.n);
            minus_ = Node(amp.m);
            break;
        case AmplifierKind::INVERTING:
            plus_ = kGround;
            minus_ = Node(amp.n);
            break;
    }
}

int CStageNetwork::Node(StageNode node) {
    if (node == StageNode::GND) {
        return kGround;
    }
    if (node == StageNode::IN) {
        return kInput;
    }
    const auto at = std::find(nodes_.begin(), nodes_.end(), node);
    if (at != nodes_.end()) {
        return static_cast<int>(at - nodes_.begin());
    }
    nodes_.push_back(node);
    return static_cast<int>(nodes_.size()) - 1;
}

void CStageNetwork::Add(const StagePart& part, const CFilter& filter, int stage) {
    const bool capacitor = part.slot <= ComponentSlot::C3;
    const double value = filter.Value(part.slot, stage);
    branches_.push_back({Node(part.a), Node(part.b), value, capacitor});
    if (!capacitor) {
        resistorBranches_.push_back(static_cast<int>(branches_.size()) - 1);
        resistors_.push_back({part.designator, value});
    }
}

StageResponse CStageNetwork::At(double omega) const {
    const size_t n = nodes_.size();
    const Complex s(0.0, omega);
    const Complex gain = opAmp_.dcGain / ((1.0 + s * opAmp_.t1) * (1.0 + s * opAmp_.t2));
    std::vector<std::vector<Complex>> m(n, std::vector<Complex>(n));
    // Columns: the input at 1 V, each resistor's unit current, the op-amp's voltage noise, its
    // current into each input.
    const size_t sources = 4 + resistorBranches_.size();
    std::vector<std::vector<Complex>> r(sources, std::vector<Complex>(n));
    // Kirchhoff's current law at every node but the output, whose row is the op-amp's.
    for (const Branch& b : branches_) {
        Complex y;
        if (b.capacitor) {
            y = std::isinf(b.value) ? Complex(kShort) : s * b.value;
        } else {
            y = b.value > 0.0 ? Complex(1.0 / b.value) : Complex(kShort);
        }
        for (const auto& [self, other] : {std::pair(b.a, b.b), std::pair(b.b, b.a)}) {
            if (self <= 0) {
                continue;
            }
            m[self][self] += y;
            if (other >= 0) {
                m[self][other] -= y;
            } else if (other == kInput) {
                r[0][self] += y;
            }
        }
    }
    // v_out - A (v+ - v-) = A e
    m[0][0] += 1.0;
    if (plus_ >= 0) {
        m[0][plus_] -= gain;
    } else if (plus_ == kInput) {
        r[0][0] += gain;
    }
    if (minus_ >= 0) {
        m[0][minus_] += gain;
    }
    r[1][0] = gain;
    if (plus_ > 0) {
        r[2][plus_] = 1.0;
    }
    if (minus_ > 0) {
        r[3][minus_] = 1.0;
    }
    for (size_t k = 0; k < resistorBranches_.size(); ++k) {
        const Branch& b = branches_[static_cast<size_t>(resistorBranches_[k])];
        if (b.a > 0) {
            r[4 + k][static_cast<size_t>(b.a)] += 1.0;
        }
        if (b.b > 0) {
            r[4 + k][static_cast<size_t>(b.b)] -= 1.0;
        }
    }
    Solve(m, r);
    StageResponse out{r[0][0], {}, r[1][0], r[2][0], r[3][0]};
    for (size_t k = 0; k < resistorBranches_.size(); ++k) {
        out.resistors.push_back(r[4 + k][0]);
    }
    return out;
}

}  // namespace vx
