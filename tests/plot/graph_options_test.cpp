#include "plot/graph_options.h"

#include <gtest/gtest.h>

#include <cmath>

#include "session/design_session.h"

namespace vx {
namespace {

TEST(GraphOptions, PlotRangeFromFactorsOrFrequencies) {
    CFilter filter;  // fg = 1 kHz
    EXPECT_FALSE(ApplyPlotRange(filter, 0.01, 100.0, RangeInput::FACTORS));
    EXPECT_EQ(filter.PlotMin(), 0.01);
    EXPECT_EQ(filter.PlotMax(), 100.0);
    EXPECT_FALSE(ApplyPlotRange(filter, 500.0, 4000.0, RangeInput::FREQUENCIES));
    EXPECT_DOUBLE_EQ(filter.PlotMin(), 0.5);
    EXPECT_DOUBLE_EQ(filter.PlotMax(), 4.0);
    for (const auto& [start, end] : {std::pair{1.0, 2.0}, {0.5, 1.0}, {0.005, 2.0}, {0.5, 101.0}}) {
        const auto refused = ApplyPlotRange(filter, start, end, RangeInput::FACTORS);
        ASSERT_TRUE(refused) << start << " " << end;
        EXPECT_EQ(*refused, (UserMessage{"Eingabefehler", "Bitte korrigieren Sie Ihre Eingaben."}));
    }
    EXPECT_DOUBLE_EQ(filter.PlotMax(), 4.0);
}

TEST(GraphOptions, FrequencyMarksAreRoundedAndEmptyOrNegativeFieldsDisableThem) {
    CFilter filter;
    ApplyFrequencyMarks(filter, {{{true, "12345,67"},
                                  {true, ""},
                                  {true, "-5"},
                                  {true, "0"},
                                  {false, "1,5k"},
                                  {true, "2k2"}}});
    const Mark expected[] = {{true, 12346.0}, {false, -1.0},   {false, -1.0},
                             {true, 0.0},     {false, 1500.0}, {true, 2200.0}};
    for (size_t k = 0; k < 6; ++k) {
        EXPECT_EQ(filter.frequencyMarks[k].enabled, expected[k].enabled) << k;
        EXPECT_DOUBLE_EQ(filter.frequencyMarks[k].value, expected[k].value) << k;
    }

    ApplyAmplitudeMarks(filter, {{{true, "-3"}, {true, ""}, {false, "-20"}, {true, "6,5"}}});
    EXPECT_TRUE(filter.amplitudeMarks[0].enabled);
    EXPECT_EQ(filter.amplitudeMarks[0].value, -3.0);
    EXPECT_FALSE(filter.amplitudeMarks[1].enabled);
    EXPECT_FALSE(filter.amplitudeMarks[2].enabled);
    EXPECT_EQ(filter.amplitudeMarks[2].value, -20.0);
    EXPECT_EQ(filter.amplitudeMarks[3].value, 6.5);

    // Opened again, the dialogs show what was stored: a disabled frequency mark keeps its
    // frequency, a disabled level does not.
    const auto frequencies = FrequencyMarkFields(filter);
    const MarkField expectedFields[] = {{true, "12346"}, {false, ""},     {false, ""},
                                        {true, "0"},     {false, "1500"}, {true, "2200"}};
    for (size_t k = 0; k < 6; ++k) {
        EXPECT_EQ(frequencies[k].checked, expectedFields[k].checked) << k;
        EXPECT_EQ(frequencies[k].text, expectedFields[k].text) << k;
    }
    const auto levels = AmplitudeMarkFields(filter);
    EXPECT_EQ(levels[0].text, "-3");
    EXPECT_EQ(levels[2].text, "");
    EXPECT_EQ(levels[3].text, "6,5");
}

TEST(GraphOptions, MarkLevelTexts) {
    EXPECT_EQ(MarkLevelText(-3.01), "-3,01 dB");
    EXPECT_EQ(MarkLevelText(0.0), "0,00 dB");
    EXPECT_EQ(MarkLevelText(999.99), "999,99 dB");
    EXPECT_EQ(MarkLevelText(1234.5), " 1,23E+03 dB");
    EXPECT_EQ(MarkLevelText(-12345.0), "-1,23E+04 dB");
    EXPECT_EQ(MarkLevelText(9999.0), " 1,00E+04 dB");
    EXPECT_EQ(MarkLevelText(std::nullopt), "");
    EXPECT_EQ(MarkLevelText(-HUGE_VAL), "");
}

// A Butterworth low-pass is 3 dB down at its cut-off and falls 20 n dB per decade.
TEST(GraphOptions, FrequencyMarkLevelOfTheStoredDesign) {
    CDesignSession session;
    EXPECT_FALSE(FrequencyMarkLevelDb(session, 1000.0));
    EXPECT_EQ(FrequencyMarkLevelText(session, "1k"), "");
    SpecificationBlock block = session.Filter().Specification();
    block.characteristic = Characteristic::BUTTERWORTH;
    block.orderLpHp = 4;
    block.resistorSeries = ResistorSeries::E192;
    session.Filter().SetSpecification(block, StructureKind::SALLEN_KEY, FilterType::LOWPASS);
    session.FillCharacteristic();
    SilentMonitor monitor;
    ASSERT_TRUE(session.Design(monitor));
    const std::vector<double> before = session.Curves().filter.Values();

    const auto atCutOff = FrequencyMarkLevelDb(session, 1000.0);
    ASSERT_TRUE(atCutOff);
    EXPECT_NEAR(*atCutOff, -3.01, 0.1);
    EXPECT_EQ(std::round(*atCutOff * 100.0), *atCutOff * 100.0);  // hundredths of a dB
    EXPECT_NEAR(*FrequencyMarkLevelDb(session, 10000.0), -80.0, 0.5);
    EXPECT_NEAR(*FrequencyMarkLevelDb(session, 50.0), 0.0, 0.05);
    EXPECT_EQ(session.Curves().filter.Values(), before);  // the plot keeps its curves
    // The field's text is read with prefix letters; an empty field has no level.
    EXPECT_EQ(FrequencyMarkLevelText(session, "1k"), MarkLevelText(atCutOff));
    EXPECT_EQ(FrequencyMarkLevelText(session, " "), "");
}

}  // namespace
}  // namespace vx
