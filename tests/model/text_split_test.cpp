#include "model/text_split.h"

#include <gtest/gtest.h>

namespace vx {
namespace {

TEST(TextSplit, KeepsEmptyPieces) {
    using Pieces = std::vector<std::string>;
    EXPECT_EQ(SplitText("", ','), Pieces{""});
    EXPECT_EQ(SplitText("1k", ','), Pieces{"1k"});
    EXPECT_EQ(SplitText("a,,b", ','), (Pieces{"a", "", "b"}));
    EXPECT_EQ(SplitText(",a,", ','), (Pieces{"", "a", ""}));
    EXPECT_EQ(SplitText("1n:2n/3n", ':'), (Pieces{"1n", "2n/3n"}));
}

}  // namespace
}  // namespace vx
