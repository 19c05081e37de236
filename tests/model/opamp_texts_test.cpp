#include "model/opamp_texts.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "model/opv.h"

namespace vx {
namespace {

// A catalogue part with every figure the list shows, and an own model that knows few.
COpv TwoModels() {
    OpAmpData full;
    full.name = "X1";
    full.maker = "Acme Analog";
    full.kind = "audio";
    full.gbw = 8e6;
    full.phaseMargin = 60.0;
    full.slewRate = 13.0;
    full.voltageNoise = 0.9;
    full.supplyMin = 4.5;
    full.supplyMax = 36.0;
    full.source = "Acme, X1 data sheet";
    OpAmpData sparse;
    sparse.name = "y2";
    sparse.kind = "audio";
    sparse.gbw = 1.2e6;
    sparse.slewRate = 0.5;
    sparse.supplyMax = 5.5;
    COpv opv;
    opv.AddModels({full}, false);
    opv.AddModels({sparse}, true);
    return opv;
}

TEST(OpAmpTexts, RowFiguresAndName) {
    const COpv opv = TwoModels();
    struct Case {
        const char* name;
        std::vector<std::string> row;
        std::string figures;
        std::string withGbw;
    };
    const Case cases[] = {
        {"X1",
         {"X1", "Acme Analog", "audio", "8 MHz", "60°", "13 V/µs", "0,9", "4,5 .. 36 V",
          "Acme, X1 data sheet"},
         "GBW 8 MHz, 13 V/µs, 0,9 nV/√Hz",
         "X1 (GBW 8 MHz)"},
        // Unknown figures stay empty; an own model is of the class "eigen" whatever it says.
        {"y2",
         {"y2", "", "eigen", "1,2 MHz", "", "0,5 V/µs", "", "bis 5,5 V", ""},
         "GBW 1,2 MHz, 0,5 V/µs",
         "y2 (GBW 1,2 MHz)"},
    };
    for (const Case& c : cases) {
        const int i = opv.FindByName(c.name);
        ASSERT_GT(i, 0) << c.name;
        EXPECT_EQ(OpAmpRow(opv, i), c.row) << c.name;
        EXPECT_EQ(OpAmpFigures(opv, i), c.figures) << c.name;
        EXPECT_EQ(OpAmpNameWithGbw(opv, i), c.withGbw) << c.name;
    }
    // The ideal op-amp has no bandwidth to name.
    EXPECT_EQ(OpAmpNameWithGbw(opv, 0), "Idealer OPV");
    EXPECT_EQ(OpAmpFigures(opv, 0), "ohne Grenze der Bandbreite");
}

TEST(OpAmpTexts, FilterMatchesNameMakerAndClassIgnoringCase) {
    const COpv opv = TwoModels();
    const int x1 = opv.FindByName("X1");
    const int y2 = opv.FindByName("y2");
    struct Case {
        const char* filter;
        bool x1;
        bool y2;
    };
    const Case cases[] = {
        {"", true, true},       {"Y2", false, true},    {"acme", true, false},
        {"AUDIO", true, false}, {"Eigen", false, true}, {"x9", false, false},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(OpAmpMatches(opv, x1, c.filter), c.x1) << c.filter;
        EXPECT_EQ(OpAmpMatches(opv, y2, c.filter), c.y2) << c.filter;
    }
}

}  // namespace
}  // namespace vx
