#include "spice/pspice.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <initializer_list>
#include <sstream>
#include <utility>

#include "model/filter.h"
#include "model/opv.h"
#include "spice/spice_messages.h"

namespace vx {
namespace {

using C = ComponentSlot;
using Values = std::initializer_list<std::pair<ComponentSlot, double>>;

// A record with a specification and hand-set stage values, as a design leaves it.
struct Record {
    CFilter filter;
    COpv opv;

    Record(FilterType type, StructureKind structure, int order, double gainDb, int opAmp,
           StageSequence sequence = StageSequence::HIGH_LEVEL) {
        SpecificationBlock block;
        block.orderLpHp = order;
        block.orderBpBs = order;
        block.gainDb = gainDb;
        block.notchGainDb = gainDb;
        block.opAmp = opAmp;
        block.stageSequence = sequence;
        filter.SetSpecification(block, structure, type);
        filter.documentName = "Mein Filter 1";
    }
    void Stage(int stage, Values values) {
        for (const auto& [slot, value] : values) {
            filter.SetValue(slot, stage, value);
        }
    }
    std::string Stages(SpiceMode mode = SpiceMode::AMPLITUDE_DB) const {
        const std::string all =
            CPspice(filter, opv, {"sh", "/tmp", "/lib/vx_opamp.lib"}).Netlist(mode);
        const size_t begin = all.find("* Filterstage");
        return all.substr(begin, all.find("* PROBE-Call") - begin);
    }
};

TEST(SpiceNetlist, WholeFileOfAnAcAnalysisWithARealOpAmp) {
    Record r(FilterType::LOWPASS, StructureKind::SALLEN_KEY, 2, 0.0, 1);
    r.Stage(0, {{C::R1, 10000}, {C::R2, 22000}, {C::C1, 1e-8}, {C::C2, 2.2e-8}});
    const CPspice spice(r.filter, r.opv, {"sh", "/tmp", "/opt/vx/vx_opamp.lib"});
    EXPECT_EQ(spice.Netlist(SpiceMode::AMPLITUDE_DB),
              "* Analysis setup *\n"
              ".OPT RELTOL=1.0e-5\n"
              ".AC OCT 401 500 2000\n"
              ".OP\n"
              ".LIB /opt/vx/vx_opamp.lib\n"
              "* Supply Voltages *\n"
              "VP 1 0 12V\n"
              "VM 0 2 12V\n"
              "* Input Source *\n"
              "Vin 101 0 DC 0V AC 1V\n"
              "* Filterstage 1 *\n"
              "R11 101 102 10000\n"
              "R21 102 103 22000\n"
              "C11 103 0 1e-08\n"
              "C21 102 0UT 2.2e-08\n"
              "X1 103 0UT 1 2 0UT LF411\n"
              "* PROBE-Call *\n"
              ".PROBE VDB(0UT)\n"
              ".END\n");
    EXPECT_EQ(spice.NetlistPath(), "/tmp/Mein_Filter_1.cir");
    EXPECT_EQ(spice.DisplayPath(), "/tmp/Mein_Filter_1.prb");
}

TEST(SpiceNetlist, StepResponseForOneKilohertz) {
    Record r(FilterType::LOWPASS, StructureKind::SALLEN_KEY, 2, 0.0, 0);
    const std::string text =
        CPspice(r.filter, r.opv, {"sh", "/tmp", "x.lib"}).Netlist(SpiceMode::STEP_RESPONSE);
    EXPECT_NE(text.find(".TRAN 1.0e-20 0.005 0 5e-06\n"), std::string::npos) << text;
    EXPECT_NE(text.find("Vin 101 0 PULSE 0 1 0 1p 1p 0.005 0.005\n"), std::string::npos);
    EXPECT_NE(text.find(".PROBE V(0UT)\n"), std::string::npos);
    EXPECT_EQ(text.find(".AC"), std::string::npos);
}

TEST(SpiceNetlist, ProbeLineOfEachMode) {
    Record r(FilterType::LOWPASS, StructureKind::SALLEN_KEY, 2, 0.0, 0);
    const std::pair<SpiceMode, const char*> cases[] = {
        {SpiceMode::AMPLITUDE_DB, ".PROBE VDB(0UT)\n"},
        {SpiceMode::AMPLITUDE_LINEAR, ".PROBE V(0UT)\n"},
        {SpiceMode::PHASE, ".PROBE VP(0UT)\n"},
        {SpiceMode::GROUP_DELAY, ".PROBE VG(0UT)\n"},
        {SpiceMode::ALL, ".PROBE VDB(0UT)\n"},
    };
    for (const auto& [mode, probe] : cases) {
        const std::string text = CPspice(r.filter, r.opv, {"sh", "/tmp", "x.lib"}).Netlist(mode);
        EXPECT_NE(text.find(probe), std::string::npos) << probe;
        EXPECT_NE(text.find(".AC OCT 401 500 2000\n"), std::string::npos);
    }
}

TEST(SpiceNetlist, IdealOpAmpWritesNoSupplyAndNoSubcircuit) {
    Record r(FilterType::HIGHPASS, StructureKind::SALLEN_KEY, 4, 6.0, 0);
    for (int s = 0; s < 2; ++s) {
        r.Stage(s, {{C::R1, 1000},
                    {C::R2, 2000},
                    {C::R3, 3000},
                    {C::R4, 10000},
                    {C::C1, 1e-9},
                    {C::C2, 2e-9}});
    }
    const std::string all =
        CPspice(r.filter, r.opv, {"sh", "/tmp", "x.lib"}).Netlist(SpiceMode::AMPLITUDE_DB);
    EXPECT_EQ(all.find("Supply"), std::string::npos);
    EXPECT_EQ(all.find("\nX"), std::string::npos);
    EXPECT_EQ(r.Stages(),
              "* Filterstage 1 *\n"
              "R11 103 0 1000\n"
              "R21 102 104 2000\n"
              "C11 101 102 1e-09\n"
              "C21 102 103 2e-09\n"
              "E1 104 0 103 0 1.3\n"
              "* Filterstage 2 *\n"
              "R12 203 0 1000\n"
              "R22 202 0UT 2000\n"
              "C12 104 202 1e-09\n"
              "C22 202 203 2e-09\n"
              "E2 0UT 0 203 0 1.3\n");
}

TEST(SpiceNetlist, SallenKeyFirstOrderStageLeadsForSignalSwing) {
    Record r(FilterType::LOWPASS, StructureKind::SALLEN_KEY, 3, 6.0, 1);
    r.Stage(0, {{C::R1, 4700}, {C::C1, 3.3e-8}, {C::R3, 0}, {C::R4, 1e20}});
    r.Stage(1, {{C::R1, 1000},
                {C::R2, 2000},
                {C::R3, 10000},
                {C::R4, 10000},
                {C::C1, 1e-9},
                {C::C2, 2e-9}});
    EXPECT_EQ(r.Stages(),
              "* Filterstage 1 *\n"
              "R11 101 103 4700\n"
              "C11 103 0 3.3e-08\n"
              "R31 104 105 0\n"
              "R41 105 0 1e+20\n"
              "X1 103 105 1 2 104 LF411\n"
              "* Filterstage 2 *\n"
              "R12 104 202 1000\n"
              "R22 202 203 2000\n"
              "C12 203 0 1e-09\n"
              "C22 202 0UT 2e-09\n"
              "R32 0UT 205 10000\n"
              "R42 205 0 10000\n"
              "X2 203 205 1 2 0UT LF411\n");
}

TEST(SpiceNetlist, SallenKeyHighPassFirstOrderStageTrailsForLowNoise) {
    Record r(FilterType::HIGHPASS, StructureKind::SALLEN_KEY, 3, 0.0, 0, StageSequence::LOW_NOISE);
    r.Stage(0, {{C::R1, 1000}, {C::R2, 2000}, {C::C1, 1e-9}, {C::C2, 2e-9}});
    r.Stage(1, {{C::R1, 4700}, {C::C1, 3.3e-8}});
    EXPECT_EQ(r.Stages(),
              "* Filterstage 1 *\n"
              "R11 103 0 1000\n"
              "R21 102 104 2000\n"
              "C11 101 102 1e-09\n"
              "C21 102 103 2e-09\n"
              "E1 104 0 103 0 1\n"
              "* Filterstage 2 *\n"
              "R12 203 0 4700\n"
              "C12 104 203 3.3e-08\n"
              "E2 0UT 0 203 0 1\n");
}

TEST(SpiceNetlist, ThirdOrderSallenKeyWithOneOpAmp) {
    Record lp(FilterType::LOWPASS, StructureKind::SALLEN_KEY_X, 3, 10.0, 1);
    lp.Stage(0, {{C::R1, 1000},
                 {C::R2, 2000},
                 {C::R3, 3000},
                 {C::R4, 4000},
                 {C::R5, 5000},
                 {C::C1, 1e-9},
                 {C::C2, 2e-9},
                 {C::C3, 3e-9}});
    EXPECT_EQ(lp.Stages(),
              "* Filterstage 1 *\n"
              "R11 101 102 1000\n"
              "R21 102 103 2000\n"
              "R31 103 105 3000\n"
              "C11 102 0 1e-09\n"
              "C21 105 0 2e-09\n"
              "C31 103 0UT 3e-09\n"
              "R41 0UT 106 4000\n"
              "R51 106 0 5000\n"
              "X1 105 106 1 2 0UT LF411\n");
    Record hp(FilterType::HIGHPASS, StructureKind::SALLEN_KEY_X, 3, 0.0, 0);
    hp.Stage(
        0,
        {{C::R1, 1000}, {C::R2, 2000}, {C::R3, 3000}, {C::C1, 1e-9}, {C::C2, 2e-9}, {C::C3, 3e-9}});
    EXPECT_EQ(hp.Stages(),
              "* Filterstage 1 *\n"
              "C11 101 102 1e-09\n"
              "C21 102 103 2e-09\n"
              "C31 103 105 3e-09\n"
              "R11 102 0 1000\n"
              "R31 105 0 3000\n"
              "R21 103 0UT 2000\n"
              "E1 0UT 0 105 0 1\n");
}

TEST(SpiceNetlist, MultipleFeedbackLowPassAndHighPass) {
    Record lp(FilterType::LOWPASS, StructureKind::MFB, 3, 0.0, 0, StageSequence::LOW_NOISE);
    lp.Stage(0, {{C::R1, 1000}, {C::R2, 2000}, {C::R3, 3000}, {C::C1, 1e-9}, {C::C2, 2e-9}});
    lp.Stage(1, {{C::R1, 4700}, {C::R2, 4700}, {C::C1, 3.3e-8}});
    EXPECT_EQ(lp.Stages(),
              "* Filterstage 1 *\n"
              "R11 101 102 1000\n"
              "R21 102 104 2000\n"
              "R31 102 103 3000\n"
              "C11 103 104 1e-09\n"
              "C21 102 0 2e-09\n"
              "E1 104 0 103 0 -1e10\n"
              "* Filterstage 2 *\n"
              "R12 104 203 4700\n"
              "R22 203 0UT 4700\n"
              "C12 203 0UT 3.3e-08\n"
              "E2 0UT 0 203 0 -1e10\n");
    Record hp(FilterType::HIGHPASS, StructureKind::MFB, 3, 0.0, 2);
    hp.Stage(0, {{C::R1, 4700}, {C::C1, 1e-8}, {C::C2, 1e-8}, {C::C3, 2e20}, {C::R2, 2e20}});
    hp.Stage(1, {{C::R1, 1000}, {C::R2, 2000}, {C::C1, 1e-9}, {C::C2, 2e-9}, {C::C3, 3e-9}});
    EXPECT_EQ(hp.Stages(),
              "* Filterstage 1 *\n"
              "C11 101 103 1e-08\n"
              "C21 103 104 1e-08\n"
              "R11 103 104 4700\n"
              "X1 0 103 1 2 104 uA741\n"
              "* Filterstage 2 *\n"
              "C12 104 202 1e-09\n"
              "C22 202 0UT 2e-09\n"
              "C32 202 203 3e-09\n"
              "R12 203 0UT 1000\n"
              "R22 202 0 2000\n"
              "X2 0 203 1 2 0UT uA741\n");
}

TEST(SpiceNetlist, MultipleFeedbackBandPass) {
    Record r(FilterType::BANDPASS, StructureKind::MFB, 2, 0.0, 1);
    r.Stage(0, {{C::R1, 1000}, {C::R2, 1e20}, {C::R3, 3000}, {C::C1, 1e-9}, {C::C2, 1e-9}});
    EXPECT_EQ(r.Stages(),
              "* Filterstage 1 *\n"
              "R11 101 102 1000\n"
              "R21 102 0 1e+20\n"
              "R31 103 0UT 3000\n"
              "C11 102 103 1e-09\n"
              "C21 102 0UT 1e-09\n"
              "X1 0 103 1 2 0UT LF411\n");
}

TEST(SpiceNetlist, TwinTWritesBothHalvesOfTheSeriesBranches) {
    for (const int opAmp : {0, 1}) {
        Record r(FilterType::BANDREJECT, StructureKind::TWIN_T, 2, 5.8, opAmp);
        r.Stage(0, {{C::R1, 15915.5},
                    {C::R2, 7957.75},
                    {C::R3, 9500},
                    {C::R4, 10000},
                    {C::C1, 1e-8},
                    {C::C2, 2e-8}});
        const std::string amp =
            opAmp == 0 ? "E1 0UT 0 103 106 1e10\n" : "X1 103 106 1 2 0UT LF411\n";
        EXPECT_EQ(r.Stages(),
                  "* Filterstage 1 *\n"
                  "R11a 101 102 15915.5\n"
                  "R11b 102 103 15915.5\n"
                  "C21 102 0 2e-08\n"
                  "C11a 101 105 1e-08\n"
                  "C11b 105 103 1e-08\n"
                  "R21 105 0UT 7957.75\n"
                  "R31 0UT 106 9500\n"
                  "R41 106 0 10000\n" +
                      amp);
    }
}

TEST(SpiceDisplayFile, ThreePlotsOfTheCombinedAnalysis) {
    Record r(FilterType::LOWPASS, StructureKind::SALLEN_KEY, 2, 0.0, 0);
    const std::string grids =
        "BEGIN GRIDS\nAUTOMATIC\nMAJORNUMBERS\nMAJORSTYLE LINES\nMAJORPATTERN SOLID\n"
        "MINORSTYLE LINES\nMINORPATTERN DOT\nEND GRIDS\n";
    auto plot = [&](int n, const std::string& flags, const std::string& unit,
                    const std::string& trace) {
        const std::string k = std::to_string(n);
        return "BEGIN ANAPLOT " + k + "\n" + flags +
               "BEGIN XAXIS\nTEXT Frequency\nRANGEFLAG MANUAL\nTYPE LOG\nUNIT H\n" + grids +
               "REFMIN 500\nREFMAX 2000\nREFUNIT H\nEND XAXIS\n"
               "BEGIN YAXIS 1\nACTIVE\nRANGEFLAG AUTO\nTYPE LINEAR\nUNIT " +
               unit + "\n" + grids + "BEGIN TRACE " + trace + "\nMARKERID 0\nEND TRACE " + trace +
               "\nEND YAXIS 1\nEND ANAPLOT " + k + "\n";
    };
    const std::string expected =
        "[DISPLAYS]\nBEGIN DISPLAY LAST SESSION\nANALYSIS AC_SWEEP\nSYMBOL AUTO\n"
        "TRACECOLORSCHEME NORMAL\n" +
        plot(1, "XBASE\n", "s", "VG(0UT)") + plot(2, "", "d", "VP(0UT)") +
        plot(3, "ACTIVE\n", " ", "VDB(0UT)") +
        "END DISPLAY LAST SESSION\nBEGIN DISPLAY LAST DISPLAY\nANALYSIS AC_SWEEP\n"
        "SYMBOL ALWAYS\nTRACECOLORSCHEME NORMAL\nBEGIN ANAPLOT 1\nACTIVE\nXBASE\n"
        "BEGIN XAXIS\nTEXT Frequency\nRANGEFLAG AUTO\nTYPE LOG\nUNIT H\n" +
        grids +
        "END XAXIS\nBEGIN YAXIS 1\nACTIVE\nRANGEFLAG NORANGE\nTYPE LINEAR\nUNIT  \n"
        "END YAXIS 1\nEND ANAPLOT 1\n";
    EXPECT_EQ(CPspice(r.filter, r.opv, {"sh", "/tmp", "x.lib"}).DisplayFile(SpiceMode::ALL),
              expected);
}

TEST(SpiceDisplayFile, StepResponseHasATimeAxisAndOneActivePlot) {
    Record r(FilterType::LOWPASS, StructureKind::SALLEN_KEY, 2, 0.0, 0);
    const std::string text =
        CPspice(r.filter, r.opv, {"sh", "/tmp", "x.lib"}).DisplayFile(SpiceMode::STEP_RESPONSE);
    EXPECT_NE(text.find("ANALYSIS TRANSIENT_ANALYSIS\nSYMBOL AUTO"), std::string::npos);
    EXPECT_NE(text.find("BEGIN ANAPLOT 1\nACTIVE\nXBASE\nBEGIN XAXIS\nTEXT Time\n"
                        "RANGEFLAG AUTO\nTYPE LINEAR\nUNIT s\n"),
              std::string::npos);
    EXPECT_EQ(text.find("REFMIN"), std::string::npos);
    EXPECT_NE(text.find("UNIT V\n"), std::string::npos);
    EXPECT_EQ(text.find("ANAPLOT 2"), std::string::npos);
}

}  // namespace
}  // namespace vx
