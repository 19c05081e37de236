#pragma once

#include <complex>
#include <string>
#include <vector>

#include "model/filter.h"
#include "model/opamp_data.h"
#include "structures/stage_circuit.h"

namespace vx {

// What reaches a stage's output at one frequency, per unit of each source: the input voltage
// (the stage's transfer), a current pushed through each resistor from its node a to its node b,
// a voltage in series with the op-amp's non-inverting input, and a current into each of its
// inputs.
struct StageResponse {
    std::complex<double> transfer;
    std::vector<std::complex<double>> resistors;  // in the order of CStageNetwork::Resistors()
    std::complex<double> voltageNoise;
    std::complex<double> currentNoisePlus;
    std::complex<double> currentNoiseMinus;
};

// A stage's circuit as the netlist writes it, solved by nodal analysis with the op-amp as the
// voltage source A(s) (v+ - v-) at the output. The stage is driven by the previous op-amp (or
// the source), a voltage source, so for the noise its input lies at ground. Unlike the
// netlist's ideal amplifier, the gain network's resistors are always there, as on the board.
class CStageNetwork {
  public:
    CStageNetwork(const StageCircuit& circuit, const CFilter& filter, const TwoPoleModel& opAmp);

    StageResponse At(double omega) const;

    struct Resistor {
        std::string designator;
        double ohms;
    };
    const std::vector<Resistor>& Resistors() const { return resistors_; }

  private:
    // Node numbers: the output is 0, the other nodes follow; ground and the input are known.
    static constexpr int kGround = -1;
    static constexpr int kInput = -2;
    struct Branch {
        int a;
        int b;
        double value;
        bool capacitor;
    };
    int Node(StageNode node);
    void Add(const StagePart& part, const CFilter& filter, int stage);

    std::vector<StageNode> nodes_{StageNode::OUT};
    std::vector<Branch> branches_;
    std::vector<int> resistorBranches_;
    std::vector<Resistor> resistors_;
    int plus_ = kGround;
    int minus_ = kGround;
    TwoPoleModel opAmp_;
};

}  // namespace vx
