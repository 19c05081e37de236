#include <gtest/gtest.h>

#include <cmath>

#include "model/opamp_table.h"
#include "model/opv.h"

namespace vx {
namespace {

// Whatever the datasheet gives of the second pole, the model crosses unity at the row's
// gain-bandwidth product with the row's phase margin.
TEST(OpAmpModel, MeetsTheRowsUnityGainFrequencyAndPhaseMargin) {
    struct Case {
        double a0;
        double gbw;
        double margin;
        double secondPole;
        double expectedMargin;
    };
    const Case cases[] = {
        {1e6, 8e6, 60.0, NAN, 60.0},    // margin given
        {3e3, 100e6, 45.0, NAN, 45.0},  // low gain, fast part
        {NAN, 1e6, 70.0, NAN, 70.0},    // no A0: the default
        {1e5, 10e6, NAN, 20e6, NAN},    // second pole given
        {1e5, 10e6, NAN, NAN, 90.0},    // neither: one pole
    };
    for (const Case& c : cases) {
        OpAmpData row;
        row.dcGain = c.a0;
        row.gbw = c.gbw;
        row.phaseMargin = c.margin;
        row.secondPole = c.secondPole;
        const TwoPoleModel model = ModelOf(row);
        const LoopFigures loop = FiguresOf(model);
        EXPECT_NEAR(loop.unityGainHz / c.gbw, 1.0, 1e-9) << c.gbw;
        if (std::isfinite(c.expectedMargin)) {
            EXPECT_NEAR(loop.phaseMarginDeg, c.expectedMargin, 1e-3) << c.gbw;
        } else {
            EXPECT_DOUBLE_EQ(model.t2, 1.0 / (2.0 * M_PI * c.secondPole));
        }
    }
}

// The file reads in any column order and skips what it does not know; a fault names its line
// and keeps the rows before it.
TEST(OpAmpTable, ReadsWhatItKnowsAndNamesTheFaultyLine) {
    const std::string text =
        "gbw_hz,notes,name,a0_db,source,rail_to_rail\n"
        "1e6,\"any, text\",MY1,100,\"Maker, Title, Rev. A\",in/out\n"
        "\n"
        "2e6,,MY2,,x,\n";
    const OpAmpTable table = ParseOpAmpTable(text, "own.csv");
    ASSERT_FALSE(table.error);
    ASSERT_EQ(table.rows.size(), 2u);
    EXPECT_EQ(table.rows[0].source, "Maker, Title, Rev. A");
    EXPECT_NEAR(table.rows[0].dcGain, 1e5, 1e-6);
    EXPECT_EQ(table.rows[0].railToRail, RailToRail::BOTH);
    EXPECT_TRUE(std::isnan(table.rows[1].dcGain));
    // What the writer puts out reads back the same.
    const OpAmpTable again = ParseOpAmpTable(OpAmpTableText(table.rows), "own.csv");
    ASSERT_EQ(again.rows.size(), 2u);
    EXPECT_EQ(again.rows[0].source, table.rows[0].source);
    EXPECT_NEAR(again.rows[0].dcGain, 1e5, 1e-3);

    const std::pair<std::string, const char*> faults[] = {
        {"name,gbw_hz\nA,1e6\nB,fast\n", "Zeile 3"},
        {"name,gbw_hz\nA,1e6,3\n", "Zeile 2"},
        {"name,gbw_hz\n\"A,1e6\n", "Zeile 2"},
        {"name,a0_db\nA,100\n", "Zeile 1"},
        {"name,gbw_hz\nA,\n", "Zeile 2"},
        {"name,gbw_hz,rail_to_rail\nA,1e6,both\n", "Zeile 2"},
    };
    for (const auto& [bad, line] : faults) {
        const OpAmpTable t = ParseOpAmpTable(bad, "own.csv");
        ASSERT_TRUE(t.error) << bad;
        EXPECT_NE(t.error->text.find(line), std::string::npos) << t.error->text;
        EXPECT_NE(t.error->text.find("own.csv"), std::string::npos);
    }
}

// Added models go into name order after the ideal one, which FindByName relies on; the built-in
// models keep their values, and a name already there is refused.
TEST(OpAmpList, AddedModelsKeepTheNameOrder) {
    COpv opv;
    const double lf411Gain = opv.DcGain(1);
    const double lf411T2 = opv.TimeConstant2(1);
    std::vector<OpAmpData> rows(4);
    const char* names[] = {"TL071", "AD797", "lf411", "OPA1611"};
    for (size_t i = 0; i < rows.size(); ++i) {
        rows[i].name = names[i];
        rows[i].gbw = 1e6;
    }
    EXPECT_EQ(opv.AddModels(rows, false), std::vector<std::string>{"lf411"});
    ASSERT_EQ(opv.Count(), 6);
    EXPECT_EQ(opv.Name(0), "Idealer OPV");
    for (int i = 2; i < opv.Count(); ++i) {
        EXPECT_LT(opv.Name(i - 1), opv.Name(i) == "uA741" ? "UA741" : opv.Name(i));
        EXPECT_EQ(opv.FindByName(opv.Name(i)), i);
    }
    const int lf411 = opv.FindByName("LF411");
    EXPECT_EQ(opv.DcGain(lf411), lf411Gain);
    EXPECT_EQ(opv.TimeConstant2(lf411), lf411T2);
    EXPECT_EQ(opv.FindByName("ideal"), 0);
}

}  // namespace
}  // namespace vx
