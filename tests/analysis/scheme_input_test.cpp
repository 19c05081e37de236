#include "analysis/plan/scheme_input.h"

#include <gtest/gtest.h>

#include <cmath>
#include <optional>
#include <string>

namespace vx {
namespace {

using F = SchemeField;

// The texts a user types come back as the scheme the check and the plan read: blank limits are
// none, fields the type has not are ignored, and a text that is no number is refused with the
// field that gets the focus.
TEST(SchemeInput, TextsStateTheSchemeTheCheckReads) {
    struct Case {
        FilterType type;
        F field;
        std::string text;
        std::optional<F> refused;  // the field CheckScheme focuses, none when it passes
    };
    const Case cases[] = {
        {FilterType::LOWPASS, F::STOP_EDGE, "2,5k", std::nullopt},
        {FilterType::LOWPASS, F::OVERSHOOT, " ", std::nullopt},
        {FilterType::LOWPASS, F::OVERSHOOT, "5", std::nullopt},
        {FilterType::LOWPASS, F::OVERSHOOT, "fünf", F::OVERSHOOT},
        {FilterType::LOWPASS, F::PASS_ATTENUATION, "0", F::PASS_ATTENUATION},
        {FilterType::LOWPASS, F::STOP_EDGE, "800", F::STOP_EDGE},
        // A high-pass plans neither figure: what its disabled fields hold is no limit.
        {FilterType::HIGHPASS, F::DELAY_VARIATION, "abc", std::nullopt},
        {FilterType::HIGHPASS, F::OVERSHOOT, "5", std::nullopt},
        {FilterType::BANDPASS, F::DELAY_VARIATION, "200", F::DELAY_VARIATION},
        {FilterType::BANDPASS, F::PASS_EDGE_HIGH, "", F::PASS_EDGE_HIGH},
        {FilterType::BANDREJECT, F::STOP_EDGE_HIGH, "2,5k", F::PASS_EDGE_HIGH},
    };
    for (const Case& c : cases) {
        SchemeInput input = DefaultSchemeEntries().Of(c.type);
        input.Text(c.field) = c.text;
        const ToleranceScheme scheme = SchemeFromInput(c.type, input);
        EXPECT_EQ(scheme.type, c.type);
        const auto error = CheckScheme(scheme);
        ASSERT_EQ(error.has_value(), c.refused.has_value()) << c.text;
        if (error) {
            EXPECT_EQ(error->focus, *c.refused) << c.text;
        }
    }
    // The fields show a scheme as the user types it and read it back unchanged.
    const ToleranceScheme shown{FilterType::LOWPASS, 1000.0, 0.0, 0.5, 2500.0, 0.0, 40.0, {}, 5.0};
    const SchemeInput input = SchemeInputFrom(shown, StructureKind::MFB);
    EXPECT_EQ(input.Text(F::STOP_EDGE), "2500");
    EXPECT_EQ(input.Text(F::PASS_ATTENUATION), "0,5");
    EXPECT_EQ(input.Text(F::DELAY_VARIATION), "");
    EXPECT_EQ(SchemeFromInput(FilterType::LOWPASS, input), shown);
}

// Every type's first scheme passes the check and has a row to offer.
TEST(SchemeInput, DefaultSchemesArePlannable) {
    const SchemeEntries entries = DefaultSchemeEntries();
    EXPECT_EQ(entries.type, FilterType::LOWPASS);
    for (const FilterType type : {FilterType::LOWPASS, FilterType::HIGHPASS, FilterType::BANDPASS,
                                  FilterType::BANDREJECT}) {
        const ToleranceScheme scheme = SchemeFromInput(type, entries.Of(type));
        ASSERT_EQ(CheckScheme(scheme), std::nullopt) << static_cast<int>(type);
        EXPECT_TRUE(PreferredPlanRow(PlanOrders(scheme))) << static_cast<int>(type);
        EXPECT_EQ(entries.Of(type).structure, PlanStructures(type).front());
    }
}

// A plan offers the user's row while it reaches the scheme, else the lowest order that keeps
// the limits.
TEST(SchemeInput, PreferredRowKeepsTheChoiceElseTheLowestOrderWithinTheLimits) {
    auto row = [](int order, bool meets, double ripple = 0.0) {
        PlanRow r;
        r.characteristic = ripple > 0.0 ? Characteristic::CHEBYCHEV : Characteristic::BUTTERWORTH;
        r.rippleDb = ripple;
        r.order = order;
        r.meetsLimits = meets;
        return r;
    };
    struct Case {
        std::vector<PlanRow> rows;
        std::optional<PlanRow> chosen;
        std::optional<size_t> preferred;
    };
    const Case cases[] = {
        {{row(0, true), row(5, true), row(4, true, 1.0), row(4, true, 0.5)}, {}, 2},
        {{row(5, true), row(4, false, 1.0), row(6, true, 0.5)}, {}, 0},
        {{row(6, false), row(4, false, 1.0)}, {}, 1},
        {{row(0, true), row(0, false, 1.0)}, {}, std::nullopt},
        {{}, {}, std::nullopt},
        {{row(5, true), row(4, true, 1.0), row(4, true, 0.5)}, row(7, false, 0.5), 2},
        {{row(5, true), row(4, true, 1.0), row(0, true, 0.5)}, row(4, true, 0.5), 1},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(PreferredPlanRow(c.rows, c.chosen), c.preferred);
    }
}

}  // namespace
}  // namespace vx
