#include "model/enum_words.h"

#include <gtest/gtest.h>

#include <set>
#include <string>

namespace vx {
namespace {

// Every value has a row at its own index (the file's scanner numbers the words by it), and each
// word names that value again in its column, once.
template <class E>
void ExpectRoundTrips(int count) {
    const auto rows = EnumWords<E>();
    ASSERT_EQ(rows.size(), static_cast<size_t>(count));
    for (const WordColumn column : {WordColumn::COMMAND_LINE, WordColumn::FILE}) {
        std::set<std::string_view> seen;
        for (int i = 0; i < count; ++i) {
            const E value = static_cast<E>(i);
            EXPECT_EQ(rows[static_cast<size_t>(i)].value, value);
            const std::string_view word = WordOfEnum(value, column);
            EXPECT_TRUE(seen.insert(word).second) << word;
            EXPECT_EQ(EnumOfWord<E>(word, column), value) << word;
        }
    }
}

TEST(EnumWords, EveryValueRoundTripsInBothColumns) {
    ExpectRoundTrips<FilterType>(4);
    ExpectRoundTrips<StructureKind>(4);
    ExpectRoundTrips<Characteristic>(4);
    ExpectRoundTrips<ResistorSeries>(5);
    ExpectRoundTrips<StageSequence>(2);
    ExpectRoundTrips<GainDistribution>(3);
    ExpectRoundTrips<CapacitorMode>(2);
}

TEST(EnumWords, ColumnsAreKeptApartAndCompareExactly) {
    EXPECT_EQ(WordOfEnum(Characteristic::CHEBYCHEV, WordColumn::COMMAND_LINE), "chebyshev");
    EXPECT_EQ(WordOfEnum(Characteristic::CHEBYCHEV, WordColumn::FILE), "CHEBYCHEV");
    EXPECT_EQ(WordOfEnum(StageSequence::LOW_NOISE, WordColumn::FILE), "LOW_NOISE");
    for (const char* word : {"LOWPASS", "lowpass ", "", "Lowpass"}) {
        EXPECT_FALSE(EnumOfWord<FilterType>(word, WordColumn::COMMAND_LINE)) << word;
    }
    EXPECT_FALSE(EnumOfWord<FilterType>("lowpass", WordColumn::FILE));
}

TEST(EnumWords, AMissingWordIsAProgrammingError) {
    constexpr EnumWord<CapacitorMode> kOnlyEnter[] = {{CapacitorMode::ENTER, "enter", ""}};
    EXPECT_THROW(WordOfEnum<CapacitorMode>(kOnlyEnter, CapacitorMode::ENTER, WordColumn::FILE),
                 std::logic_error);
    EXPECT_THROW(
        WordOfEnum<CapacitorMode>(kOnlyEnter, CapacitorMode::OPTIMIZE, WordColumn::COMMAND_LINE),
        std::logic_error);
    EXPECT_FALSE(EnumOfWord<CapacitorMode>(kOnlyEnter, "", WordColumn::FILE));
}

}  // namespace
}  // namespace vx
