#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <string>
#include <vector>

#include "model/number_text.h"
#include "plot/plot_layout.h"
#include "plot_test_support.h"

namespace vx {
namespace {

// The CLI's default picture: 891 display points.
constexpr PlotRect kPage{0, 0, 1000, 700};
constexpr int kLabelTop = 665;  // bottom of the diagram + 1
constexpr int kCharWidth = 6;   // the layout's label width rule, per character

struct AxisCase {
    double frequency;
    double start;
    double end;
    std::vector<std::string> labels;  // left to right
};

std::vector<PlotText> AxisLabels(const AxisCase& c, PlotMapping& mapping) {
    CFilter filter = test::DesignedFilter(1);
    SpecificationBlock block = filter.Specification();
    block.frequency = c.frequency;
    filter.SetSpecification(block, StructureKind::SALLEN_KEY, FilterType::LOWPASS);
    EXPECT_TRUE(filter.SetPlotRange(c.start, c.end));
    ResponseCurves curves;
    test::FillCurve(curves.filter, filter, [](double x) { return 1.0 / (1.0 + x * x); });
    const PlotDrawing d = CPlotLayout(filter, curves, "").Draw(kPage, PlotScale::Screen());
    mapping = d.mapping;
    std::vector<PlotText> labels;
    for (const PlotText& t : test::Texts(d)) {
        if (t.anchor.y == kLabelTop) {
            labels.push_back(t);
        }
    }
    std::sort(labels.begin(), labels.end(),
              [](const PlotText& a, const PlotText& b) { return a.anchor.x < b.anchor.x; });
    return labels;
}

const char* const kCaseNames[] = {"HalfToDouble1kHz", "FourDecades1kHz", "TenthToTenfold1kHz",
                                  "HalfToDouble10MHz", "FourDecades10MHz"};

class FrequencyAxis : public ::testing::TestWithParam<AxisCase> {};

TEST_P(FrequencyAxis, LabelsNameTheirTicksWithoutOverlapping) {
    const AxisCase& c = GetParam();
    PlotMapping mapping;
    const std::vector<PlotText> labels = AxisLabels(c, mapping);
    std::vector<std::string> texts;
    for (const PlotText& t : labels) {
        texts.push_back(t.text);
    }
    EXPECT_EQ(texts, c.labels);

    const double halfPixel = mapping.logSpan / (mapping.right - mapping.left) / 2.0;
    for (size_t i = 0; i < labels.size(); ++i) {
        const PlotText& t = labels[i];
        EXPECT_EQ(t.halign, HAlign::LEFT);
        // The label starts 11 pixels left of its tick, and its tick lies at its value.
        const double tick = mapping.FrequencyAt(t.anchor.x + 11);
        EXPECT_NEAR(std::log(tick / ParseValue(t.text)), 0.0, halfPixel + 1e-12) << t.text;
        if (i + 1 < labels.size()) {
            EXPECT_LE(t.anchor.x + kCharWidth * static_cast<int>(t.text.size()),
                      labels[i + 1].anchor.x)
                << t.text << " runs into " << labels[i + 1].text;
        }
    }
}

INSTANTIATE_TEST_SUITE_P(
    Ranges, FrequencyAxis,
    ::testing::Values(
        AxisCase{1000.0,
                 0.5,
                 2.0,
                 {"500", "600", "700", "800", "900", "1k", "1100", "1200", "1300", "1400", "1500",
                  "1600", "1700", "1800", "1900", "2k"}},
        // Ticks below the first labelled one are filled for one decade only.
        AxisCase{1000.0,
                 0.01,
                 100.0,
                 {"200", "400", "600", "800", "1k", "2k", "3k", "4k", "5k", "10k", "15k", "20k",
                  "30k", "40k", "55k", "75k", "100k"}},
        AxisCase{1000.0, 0.3, 3.0, {"300", "400", "500", "1k", "1500", "2k", "2500", "3k"}},
        AxisCase{1e7,
                 0.5,
                 2.0,
                 {"5M", "6M", "7M", "8M", "9M", "10M", "11M", "12M", "13M", "14M", "15M", "16M",
                  "17M", "18M", "19M", "20M"}},
        AxisCase{1e7,
                 0.01,
                 100.0,
                 {"2M", "4M", "6M", "8M", "10M", "20M", "30M", "50M", "100M", "150M", "250M",
                  "350M", "500M", "700M", "1G"}}),
    [](const ::testing::TestParamInfo<AxisCase>& info) { return kCaseNames[info.index]; });

// Scaling the filter frequency by 1000 only changes the prefix: the labels keep their places.
TEST(FrequencyAxisScale, PositionsDoNotDependOnTheFilterFrequency) {
    const double ranges[][2] = {{0.5, 2.0}, {0.01, 100.0}, {0.3, 3.0}};
    for (const auto& [start, end] : ranges) {
        PlotMapping mapping;
        const auto low = AxisLabels({1000.0, start, end, {}}, mapping);
        const auto high = AxisLabels({1e6, start, end, {}}, mapping);
        ASSERT_EQ(low.size(), high.size()) << start;
        for (size_t i = 0; i < low.size(); ++i) {
            EXPECT_EQ(low[i].anchor, high[i].anchor) << low[i].text << " / " << high[i].text;
        }
    }
}

}  // namespace
}  // namespace vx
