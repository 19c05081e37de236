#include "response/rational_stage.h"

#include <algorithm>
#include <array>
#include <cmath>
#include <numbers>

namespace vx {

namespace {

using Complex = std::complex<double>;

Complex Horner(const std::vector<double>& c, Complex z) {
    Complex sum = 0.0;
    for (size_t i = c.size(); i-- > 0;) {
        sum = sum * z + c[i];
    }
    return sum;
}

// Minimises |A x - b| for the rows x cols matrix A (row-major, rows >= cols) by Householder
// reflections, after scaling every column to unit length; nothing when a column is left without
// weight (the degree asked for is too high for the data).
std::optional<std::vector<double>> LeastSquares(std::vector<double> a, std::vector<double> b,
                                                size_t rows, size_t cols) {
    std::vector<double> norm(cols, 0.0);
    for (size_t j = 0; j < cols; ++j) {
        for (size_t i = 0; i < rows; ++i) {
            norm[j] += a[i * cols + j] * a[i * cols + j];
        }
        norm[j] = std::sqrt(norm[j]);
        if (!(norm[j] > 0.0)) {
            return std::nullopt;
        }
        for (size_t i = 0; i < rows; ++i) {
            a[i * cols + j] /= norm[j];
        }
    }
    for (size_t k = 0; k < cols; ++k) {
        double length = 0.0;
        for (size_t i = k; i < rows; ++i) {
            length += a[i * cols + k] * a[i * cols + k];
        }
        length = std::sqrt(length);
        if (!(length > 1e-13)) {
            return std::nullopt;
        }
        const double alpha = a[k * cols + k] > 0.0 ? -length : length;
        std::vector<double> v(rows - k);
        for (size_t i = k; i < rows; ++i) {
            v[i - k] = a[i * cols + k];
        }
        v[0] -= alpha;
        double vv = 0.0;
        for (double x : v) {
            vv += x * x;
        }
        auto reflect = [&](auto&& element) {
            double dot = 0.0;
            for (size_t i = k; i < rows; ++i) {
                dot += v[i - k] * element(i);
            }
            const double f = 2.0 * dot / vv;
            for (size_t i = k; i < rows; ++i) {
                element(i) -= f * v[i - k];
            }
        };
        for (size_t j = k; j < cols; ++j) {
            reflect([&](size_t i) -> double& { return a[i * cols + j]; });
        }
        reflect([&](size_t i) -> double& { return b[i]; });
    }
    std::vector<double> x(cols, 0.0);
    for (size_t k = cols; k-- > 0;) {
        double sum = b[k];
        for (size_t j = k + 1; j < cols; ++j) {
            sum -= a[k * cols + j] * x[j];
        }
        x[k] = sum / a[k * cols + k];
    }
    for (size_t j = 0; j < cols; ++j) {
        x[j] /= norm[j];
    }
    return x;
}

// Points of the right half-plane in z, on arcs from below to far above the stage's poles, so
// that amplifier poles decades away leave their mark too.
std::vector<Complex> ArcPoints(std::initializer_list<double> radii, int angles, double offset) {
    std::vector<Complex> points;
    for (double r : radii) {
        for (int k = 0; k < angles; ++k) {
            const double theta = (-80.0 + 160.0 * (k + offset) / (angles - 1 + 2.0 * offset)) *
                                 std::numbers::pi / 180.0;
            points.push_back(std::polar(r, theta));
        }
    }
    return points;
}

// The fit of numerator degree m and denominator degree n: N(z) - H(z) (D(z) - 1) = H(z) at
// every point, each equation divided by its size.
std::optional<RationalStage> FitDegrees(const std::vector<Complex>& z,
                                        const std::vector<Complex>& h, int m, int n) {
    const size_t cols = static_cast<size_t>(m + 1 + n);
    const size_t rows = 2 * z.size();
    std::vector<double> a(rows * cols), b(rows);
    for (size_t k = 0; k < z.size(); ++k) {
        std::vector<Complex> row(cols);
        Complex power = 1.0;
        for (int j = 0; j <= std::max(m, n); ++j) {
            if (j <= m) {
                row[static_cast<size_t>(j)] = power;
            }
            if (j >= 1 && j <= n) {
                row[static_cast<size_t>(m + j)] = -h[k] * power;
            }
            power *= z[k];
        }
        double size = std::abs(h[k]);
        for (const Complex& e : row) {
            size = std::max(size, std::abs(e));
        }
        for (size_t j = 0; j < cols; ++j) {
            a[2 * k * cols + j] = row[j].real() / size;
            a[(2 * k + 1) * cols + j] = row[j].imag() / size;
        }
        b[2 * k] = h[k].real() / size;
        b[2 * k + 1] = h[k].imag() / size;
    }
    const std::optional<std::vector<double>> x =
        LeastSquares(std::move(a), std::move(b), rows, cols);
    if (!x) {
        return std::nullopt;
    }
    RationalStage r;
    r.numerator.assign(x->begin(), x->begin() + m + 1);
    r.denominator = {1.0};
    r.denominator.insert(r.denominator.end(), x->begin() + m + 1, x->end());
    return r;
}

}  // namespace

Complex RationalStage::At(Complex s) const {
    const Complex z = s / scale;
    return Horner(numerator, z) / Horner(denominator, z);
}

std::optional<RationalStage> FitRational(const std::function<Complex(Complex)>& transfer,
                                         double scale) {
    if (!(scale > 0.0) || !std::isfinite(scale)) {
        return std::nullopt;
    }
    auto sample = [&](const std::vector<Complex>& z, std::vector<Complex>& h) {
        h.clear();
        for (const Complex& p : z) {
            h.push_back(transfer(p * scale));
            if (!std::isfinite(h.back().real()) || !std::isfinite(h.back().imag())) {
                return false;
            }
        }
        return true;
    };
    const std::vector<Complex> fitAt = ArcPoints({0.3, 1.0, 3.0, 30.0, 300.0, 3000.0}, 12, 0.0);
    const std::vector<Complex> checkAt = ArcPoints({0.5, 1.7, 10.0, 100.0, 1000.0}, 7, 0.5);
    std::vector<Complex> h, check;
    if (!sample(fitAt, h) || !sample(checkAt, check)) {
        return std::nullopt;
    }
    double largest = 0.0;
    for (const Complex& c : check) {
        largest = std::max(largest, std::abs(c));
    }
    for (int n = 1; n <= kMaxFitDegree; ++n) {
        for (int m = 0; m <= n; ++m) {
            std::optional<RationalStage> r = FitDegrees(fitAt, h, m, n);
            if (!r || r->denominator.back() == 0.0) {
                continue;
            }
            r->scale = 1.0;
            bool agrees = true;
            for (size_t k = 0; k < checkAt.size() && agrees; ++k) {
                const double error = std::abs(r->At(checkAt[k]) - check[k]);
                agrees = error <= 1e-9 * std::abs(check[k]) + 1e-12 * largest;
            }
            if (!agrees) {
                continue;
            }
            r->scale = scale;
            for (const Complex& root : PolynomialRoots(r->denominator)) {
                r->poles.push_back(root * scale);
            }
            return r;
        }
    }
    return std::nullopt;
}

std::vector<Complex> PolynomialRoots(const std::vector<double>& coefficients) {
    const int n = static_cast<int>(coefficients.size()) - 1;
    std::vector<Complex> roots;
    if (n < 1) {
        return roots;
    }
    std::vector<double> derivative(static_cast<size_t>(n));
    for (int i = 1; i <= n; ++i) {
        derivative[static_cast<size_t>(i - 1)] = i * coefficients[static_cast<size_t>(i)];
    }
    // Aberth's simultaneous iteration from points spread over a circle of the roots' mean size,
    // then Newton's on each root alone.
    const double radius = std::pow(std::fabs(coefficients.front() / coefficients.back()), 1.0 / n);
    for (int i = 0; i < n; ++i) {
        roots.push_back(std::polar(radius, 2.0 * std::numbers::pi * (i + 0.25) / n + 0.4));
    }
    for (int iteration = 0; iteration < 1000; ++iteration) {
        double largestStep = 0.0;
        for (size_t i = 0; i < roots.size(); ++i) {
            const Complex ratio = Horner(coefficients, roots[i]) / Horner(derivative, roots[i]);
            Complex sum = 0.0;
            for (size_t j = 0; j < roots.size(); ++j) {
                if (j != i) {
                    sum += 1.0 / (roots[i] - roots[j]);
                }
            }
            const Complex step = ratio / (1.0 - ratio * sum);
            if (std::isfinite(step.real()) && std::isfinite(step.imag())) {
                roots[i] -= step;
                largestStep = std::max(largestStep, std::abs(step) / std::abs(roots[i]));
            }
        }
        if (largestStep < 1e-15) {
            break;
        }
    }
    for (Complex& root : roots) {
        for (int i = 0; i < 3; ++i) {
            const Complex step = Horner(coefficients, root) / Horner(derivative, root);
            if (std::isfinite(step.real()) && std::isfinite(step.imag())) {
                root -= step;
            }
        }
        if (std::fabs(root.imag()) <= 1e-12 * std::abs(root)) {
            root = root.real();
        }
    }
    return roots;
}

}  // namespace vx
