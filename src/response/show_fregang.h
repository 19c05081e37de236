#pragma once

#include <cstddef>
#include <vector>

// One sampled response curve on the logarithmic response grid, resampled to the plot's width.
namespace vx {

constexpr int kCurvePoints = 1501;

class CShowFregang {
  public:
    explicit CShowFregang(int count = kCurvePoints);
    virtual ~CShowFregang() = default;

    int Count() const { return static_cast<int>(values_.size()); }
    void Fill(double value);
    // Indices outside 0..Count()-1 are ignored.
    void MultiplyAt(int i, double factor);
    void AddAt(int i, double term);
    double At(int i) const { return values_[static_cast<std::size_t>(i)]; }
    const std::vector<double>& Values() const { return values_; }

    void SetDisplayPoints(int n) { displayPoints_ = n; }
    int DisplayPoints() const { return displayPoints_; }
    // Linear between samples; otherwise a parabola through three samples (smoother, but it
    // overshoots at a notch, so the band-stop uses linear).
    void SetLinearInterpolation(bool linear) { linear_ = linear; }
    bool LinearInterpolation() const { return linear_; }

    double GetMinimum() const;
    double GetMaximum() const;
    // The curve at display point k, 0 <= k < DisplayPoints().
    double GetDisplayValue(int k) const;

  private:
    std::vector<double> values_;
    bool linear_ = false;
    int displayPoints_ = 0;
};

// The four curves of a design run.
struct ResponseCurves {
    CShowFregang target;
    CShowFregang traditional;
    CShowFregang filter;
    CShowFregang groupDelay;
};

}  // namespace vx
