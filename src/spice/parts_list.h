#pragma once

#include <optional>
#include <string>
#include <vector>

namespace vx {

class CFilter;
class COpv;

enum class PartKind { RESISTOR, CAPACITOR, OPAMP };

// One row of the parts list: every part of one kind, value and series, under the designators
// of the Spice netlist. A part the netlist names once but that is built of two (the twin-T's C2
// of two capacitors in parallel, its R1 or R2 of two resistors) counts each of them, and its
// designator stands in the row of each.
struct PartsListRow {
    PartKind kind = PartKind::RESISTOR;
    std::vector<std::string> designators;  // in netlist order
    double value = 0.0;                    // ohms or farads; 0 for an op-amp
    std::string model;                     // the op-amp's model
    int series = 0;                        // E-series of the value (12 to 192); 0 for none
    bool stepless = false;                 // a value the design does not round (band-pass R2)
    std::optional<double> tolerance;       // relative, where the series has one
    int count = 0;

    bool operator==(const PartsListRow&) const = default;
};

// The parts of the design: resistors, capacitors, then the op-amps, each kind by rising value.
// A wire or a gap in a stage's place of a part (a follower's feedback and ground resistors, a
// band-pass R2 left open) is no part.
std::vector<PartsListRow> PartsList(const CFilter& filter, const COpv& opv);

}  // namespace vx
