#include "plot/diagram.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>

#include "analysis/tolerance_mask.h"
#include "plot/graph_options.h"
#include "session/design_session.h"

namespace vx {
namespace {

// A fourth-order Butterworth low-pass at 1 kHz: its phase passes -180 degrees inside the plot
// range, so that a zoomed grid starting above it must carry the whole turn on.
void DesignLowPass(CDesignSession& session) {
    SpecificationBlock block = session.Filter().Specification();
    block.characteristic = Characteristic::BUTTERWORTH;
    block.orderLpHp = 4;
    session.Filter().SetSpecification(block, StructureKind::SALLEN_KEY, FilterType::LOWPASS);
    session.FillCharacteristic();
    SilentMonitor monitor;
    ASSERT_TRUE(session.Design(monitor));
}

double SeriesAt(const ViewCurves& curves, const char* name, double x) {
    const std::vector<double> values = ValuesAt(curves, x);
    for (size_t s = 0; s < curves.series.size(); ++s) {
        if (curves.series[s].name == name) {
            return values[s];
        }
    }
    return NAN;
}

// A zoomed range gets curves of its own, end to end, that agree with the stored design also
// beyond the record's plot range; phase and step read the same at a place the zoomed and the
// whole span share. The session keeps its curves, which other analyses read.
TEST(Diagram, ZoomRecomputesTheCurvesForTheRangeShown) {
    CDesignSession session;
    DesignLowPass(session);
    const std::vector<double> stored = session.Curves().filter.Values();
    CDiagram diagram(session);
    ASSERT_TRUE(diagram.ZoomTo({5000.0, 20000.0}));
    const ViewCurves zoomed = diagram.Curves();
    ASSERT_EQ(zoomed.x.size(), static_cast<size_t>(kCurvePoints));
    EXPECT_NEAR(zoomed.x.front(), 5000.0, 1e-6);
    EXPECT_NEAR(zoomed.x.back(), 20000.0, 1e-6);
    for (const double f : {5000.0, 7071.0, 19999.0}) {
        EXPECT_NEAR(SeriesAt(zoomed, "Ihr Filter", f), *FrequencyMarkLevelDb(session, f), 0.006)
            << f;
    }
    EXPECT_EQ(session.Curves().filter.Values(), stored);

    struct Case {
        PlotViewKind view;
        CDiagram::Span zoom;
        double at;
        double tolerance;
    };
    const Case cases[] = {
        {PlotViewKind::PHASE, {1900.0, 8000.0}, 1950.0, 0.01},
        {PlotViewKind::PHASE, {700.0, 900.0}, 800.0, 0.01},
        {PlotViewKind::STEP, {2e-3, 3e-3}, 2.5e-3, 1e-6},
        {PlotViewKind::IMPULSE, {0.1e-3, 0.4e-3}, 0.3e-3, 1e-3},
    };
    for (const Case& c : cases) {
        diagram.SetView(c.view);
        diagram.ResetZoom();
        const double whole = SeriesAt(diagram.Curves(), "Ihr Filter", c.at);
        ASSERT_TRUE(diagram.ZoomTo(c.zoom));
        EXPECT_NEAR(SeriesAt(diagram.Curves(), "Ihr Filter", c.at), whole,
                    c.tolerance * std::max(1.0, std::fabs(whole)))
            << static_cast<int>(c.view) << " at " << c.at;
    }
}

// What the wheel, the rectangle and the middle button ask for stays within reach; a changed
// plot range or a new design shows the whole range again.
TEST(Diagram, ZoomStaysWithinReachAndReturns) {
    CDesignSession session;
    DesignLowPass(session);
    CDiagram diagram(session);
    auto shown = [&] { return *diagram.Shown(); };
    EXPECT_FALSE(diagram.ZoomTo({0.5, 2000.0}));     // below 1/1000 of 1 kHz
    EXPECT_FALSE(diagram.ZoomTo({1000.0, 1000.5}));  // narrower than a thousandth
    EXPECT_FALSE(diagram.Zoomed());
    ASSERT_TRUE(diagram.ZoomAbout(1000.0, 0.5));  // about 1 kHz, half the log width
    EXPECT_NEAR(shown().low, 1000.0 / std::sqrt(2.0), 1e-6);
    EXPECT_NEAR(shown().high, 1000.0 * std::sqrt(2.0), 1e-6);
    ASSERT_TRUE(diagram.Pan(100.0));  // far to the right: stops at 1 MHz, width kept
    EXPECT_NEAR(shown().high, 1e6, 1e-3);
    EXPECT_NEAR(shown().high / shown().low, 2.0, 1e-9);

    diagram.SetView(PlotViewKind::STEP);  // time has a zoom of its own, and no time before 0
    EXPECT_FALSE(diagram.Zoomed());
    ASSERT_TRUE(diagram.Pan(-0.5));
    EXPECT_EQ(shown().low, 0.0);
    EXPECT_NEAR(shown().high, 5e-3, 1e-12);
    ASSERT_TRUE(diagram.ZoomAbout(1e-3, 0.1));
    EXPECT_NEAR(shown().high - shown().low, 0.5e-3, 1e-12);

    ASSERT_TRUE(session.Filter().SetPlotRange(0.1, 10.0));
    EXPECT_FALSE(diagram.Zoomed());
    diagram.SetView(PlotViewKind::MAGNITUDE);
    EXPECT_FALSE(diagram.Zoomed());
    EXPECT_NEAR(shown().low, 100.0, 1e-9);
}

// Zoomed into the stop band, the scheme's limit stays where the tolerance analysis puts it:
// Amin under the record's target maximum, not under the highest level the zoom shows.
TEST(Diagram, SchemeLimitKeepsItsLevelWhenZoomed) {
    CDesignSession session;
    DesignLowPass(session);
    // The pass band ends below the range, the stop band starts inside it and inside the zoom.
    session.Filter().scheme = ToleranceScheme{FilterType::LOWPASS, 100, 0, 1, 1800, 0, 20, {}, {}};
    const double limitDb =
        20.0 * std::log10(SchemeReference(session.Curves().target.Values())) - 20.0;
    CDiagram diagram(session);
    for (const bool zoomed : {false, true}) {
        ASSERT_TRUE(!zoomed || diagram.ZoomTo({1500.0, 20000.0}));
        const PlotDrawing d =
            diagram.Draw({0, 0, 1610, 700}, PlotScale::Screen(), "", nullptr, nullptr).plot;
        // Down the stop edge from the top, then along the limit.
        const auto border = std::find_if(d.primitives.begin(), d.primitives.end(), [](auto& p) {
            return std::holds_alternative<PlotPolyline>(p) &&
                   std::get<PlotPolyline>(p).pen == kSchemeBorderPen;
        });
        ASSERT_NE(border, d.primitives.end());
        EXPECT_NEAR(d.mapping.LevelDbAt(std::get<PlotPolyline>(*border).points.at(1).y), limitDb,
                    0.5 / std::fabs(d.mapping.dbScale))
            << zoomed;
    }
}

// The cursor and the clipboard read the curves between their points: in log frequency on a
// frequency axis, linearly in time; nothing outside the grid.
TEST(ViewCurves, ReadoutAndTableReadBetweenThePoints) {
    const ViewCurves level{
        true, {100.0, 1000.0, 10000.0}, {{"Ihr Filter", "dB", {0, 0, 255}, {0.0, -20.0, -40.0}}}};
    const double f = 100.0 * std::sqrt(10.0);
    EXPECT_EQ(ReadoutLines(level, f),
              (std::vector<std::string>{"316,2 Hz", "Ihr Filter -10,00 dB"}));
    EXPECT_TRUE(ReadoutLines(level, 50.0).empty());
    EXPECT_EQ(ValuesTable(level),
              "Frequenz [Hz]\tIhr Filter [dB]\n100\t0\n1000\t-20\n10000\t-40\n");

    const ViewCurves step{false, {0.0, 1e-3}, {{"Sollfrequenzgang", "V", {}, {0.0, 2.0}}}};
    EXPECT_DOUBLE_EQ(ValuesAt(step, 0.25e-3).front(), 0.5);
    EXPECT_EQ(ReadoutText(step, 0.25e-3), "250 us     Sollfrequenzgang 500 mV");
}

}  // namespace
}  // namespace vx
