#pragma once

#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "model/opamp_data.h"
#include "model/user_message.h"

// The op-amp files: the catalogue shipped with the program and the user's own models, both CSV
// with a heading line that names the columns. Columns come in any order and a column the reader
// does not know is skipped, so that a newer file still reads; "name" and "gbw_hz" must be there.
// Numbers have a decimal point; a field holding a comma or a quote is quoted ("..", "" inside).
namespace vx {

// The columns as the writer puts them.
inline constexpr const char* kOpAmpTableHeading =
    "name,maker,class,a0_db,gbw_hz,phase_margin_deg,second_pole_hz,slew_v_per_us,"
    "en_nv_per_rthz,en_corner_hz,in_pa_per_rthz,in_corner_hz,supply_min_v,supply_max_v,"
    "swing_to_rail_v,rail_to_rail,input_capacitance_pf,source";

struct OpAmpTable {
    std::vector<OpAmpData> rows;
    // The first fault, naming the file and the line; the rows before it are kept.
    std::optional<UserMessage> error;
};

// `fileName` names the file in a message.
OpAmpTable ParseOpAmpTable(std::string_view text, const std::string& fileName);
std::string OpAmpTableText(const std::vector<OpAmpData>& rows);

// "in", "out", "in/out" or empty.
std::string RailToRailText(RailToRail r);

// A CSV field as the writer puts it: quoted when it holds a comma or a quote.
std::string CsvField(const std::string& field);

}  // namespace vx
