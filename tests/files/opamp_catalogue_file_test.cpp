#include <gtest/gtest.h>

#include <cctype>
#include <cmath>
#include <set>

#include "files/opamp_files.h"
#include "model/opv.h"

namespace vx {
namespace {

// The shipped catalogue reads without a fault; every row names its source and has a name of its
// own, and its two-pole model crosses unity at the row's gain-bandwidth product with the row's
// phase margin (about 90 degrees where the datasheet gives none).
TEST(OpAmpCatalogue, EveryRowIsSourcedAndItsModelMeetsItsFigures) {
    const OpAmpLibrary library = LoadOpAmpLibrary(CatalogueOpAmpPath(), "");
    ASSERT_TRUE(library.problems.empty()) << library.problems.front().text;
    ASSERT_GE(library.catalogue.size(), 60u);
    std::set<std::string> names{"LF411", "UA741", "IDEAL"};
    std::set<std::string> kinds;
    for (const OpAmpData& row : library.catalogue) {
        SCOPED_TRACE(row.name);
        std::string upper = row.name;
        for (char& c : upper) {
            c = static_cast<char>(std::toupper(static_cast<unsigned char>(c)));
        }
        EXPECT_TRUE(names.insert(upper).second);
        EXPECT_FALSE(row.source.empty());
        kinds.insert(row.kind);
        const LoopFigures loop = FiguresOf(ModelOf(row));
        EXPECT_NEAR(loop.unityGainHz / row.gbw, 1.0, 1e-6);
        // One pole turns the phase a hair short of 90 degrees at a low A0.
        EXPECT_NEAR(loop.phaseMarginDeg, std::isfinite(row.phaseMargin) ? row.phaseMargin : 90.0,
                    std::isfinite(row.phaseMargin) ? 0.01 : 0.05);
    }
    EXPECT_EQ(kinds, (std::set<std::string>{"audio", "bipolar", "cmos-rrio", "fast", "jfet",
                                            "low-power", "precision"}));
    // The merged list keeps the built-in models where the specification files expect them.
    COpv opv;
    EXPECT_TRUE(opv.AddModels(library.catalogue, false).empty());
    EXPECT_EQ(opv.FindByName("ideal"), 0);
    EXPECT_EQ(opv.DcGain(opv.FindByName("LF411")), 133169.0);
    EXPECT_EQ(opv.TimeConstant2(opv.FindByName("uA741")), 9.192118e-08);
}

}  // namespace
}  // namespace vx
