#include "model/bp_input.h"

#include <cmath>

#include "model/character.h"
#include "model/gain_fields.h"
#include "model/number_text.h"

namespace vx {

namespace {

bool InRange(double x, double low, double high) {
    return x >= low && x <= high;
}

}  // namespace

BpInput BpInputFrom(const CFilter& filter) {
    const SpecificationBlock& s = filter.Specification();
    BpInput in;
    in.order = s.orderBpBs;
    in.frequency = s.frequency;
    in.bandwidth = s.bandwidth;
    in.gainDb = s.gainDb;
    in.impedance = s.impedance;
    in.characteristic =
        s.characteristic == Characteristic::INDIVIDUAL ? Characteristic::BESSEL : s.characteristic;
    in.rippleDb = s.rippleDb;
    in.sequence = s.stageSequence;
    in.series = s.resistorSeries;
    in.steplessR2 = s.steplessR2;
    in.distribution = s.gainDistribution == GainDistribution::VALUES ? GainDistribution::EQUAL
                                                                     : s.gainDistribution;
    in.capacitorMode = s.capacitorMode;
    in.opAmp = s.opAmp;
    in.search = SearchInputFrom(filter);
    return in;
}

BandwidthLimits BandPassBandwidthLimits(double centreFrequency, int opAmp) {
    return {opAmp == 0 ? centreFrequency / 200.0 : centreFrequency / 30.0, 10.0 * centreFrequency};
}

std::optional<InputError<BpField>> CheckBpInput(const BpInput& in) {
    RangeChecks<BpField> checks;
    checks.Check(InRange(in.impedance, 1e-9, 1e9), BpField::IMPEDANCE, "Eingangsimpedanz",
                 "1e-9 .. 1e9");
    checks.Check(InRange(in.frequency, 1e-9, 1e9), BpField::FREQUENCY, "Mittenfrequenz",
                 "1e-9 .. 1e9");
    checks.Check(InRange(in.gainDb, kLowestGainDb, 200.0), BpField::GAIN_DB, "Verstärkung",
                 "-100 .. 200 dB");
    // The bandwidth's range follows from the centre frequency: without one it has none, and
    // the centre frequency's message stands.
    if (!std::isnan(in.frequency)) {
        const BandwidthLimits b = BandPassBandwidthLimits(in.frequency, in.opAmp);
        // One percent of slack, so that band edges rounded for display still pass.
        checks.Check(in.bandwidth * 1.01 >= b.minimum && in.bandwidth <= b.maximum * 1.01,
                     BpField::BANDWIDTH, "Bandbreite",
                     FormatValue(b.minimum, false, 4, ValueKind::ANY) + " .. " +
                         FormatValue(b.maximum, false, 4, ValueKind::ANY));
    }
    checks.Check(in.order >= 2 && in.order <= kMaxOrder, BpField::ORDER, "Ordnung", "2 .. 30");
    if (in.characteristic == Characteristic::CHEBYCHEV) {
        checks.Check(RippleAccepted(in.rippleDb), BpField::RIPPLE, "Welligkeit", "> 0, max. 20 dB");
    }
    CheckSearchInput(checks, in.search, BpField::IMPEDANCE_WINDOW);
    if (checks.Result()) {
        return checks.Result();
    }
    if (in.order % 2 != 0) {
        return InputError<BpField>{OddOrderMessage(), BpField::ORDER};
    }
    return std::nullopt;
}

std::optional<InputError<BpField>> AcceptBpInput(BpInput in, CFilter& filter,
                                                 CCharacter& character) {
    if (auto error = CheckBpInput(in)) {
        return error;
    }
    // The band-pass has no individual characteristic.
    if (in.characteristic == Characteristic::INDIVIDUAL) {
        in.characteristic = Characteristic::BESSEL;
    }
    in.rippleDb = RippleToStore(in.rippleDb, filter.Specification().rippleDb);
    character.Set(in.characteristic, in.rippleDb, in.order / 2, false);
    if (in.gainDb > 0.0 && !HasGainNetwork(in.gainDb)) {
        in.gainDb = 0.0;
    }
    SpecificationBlock block = filter.Specification();
    block.capacitorMode = in.capacitorMode;
    block.equalCapacitors = false;
    block.characteristic = in.characteristic;
    block.rippleDb = in.rippleDb;
    block.resistorSeries = in.series;
    block.stageSequence = in.sequence;
    block.frequency = in.frequency;
    block.opAmp = in.opAmp;
    block.bandwidth = in.bandwidth;
    block.impedance = in.impedance;
    block.gainDb = in.gainDb;
    block.orderBpBs = in.order;
    block.steplessR2 = in.steplessR2;
    StoreSearchInput(in.search, block);
    filter.SetSpecification(block, StructureKind::MFB, FilterType::BANDPASS);
    filter.SetGainDistribution(static_cast<int>(
        in.distribution == GainDistribution::VALUES ? GainDistribution::EQUAL : in.distribution));
    return std::nullopt;
}

}  // namespace vx
