#include "model/curve_selection.h"

#include <gtest/gtest.h>

namespace vx {
namespace {

// Files and settings keep the selection as these numbers.
TEST(CurveSelection, MapsToTheStoredNumbersBothWays) {
    struct Case {
        CurveSelection selection;
        int bits;
    };
    for (const Case& c :
         {Case{{}, 7}, Case{{false, false, false, false}, 0}, Case{{true, false, false, false}, 1},
          Case{{false, true, false, false}, 2}, Case{{false, false, true, false}, 4},
          Case{{false, false, false, true}, 16}, Case{{true, false, true, true}, 21},
          Case{{true, true, true, true}, 23}}) {
        EXPECT_EQ(c.selection.Bits(), c.bits);
        EXPECT_EQ(CurveSelection::FromBits(c.bits), c.selection) << c.bits;
    }
}

}  // namespace
}  // namespace vx
