#include "analysis/tolerance_input.h"

#include <gtest/gtest.h>

#include <optional>
#include <string>

#include "analysis/tolerance_messages.h"

namespace vx {
namespace {

namespace t = tolerance_text;

// The fields show the settings as the user types them and read them back unchanged.
TEST(ToleranceInput, FieldsShowTheSettingsAndReadThemBack) {
    ToleranceSettings settings;
    settings.resistorTolerance = 0.005;
    settings.capacitorTolerance = 0.025;
    settings.gainBandwidthSpread = 0.2;
    settings.distribution = ToleranceDistribution::NORMAL;
    settings.runs = 2500;
    settings.seed = 18446744073709551615ULL;
    settings.threads = 2;
    const ToleranceInput input = ToleranceInputFrom(settings);
    EXPECT_EQ(input.resistors, "0,5");
    EXPECT_EQ(input.capacitors, "2,5");
    EXPECT_EQ(input.gainBandwidth, "20");
    EXPECT_EQ(input.runs, "2500");
    EXPECT_EQ(input.seed, "18446744073709551615");
    ToleranceSettings read;
    read.threads = 2;
    EXPECT_EQ(AcceptToleranceInput(input, read), std::nullopt);
    EXPECT_DOUBLE_EQ(read.resistorTolerance, settings.resistorTolerance);
    EXPECT_DOUBLE_EQ(read.capacitorTolerance, settings.capacitorTolerance);
    EXPECT_DOUBLE_EQ(read.gainBandwidthSpread, settings.gainBandwidthSpread);
    read.resistorTolerance = settings.resistorTolerance;
    read.capacitorTolerance = settings.capacitorTolerance;
    read.gainBandwidthSpread = settings.gainBandwidthSpread;
    EXPECT_EQ(read, settings);
}

// OK takes what a user may type and refuses the rest with the check's message, the focus on
// the field; refused input changes nothing.
TEST(ToleranceInput, RefusesWithTheCheckMessageAndTheField) {
    using F = ToleranceField;
    struct Case {
        F field;
        std::string text;
        double value;  // the fraction or count taken; ignored when refused
        const char* refusal;
    };
    const Case cases[] = {
        {F::RESISTORS, "1", 0.01, nullptr},
        {F::RESISTORS, " 0,5 % ", 0.005, nullptr},
        {F::RESISTORS, "0.5", 0.005, nullptr},
        {F::RESISTORS, "50", 0.5, nullptr},
        {F::RESISTORS, "50,1", 0, t::kToleranceRange},
        {F::RESISTORS, "-1", 0, t::kToleranceRange},
        {F::RESISTORS, "", 0, t::kToleranceRange},
        {F::CAPACITORS, "1k", 0, t::kToleranceRange},
        {F::CAPACITORS, "2,5,1", 0, t::kToleranceRange},
        {F::CAPACITORS, "0", 0.0, nullptr},
        {F::GAIN_BANDWIDTH, "%", 0, t::kToleranceRange},
        {F::GAIN_BANDWIDTH, "20%", 0.2, nullptr},
        {F::RUNS, "1", 1, nullptr},
        {F::RUNS, "10000", 10000, nullptr},
        {F::RUNS, "10001", 0, t::kRunsRange},
        {F::RUNS, "99999999999999999999", 0, t::kRunsRange},
        {F::RUNS, "0", 0, t::kRunsRange},
        {F::RUNS, "2,5", 0, t::kRunsRange},
        {F::SEED, "0", 0, nullptr},
        {F::SEED, "-1", 0, t::kSeedRange},
        {F::SEED, "18446744073709551616", 0, t::kSeedRange},
        {F::SEED, "", 0, t::kSeedRange},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.text);
        ToleranceInput input = ToleranceInputFrom(ToleranceSettings{});
        input.Text(c.field) = c.text;
        ToleranceSettings settings;
        settings.runs = 77;
        const auto error = AcceptToleranceInput(input, settings);
        if (c.refusal != nullptr) {
            ASSERT_TRUE(error.has_value());
            EXPECT_EQ(error->message, (UserMessage{t::kCaption, c.refusal}));
            EXPECT_EQ(error->focus, c.field);
            EXPECT_EQ(settings.runs, 77);
            continue;
        }
        ASSERT_EQ(error, std::nullopt);
        const double taken[] = {settings.resistorTolerance, settings.capacitorTolerance,
                                settings.gainBandwidthSpread, static_cast<double>(settings.runs),
                                static_cast<double>(settings.seed)};
        EXPECT_DOUBLE_EQ(taken[static_cast<int>(c.field)], c.value);
    }
}

}  // namespace
}  // namespace vx
