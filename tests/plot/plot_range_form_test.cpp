#include "plot/plot_range_form.h"

#include <gtest/gtest.h>

#include "model/filter.h"

namespace vx {
namespace {

// The two ways into the range follow each other as the user types, and OK takes the kind that
// was typed last.
TEST(PlotRangeForm, FieldsFollowEachOtherAndOkTakesTheLastKind) {
    CFilter filter;  // low-pass, fg = 1 kHz, range 0.5 .. 2
    CPlotRangeForm form(filter);
    EXPECT_EQ(form.ReferenceLabel(), "fg :");
    EXPECT_EQ(form.StartFactor(), "0,5");
    EXPECT_EQ(form.EndFactor(), "2");
    EXPECT_EQ(form.StartHz(), "500");
    EXPECT_EQ(form.EndHz(), "2k");
    EXPECT_EQ(form.StartHzHint(), "( >= 10  und  < 1k )");
    EXPECT_EQ(form.EndHzHint(), "( > 1k  und  <= 100k )");

    form.EditStartHz("500");
    form.EditEndHz("4k");
    EXPECT_EQ(form.StartFactor(), "0,5");
    EXPECT_EQ(form.EndFactor(), "4");
    EXPECT_FALSE(form.Apply(filter));
    EXPECT_DOUBLE_EQ(filter.PlotMin(), 0.5);
    EXPECT_DOUBLE_EQ(filter.PlotMax(), 4.0);

    // A factor typed after the frequencies wins, whatever the frequency fields say.
    form.EditStartHz("100");
    form.EditStartFactor("0,25");
    EXPECT_EQ(form.StartHz(), "250");
    EXPECT_FALSE(form.Apply(filter));
    EXPECT_DOUBLE_EQ(filter.PlotMin(), 0.25);

    form.Standard();
    EXPECT_EQ(form.StartHz(), "500");
    EXPECT_EQ(form.EndFactor(), "2");
}

TEST(PlotRangeForm, RefusedPairsChangeNothing) {
    CFilter filter;
    filter.SetBandRejectSpecification(CapacitorMode::OPTIMIZE, ResistorSeries::E24, 0, 50.0, 1e4,
                                      2.0);
    CPlotRangeForm form(filter);
    EXPECT_EQ(form.ReferenceLabel(), "fm :");
    EXPECT_EQ(form.StartHzHint(), "( >= 500m  und  < 50 )");
    struct Case {
        const char* start;
        const char* end;
        bool hz;
        bool accepted;
    };
    const Case cases[] = {{"1", "2", false, false},    {"0,01", "100", false, true},
                          {"0,5", "1", false, false},  {"50", "100", true, false},
                          {"1", "5k", true, true},     {"0,49", "5k", true, false},
                          {"25", "5001", true, false}, {"abc", "2", false, false}};
    for (const Case& c : cases) {
        SCOPED_TRACE(std::string(c.start) + " " + c.end);
        const double before[2] = {filter.PlotMin(), filter.PlotMax()};
        if (c.hz) {
            form.EditStartHz(c.start);
            form.EditEndHz(c.end);
        } else {
            form.EditStartFactor(c.start);
            form.EditEndFactor(c.end);
        }
        const auto refused = form.Apply(filter);
        EXPECT_EQ(!refused, c.accepted);
        if (refused) {
            EXPECT_EQ(refused->text, "Bitte korrigieren Sie Ihre Eingaben.");
            EXPECT_EQ(filter.PlotMin(), before[0]);
            EXPECT_EQ(filter.PlotMax(), before[1]);
        }
    }
}

}  // namespace
}  // namespace vx
