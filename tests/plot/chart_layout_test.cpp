#include "plot/chart_layout.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <limits>
#include <string>
#include <variant>
#include <vector>

namespace vx {
namespace {

constexpr PlotRect kPage{0, 0, 800, 600};
constexpr PlotColor kBlue{0, 0, 255};

std::vector<std::string> TextsBelow(const std::vector<PlotPrimitive>& drawing, int y) {
    std::vector<std::string> out;
    for (const PlotPrimitive& p : drawing) {
        if (const auto* t = std::get_if<PlotText>(&p); t != nullptr && t->anchor.y > y) {
            out.push_back(t->text);
        }
    }
    return out;
}

std::vector<PlotCurve> Curves(const std::vector<PlotPrimitive>& drawing) {
    std::vector<PlotCurve> out;
    for (const PlotPrimitive& p : drawing) {
        if (const auto* l = std::get_if<PlotCurve>(&p); l != nullptr && l->pen.color == kBlue) {
            out.push_back(*l);
        }
    }
    return out;
}

// Logarithmic frequencies from f1 to f2.
std::vector<double> Sweep(double f1, double f2, int points) {
    std::vector<double> f;
    for (int k = 0; k < points; ++k) {
        f.push_back(f1 * std::pow(f2 / f1, k / (points - 1.0)));
    }
    return f;
}

TEST(ChartLayout, StacksOneDiagramPerPanelAndFitsEachCurveIntoItsOwn) {
    Chart chart{"Amplitude", ChartAxis::FREQUENCY, Sweep(500.0, 2000.0, 201), {}};
    std::vector<double> level;
    std::vector<double> delay;
    for (const double f : chart.x) {
        level.push_back(-10.0 * std::log10(1.0 + std::pow(f / 1000.0, 8.0)));
        delay.push_back(4e-4 / (1.0 + f / 1000.0));
    }
    chart.panels = {{"VDB(0UT)", "dB", {ChartCurve{"", {0, 0, 255}, level}}},
                    {"VG(0UT)", "s", {ChartCurve{"", {0, 0, 255}, delay}}}};
    const CChartLayout layout(chart);
    const std::vector<PlotRect> rects = layout.PanelRects(kPage);
    ASSERT_EQ(rects.size(), 2u);
    EXPECT_LT(rects[0].bottom, rects[1].top);
    EXPECT_GT(rects[0].top, kPage.top);
    EXPECT_LT(rects[1].bottom, kPage.bottom);
    EXPECT_EQ(rects[0].Height(), rects[1].Height());

    const std::vector<PlotPrimitive> drawing = layout.Draw(kPage);
    const std::vector<PlotCurve> curves = Curves(drawing);
    ASSERT_EQ(curves.size(), 2u);
    for (size_t p = 0; p < 2; ++p) {
        const PlotRect& r = rects[p];
        double top = r.bottom;
        double bottom = r.top;
        for (const PlotPointF& q : curves[p].points) {
            EXPECT_GE(q.x, r.left);
            EXPECT_LE(q.x, r.right);
            top = std::min(top, q.y);
            bottom = std::max(bottom, q.y);
        }
        // The scale rounds out to whole steps: the curve spans most of its diagram.
        EXPECT_GE(top, r.top);
        EXPECT_LE(bottom, r.bottom);
        EXPECT_GT(bottom - top, r.Height() / 2) << p;
        EXPECT_DOUBLE_EQ(curves[p].points.front().x, r.left);
        EXPECT_DOUBLE_EQ(curves[p].points.back().x, r.right);
    }
}

TEST(ChartLayout, LabelsTheHorizontalAxisOnceBelowTheLastDiagram) {
    struct Case {
        ChartAxis axis;
        std::vector<double> x;
        std::vector<std::string> labels;
    };
    const Case cases[] = {
        {ChartAxis::FREQUENCY,
         Sweep(500.0, 2000.0, 101),
         {"500", "1k", "1,5k", "2k", "Frequenz [Hz]"}},
        {ChartAxis::FREQUENCY,
         Sweep(10.0, 100e3, 101),
         {"10", "20", "50", "100", "200", "500", "1k", "2k", "5k", "10k", "20k", "50k", "100k",
          "Frequenz [Hz]"}},
        {ChartAxis::TIME,
         {0.0, 0.0025, 0.005},
         {"0", "500u", "1m", "1,5m", "2m", "2,5m", "3m", "3,5m", "4m", "4,5m", "5m", "Zeit [s]"}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.labels[1]);
        Chart chart{
            "",
            c.axis,
            c.x,
            {{"V(0UT)", "V", {ChartCurve{"", {0, 0, 255}, std::vector<double>(c.x.size(), 1.0)}}}}};
        const CChartLayout layout(chart);
        const int bottom = layout.PanelRects(kPage).back().bottom;
        EXPECT_EQ(TextsBelow(layout.Draw(kPage), bottom), c.labels);
    }
}

TEST(ChartLayout, ValueLabelsCoverTheCurveAndAGapBreaksIt) {
    const double nan = std::numeric_limits<double>::quiet_NaN();
    Chart chart{"",
                ChartAxis::TIME,
                {0, 1, 2, 3, 4, 5},
                {{"V(0UT)", "V", {ChartCurve{"", {0, 0, 255}, {0, 0.4, nan, 1.2, 1.9, 2.0}}}}}};
    const CChartLayout layout(chart);
    const std::vector<PlotPrimitive> drawing = layout.Draw(kPage);
    ASSERT_EQ(Curves(drawing).size(), 2u);
    std::vector<std::string> labels;
    const PlotRect r = layout.PanelRects(kPage).front();
    for (const PlotPrimitive& p : drawing) {
        if (const auto* t = std::get_if<PlotText>(&p);
            t != nullptr && t->halign == HAlign::RIGHT && t->anchor.x < r.left) {
            labels.push_back(t->text);
        }
    }
    ASSERT_FALSE(labels.empty());
    // Bottom up; a level of 0,5 V is no "500m".
    EXPECT_EQ(labels.front(), "0");
    EXPECT_EQ(labels.back(), "2");
    EXPECT_NE(std::find(labels.begin(), labels.end(), "0,5"), labels.end());
}

}  // namespace
}  // namespace vx
