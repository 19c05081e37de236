#include "response/show_fregang.h"

#include <algorithm>

namespace vx {

CShowFregang::CShowFregang(int count) : values_(static_cast<size_t>(count), 0.0) {}

void CShowFregang::Fill(double value) {
    std::fill(values_.begin(), values_.end(), value);
}

void CShowFregang::MultiplyAt(int i, double factor) {
    if (i >= 0 && i < Count()) {
        values_[static_cast<size_t>(i)] *= factor;
    }
}

void CShowFregang::AddAt(int i, double term) {
    if (i >= 0 && i < Count()) {
        values_[static_cast<size_t>(i)] += term;
    }
}

double CShowFregang::GetMinimum() const {
    return values_.empty() ? 0.0 : *std::min_element(values_.begin(), values_.end());
}

double CShowFregang::GetMaximum() const {
    return values_.empty() ? 0.0 : *std::max_element(values_.begin(), values_.end());
}

double CShowFregang::GetDisplayValue(int k) const {
    const int n = Count();
    const int p = displayPoints_;
    if (p < 3 || n < 3) {
        return 0.0;
    }
    if (p == n) {
        return At(k);
    }
    if (k <= 0) {
        return At(0);
    }
    if (k >= p - 1) {
        return At(n - 1);
    }
    const double x = static_cast<double>(k) / (p - 1) * (n - 1);
    const int e = static_cast<int>(x);
    if (linear_) {
        return At(e) + (At(e + 1) - At(e)) * (x - e);
    }
    int first;
    if (e == 0) {
        first = 0;
    } else if (e + 1 == n - 1) {
        first = n - 3;
    } else {
        first = x - e < 0.5 ? e - 1 : e;
    }
    const double x1 = first, x2 = first + 1, x3 = first + 2;
    const double y1 = At(first), y2 = At(first + 1), y3 = At(first + 2);
    const double a = (y1 * (x2 - x3) + y2 * (x3 - x1) + y3 * (x1 - x2)) /
                     ((x2 - x3) * x1 * x1 + (x3 - x1) * x2 * x2 + (x1 - x2) * x3 * x3);
    const double b = (y1 - y2 + (x2 * x2 - x1 * x1) * a) / (x1 - x2);
    const double c = y2 - a * x2 * x2 - b * x2;
    return a * x * x + b * x + c;
}

}  // namespace vx
