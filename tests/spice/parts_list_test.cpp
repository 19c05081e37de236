#include "spice/parts_list.h"

#include <gtest/gtest.h>

#include <functional>
#include <map>
#include <set>
#include <sstream>
#include <string>
#include <vector>

#include "model/filter_rules.h"
#include "model/number_format.h"
#include "session/design_session.h"
#include "spice/parts_list_csv.h"
#include "spice/pspice.h"

namespace vx {
namespace {

struct Design {
    const char* name;
    FilterType type;
    StructureKind structure;
    int order;
    double gainDb;
    StageSequence sequence = StageSequence::HIGH_LEVEL;
    bool steplessR2 = false;
    double quality = 5.0;  // band-stop Q
};

void Specify(CFilter& f, const Design& d) {
    constexpr int kLf411 = 1;  // a real op-amp: the netlist then writes every resistor
    if (d.type == FilterType::BANDREJECT) {
        f.SetBandRejectSpecification(CapacitorMode::OPTIMIZE, ResistorSeries::E24, kLf411, 1000.0,
                                     1e4, d.quality);
        return;
    }
    SpecificationBlock block = f.Specification();
    block.characteristic = Characteristic::BUTTERWORTH;
    block.orderLpHp = d.order;
    block.orderBpBs = d.order;
    block.frequency = 1000.0;
    block.bandwidth = 250.0;
    block.gainDb = d.gainDb;
    block.steplessR2 = d.steplessR2;
    // The third-order search steps two resistors together: E12 keeps it short.
    block.resistorSeries =
        d.structure == StructureKind::SALLEN_KEY_X ? ResistorSeries::E12 : ResistorSeries::E24;
    block.opAmp = kLf411;
    block.stageSequence = d.sequence;
    f.SetSpecification(block, d.structure, d.type);
}

// The netlist's parts: designator -> value, and the op-amps' designators.
struct NetlistParts {
    std::map<std::string, double> passive;
    std::vector<std::string> amplifiers;
};

NetlistParts ReadNetlist(const std::string& netlist) {
    NetlistParts parts;
    std::istringstream in(netlist.substr(netlist.find("* Filterstage")));
    for (std::string line; std::getline(in, line) && line != "* PROBE-Call *";) {
        std::istringstream words(line);
        std::string designator, a, b, value;
        words >> designator >> a >> b >> value;
        if (designator[0] == 'X') {
            parts.amplifiers.push_back(designator);
        } else if (designator[0] == 'R' || designator[0] == 'C') {
            parts.passive[designator] = ParseDouble(value);
        }
    }
    return parts;
}

class PartsListOfDesign : public testing::TestWithParam<Design> {};

// Every part that the exported netlist holds is in the parts list under its designator, and
// nothing else is: no wire or gap that the netlist writes for a follower. A part in one row
// has the netlist's value; one in two rows is made of them in parallel or in series.
TEST_P(PartsListOfDesign, NamesEveryPartAsTheNetlistDoes) {
    const Design& d = GetParam();
    CDesignSession session;
    Specify(session.Filter(), d);
    session.FillCharacteristic();
    SilentMonitor monitor;
    ASSERT_TRUE(session.Design(monitor));
    const CFilter& filter = session.Filter();
    const NetlistParts netlist =
        ReadNetlist(CPspice(filter, session.OpAmps(), {"sh", "/tmp", "x.lib"})
                        .Netlist(SpiceMode::AMPLITUDE_DB));

    const std::vector<PartsListRow> rows = PartsList(filter, session.OpAmps());
    ASSERT_FALSE(rows.empty());
    const PartsListRow& amplifiers = rows.back();
    EXPECT_EQ(amplifiers.kind, PartKind::OPAMP);
    EXPECT_EQ(amplifiers.model, "LF411");
    EXPECT_EQ(amplifiers.designators, netlist.amplifiers);
    EXPECT_EQ(amplifiers.count, filter.StageCount());

    std::map<std::string, std::vector<double>> listed;
    for (const PartsListRow& row : rows) {
        if (row.kind != PartKind::OPAMP) {
            EXPECT_GE(row.count, static_cast<int>(row.designators.size()));
            for (const std::string& designator : row.designators) {
                listed[designator].push_back(row.value);
            }
        }
    }
    std::set<std::string> expected;
    for (const auto& [designator, value] : netlist.passive) {
        if (value > 0.0 && value < kOpenResistor) {
            expected.insert(designator);
        }
    }
    std::set<std::string> names;
    for (const auto& [designator, values] : listed) {
        names.insert(designator);
        const double want = netlist.passive.at(designator);
        const bool capacitor = designator[0] == 'C';
        if (values.size() == 1) {
            // The twin-T's C2 is two capacitors of C1's value in parallel.
            const bool pair =
                d.structure == StructureKind::TWIN_T && designator.rfind("C2", 0) == 0;
            EXPECT_NEAR(values[0] * (pair ? 2.0 : 1.0), want, 1e-5 * want) << designator;
        } else {
            ASSERT_EQ(values.size(), 2u) << designator;
            ASSERT_FALSE(capacitor) << designator;
            const double parallel = values[0] * values[1] / (values[0] + values[1]);
            const double series = values[0] + values[1];
            EXPECT_TRUE(std::abs(parallel - want) < 1e-5 * want ||
                        std::abs(series - want) < 1e-5 * want)
                << designator;
        }
    }
    EXPECT_EQ(names, expected);
}

const Design kDesigns[] = {
    {"SkLowPassOddGain", FilterType::LOWPASS, StructureKind::SALLEN_KEY, 5, 6.0},
    {"SkLowPassLowNoise", FilterType::LOWPASS, StructureKind::SALLEN_KEY, 3, 0.0,
     StageSequence::LOW_NOISE},
    {"SkHighPassOddGain", FilterType::HIGHPASS, StructureKind::SALLEN_KEY, 3, 10.0,
     StageSequence::LOW_NOISE},
    {"MfbLowPassOdd", FilterType::LOWPASS, StructureKind::MFB, 5, 6.0},
    {"MfbHighPassOdd", FilterType::HIGHPASS, StructureKind::MFB, 3, 0.0},
    {"SkxLowPassGain", FilterType::LOWPASS, StructureKind::SALLEN_KEY_X, 3, 6.0},
    {"SkxHighPass", FilterType::HIGHPASS, StructureKind::SALLEN_KEY_X, 3, 0.0},
    {"MfbBandPass", FilterType::BANDPASS, StructureKind::MFB, 4, 6.0},
    {"MfbBandPassStepless", FilterType::BANDPASS, StructureKind::MFB, 4, 0.0,
     StageSequence::HIGH_LEVEL, true},
    {"TwinT", FilterType::BANDREJECT, StructureKind::TWIN_T, 2, 0.0},
    {"TwinTLowQ", FilterType::BANDREJECT, StructureKind::TWIN_T, 2, 0.0, StageSequence::HIGH_LEVEL,
     false, 0.7},
};

INSTANTIATE_TEST_SUITE_P(EveryStructure, PartsListOfDesign, testing::ValuesIn(kDesigns),
                         [](const testing::TestParamInfo<Design>& info) {
                             return std::string(info.param.name);
                         });

// Stage values set by hand, as a design leaves them.
struct Record {
    CFilter filter;
    COpv opv;
};

using StageValues = std::vector<std::pair<ComponentSlot, double>>;

void SetStages(CFilter& filter, const std::vector<StageValues>& stages) {
    for (size_t s = 0; s < stages.size(); ++s) {
        for (const auto& [slot, value] : stages[s]) {
            filter.SetValue(slot, static_cast<int>(s), value);
        }
    }
}

// Equal parts share a row in order of value, with their series and its usual tolerance; the
// file quotes the values with a decimal comma.
TEST(PartsList, GroupsEqualPartsIntoCsvRows) {
    using C = ComponentSlot;
    struct Case {
        const char* name;
        std::function<void(CFilter&)> specify;
        std::string csv;
    };
    const Case cases[] = {
        {"twin-T with R1 of two resistors in parallel",
         [](CFilter& f) {
             f.SetBandRejectSpecification(CapacitorMode::OPTIMIZE, ResistorSeries::E24, 1, 1000.0,
                                          1e4, 5.0);
             SetStages(f, {{{C::R1, 15795.0},
                            {C::R2, 8200.0},
                            {C::R3, 10000.0},
                            {C::R4, 10000.0},
                            {C::C1, 1e-8},
                            {C::C2, 2e-8}}});
             f.SetRealisation(0, RealisationKind::PARALLEL, 22000.0, 56000.0, 15795.0);
             f.SetRealisation(1, RealisationKind::SINGLE, 8200.0, 0.0, 8200.0);
         },
         "designators,kind,value,series,tolerance,count\n"
         "R21,resistor,\"8,2 kOhm\",E24,5 %,1\n"
         "R31 R41,resistor,10 kOhm,E24,5 %,2\n"
         "R11a R11b,resistor,22 kOhm,E24,5 %,2\n"
         "R11a R11b,resistor,56 kOhm,E24,5 %,2\n"
         "C21 C11a C11b,capacitor,10 nF,E12,5 %,4\n"
         "X1,opamp,LF411,,,1\n"},
        {"band-pass with a stepless R2, one of them open",
         [](CFilter& f) {
             SpecificationBlock block;
             block.orderBpBs = 4;
             block.steplessR2 = true;
             f.SetSpecification(block, StructureKind::MFB, FilterType::BANDPASS);
             const StageValues stage = {
                 {C::R1, 1e4}, {C::R2, 1234.5}, {C::R3, 2e4}, {C::C1, 1e-8}, {C::C2, 1e-8}};
             SetStages(f, {stage, stage});
             f.SetValue(C::R2, 1, kOpenResistor);
         },
         "designators,kind,value,series,tolerance,count\n"
         "R21,resistor,\"1,23 kOhm\",stepless,,1\n"
         "R11 R12,resistor,10 kOhm,E24,5 %,2\n"
         "R31 R32,resistor,20 kOhm,E24,5 %,2\n"
         "C11 C21 C12 C22,capacitor,10 nF,E12,5 %,4\n"
         "E1 E2,opamp,Idealer OPV,,,2\n"},
        {"Sallen-Key with gain, a follower stage and an entered capacitor off the series",
         [](CFilter& f) {
             SpecificationBlock block;
             block.orderLpHp = 3;
             block.gainDb = 6.0;
             block.resistorSeries = ResistorSeries::E96;
             f.SetSpecification(block, StructureKind::SALLEN_KEY, FilterType::LOWPASS);
             SetStages(f, {{{C::R1, 4990.0}, {C::C1, 4e-9}, {C::R3, 0.0}, {C::R4, kOpenResistor}},
                           {{C::R1, 4990.0},
                            {C::R2, 10500.0},
                            {C::R3, 1e4},
                            {C::R4, 1e4},
                            {C::C1, 3.3e-9},
                            {C::C2, 6.8e-9}}});
         },
         "designators,kind,value,series,tolerance,count\n"
         "R11 R12,resistor,\"4,99 kOhm\",E96,1 %,2\n"
         "R32 R42,resistor,10 kOhm,E96,1 %,2\n"
         "R22,resistor,\"10,5 kOhm\",E96,1 %,1\n"
         "C12,capacitor,\"3,3 nF\",E12,5 %,1\n"
         "C11,capacitor,4 nF,,5 %,1\n"
         "C22,capacitor,\"6,8 nF\",E12,5 %,1\n"
         "E1 E2,opamp,Idealer OPV,,,2\n"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        Record r;
        c.specify(r.filter);
        EXPECT_EQ(PartsListCsv(PartsList(r.filter, r.opv)), c.csv);
    }
}

}  // namespace
}  // namespace vx
