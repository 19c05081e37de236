#include "spice/netlist_stages.h"

#include <initializer_list>
#include <stdexcept>

#include "model/filter.h"
#include "model/number_format.h"

namespace vx {

namespace {

// Nodes of a stage relative to its base node b; IN and OUT are the stage's input and output.
enum class Node { GND, IN, OUT, BM1, B, BP2, BP3 };

// One passive component: designator (the stage number follows it, then `suffix`), value slot,
// nodes.
struct Part {
    const char* designator;
    ComponentSlot slot;
    Node a;
    Node b;
    const char* suffix = "";
};

enum class AmpKind { GAIN_NETWORK, INVERTING, TWIN_T };

// The amplifier of a stage: its kind, the input node n and, for the gain network and the twin-T
// divider, the divider node m, the feedback and the ground resistor.
struct Amplifier {
    AmpKind kind;
    Node n;
    Node m = Node::GND;
    ComponentSlot ra = ComponentSlot::R3;
    ComponentSlot rb = ComponentSlot::R4;
};

using C = ComponentSlot;
using N = Node;

class StageWriter {
  public:
    StageWriter(const CFilter& filter, const std::string& model, int stage, std::string& out)
        : filter_(filter), model_(model), index_(stage), out_(out) {
        const int i = stage + 1;
        base_ = 3 + 100 * i;
        number_ = FormatInt(i);
        in_ = stage == 0 ? "101" : FormatInt(base_ - 100 + 1);
        out_node_ = stage + 1 == filter.StageCount() ? "0UT" : FormatInt(base_ + 1);
    }

    void Parts(std::initializer_list<Part> parts) const {
        for (const Part& p : parts) {
            Write(p);
        }
    }

    // gainNetwork false: a follower at n (Sallen-Key without gain resistors).
    void Amp(const Amplifier& amp, bool gainNetwork = true) const {
        const bool ideal = model_.empty();
        std::string plus = NodeName(amp.n);
        std::string minus;
        std::string gain;
        switch (amp.kind) {
            case AmpKind::GAIN_NETWORK:
                if (!gainNetwork) {
                    minus = out_node_;
                    gain = "1";
                    break;
                }
                minus = NodeName(amp.m);
                if (ideal) {
                    gain = FormatG(1.0 + Value(amp.ra) / Value(amp.rb));
                } else {
                    Write({DesignatorOf(amp.ra), amp.ra, N::OUT, amp.m});
                    Write({DesignatorOf(amp.rb), amp.rb, amp.m, N::GND});
                }
                break;
            case AmpKind::INVERTING:
                minus = plus;
                plus = "0";
                gain = "-1e10";
                break;
            case AmpKind::TWIN_T:
                minus = NodeName(amp.m);
                gain = "1e10";
                Write({DesignatorOf(amp.ra), amp.ra, N::OUT, amp.m});
                Write({DesignatorOf(amp.rb), amp.rb, amp.m, N::GND});
                break;
        }
        if (ideal) {
            // The ideal amplifier's controlling pair: inverting stages control from n to ground.
            const std::string& cp = amp.kind == AmpKind::INVERTING ? minus : plus;
            const std::string cm = amp.kind == AmpKind::TWIN_T ? minus : std::string("0");
            out_ += "E" + number_ + " " + out_node_ + " 0 " + cp + " " + cm + " " + gain + "\n";
        } else {
            out_ += "X" + number_ + " " + plus + " " + minus + " 1 2 " + out_node_ + " " + model_ +
                    "\n";
        }
    }

  private:
    static const char* DesignatorOf(ComponentSlot slot) {
        static const char* const kNames[] = {"C1", "C2", "C3", "R1", "R2", "R3", "R4", "R5"};
        return kNames[static_cast<int>(slot)];
    }

    double Value(ComponentSlot slot) const { return filter_.Value(slot, index_); }

    std::string NodeName(Node n) const {
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

    void Write(const Part& p) const {
        out_ += std::string(p.designator) + number_ + p.suffix + " " + NodeName(p.a) + " " +
                NodeName(p.b) + " " + FormatG(Value(p.slot)) + "\n";
    }

    const CFilter& filter_;
    const std::string& model_;
    int index_;
    std::string& out_;
    int base_;
    std::string number_;
    std::string in_;
    std::string out_node_;
};

// The stage of an odd-order low-/high-pass that is first-order: the first one for the largest
// signal swing, the last one for the lowest noise.
int FirstOrderStage(const CFilter& filter) {
    const bool lowHigh =
        filter.Type() == FilterType::LOWPASS || filter.Type() == FilterType::HIGHPASS;
    const bool split =
        filter.Structure() == StructureKind::SALLEN_KEY || filter.Structure() == StructureKind::MFB;
    if (!lowHigh || !split || filter.Order() % 2 == 0) {
        return -1;
    }
    return filter.GetStageSequence() == StageSequence::HIGH_LEVEL ? 0 : filter.StageCount() - 1;
}

void WriteSallenKey(const StageWriter& w, bool highPass, bool firstOrder, bool gainNetwork) {
    if (!highPass && !firstOrder) {
        w.Parts({{"R1", C::R1, N::IN, N::BM1},
                 {"R2", C::R2, N::BM1, N::B},
                 {"C1", C::C1, N::B, N::GND},
                 {"C2", C::C2, N::BM1, N::OUT}});
    } else if (!highPass) {
        w.Parts({{"R1", C::R1, N::IN, N::B}, {"C1", C::C1, N::B, N::GND}});
    } else if (!firstOrder) {
        w.Parts({{"R1", C::R1, N::B, N::GND},
                 {"R2", C::R2, N::BM1, N::OUT},
                 {"C1", C::C1, N::IN, N::BM1},
                 {"C2", C::C2, N::BM1, N::B}});
    } else {
        w.Parts({{"R1", C::R1, N::B, N::GND}, {"C1", C::C1, N::IN, N::B}});
    }
    w.Amp({AmpKind::GAIN_NETWORK, N::B, N::BP2, C::R3, C::R4}, gainNetwork);
}

void WriteSallenKeyX(const StageWriter& w, bool highPass, bool gainNetwork) {
    if (!highPass) {
        w.Parts({{"R1", C::R1, N::IN, N::BM1},
                 {"R2", C::R2, N::BM1, N::B},
                 {"R3", C::R3, N::B, N::BP2},
                 {"C1", C::C1, N::BM1, N::GND},
                 {"C2", C::C2, N::BP2, N::GND},
                 {"C3", C::C3, N::B, N::OUT}});
    } else {
        w.Parts({{"C1", C::C1, N::IN, N::BM1},
                 {"C2", C::C2, N::BM1, N::B},
                 {"C3", C::C3, N::B, N::BP2},
                 {"R1", C::R1, N::BM1, N::GND},
                 {"R3", C::R3, N::BP2, N::GND},
                 {"R2", C::R2, N::B, N::OUT}});
    }
    w.Amp({AmpKind::GAIN_NETWORK, N::BP2, N::BP3, C::R4, C::R5}, gainNetwork);
}

void WriteMfb(const StageWriter& w, FilterType type, bool firstOrder) {
    if (type == FilterType::LOWPASS && !firstOrder) {
        w.Parts({{"R1", C::R1, N::IN, N::BM1},
                 {"R2", C::R2, N::BM1, N::OUT},
                 {"R3", C::R3, N::BM1, N::B},
                 {"C1", C::C1, N::B, N::OUT},
                 {"C2", C::C2, N::BM1, N::GND}});
    } else if (type == FilterType::LOWPASS) {
        w.Parts(
            {{"R1", C::R1, N::IN, N::B}, {"R2", C::R2, N::B, N::OUT}, {"C1", C::C1, N::B, N::OUT}});
    } else if (type == FilterType::HIGHPASS && !firstOrder) {
        w.Parts({{"C1", C::C1, N::IN, N::BM1},
                 {"C2", C::C2, N::BM1, N::OUT},
                 {"C3", C::C3, N::BM1, N::B},
                 {"R1", C::R1, N::B, N::OUT},
                 {"R2", C::R2, N::BM1, N::GND}});
    } else if (type == FilterType::HIGHPASS) {
        w.Parts(
            {{"C1", C::C1, N::IN, N::B}, {"C2", C::C2, N::B, N::OUT}, {"R1", C::R1, N::B, N::OUT}});
    } else {
        w.Parts({{"R1", C::R1, N::IN, N::BM1},
                 {"R2", C::R2, N::BM1, N::GND},
                 {"R3", C::R3, N::B, N::OUT},
                 {"C1", C::C1, N::BM1, N::B},
                 {"C2", C::C2, N::BM1, N::OUT}});
    }
    w.Amp({AmpKind::INVERTING, N::B});
}

void WriteTwinT(const StageWriter& w) {
    w.Parts({{"R1", C::R1, N::IN, N::BM1, "a"},
             {"R1", C::R1, N::BM1, N::B, "b"},
             {"C2", C::C2, N::BM1, N::GND},
             {"C1", C::C1, N::IN, N::BP2, "a"},
             {"C1", C::C1, N::BP2, N::B, "b"},
             {"R2", C::R2, N::BP2, N::OUT}});
    w.Amp({AmpKind::TWIN_T, N::B, N::BP3, C::R3, C::R4});
}

}  // namespace

void AppendStageLines(const CFilter& filter, const std::string& model, std::string& out) {
    const int firstOrderStage = FirstOrderStage(filter);
    const bool highPass = filter.Type() == FilterType::HIGHPASS;
    // The first stage's component count tells whether the gain resistors are there.
    const int count = filter.ComponentCount(0);
    for (int s = 0; s < filter.StageCount(); ++s) {
        out += "* Filterstage " + FormatInt(s + 1) + " *\n";
        const StageWriter w(filter, model, s, out);
        switch (filter.Structure()) {
            case StructureKind::SALLEN_KEY:
                WriteSallenKey(w, highPass, s == firstOrderStage, count == 6);
                break;
            case StructureKind::SALLEN_KEY_X:
                WriteSallenKeyX(w, highPass, count >= 7);
                break;
            case StructureKind::MFB:
                WriteMfb(w, filter.Type(), s == firstOrderStage);
                break;
            case StructureKind::TWIN_T:
                WriteTwinT(w);
                break;
        }
    }
}

}  // namespace vx
