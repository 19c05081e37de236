#pragma once

#include <complex>
#include <cstdlib>
#include <utility>
#include <vector>

namespace vx::test {

// A small linear network solved by nodal analysis, independent of the structures' own
// equations: node 0 is ground, node 1 the input driven with 1 V; op-amps are voltage sources
// V(out) = A (V(+) - V(-)) whose output row replaces the sum of currents.
class NodalNetwork {
  public:
    using Complex = std::complex<double>;

    explicit NodalNetwork(int nodes) : nodes_(nodes) {}

    void Admittance(int a, int b, Complex y) { elements_.push_back({a, b, y}); }
    void Resistor(int a, int b, double r) { Admittance(a, b, 1.0 / r); }
    void Capacitor(int a, int b, double c, double w) { Admittance(a, b, Complex(0.0, w * c)); }
    void OpAmp(int plus, int minus, int out, Complex gain) {
        amps_.push_back({plus, minus, out, gain});
    }

    // Voltage of `node` for 1 V at the input.
    Complex Solve(int node) const {
        const int n = nodes_ - 2;  // unknowns: nodes 2..nodes_-1
        std::vector<std::vector<Complex>> m(static_cast<size_t>(n),
                                            std::vector<Complex>(static_cast<size_t>(n + 1)));
        auto add = [&](int row, int col, Complex v) {
            if (row < 2) {
                return;
            }
            if (col == 1) {
                m[static_cast<size_t>(row - 2)][static_cast<size_t>(n)] -= v;  // known 1 V
            } else if (col >= 2) {
                m[static_cast<size_t>(row - 2)][static_cast<size_t>(col - 2)] += v;
            }
        };
        std::vector<bool> driven(static_cast<size_t>(nodes_), false);
        for (const Amp& a : amps_) {
            driven[static_cast<size_t>(a.out)] = true;
        }
        for (const Element& e : elements_) {
            if (!driven[static_cast<size_t>(e.a)]) {
                add(e.a, e.a, e.y);
                add(e.a, e.b, -e.y);
            }
            if (!driven[static_cast<size_t>(e.b)]) {
                add(e.b, e.b, e.y);
                add(e.b, e.a, -e.y);
            }
        }
        for (const Amp& a : amps_) {
            add(a.out, a.out, 1.0);
            add(a.out, a.plus, -a.gain);
            add(a.out, a.minus, a.gain);
        }
        for (int c = 0; c < n; ++c) {
            int pivot = c;
            for (int r = c + 1; r < n; ++r) {
                if (std::abs(m[static_cast<size_t>(r)][static_cast<size_t>(c)]) >
                    std::abs(m[static_cast<size_t>(pivot)][static_cast<size_t>(c)])) {
                    pivot = r;
                }
            }
            std::swap(m[static_cast<size_t>(c)], m[static_cast<size_t>(pivot)]);
            for (int r = 0; r < n; ++r) {
                if (r == c) {
                    continue;
                }
                const Complex f = m[static_cast<size_t>(r)][static_cast<size_t>(c)] /
                                  m[static_cast<size_t>(c)][static_cast<size_t>(c)];
                for (int k = c; k <= n; ++k) {
                    m[static_cast<size_t>(r)][static_cast<size_t>(k)] -=
                        f * m[static_cast<size_t>(c)][static_cast<size_t>(k)];
                }
            }
        }
        if (node == 0) {
            return 0.0;
        }
        if (node == 1) {
            return 1.0;
        }
        const size_t i = static_cast<size_t>(node - 2);
        return m[i][static_cast<size_t>(n)] / m[i][i];
    }

  private:
    struct Element {
        int a;
        int b;
        Complex y;
    };
    struct Amp {
        int plus;
        int minus;
        int out;
        Complex gain;
    };
    int nodes_;
    std::vector<Element> elements_;
    std::vector<Amp> amps_;
};

}  // namespace vx::test
