#pragma once

#include <cmath>
#include <complex>
#include <utility>

#include "model/character.h"
#include "session/design_session.h"

namespace vx::test {

// A session with a low-pass or high-pass specification filled in, ready to design.
inline void Specify(CDesignSession& session, FilterType type, StructureKind structure,
                    Characteristic characteristic, int order, double frequency, double gainDb,
                    ResistorSeries series, int opAmp = 0,
                    CapacitorMode mode = CapacitorMode::OPTIMIZE) {
    SpecificationBlock block = session.Filter().Specification();
    block.characteristic = characteristic;
    block.rippleDb = 1.0;
    block.orderLpHp = order;
    block.orderBpBs = order;
    block.frequency = frequency;
    block.gainDb = gainDb;
    block.resistorSeries = series;
    block.opAmp = opAmp;
    block.capacitorMode = mode;
    session.Filter().SetSpecification(block, structure, type);
    session.FillCharacteristic();
}

// |1 / prod(1 + a P + b P^2)| of the prototype at the normalised frequency x (P = jx for a
// low-pass, 1/(jx) for a high-pass).
inline double PrototypeMagnitude(const CCharacter& c, double x, bool highPass) {
    const std::complex<double> p =
        highPass ? 1.0 / std::complex<double>(0.0, x) : std::complex<double>(0.0, x);
    std::complex<double> d = 1.0;
    for (int i = 0; i < c.Count(); ++i) {
        d *= 1.0 + c.A(i) * p + c.B(i) * p * p;
    }
    return 1.0 / std::abs(d);
}

// Exposes one stage's steps of a structure so a test can look between them.
template <class Base>
class SearchProbe : public Base {
  public:
    // Rounded error and error after the capacitor search or the resistor search.
    std::pair<double, double> RoundedThenSearched(bool capacitors) {
        this->DesignStage();
        this->StoreTarget();
        this->RoundResistors();
        const double rounded = this->StartSearch();
        if (capacitors) {
            this->SearchCapacitors();
        } else {
            this->SearchResistors();
        }
        return {rounded, this->ResponseError()};
    }
};

// Sum over the curve points of the squared dB difference between two curves.
inline double DbDistance(const CShowFregang& a, const CShowFregang& b) {
    double sum = 0.0;
    for (int i = 0; i < a.Count(); ++i) {
        const double d = 20.0 * std::log10(a.At(i) / b.At(i));
        sum += d * d;
    }
    return sum;
}

}  // namespace vx::test
