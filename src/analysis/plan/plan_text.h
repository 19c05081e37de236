#pragma once

#include <string>
#include <vector>

#include "analysis/plan/order_plan.h"

namespace vx {

// The plan as CSV: characteristic,ripple_db,order,frequency_hz,stop_margin_db,
// delay_variation_pct,overshoot_pct; an empty order where order 30 is not enough.
std::string PlanCsv(const std::vector<PlanRow>& rows);
// The plan as the user reads it: a heading line and a line a characteristic, cells between tabs.
std::vector<std::string> PlanTableLines(const std::vector<PlanRow>& rows);

}  // namespace vx
