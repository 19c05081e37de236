#include "plot/plot_range_form.h"

#include <gtest/gtest.h>

#include "model/filter.h"
#include "plot/plot_messages.h"

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
    const std::string refused = "Bitte korrigieren Sie Ihre Eingaben.";
    const auto named = [](const std::string& field, const std::string& range) {
        return "Der Wert des Parameters \"" + field +
               "\" liegt außerhalb des zulässigen Bereichs [ " + range +
               " ].\n\nBitte korrigieren Sie Ihre Eingaben.";
    };
    struct Case {
        const char* start;
        const char* end;
        bool hz;
        std::string message;  // empty when accepted
    };
    const Case cases[] = {
        {"1", "2", false, refused},
        {"0,01", "100", false, ""},
        {"0,5", "1", false, refused},
        {"50", "100", true, refused},
        {"1", "5k", true, ""},
        {"0,49", "5k", true, refused},
        {"25", "5001", true, refused},
        {"abc", "2", false, named("Anfangsfrequenz, als Faktor von fm", ">= 0,01  und  < 1")},
        {"0,5", "", false, named("Endfrequenz, als Faktor von fm", "> 1  und  <= 100")},
        {"abc", "", true, named("Anfangsfrequenz in Hz", ">= 500m  und  < 50")},
        {"1", "k", true, named("Endfrequenz in Hz", "> 50  und  <= 5k")},
    };
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
        const auto message = form.Apply(filter);
        EXPECT_EQ(message ? message->text : "", c.message);
        if (message) {
            EXPECT_EQ(message->caption, "Eingabefehler");
            EXPECT_EQ(filter.PlotMin(), before[0]);
            EXPECT_EQ(filter.PlotMax(), before[1]);
        }
    }
}

TEST(PlotRangeForm, MarkTextThatIsNoNumberNamesTheMark) {
    const auto named = [](const std::string& mark, const char* unit) {
        return "Der Wert des Parameters \"" + mark +
               " 3\" liegt außerhalb des zulässigen Bereichs [ beliebige Zahl in " + unit +
               " ].\n\nBitte korrigieren Sie Ihre Eingaben.";
    };
    const std::string amplitude = named("Amplitudenmarke", "dB");
    const struct {
        MarkKind kind;
        bool checked;
        const char* text;
        std::string message;  // empty when taken
    } cases[] = {{MarkKind::AMPLITUDE, true, "abc", amplitude},
                 {MarkKind::AMPLITUDE, true, "-", amplitude},
                 {MarkKind::AMPLITUDE, true, "-3", ""},
                 {MarkKind::AMPLITUDE, true, " ", ""},
                 {MarkKind::AMPLITUDE, false, "abc", ""},
                 {MarkKind::FREQUENCY, true, "abc", named("Frequenzmarke", "Hz")},
                 {MarkKind::FREQUENCY, true, "1k", ""}};
    for (const auto& c : cases) {
        const auto refused = CheckMarkField(c.kind, 3, c.checked, c.text);
        EXPECT_EQ(refused ? refused->text : "", c.message) << c.text;
    }
}

}  // namespace
}  // namespace vx
