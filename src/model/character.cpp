#include "model/character.h"

#include <algorithm>
#include <cmath>
#include <complex>
#include <numbers>
#include <stdexcept>
#include <vector>

#include "model/number_format.h"

namespace vx {

namespace {

constexpr int kMaxOrder = 30;

using Complex = std::complex<long double>;

void CheckOrder(int n) {
    if (n < 1 || n > kMaxOrder) {
        throw std::invalid_argument("filter order " + FormatInt(n) + " outside 1..30");
    }
}

// Unevaluated sum hi + lo of two long doubles: about twice the precision of one. The Bessel
// roots near the real axis of order 30 are so sensitive that plain long double leaves them
// wrong in the fourth digit.
struct Wide {
    long double hi;
    long double lo;
};

Wide QuickTwoSum(long double a, long double b) {
    const long double s = a + b;
    return {s, b - (s - a)};
}

Wide TwoSum(long double a, long double b) {
    const long double s = a + b;
    const long double bb = s - a;
    return {s, (a - (s - bb)) + (b - bb)};
}

// Dekker's exact product; the splitter 2^32 + 1 halves the 64-bit significand.
Wide TwoProduct(long double a, long double b) {
    constexpr long double kSplitter = 4294967297.0L;
    const long double p = a * b;
    const long double ca = kSplitter * a;
    const long double aHi = ca - (ca - a);
    const long double aLo = a - aHi;
    const long double cb = kSplitter * b;
    const long double bHi = cb - (cb - b);
    const long double bLo = b - bHi;
    return {p, ((aHi * bHi - p) + aHi * bLo + aLo * bHi) + aLo * bLo};
}

Wide operator+(Wide x, Wide y) {
    const Wide s = TwoSum(x.hi, y.hi);
    return QuickTwoSum(s.hi, s.lo + x.lo + y.lo);
}

Wide operator-(Wide x) {
    return {-x.hi, -x.lo};
}

Wide operator*(Wide x, Wide y) {
    const Wide p = TwoProduct(x.hi, y.hi);
    return QuickTwoSum(p.hi, p.lo + x.hi * y.lo + x.lo * y.hi);
}

struct WideComplex {
    Wide re;
    Wide im;
};

WideComplex operator+(const WideComplex& x, const WideComplex& y) {
    return {x.re + y.re, x.im + y.im};
}

WideComplex operator*(const WideComplex& x, const WideComplex& y) {
    return {x.re * y.re + -(x.im * y.im), x.re * y.im + x.im * y.re};
}

// The reverse Bessel polynomial theta_n(s) and its derivative by the three-term recurrence
// theta_k = (2k - 1) theta_{k-1} + s^2 theta_{k-2}. The value is carried in Wide precision; the
// derivative only steers the Newton steps and needs no more than long double.
void ReverseBessel(int n, Complex s, Complex& value, Complex& derivative) {
    const Wide x{s.real(), 0.0L};
    const Wide y{s.imag(), 0.0L};
    const WideComplex square{x * x + -(y * y), Wide{2.0L, 0.0L} * x * y};
    WideComplex p0{{1.0L, 0.0L}, {0.0L, 0.0L}};
    WideComplex p1{Wide{s.real(), 0.0L} + Wide{1.0L, 0.0L}, y};
    Complex q0 = 1.0L;
    Complex d0 = 0.0L;
    Complex q1 = s + 1.0L;
    Complex d1 = 1.0L;
    for (int k = 2; k <= n; ++k) {
        const long double c = 2.0L * k - 1.0L;
        const WideComplex p2 = WideComplex{{c, 0.0L}, {0.0L, 0.0L}} * p1 + square * p0;
        const Complex q2 = c * q1 + s * s * q0;
        const Complex d2 = c * d1 + 2.0L * s * q0 + s * s * d0;
        p0 = p1;
        p1 = p2;
        q0 = q1;
        d0 = d1;
        q1 = q2;
        d1 = d2;
    }
    value = Complex(p1.re.hi + p1.re.lo, p1.im.hi + p1.im.lo);
    derivative = d1;
}

// All n roots of theta_n by the Aberth-Ehrlich iteration, then Newton steps to polish each.
std::vector<Complex> ReverseBesselRoots(int n) {
    // theta_n is monic with the constant term (2n)! / (2^n n!), so
    // the geometric mean of the root magnitudes is that constant to the power 1/n.
    long double constant = 1.0L;
    for (int k = n + 1; k <= 2 * n; ++k) {
        constant *= k / 2.0L;
    }
    const long double radius = std::pow(constant, 1.0L / n);
    std::vector<Complex> z(n);
    for (int k = 0; k < n; ++k) {
        // Start on a half circle in the left half-plane, where every root lies.
        const long double angle =
            static_cast<long double>(std::numbers::pi) * (0.5L + (k + 0.5L) / n);
        z[k] = std::polar(radius, angle);
    }
    for (int iteration = 0; iteration < 500; ++iteration) {
        long double largestStep = 0.0L;
        for (int k = 0; k < n; ++k) {
            Complex value;
            Complex derivative;
            ReverseBessel(n, z[k], value, derivative);
            if (value == Complex(0.0L)) {
                continue;
            }
            const Complex ratio = value / derivative;
            Complex repulsion = 0.0L;
            for (int j = 0; j < n; ++j) {
                if (j != k) {
                    repulsion += 1.0L / (z[k] - z[j]);
                }
            }
            const Complex step = ratio / (1.0L - ratio * repulsion);
            z[k] -= step;
            largestStep = std::max(largestStep, std::abs(step) / std::abs(z[k]));
        }
        if (largestStep < 1e-18L) {
            break;
        }
    }
    for (Complex& root : z) {
        for (int step = 0; step < 10; ++step) {
            Complex value;
            Complex derivative;
            ReverseBessel(n, root, value, derivative);
            if (derivative != Complex(0.0L)) {
                root -= value / derivative;
            }
        }
    }
    return z;
}

// Frequency where the product of the stages 1 + a s + b s^2 is 3 dB down; found by bisection on
// ln |1/H(jw)|^2, which rises monotonically for a low-pass prototype without pass-band ripple.
long double ThreeDbFrequency(const std::vector<long double>& a, const std::vector<long double>& b) {
    const auto excess = [&](long double w) {
        long double sum = -std::log(2.0L);
        for (size_t i = 0; i < a.size(); ++i) {
            const long double re = 1.0L - b[i] * w * w;
            const long double im = a[i] * w;
            sum += std::log(re * re + im * im);
        }
        return sum;
    };
    long double low = 0.0L;
    long double high = 1.0L;
    while (excess(high) < 0.0L) {
        low = high;
        high *= 2.0L;
    }
    for (int i = 0; i < 200 && high - low > 0.0L; ++i) {
        const long double mid = 0.5L * (low + high);
        if (mid <= low || mid >= high) {
            break;
        }
        (excess(mid) < 0.0L ? low : high) = mid;
    }
    return 0.5L * (low + high);
}

}  // namespace

CCharacter::CCharacter() {
    individualQ.fill(1.0);
    individualFrequency.fill(1.0);
}

void CCharacter::Add(double a, double b) {
    if (count_ < kMaxStages) {
        a_[count_] = a;
        b_[count_] = b;
        ++count_;
    }
}

double CCharacter::A(int i) const {
    return i >= 0 && i < count_ ? a_[i] : 0.0;
}

double CCharacter::B(int i) const {
    return i >= 0 && i < count_ ? b_[i] : 0.0;
}

void CCharacter::SetBessel(int n) {
    CheckOrder(n);
    Clear();
    // Poles of 1/theta_n(s), which has the maximally flat group delay, as stage polynomials
    // normalised to 1 at s = 0; the real pole of an odd order first.
    std::vector<Complex> roots = ReverseBesselRoots(n);
    std::sort(roots.begin(), roots.end(),
              [](const Complex& x, const Complex& y) { return x.imag() > y.imag(); });
    std::vector<long double> a;
    std::vector<long double> b;
    if (n % 2 == 1) {
        a.push_back(1.0L / std::abs(roots[n / 2].real()));
        b.push_back(0.0L);
    }
    std::vector<Complex> upper(roots.begin(), roots.begin() + n / 2);
    // Rising pole quality is falling |Re p| / |p|.
    std::sort(upper.begin(), upper.end(), [](const Complex& x, const Complex& y) {
        return -x.real() / std::abs(x) > -y.real() / std::abs(y);
    });
    for (const Complex& p : upper) {
        const long double magnitude2 = std::norm(p);
        a.push_back(-2.0L * p.real() / magnitude2);
        b.push_back(1.0L / magnitude2);
    }
    // Moves the 3 dB frequency to Omega = 1: H(s) becomes H(s w3).
    const long double w3 = ThreeDbFrequency(a, b);
    for (size_t i = 0; i < a.size(); ++i) {
        Add(static_cast<double>(a[i] * w3), static_cast<double>(b[i] * w3 * w3));
    }
}

void CCharacter::SetButterworth(int n) {
    CheckOrder(n);
    Clear();
    for (int i = 1; i <= (n + 1) / 2; ++i) {
        if (n % 2 == 1 && i == 1) {
            Add(1.0, 0.0);
            continue;
        }
        const double theta = (n % 2 == 0 ? i - 0.5 : i - 1.0) * std::numbers::pi / n;
        Add(2.0 * std::cos(theta), 1.0);
    }
}

void CCharacter::SetChebyshev(double rippleDb, int n) {
    CheckOrder(n);
    if (!(rippleDb > 0.0)) {
        throw std::invalid_argument("Chebyshev ripple must be positive");
    }
    Clear();
    const double g = std::exp(std::log(10.0) * rippleDb * 0.05);
    const double epsilon = std::sqrt(g * g - 1.0);
    const double x = 1.0 / epsilon;
    const double gamma = std::log(x + std::sqrt(x * x + 1.0)) / n;
    const double coshGamma = std::cosh(gamma);
    const double sinhGamma = std::sinh(gamma);
    for (int i = 1; i <= (n + 1) / 2; ++i) {
        if (n % 2 == 1 && i == 1) {
            // A lone first-order stage has no ripple band; it keeps its corner at Omega = 1.
            Add(n == 1 ? 1.0 : 1.0 / sinhGamma, 0.0);
            continue;
        }
        const double theta = (n % 2 == 0 ? i - 0.5 : i - 1.0) * std::numbers::pi / n;
        const double cosTheta = std::cos(theta);
        const double b = 1.0 / (coshGamma * coshGamma - cosTheta * cosTheta);
        Add(2.0 * b * sinhGamma * cosTheta, b);
    }
}

void CCharacter::SetIndividual(int n, bool highPass) {
    CheckOrder(n);
    Clear();
    for (int k = 0; k < (n + 1) / 2; ++k) {
        const double w = highPass ? 1.0 / individualFrequency[k] : individualFrequency[k];
        if (n % 2 == 1 && k == 0) {
            Add(1.0 / w, 0.0);
        } else {
            Add(1.0 / (w * individualQ[k]), 1.0 / (w * w));
        }
    }
}

void CCharacter::Set(Characteristic characteristic, double rippleDb, int n, bool highPass) {
    switch (characteristic) {
        case Characteristic::BESSEL:
            SetBessel(n);
            return;
        case Characteristic::BUTTERWORTH:
            SetButterworth(n);
            return;
        case Characteristic::CHEBYCHEV:
            SetChebyshev(rippleDb, n);
            return;
        case Characteristic::INDIVIDUAL:
            SetIndividual(n, highPass);
            return;
    }
}

}  // namespace vx
