#pragma once

#include <string>

#include "model/opv.h"

// The op-amp models of a list as the command line shows them, every model in list order (the
// ideal op-amp first).
namespace vx {

inline constexpr const char* kOpAmpListHeading =
    "name,dc_gain,t1_s,t2_s,gbw_hz,phase_margin_deg,slew_v_per_us,en_nv_per_rthz,en_corner_hz,"
    "in_pa_per_rthz,in_corner_hz,supply_min_v,supply_max_v,rail_to_rail,source";

// One line per model: the two-pole model the design uses, its loop figures (empty for the ideal
// op-amp, which has no crossing) and the datasheet's figures (empty where it gives none).
std::string OpAmpListCsv(const COpv& list);

// Aligned columns for a terminal `width` characters wide; the source is cut to what is left.
std::string OpAmpListTable(const COpv& list, int width);

// Model i in one line: its name, unity-gain frequency and time constants.
std::string OpAmpModelLine(const COpv& list, int i);

}  // namespace vx
