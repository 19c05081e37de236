#include "model/br_tt_input.h"

#include <cmath>

#include "model/number_text.h"

namespace vx {

BrTtInput BrTtInputFrom(const CFilter& filter) {
    const SpecificationBlock& s = filter.Specification();
    BrTtInput in;
    in.frequency = s.frequency;
    in.quality = s.quality;
    in.impedance = s.impedance;
    in.series = BandStopOffersSeries(s.resistorSeries) ? s.resistorSeries : ResistorSeries::E24;
    in.capacitorMode = s.capacitorMode;
    in.opAmp = s.opAmp;
    return in;
}

std::string BandStopGainText(double quality) {
    const double gain = quality >= 0.5 ? RoundToTenth(20.0 * std::log10(TwinTGain(quality))) : 0.0;
    return FormatValueNoMilli(gain, false, 4, ValueKind::ANY) + " dB";
}

bool BandStopOffersSeries(ResistorSeries series) {
    return series != ResistorSeries::E12;
}

std::optional<InputError<BrTtField>> CheckBrTtInput(const BrTtInput& in) {
    RangeChecks<BrTtField> checks;
    checks.Check(BandStopOffersSeries(in.series), BrTtField::SERIES, "Widerstandswerte",
                 "E24 .. E192");
    checks.Check(in.impedance >= 1e-9 && in.impedance <= 1e9, BrTtField::IMPEDANCE,
                 "Eingangsimpedanz", "1e-9 .. 1e9");
    checks.Check(in.quality >= 0.5, BrTtField::QUALITY, "Güte", ">= 0.5");
    checks.Check(in.frequency >= 1e-9 && in.frequency <= 1e9, BrTtField::FREQUENCY,
                 "Mittenfrequenz", "1e-9 .. 1e9");
    return checks.Result();
}

std::optional<InputError<BrTtField>> AcceptBrTtInput(const BrTtInput& in, CFilter& filter) {
    if (auto error = CheckBrTtInput(in)) {
        return error;
    }
    filter.SetBandRejectSpecification(in.capacitorMode, in.series, in.opAmp, in.frequency,
                                      in.impedance, in.quality);
    return std::nullopt;
}

}  // namespace vx
