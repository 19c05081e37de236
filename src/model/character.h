#pragma once

#include <array>

#include "model/filter.h"

// Normalised coefficients of the low-pass prototype, one pair (a, b) of 1 + a s + b s^2 per
// stage; b = 0 for a first-order stage.
namespace vx {

class CCharacter {
  public:
    CCharacter();

    void Clear() { count_ = 0; }
    // Appends a pair while fewer than 15 are held; a further pair is dropped.
    void Add(double a, double b);
    int Count() const { return count_; }
    double A(int i) const;
    double B(int i) const;

    // Each refills the list for order n (1..30). For odd n the first-order pair comes first,
    // then the second-order pairs with rising pole quality.
    void SetBessel(int n);
    void SetButterworth(int n);
    void SetChebyshev(double rippleDb, int n);
    void SetIndividual(int n, bool highPass);
    // The one of the four that `characteristic` names (the ripple counts for Chebyshev only,
    // highPass for the individual characteristic only).
    void Set(Characteristic characteristic, double rippleDb, int n, bool highPass);

    // Pole data the user enters for the individual characteristic (index 0..14).
    std::array<double, kMaxStages> individualQ;
    std::array<double, kMaxStages> individualFrequency;

  private:
    int count_ = 0;
    std::array<double, kMaxStages> a_{};
    std::array<double, kMaxStages> b_{};
};

}  // namespace vx
