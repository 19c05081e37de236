#include "structures/stage_circuit.h"

#include <initializer_list>

#include "model/number_format.h"

namespace vx {

namespace {

using C = ComponentSlot;
using N = StageNode;

// A part of the tables below: the schematic's name, the value slot, the nodes, the suffix of a
// doubled part.
struct Row {
    const char* name;
    ComponentSlot slot;
    StageNode a;
    StageNode b;
    const char* suffix = "";
};

const char* SlotName(ComponentSlot slot) {
    static const char* const kNames[] = {"C1", "C2", "C3", "R1", "R2", "R3", "R4", "R5"};
    return kNames[static_cast<int>(slot)];
}

class StageBuilder {
  public:
    explicit StageBuilder(int number) { circuit_.number = number; }

    void Parts(std::initializer_list<Row> rows) {
        for (const Row& row : rows) {
            circuit_.parts.push_back(Part(row));
        }
    }

    // A follower at n when the stage has no gain resistors.
    void GainNetwork(StageNode n, StageNode m, ComponentSlot feedback, ComponentSlot ground,
                     bool resistors) {
        if (!resistors) {
            circuit_.amplifier = {AmplifierKind::FOLLOWER, n, N::GND, {}};
            return;
        }
        circuit_.amplifier = {AmplifierKind::GAIN_NETWORK, n, m, Divider(m, feedback, ground)};
    }

    void Inverting(StageNode n) { circuit_.amplifier = {AmplifierKind::INVERTING, n, N::GND, {}}; }

    void TwinT(StageNode n, StageNode m) {
        circuit_.amplifier = {AmplifierKind::TWIN_T, n, m, Divider(m, C::R3, C::R4)};
    }

    StageCircuit Take() { return std::move(circuit_); }

  private:
    StagePart Part(const Row& row) const {
        return {row.name + FormatInt(circuit_.number) + row.suffix, row.slot, row.a, row.b};
    }

    std::vector<StagePart> Divider(StageNode m, ComponentSlot feedback,
                                   ComponentSlot ground) const {
        return {Part({SlotName(feedback), feedback, N::OUT, m}),
                Part({SlotName(ground), ground, m, N::GND})};
    }

    StageCircuit circuit_;
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

void SallenKey(StageBuilder& s, bool highPass, bool firstOrder, bool gainResistors) {
    if (!highPass && !firstOrder) {
        s.Parts({{"R1", C::R1, N::IN, N::BM1},
                 {"R2", C::R2, N::BM1, N::B},
                 {"C1", C::C1, N::B, N::GND},
                 {"C2", C::C2, N::BM1, N::OUT}});
    } else if (!highPass) {
        s.Parts({{"R1", C::R1, N::IN, N::B}, {"C1", C::C1, N::B, N::GND}});
    } else if (!firstOrder) {
        s.Parts({{"R1", C::R1, N::B, N::GND},
                 {"R2", C::R2, N::BM1, N::OUT},
                 {"C1", C::C1, N::IN, N::BM1},
                 {"C2", C::C2, N::BM1, N::B}});
    } else {
        s.Parts({{"R1", C::R1, N::B, N::GND}, {"C1", C::C1, N::IN, N::B}});
    }
    s.GainNetwork(N::B, N::BP2, C::R3, C::R4, gainResistors);
}

void SallenKeyX(StageBuilder& s, bool highPass, bool gainResistors) {
    if (!highPass) {
        s.Parts({{"R1", C::R1, N::IN, N::BM1},
                 {"R2", C::R2, N::BM1, N::B},
                 {"R3", C::R3, N::B, N::BP2},
                 {"C1", C::C1, N::BM1, N::GND},
                 {"C2", C::C2, N::BP2, N::GND},
                 {"C3", C::C3, N::B, N::OUT}});
    } else {
        s.Parts({{"C1", C::C1, N::IN, N::BM1},
                 {"C2", C::C2, N::BM1, N::B},
                 {"C3", C::C3, N::B, N::BP2},
                 {"R1", C::R1, N::BM1, N::GND},
                 {"R3", C::R3, N::BP2, N::GND},
                 {"R2", C::R2, N::B, N::OUT}});
    }
    s.GainNetwork(N::BP2, N::BP3, C::R4, C::R5, gainResistors);
}

void Mfb(StageBuilder& s, FilterType type, bool firstOrder) {
    if (type == FilterType::LOWPASS && !firstOrder) {
        s.Parts({{"R1", C::R1, N::IN, N::BM1},
                 {"R2", C::R2, N::BM1, N::OUT},
                 {"R3", C::R3, N::BM1, N::B},
                 {"C1", C::C1, N::B, N::OUT},
                 {"C2", C::C2, N::BM1, N::GND}});
    } else if (type == FilterType::LOWPASS) {
        s.Parts(
            {{"R1", C::R1, N::IN, N::B}, {"R2", C::R2, N::B, N::OUT}, {"C1", C::C1, N::B, N::OUT}});
    } else if (type == FilterType::HIGHPASS && !firstOrder) {
        s.Parts({{"C1", C::C1, N::IN, N::BM1},
                 {"C2", C::C2, N::BM1, N::OUT},
                 {"C3", C::C3, N::BM1, N::B},
                 {"R1", C::R1, N::B, N::OUT},
                 {"R2", C::R2, N::BM1, N::GND}});
    } else if (type == FilterType::HIGHPASS) {
        s.Parts(
            {{"C1", C::C1, N::IN, N::B}, {"C2", C::C2, N::B, N::OUT}, {"R1", C::R1, N::B, N::OUT}});
    } else {
        s.Parts({{"R1", C::R1, N::IN, N::BM1},
                 {"R2", C::R2, N::BM1, N::GND},
                 {"R3", C::R3, N::B, N::OUT},
                 {"C1", C::C1, N::BM1, N::B},
                 {"C2", C::C2, N::BM1, N::OUT}});
    }
    s.Inverting(N::B);
}

void TwinT(StageBuilder& s) {
    s.Parts({{"R1", C::R1, N::IN, N::BM1, "a"},
             {"R1", C::R1, N::BM1, N::B, "b"},
             {"C2", C::C2, N::BM1, N::GND},
             {"C1", C::C1, N::IN, N::BP2, "a"},
             {"C1", C::C1, N::BP2, N::B, "b"},
             {"R2", C::R2, N::BP2, N::OUT}});
    s.TwinT(N::B, N::BP3);
}

}  // namespace

std::vector<StageCircuit> StageCircuits(const CFilter& filter) {
    const int firstOrderStage = FirstOrderStage(filter);
    const bool highPass = filter.Type() == FilterType::HIGHPASS;
    // The first stage's component count tells whether the gain resistors are there.
    const int count = filter.ComponentCount(0);
    std::vector<StageCircuit> circuits;
    for (int s = 0; s < filter.StageCount(); ++s) {
        StageBuilder builder(s + 1);
        switch (filter.Structure()) {
            case StructureKind::SALLEN_KEY:
                SallenKey(builder, highPass, s == firstOrderStage, count == 6);
                break;
            case StructureKind::SALLEN_KEY_X:
                SallenKeyX(builder, highPass, count >= 7);
                break;
            case StructureKind::MFB:
                Mfb(builder, filter.Type(), s == firstOrderStage);
                break;
            case StructureKind::TWIN_T:
                TwinT(builder);
                break;
        }
        circuits.push_back(builder.Take());
    }
    return circuits;
}

std::string AmplifierDesignator(int number, bool ideal) {
    std::string name = ideal ? "E" : "X";
    name += FormatInt(number);
    return name;
}

}  // namespace vx
