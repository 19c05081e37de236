#pragma once

#include <span>

// Standard component values of the E-series, held as a position in the series table and a
// decade factor so that a search can step to the neighbouring values.
namespace vx {

// The mantissas 100..999 of a series (12, 24, 48, 96 or 192 values), followed by 1000 and 0.
// Throws std::invalid_argument for any other series number.
std::span<const int> SeriesTable(int series);

// Series number (values per decade) for a ResistorSeries index 0..4.
int SeriesNumber(int seriesIndex);

class StandardValue {
  public:
    // Throws std::invalid_argument when `series` is not 12, 24, 48, 96 or 192.
    explicit StandardValue(int series);
    StandardValue(int series, double x);

    // Rounds the value held again from the last input when the series changes.
    void SetSeries(int series);
    int Series() const { return series_; }

    // Rounds x to the nearest standard value (linear in the mantissa, ties upwards).
    double SetValue(double x);
    double Value() const;
    // One step up or down the series; 0 and no change when the value is 0.
    double Next();
    double Previous();

    int Position() const { return position_; }
    double Factor() const { return factor_; }
    bool HasValue() const { return hasValue_; }

  private:
    int position_ = 0;
    double factor_ = 0.0;
    int series_;
    double lastInput_ = 0.0;
    bool hasValue_ = false;
};

// x rounded to the nearest standard value. A value that is not a finite number has none and
// stays as it is, so that a dimensioning gone out of range can be found by its result.
void RoundToSeries(double& x, int series);
double RoundedToSeries(double x, int series);

}  // namespace vx
