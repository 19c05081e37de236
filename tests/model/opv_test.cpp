#include "model/opv.h"

#include <gtest/gtest.h>

#include <numbers>
#include <stdexcept>

namespace vx {
namespace {

TEST(OpvTest, BuiltInModels) {
    const COpv opv;
    ASSERT_EQ(opv.Count(), 3);
    EXPECT_EQ(opv.Name(0), "Idealer OPV");
    EXPECT_EQ(opv.DcGain(0), 1e8);
    EXPECT_EQ(opv.TimeConstant1(0), 0.0);
    EXPECT_EQ(opv.TimeConstant2(0), 0.0);
    EXPECT_EQ(opv.Name(1), "LF411");
    EXPECT_EQ(opv.DcGain(1), 133169.0);
    EXPECT_EQ(opv.TimeConstant1(1), 0.002658067);
    EXPECT_EQ(opv.TimeConstant2(1), 3.338664e-08);
    EXPECT_EQ(opv.Name(2), "uA741");
    EXPECT_EQ(opv.DcGain(2), 27148.72);
    EXPECT_EQ(opv.TimeConstant1(2), 0.004350816);
    EXPECT_EQ(opv.TimeConstant2(2), 9.192118e-08);
    // Gain-bandwidth products A0 / (2 pi T1): about 8 MHz and 1 MHz.
    const auto gbp = [&](int i) {
        return opv.DcGain(i) / (2 * std::numbers::pi * opv.TimeConstant1(i));
    };
    EXPECT_NEAR(gbp(1), 8e6, 0.05e6);
    EXPECT_NEAR(gbp(2), 1e6, 0.05e6);
}

TEST(OpvTest, OutOfRangeReadsEmpty) {
    const COpv opv;
    EXPECT_EQ(opv.Name(3), "");
    EXPECT_EQ(opv.DcGain(3), 0.0);
    EXPECT_EQ(opv.TimeConstant1(3), 0.0);
    EXPECT_EQ(opv.TimeConstant2(-1), 0.0);
    EXPECT_EQ(opv.Name(-1), "");
}

TEST(OpvTest, FindByName) {
    const COpv opv;
    struct Case {
        const char* name;
        int index;
    };
    const Case kCases[] = {
        {"lf411", 1},        {"LF411", 1}, {"uA741", 2},   {"UA741", 2}, {"ideal", 0}, {"IdEaL", 0},
        {"Idealer OPV", -1}, {"LF41", -1}, {"LF4111", -1}, {"OP07", -1}, {"", -1},
    };
    for (const Case& c : kCases) {
        EXPECT_EQ(opv.FindByName(c.name), c.index) << c.name;
    }
}

TEST(OpvTest, AddedModelsAreFoundAndMustKeepTheOrder) {
    COpv opv;
    opv.Add("uA7410", 1e5, 1e-3, 1e-8);
    opv.Add("ZX99", 2e5, 2e-3, 2e-8);
    ASSERT_EQ(opv.Count(), 5);
    EXPECT_EQ(opv.DcGain(4), 2e5);
    EXPECT_EQ(opv.FindByName("lf411"), 1);
    EXPECT_EQ(opv.FindByName("UA741"), 2);
    EXPECT_EQ(opv.FindByName("ua7410"), 3);
    EXPECT_EQ(opv.FindByName("zx99"), 4);
    EXPECT_EQ(opv.FindByName("UA74"), -1);
    EXPECT_THROW(opv.Add("OP07", 1e5, 1e-3, 1e-8), std::invalid_argument);
    EXPECT_THROW(opv.Add("zx99", 1e5, 1e-3, 1e-8), std::invalid_argument);
    EXPECT_EQ(opv.Count(), 5);
}

}  // namespace
}  // namespace vx
