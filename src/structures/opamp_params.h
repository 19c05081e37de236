#pragma once

#include <complex>

namespace vx {

using Complex = std::complex<double>;

// The amplifier numbers a stage evaluation uses: open-loop gain A0 / ((1 + jw T1)(1 + jw T2)).
struct OpAmpParams {
    double t1 = 0.0;
    double t2 = 0.0;
    double a0 = 1e20;

    // Computations "with an ideal amplifier" use these, not the numbers of the ideal list entry.
    static constexpr OpAmpParams Ideal() { return {0.0, 0.0, 1e20}; }

    // 1 / A(jw) = (1 - w^2 T1 T2 + jw (T1 + T2)) / A0.
    Complex InverseGain(double w) const {
        return Complex(1.0 - w * w * t1 * t2, w * (t1 + t2)) / a0;
    }

    // The same anywhere in the s-plane, for the poles and the time responses.
    Complex InverseGain(Complex s) const { return (1.0 + s * t1) * (1.0 + s * t2) / a0; }

    // Closed-loop gain of a non-inverting amplifier whose feedback divider feeds back the
    // fraction k of the output: 1 / (k + 1/A(jw)), or 1 / (k + 1/A(s)).
    Complex NonInvertingGain(double k, double w) const { return 1.0 / (k + InverseGain(w)); }
    Complex NonInvertingGain(double k, Complex s) const { return 1.0 / (k + InverseGain(s)); }

    bool operator==(const OpAmpParams&) const = default;
};

// The Laplace variable of an evaluation: s = jw on the frequency axis, or a point of the s-plane
// itself.
inline Complex LaplaceOf(double w) {
    return {0.0, w};
}
inline Complex LaplaceOf(Complex s) {
    return s;
}

// Feedback fraction R4 / (R3 + R4) of a gain network; a follower (R3 = 0) feeds back everything.
inline double FeedbackFraction(double rFeedback, double rGround) {
    return rFeedback <= 1e-20 ? 1.0 : rGround / (rFeedback + rGround);
}

}  // namespace vx
