#pragma once

#include <string>
#include <variant>
#include <vector>

#include "model/spice_settings.h"
#include "model/user_message.h"

namespace vx {

class CFilter;
class COpv;
enum class SpiceMode : int;

// The simulator's frequencies and, for each of them, one value per expression asked for.
struct AcSweep {
    std::vector<double> frequencies;          // Hz, rising
    std::vector<std::vector<double>> values;  // values[e][k]: expression e at frequencies[k]
};

// Group delay in seconds at the output, as an ngspice expression: -d(phase)/d(omega).
inline constexpr const char* kNgspiceGroupDelay = "-deriv(cph(v(\"0ut\")))/(2*pi)";
// Magnitude at the output as a ratio.
inline constexpr const char* kNgspiceMagnitude = "mag(v(\"0ut\"))";

// Writes the AC netlist of the design (the linear amplitude analysis of the Spice menu, over the
// plot range) into a scratch folder of its own, runs settings.command (ngspice) on it in batch
// mode and reads back the ngspice expressions, for example kNgspiceMagnitude. The files of the
// Spice menu in settings.tmpPath are never touched.
std::variant<AcSweep, UserMessage> RunNgspiceAc(const CFilter& filter, const COpv& opv,
                                                const SpiceSettings& settings,
                                                const std::vector<std::string>& expressions);
// The same for any analysis of the Spice menu; for the step response the "frequencies" are the
// simulator's times in seconds.
std::variant<AcSweep, UserMessage> RunNgspice(const CFilter& filter, const COpv& opv,
                                              const SpiceSettings& settings, SpiceMode mode,
                                              const std::vector<std::string>& expressions);

// ngspice's noise analysis of the AC netlist from `low` to `high` Hz: the output noise density
// in V/rtHz ("onoise_spectrum") and then the expressions, at `perDecade` points a decade.
std::variant<AcSweep, UserMessage> RunNgspiceNoise(const CFilter& filter, const COpv& opv,
                                                   const SpiceSettings& settings, double low,
                                                   double high, int perDecade);

}  // namespace vx
