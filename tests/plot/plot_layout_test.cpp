#include "plot/plot_layout.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>

#include "analysis/tolerance_messages.h"
#include "plot/plot_messages.h"
#include "plot_test_support.h"

namespace vx {
namespace {

using test::Curves;
using test::DesignedFilter;
using test::FillCurve;
using test::Lines;
using test::Texts;

// 1501 display points: each pixel column shows one stored sample.
constexpr PlotRect kSamplePage{0, 0, 1610, 700};
constexpr int kLeft = 55;
constexpr int kRight = 1555;
constexpr int kTop = 36;
constexpr int kBottom = 664;

bool EndsWith(const std::string& s, const std::string& tail) {
    return s.size() >= tail.size() && s.compare(s.size() - tail.size(), tail.size(), tail) == 0;
}

bool IsVertical(const PlotPolyline& l) {
    return l.points.size() == 2 && l.points[0].x == l.points[1].x;
}

bool IsHorizontal(const PlotPolyline& l) {
    return l.points.size() == 2 && l.points[0].y == l.points[1].y;
}

TEST(PlotLayout, StatesWithoutCurves) {
    ResponseCurves curves;
    CFilter none;
    PlotDrawing d = CPlotLayout(none, curves, "").Draw(kSamplePage, PlotScale::Screen());
    ASSERT_EQ(d.primitives.size(), 2u);
    EXPECT_TRUE(std::holds_alternative<PlotFill>(d.primitives[0]));
    EXPECT_EQ(std::get<PlotStartPicture>(d.primitives[1]).page, kSamplePage);

    CFilter cancelled;
    cancelled.SetDesignState(DesignState::CANCELLED);
    d = CPlotLayout(cancelled, curves, "").Draw(kSamplePage, PlotScale::Screen());
    ASSERT_EQ(Texts(d).size(), 1u);
    EXPECT_EQ(Texts(d)[0].text, "Die letzte Berechnung wurde abgebrochen.");
    EXPECT_EQ(Texts(d)[0].halign, HAlign::CENTER);
    EXPECT_EQ(Texts(d)[0].anchor, (PlotPoint{805, 350}));
    EXPECT_EQ(d.mapping.StatusText(800, 300), "");

    // No curve selected: only the notice on white, and no readout.
    CFilter nothing = DesignedFilter(0);
    FillCurve(curves.filter, nothing, [](double x) { return 1.0 / (1.0 + x * x); });
    d = CPlotLayout(nothing, curves, "summary").Draw(kSamplePage, PlotScale::Screen());
    ASSERT_EQ(d.primitives.size(), 2u);
    EXPECT_EQ(std::get<PlotFill>(d.primitives[0]).color, (PlotColor{255, 255, 255}));
    EXPECT_EQ(std::get<PlotText>(d.primitives[1]).text, "Ihr Filter wurde berechnet.");
    EXPECT_FALSE(d.mapping.HasReadout(800, 300));
}

TEST(PlotLayout, GroupDelayOnlyUsesTheFilterCurveForTheGridAndFillsTheHeight) {
    CFilter filter = DesignedFilter(16);
    ResponseCurves curves;
    // -0.26 dB at the start down to -12.3 dB at the end: a scale from 0 to -13 dB.
    FillCurve(curves.filter, filter, [](double x) { return 1.0 / std::sqrt(1.0 + x * x * x * x); });
    FillCurve(curves.groupDelay, filter, [](double x) { return 1e-3 * (1.0 + x); });
    const PlotDrawing d = CPlotLayout(filter, curves, "s").Draw(kSamplePage, PlotScale::Screen());

    EXPECT_NEAR(d.mapping.LevelDbAt(kTop), 0.0, 1e-9);
    EXPECT_NEAR(d.mapping.LevelDbAt(kBottom), -13.0, 1e-9);
    int delayLabels = 0;
    for (const PlotText& t : Texts(d)) {
        EXPECT_FALSE(EndsWith(t.text, " dB")) << t.text;
        if (EndsWith(t.text, "s") && t.anchor.x == 1609) {
            EXPECT_EQ(t.halign, HAlign::RIGHT);
            ++delayLabels;
        }
    }
    EXPECT_GE(delayLabels, 5);
    const auto delay = Curves(d, test::kDelayPen);
    ASSERT_EQ(delay.size(), 1u);
    const auto [lo, hi] =
        std::minmax_element(delay[0].points.begin(), delay[0].points.end(),
                            [](const PlotPointF& a, const PlotPointF& b) { return a.y < b.y; });
    EXPECT_NEAR(lo->y, kTop, 1e-9);     // 3 ms at the top
    EXPECT_NEAR(hi->y, kBottom, 1e-9);  // 1.5 ms at the bottom
    const std::vector<PlotText> texts = Texts(d);
    const PlotText* legend = test::FindText(texts, "Gruppenlaufzeit");
    ASSERT_NE(legend, nullptr);
    EXPECT_EQ(legend->halign, HAlign::RIGHT);
    EXPECT_EQ(legend->anchor, (PlotPoint{kRight, 18}));
    EXPECT_EQ(d.mapping.StatusText(kLeft, kTop), "     500Hz     3ms");
    EXPECT_EQ(d.mapping.StatusText(kLeft - 1, kTop), "");
}

TEST(PlotLayout, TopOfTheScaleRoundsToWholeDecibelsOnlyBeyondAThousandthOfTheRange) {
    struct Case {
        double peakDb;
        double expectedTopDb;
        double expectedBottomDb;
    };
    // 40 dB range: a thousandth is 0.04 dB.
    for (const Case c : {Case{0.0, 0.0, -40.0}, Case{0.05, 1.0, -40.0}, Case{0.03, 0.03, -40.0},
                         Case{-0.5, 0.0, -41.0}}) {
        CFilter filter = DesignedFilter(1);
        ResponseCurves curves;
        FillCurve(curves.filter, filter, [&](double x) {
            return std::pow(10.0, (c.peakDb - 40.0 * std::log(x / 0.5) / std::log(4.0)) / 20.0);
        });
        const PlotDrawing d =
            CPlotLayout(filter, curves, "").Draw(kSamplePage, PlotScale::Screen());
        EXPECT_NEAR(d.mapping.LevelDbAt(kTop), c.expectedTopDb, 1e-9) << c.peakDb;
        EXPECT_NEAR(d.mapping.LevelDbAt(kBottom), c.expectedBottomDb, 1e-9) << c.peakDb;
    }
}

// The band of a tolerance analysis: a filled area from its 95 % to its 5 % quantile, under the
// grid and the curves, with its legend; a band reaching above the curves raises the scale.
TEST(PlotLayout, ToleranceBandLiesUnderTheCurvesAndRaisesTheScale) {
    CFilter filter = DesignedFilter(1);
    ResponseCurves curves;
    auto lowPass = [](double x) { return 1.0 / (1.0 + x * x); };
    FillCurve(curves.filter, filter, lowPass);
    ToleranceBand band;
    band.frequency = filter.Frequency();
    band.plotMin = filter.PlotMin();
    band.plotMax = filter.PlotMax();
    FillCurve(band.q05, filter, [&](double x) { return 0.9 * lowPass(x); });
    FillCurve(band.q95, filter, [&](double x) { return 1.5 * lowPass(x); });

    CPlotLayout layout(filter, curves, "");
    const PlotDrawing plain = layout.Draw(kSamplePage, PlotScale::Screen());
    layout.SetToleranceBand(&band);
    const PlotDrawing d = layout.Draw(kSamplePage, PlotScale::Screen());
    auto firstOf = [](const PlotDrawing& drawing, auto predicate) {
        return std::find_if(drawing.primitives.begin(), drawing.primitives.end(), predicate) -
               drawing.primitives.begin();
    };
    auto isArea = [](const PlotPrimitive& p) { return std::holds_alternative<PlotPolygon>(p); };
    EXPECT_EQ(firstOf(plain, isArea), std::ssize(plain.primitives));
    const auto area = firstOf(d, isArea);
    ASSERT_LT(area, std::ssize(d.primitives));
    EXPECT_LT(area, firstOf(d, [](const PlotPrimitive& p) {
                  return std::holds_alternative<PlotPolyline>(p) ||
                         std::holds_alternative<PlotCurve>(p);
              }));
    const PlotPolygon& polygon = std::get<PlotPolygon>(d.primitives[static_cast<size_t>(area)]);
    ASSERT_EQ(polygon.points.size(), 2u * 1501u);
    // 1.5 times 0.8 at the low end is +1.58 dB: the scale now ends at 2 dB, not at -1 dB.
    EXPECT_NEAR(plain.mapping.LevelDbAt(kTop), -1.0, 1e-9);
    EXPECT_NEAR(d.mapping.LevelDbAt(kTop), 2.0, 1e-9);
    EXPECT_NEAR(d.mapping.LevelDbAt(polygon.points.front().y),
                20.0 * std::log10(1.5 * lowPass(0.5)), 0.05);
    EXPECT_NEAR(d.mapping.LevelDbAt(polygon.points.back().y), 20.0 * std::log10(0.9 * lowPass(0.5)),
                0.05);
    EXPECT_DOUBLE_EQ(polygon.points.back().x, kLeft);
    const std::vector<PlotText> texts = Texts(d);
    const PlotText* legend = test::FindText(texts, tolerance_text::kBandLegend);
    ASSERT_NE(legend, nullptr);
    EXPECT_EQ(legend->halign, HAlign::LEFT);
    EXPECT_GT(legend->anchor.x, kLeft);
    EXPECT_GT(legend->anchor.y, kBottom);

    // Only the group delay shown: no magnitude, no band. A band of another plot range would
    // lie wrongly: none either.
    auto noArea = [&] {
        const PlotDrawing drawing = layout.Draw(kSamplePage, PlotScale::Screen());
        return firstOf(drawing, isArea) == std::ssize(drawing.primitives);
    };
    filter.SetCurves(CurveSelection::FromBits(16));
    EXPECT_TRUE(noArea());
    filter.SetCurves(CurveSelection::FromBits(1));
    ASSERT_TRUE(filter.SetPlotRange(0.2, 2.0));
    EXPECT_TRUE(noArea());
}

TEST(PlotLayout, ZeroMagnitudePlotsAsZeroDecibels) {
    CFilter filter = DesignedFilter(1);
    ResponseCurves curves;
    curves.filter.Fill(10.0);
    curves.filter.MultiplyAt(700, 0.0);
    const PlotDrawing d = CPlotLayout(filter, curves, "").Draw(kSamplePage, PlotScale::Screen());
    const auto curve = Curves(d, test::kFilterPen);
    ASSERT_EQ(curve.size(), 1u);
    ASSERT_EQ(curve[0].points.size(), 1501u);
    EXPECT_EQ(curve[0].points[700].y, kBottom);
    EXPECT_NEAR(d.mapping.LevelDbAt(kBottom), 0.0, 1e-9);
    EXPECT_NEAR(curve[0].points[0].y, kTop, 1e-9);
    EXPECT_NEAR(curve[0].points[1500].x, kRight, 1e-9);
    EXPECT_NEAR(curve[0].points[1500].y, kTop, 1e-9);
}

// On a screen of display scale 2 a curve takes a sample at every device pixel, between the
// units and not rounded to them, and keeps the values of scale 1 where both take one.
TEST(PlotLayout, CurvesTakeASampleAtEveryDevicePixel) {
    CFilter filter = DesignedFilter(1);
    ResponseCurves curves;
    FillCurve(curves.filter, filter, [](double x) { return 1.0 / std::sqrt(1.0 + x * x * x * x); });
    CPlotLayout layout(filter, curves, "");
    const auto coarse = Curves(layout.Draw(kSamplePage, PlotScale::Screen(1.0)), test::kFilterPen);
    const auto fine = Curves(layout.Draw(kSamplePage, PlotScale::Screen(2.0)), test::kFilterPen);
    ASSERT_EQ(coarse.size(), 1u);
    ASSERT_EQ(fine.size(), 1u);
    ASSERT_EQ(fine[0].points.size(), 3001u);
    int between = 0;
    for (size_t k = 0; k < fine[0].points.size(); ++k) {
        const PlotPointF& p = fine[0].points[k];
        EXPECT_NEAR(p.x, kLeft + k / 2.0, 1e-9);
        if (k % 2 == 0) {
            EXPECT_NEAR(p.y, coarse[0].points[k / 2].y, 1e-6) << k;
        }
        between += std::fabs(p.y - std::round(p.y)) > 0.1 ? 1 : 0;
    }
    EXPECT_GT(between, 1000);
}

// The exact notch of a band-stop would stretch the scale to about -300 dB: the scale reaches
// 100 dB below the top at most, and the notch is cut off at the bottom.
TEST(PlotLayout, DeepNotchIsCutOffAHundredDecibelsDown) {
    CFilter filter = DesignedFilter(1);
    ResponseCurves curves;
    curves.filter.Fill(1.0);
    curves.filter.MultiplyAt(749, 0.1);
    curves.filter.MultiplyAt(750, 1e-15);
    curves.filter.MultiplyAt(751, 0.1);
    const PlotDrawing d = CPlotLayout(filter, curves, "").Draw(kSamplePage, PlotScale::Screen());
    EXPECT_NEAR(d.mapping.LevelDbAt(kTop), 0.0, 1e-9);
    EXPECT_NEAR(d.mapping.LevelDbAt(kBottom), -100.0, 1e-9);
    const auto curve = Curves(d, test::kFilterPen);
    ASSERT_EQ(curve.size(), 1u);
    EXPECT_EQ(curve[0].points[750].y, kBottom);
}

TEST(PlotLayout, MarksInsideTheRangeOnlyWithFlagsStackedByIndex) {
    CFilter filter = DesignedFilter(1);
    ResponseCurves curves;
    FillCurve(curves.filter, filter, [](double x) { return 1.0 / (1.0 + x * x); });
    const double marks[kFrequencyMarks] = {600, 3000, 0, 1500, 1200, 1999};
    for (int k = 0; k < kFrequencyMarks; ++k) {
        filter.frequencyMarks[static_cast<size_t>(k)] = {k != 4, marks[k]};
    }
    filter.amplitudeMarks[0] = {true, -3.0};
    filter.amplitudeMarks[1] = {true, -100.0};
    filter.amplitudeMarks[2] = {false, -4.0};
    const PlotDrawing d = CPlotLayout(filter, curves, "").Draw(kSamplePage, PlotScale::Screen());

    std::vector<PlotPolyline> vertical;
    std::vector<PlotPolyline> slanted;
    std::vector<PlotPolyline> horizontal;
    for (const PlotPolyline& l : Lines(d, test::kGreenMarkPen)) {
        (IsVertical(l) ? vertical : IsHorizontal(l) ? horizontal : slanted).push_back(l);
    }
    ASSERT_EQ(horizontal.size(), 1u);
    EXPECT_NEAR(d.mapping.LevelDbAt(horizontal[0].points[0].y), -3.0, 0.05);

    struct Expected {
        double f;
        int height;
        const char* label;
    };
    const Expected expected[] = {{600, 2, "600"}, {1500, 5, "1500"}, {1999, 7, "1999"}};
    ASSERT_EQ(vertical.size(), 3u);
    ASSERT_EQ(slanted.size(), 3u);
    const std::vector<PlotText> texts = Texts(d);
    const double pixelRatio = std::exp(std::log(4.0) / 1500.0);
    for (size_t i = 0; i < 3; ++i) {
        const int x = vertical[i].points[0].x;
        EXPECT_NEAR(std::log(d.mapping.FrequencyAt(x) / expected[i].f), 0.0,
                    std::log(pixelRatio) / 2 + 1e-12);
        EXPECT_EQ(vertical[i].points[0].y, kTop + 1);
        EXPECT_EQ(vertical[i].points[1].y, kBottom);
        const int yb = kBottom - 20 * expected[i].height;
        EXPECT_EQ(slanted[i].points[0], (PlotPoint{x, yb}));
        EXPECT_EQ(slanted[i].points[1], (PlotPoint{x + 16, yb - 8}));
        const PlotText label{
            expected[i].label, {x + 17, yb - 21}, HAlign::LEFT, VAlign::TOP, {0, 160, 0}};
        EXPECT_EQ(std::count(texts.begin(), texts.end(), label), 1) << expected[i].label;
    }
}

// The band edges of a band-pass lie where f2 - f1 = B and f1 * f2 = fm^2.
TEST(PlotLayout, BandPassEdgesAreMarkedWhereTheyLieInTheRange) {
    struct Case {
        double start;
        std::vector<double> edges;
        std::vector<int> heights;
    };
    const double f1 = std::sqrt(1000.0 * 1000.0 + 500.0 * 500.0) - 500.0;
    const double f2 = f1 + 1000.0;
    for (const Case& c : {Case{0.5, {f1, f2}, {0, 1}}, Case{0.7, {f2}, {1}}}) {
        CFilter filter = DesignedFilter(1);
        SpecificationBlock block = filter.Specification();
        block.frequency = 1000.0;
        block.bandwidth = 1000.0;
        filter.SetSpecification(block, StructureKind::MFB, FilterType::BANDPASS);
        ASSERT_TRUE(filter.SetPlotRange(c.start, 2.0));
        ResponseCurves curves;
        FillCurve(curves.filter, filter, [](double x) { return x / (1.0 + x * x); });
        const PlotDrawing d =
            CPlotLayout(filter, curves, "").Draw(kSamplePage, PlotScale::Screen());
        std::vector<PlotPolyline> vertical;
        std::vector<PlotPolyline> slanted;
        for (const PlotPolyline& l : Lines(d, test::kRedMarkerPen)) {
            (IsVertical(l) ? vertical : slanted).push_back(l);
        }
        ASSERT_EQ(vertical.size(), c.edges.size()) << c.start;
        const double pixel = std::log(2.0 / c.start) / 1500.0;
        for (size_t i = 0; i < c.edges.size(); ++i) {
            const int x = vertical[i].points[0].x;
            EXPECT_NEAR(std::log(d.mapping.FrequencyAt(x) / c.edges[i]), 0.0, pixel / 2 + 1e-12);
            EXPECT_EQ(slanted[i].points[0].y, kBottom - 20 * c.heights[i]);
        }
    }
}

TEST(PlotLayout, PrinterScalesGeometryAndDrawsTheMajorGridBlack) {
    CFilter filter = DesignedFilter(1);
    ResponseCurves curves;
    FillCurve(curves.filter, filter, [](double x) { return 1.0 / (1.0 + x * x); });
    const PlotRect page{0, 0, 2552, 1840};
    const PlotScale scale = PlotScale::Printer(page);
    EXPECT_EQ(scale.ux, 2);
    EXPECT_EQ(scale.uy, 2);
    const PlotDrawing d = CPlotLayout(filter, curves, "").Draw(page, scale);
    EXPECT_EQ(d.mapping.left, 110);
    EXPECT_EQ(d.mapping.top, 72);
    EXPECT_TRUE(Lines(d, test::kMajorGridPen).empty());
    EXPECT_FALSE(Lines(d, PlotPen{PenStyle::SOLID, 2, {0, 0, 0}}).empty());
    const std::vector<PlotText> texts = Texts(d);
    const PlotText* level = test::FindText(texts, "-10 dB");
    ASSERT_NE(level, nullptr);
    EXPECT_EQ(level->anchor.x, 108);
    EXPECT_EQ(level->halign, HAlign::RIGHT);
}

TEST(PlotLayout, SpiceOverlayFollowsItsFrequenciesWithTheDeviationBesideTheDateLine) {
    CFilter filter = DesignedFilter(1);
    ResponseCurves curves;
    auto response = [](double x) { return 1.0 / std::sqrt(1.0 + x * x * x * x); };
    FillCurve(curves.filter, filter, response);
    // Simulated from f_ref to the end of the range only: the left half of the diagram stays free.
    PlotOverlay overlay;
    for (int k = 0; k <= 400; ++k) {
        const double x = std::pow(2.0, k / 400.0);
        overlay.frequencies.push_back(filter.Frequency() * x);
        overlay.magnitudes.push_back(response(x));
    }
    overlay.maxDeviationDb = 0.0123;
    CPlotLayout layout(filter, curves, "s");
    layout.SetOverlay(&overlay);
    const PlotDrawing d = layout.Draw(kSamplePage, PlotScale::Screen());
    const auto dashed = Curves(d, kOverlayPen);
    const auto solid = Curves(d, test::kFilterPen);
    ASSERT_EQ(dashed.size(), 1u);
    ASSERT_EQ(solid.size(), 1u);
    const std::vector<PlotPointF>& points = dashed[0].points;
    ASSERT_FALSE(points.empty());
    EXPECT_NEAR(points.front().x, (kLeft + kRight) / 2, 1e-9);
    EXPECT_NEAR(points.back().x, kRight, 1e-9);
    for (const PlotPointF& p : points) {
        EXPECT_NEAR(p.y, solid[0].points[static_cast<size_t>(std::lround(p.x - kLeft))].y, 0.5)
            << p.x;
    }
    const std::vector<PlotText> texts = Texts(d);
    const PlotText* legend = test::FindText(texts, "Spice: größte Abweichung 0,012 dB");
    ASSERT_NE(legend, nullptr);
    EXPECT_EQ(legend->anchor, (PlotPoint{kRight, 700 - 18}));
    EXPECT_EQ(legend->halign, HAlign::RIGHT);
    EXPECT_EQ(legend->color, kOverlayPen.color);

    // Only the group delay on show: no level scale to lay the overlay on.
    filter.SetCurves(CurveSelection::FromBits(16));
    FillCurve(curves.groupDelay, filter, [](double x) { return 1e-3 * (1.0 + x); });
    CPlotLayout delayOnly(filter, curves, "s");
    delayOnly.SetOverlay(&overlay);
    EXPECT_TRUE(Curves(delayOnly.Draw(kSamplePage, PlotScale::Screen()), kOverlayPen).empty());
}

TEST(PlotLayout, SpiceLegendGivesTheDeviationWithTwoDigitsAndNoPrefix) {
    const std::pair<double, const char*> cases[] = {
        {0.0123, "0,012"}, {0.5, "0,50"}, {1.234, "1,2"}, {12.34, "12"}, {0.00012, "unter 0,001"},
    };
    for (const auto& [deviation, text] : cases) {
        EXPECT_EQ(OverlayLegend({{}, {}, deviation}),
                  std::string("Spice: größte Abweichung ") + text + " dB");
    }
}

}  // namespace
}  // namespace vx
