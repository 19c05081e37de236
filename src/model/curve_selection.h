#pragma once

// Which curves the plot shows after each design. Files and settings store it as the sum of the
// flags' bits; 8 was never a curve.
namespace vx {

struct CurveSelection {
    static constexpr int kFilterBit = 1;
    static constexpr int kTargetBit = 2;
    static constexpr int kTraditionalBit = 4;
    static constexpr int kDelayBit = 16;

    bool filter = true;
    bool target = true;
    bool traditional = true;
    bool delay = false;

    int Bits() const;
    static CurveSelection FromBits(int bits);
    bool operator==(const CurveSelection&) const = default;
};

}  // namespace vx
