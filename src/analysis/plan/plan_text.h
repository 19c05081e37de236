#pragma once

#include <string>
#include <vector>

#include "analysis/plan/order_plan.h"

namespace vx {

// The plan as CSV: characteristic,ripple_db,order,frequency_hz,stop_margin_db,
// delay_variation_pct,overshoot_pct,bandwidth_hz,quality,meets_limits; an empty order where
// order 30 is not enough.
std::string PlanCsv(const std::vector<PlanRow>& rows);

// The plan as the user reads it: headings and a row of cells a characteristic. The op-amps
// have a column per structure of the type; bandwidth or quality only for the band types, the
// delay and step figures where the type plans them, the limits' column where the scheme has
// limits.
struct PlanTable {
    std::vector<std::string> headings;
    std::vector<std::vector<std::string>> rows;
};
PlanTable MakePlanTable(const ToleranceScheme& scheme, const std::vector<PlanRow>& rows);
// The table's lines, cells between tabs (the command line, the clipboard).
std::vector<std::string> PlanTableLines(const PlanTable& table);

}  // namespace vx
