#pragma once

#include <optional>
#include <string>

#include "model/filter.h"
#include "model/range_check.h"

// The checks and the OK of the twin-T band-stop input dialog, without the dialog.
namespace vx {

enum class BrTtField { SERIES, IMPEDANCE, QUALITY, FREQUENCY };

struct BrTtInput {
    double frequency = 1000.0;
    double quality = 10.0;
    double impedance = 10000.0;
    ResistorSeries series = ResistorSeries::E24;  // E12 is not offered
    CapacitorMode capacitorMode = CapacitorMode::OPTIMIZE;
    int opAmp = 0;
};

// The dialog opens with E24 in place of a stored E12, which it does not offer.
BrTtInput BrTtInputFrom(const CFilter& filter);
// The band-stop offers the series E24 to E192; a file or a command line that names E12 is
// refused with the range message of "Widerstandswerte".
bool BandStopOffersSeries(ResistorSeries series);
// The read-only gain that follows from Q: "x dB".
std::string BandStopGainText(double quality);

std::optional<InputError<BrTtField>> CheckBrTtInput(const BrTtInput& input);
std::optional<InputError<BrTtField>> AcceptBrTtInput(const BrTtInput& input, CFilter& filter);

}  // namespace vx
