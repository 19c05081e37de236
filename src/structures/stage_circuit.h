#pragma once

#include <string>
#include <vector>

#include "model/filter.h"

// The circuit of each stage as the netlist writes it: the passive parts with their designators
// and nodes, and the amplifier. The netlist and the parts list both read it, so that the parts
// list names every part as the netlist does.
namespace vx {

// Nodes of a stage relative to its base node b; IN and OUT are the stage's input and output.
enum class StageNode { GND, IN, OUT, BM1, B, BP2, BP3 };

struct StagePart {
    // The schematic's name, the stage number, then "a" or "b" for the twin-T's doubled parts.
    std::string designator;
    ComponentSlot slot;
    StageNode a;
    StageNode b;
};

enum class AmplifierKind { FOLLOWER, GAIN_NETWORK, INVERTING, TWIN_T };

// The amplifier with its input node n. The gain network and the twin-T divider lead from the
// output to m and on to ground: `divider` holds those two resistors, feedback first.
struct StageAmplifier {
    AmplifierKind kind = AmplifierKind::FOLLOWER;
    StageNode n = StageNode::B;
    StageNode m = StageNode::GND;
    std::vector<StagePart> divider;
};

struct StageCircuit {
    int number = 0;  // from 1
    std::vector<StagePart> parts;
    StageAmplifier amplifier;
};

// Every stage of the design in order.
std::vector<StageCircuit> StageCircuits(const CFilter& filter);

// The amplifier's designator: "X1" for a real op-amp of stage 1, "E1" for the ideal one, which
// the netlist writes as a controlled source.
std::string AmplifierDesignator(int number, bool ideal);

}  // namespace vx
