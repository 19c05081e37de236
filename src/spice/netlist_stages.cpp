#include "spice/netlist_stages.h"

#include <stdexcept>

#include "model/filter.h"
#include "model/number_format.h"
#include "structures/stage_circuit.h"

namespace vx {

namespace {

using N = StageNode;

class StageWriter {
  public:
    StageWriter(const CFilter& filter, const std::string& model, const StageCircuit& circuit,
                std::string& out)
        : filter_(filter), model_(model), circuit_(circuit), out_(out) {
        const int i = circuit.number;
        base_ = 3 + 100 * i;
        in_ = i == 1 ? "101" : FormatInt(base_ - 100 + 1);
        out_node_ = i == filter.StageCount() ? "0UT" : FormatInt(base_ + 1);
    }

    void Write() const {
        out_ += "* Filterstage " + FormatInt(circuit_.number) + " *\n";
        for (const StagePart& part : circuit_.parts) {
            Line(part);
        }
        Amplifier();
    }

  private:
    void Amplifier() const {
        const StageAmplifier& amp = circuit_.amplifier;
        const bool ideal = model_.empty();
        std::string plus = NodeName(amp.n);
        std::string minus;
        std::string gain;
        switch (amp.kind) {
            case AmplifierKind::FOLLOWER:
                minus = out_node_;
                gain = "1";
                break;
            case AmplifierKind::GAIN_NETWORK:
                minus = NodeName(amp.m);
                // The ideal amplifier takes the network's gain; its resistors are not written.
                if (ideal) {
                    gain = FormatG(1.0 + Value(amp.divider[0]) / Value(amp.divider[1]));
                } else {
                    Divider();
                }
                break;
            case AmplifierKind::INVERTING:
                minus = plus;
                plus = "0";
                gain = "-1e10";
                break;
            case AmplifierKind::TWIN_T:
                minus = NodeName(amp.m);
                gain = "1e10";
                Divider();
                break;
        }
        const std::string name = AmplifierDesignator(circuit_.number, ideal);
        if (ideal) {
            // The ideal amplifier's controlling pair: inverting stages control from n to ground.
            const std::string& cp = amp.kind == AmplifierKind::INVERTING ? minus : plus;
            const std::string cm = amp.kind == AmplifierKind::TWIN_T ? minus : std::string("0");
            out_ += name + " " + out_node_ + " 0 " + cp + " " + cm + " " + gain + "\n";
        } else {
            out_ += name + " " + plus + " " + minus + " 1 2 " + out_node_ + " " + model_ + "\n";
        }
    }

    void Divider() const {
        for (const StagePart& part : circuit_.amplifier.divider) {
            Line(part);
        }
    }

    double Value(const StagePart& part) const {
        return filter_.Value(part.slot, circuit_.number - 1);
    }

    std::string NodeName(StageNode n) const {
        switch (n) {
            case N::GND:
                return "0";
            case N::IN:
                return in_;
            case N::OUT:
                return out_node_;
            case N::BM1:
                return FormatInt(base_ - 1);
            case N::B:
                return FormatInt(base_);
            case N::BP2:
                return FormatInt(base_ + 2);
            case N::BP3:
                return FormatInt(base_ + 3);
        }
        throw std::logic_error("unknown node");
    }

    void Line(const StagePart& part) const {
        out_ += part.designator + " " + NodeName(part.a) + " " + NodeName(part.b) + " " +
                FormatG(Value(part)) + "\n";
    }

    const CFilter& filter_;
    const std::string& model_;
    const StageCircuit& circuit_;
    std::string& out_;
    int base_;
    std::string in_;
    std::string out_node_;
};

}  // namespace

void AppendStageLines(const CFilter& filter, const std::string& model, std::string& out) {
    for (const StageCircuit& circuit : StageCircuits(filter)) {
        StageWriter(filter, model, circuit, out).Write();
    }
}

}  // namespace vx
