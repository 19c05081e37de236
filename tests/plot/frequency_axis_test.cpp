#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <map>
#include <string>
#include <vector>

#include "model/number_text.h"
#include "plot/plot_layout.h"
#include "plot_test_support.h"

namespace vx {
namespace {

// Advances in em of the two fonts the labels are drawn in: DejaVu Sans (the Linux default, and
// librsvg's sans-serif) and Arial.
const std::map<char, double> kDejaVu = {{'0', 0.636}, {',', 0.318}, {'k', 0.580}, {'M', 0.863},
                                        {'G', 0.775}, {'T', 0.611}, {'m', 0.974}, {'u', 0.634},
                                        {'n', 0.634}, {'p', 0.635}, {'e', 0.615}, {'+', 0.838},
                                        {'-', 0.361}};
const std::map<char, double> kArial = {{'0', 0.556}, {',', 0.278}, {'k', 0.500}, {'M', 0.833},
                                       {'G', 0.778}, {'T', 0.611}, {'m', 0.833}, {'u', 0.556},
                                       {'n', 0.556}, {'p', 0.556}, {'e', 0.556}, {'+', 0.584},
                                       {'-', 0.333}};

enum class Device { SCREEN, SVG, PRINTER };

// The font size a device draws the labels in, in device units.
double FontSize(Device device, const std::map<char, double>& font, const PlotRect& page) {
    switch (device) {
        case Device::SCREEN:
            return 6.0 / font.at('0');  // fitted so that a digit is at most 6 pixels
        case Device::SVG:
            return 11.0;
        case Device::PRINTER:
            return 0.011 * page.Width();
    }
    return 0.0;
}

double DrawnWidth(const std::string& text, const std::map<char, double>& font, double size) {
    double em = 0.0;
    for (const char c : text) {
        em += font.at(std::isdigit(static_cast<unsigned char>(c)) ? '0' : c);
    }
    return em * size;
}

struct AxisCase {
    const char* name;
    double frequency;
    double start;
    double end;
};

// From a single decade to the widest range the record allows, from hertz to gigahertz.
constexpr AxisCase kRanges[] = {
    {"OneToTenHz", 2.0, 0.5, 5.0},       {"NineHundredToEleven", 1000.0, 0.9, 1.1},
    {"OneToTenKHz", 2000.0, 0.5, 5.0},   {"HalfToDouble1kHz", 1000.0, 0.5, 2.0},
    {"TenMToOneG", 1e8, 0.1, 10.0},      {"Widest1GHz", 1e9, 0.01, 100.0},
    {"WidestMilliHz", 1.0, 0.01, 100.0},
};

struct Page {
    const char* name;
    PlotRect rect;
    Device device;
};

constexpr Page kPages[] = {
    {"NarrowScreen", {0, 0, 330, 300}, Device::SCREEN},
    {"Screen", {0, 0, 1000, 700}, Device::SCREEN},
    {"WideScreen", {0, 0, 1900, 1000}, Device::SCREEN},
    {"NarrowSvg", {0, 0, 400, 300}, Device::SVG},
    {"Svg", {0, 0, 1000, 700}, Device::SVG},
    {"Printer", {0, 0, 4800, 3400}, Device::PRINTER},
};

PlotScale ScaleFor(const Page& page) {
    switch (page.device) {
        case Device::SCREEN:
            return PlotScale::Screen();
        case Device::SVG:
            return PlotScale::ForFontSize(11.0);
        case Device::PRINTER:
            return PlotScale::Printer(page.rect);
    }
    return {};
}

struct Axis {
    std::vector<PlotText> labels;  // left to right
    PlotMapping mapping;
    int shift;  // from a label's tick to its left edge
};

Axis DrawAxis(const AxisCase& c, const Page& page) {
    CFilter filter = test::DesignedFilter(1);
    SpecificationBlock block = filter.Specification();
    block.frequency = c.frequency;
    filter.SetSpecification(block, StructureKind::SALLEN_KEY, FilterType::LOWPASS);
    EXPECT_TRUE(filter.SetPlotRange(c.start, c.end));
    ResponseCurves curves;
    test::FillCurve(curves.filter, filter, [](double x) { return 1.0 / (1.0 + x * x); });
    const PlotScale scale = ScaleFor(page);
    const PlotDrawing d = CPlotLayout(filter, curves, "").Draw(page.rect, scale);
    Axis axis{{}, d.mapping, static_cast<int>(std::lround(11 * scale.sx))};
    for (const PlotText& t : test::Texts(d)) {
        if (t.anchor.y == d.mapping.bottom + scale.uy) {
            axis.labels.push_back(t);
        }
    }
    std::sort(axis.labels.begin(), axis.labels.end(),
              [](const PlotText& a, const PlotText& b) { return a.anchor.x < b.anchor.x; });
    return axis;
}

// The number before the prefix letter, with a point for the comma.
double Mantissa(std::string text) {
    if (std::isalpha(static_cast<unsigned char>(text.back()))) {
        text.pop_back();
    }
    std::replace(text.begin(), text.end(), ',', '.');
    return std::stod(text);
}

class FrequencyAxis : public ::testing::TestWithParam<std::tuple<AxisCase, Page>> {};

TEST_P(FrequencyAxis, LabelsKeepApartInOneFormWithBothEndsAndEveryDecade) {
    const auto& [c, page] = GetParam();
    const Axis axis = DrawAxis(c, page);
    const std::vector<PlotText>& labels = axis.labels;
    const PlotMapping& map = axis.mapping;
    ASSERT_GE(labels.size(), 2u);

    const double pixel = map.logSpan / (map.right - map.left);
    for (size_t i = 0; i < labels.size(); ++i) {
        const std::string& text = labels[i].text;
        const int tick = labels[i].anchor.x + axis.shift;
        // Each label reads back as the frequency at its tick.
        EXPECT_NEAR(std::log(map.FrequencyAt(tick) / ParseValue(text)), 0.0, pixel) << text;
        // One form: three digits at most before the comma, a prefix wherever one applies, and
        // no trailing zero ('1,1k', never '1100' or '1,10k').
        const double mantissa = Mantissa(text);
        EXPECT_TRUE(mantissa >= 1.0 && mantissa < 1000.0) << text;
        const std::string number = text.substr(0, text.find_first_not_of("0123456789,"));
        EXPECT_TRUE(number.find(',') == std::string::npos || number.back() != '0') << text;
        if (i + 1 == labels.size()) {
            continue;
        }
        // A gap of at least half a digit in either font.
        for (const auto* font : {&kDejaVu, &kArial}) {
            const double size = FontSize(page.device, *font, page.rect);
            const double end = labels[i].anchor.x + DrawnWidth(text, *font, size);
            EXPECT_GE(labels[i + 1].anchor.x - end, 0.5 * font->at('0') * size)
                << text << " runs into " << labels[i + 1].text;
        }
    }
    // The ends of the range are labelled.
    EXPECT_EQ(labels.front().anchor.x + axis.shift, map.left);
    EXPECT_EQ(labels.back().anchor.x + axis.shift, map.right);
    // So is every power of ten not crowded out by an end label.
    const double f1 = c.frequency * c.start;
    for (double p = std::pow(10.0, std::ceil(std::log10(f1) - 1e-9)); p <= c.frequency * c.end;
         p *= 10.0) {
        const int x = map.left + static_cast<int>(std::lround(std::log(p / f1) / pixel));
        const int room = static_cast<int>(std::lround(6 * ScaleFor(page).digitWidth));
        if (x - map.left < room || map.right - x < room) {
            continue;
        }
        const bool labelled = std::any_of(labels.begin(), labels.end(), [&](const PlotText& t) {
            return std::abs(ParseValue(t.text) / p - 1.0) < 1e-9;
        });
        EXPECT_TRUE(labelled) << p;
    }
}

INSTANTIATE_TEST_SUITE_P(Ranges, FrequencyAxis,
                         ::testing::Combine(::testing::ValuesIn(kRanges),
                                            ::testing::ValuesIn(kPages)),
                         [](const auto& info) {
                             return std::string(std::get<0>(info.param).name) +
                                    std::get<1>(info.param).name;
                         });

constexpr Page kScreen = kPages[1];
constexpr Page kNarrowSvg = kPages[3];

// Where not every tick gets a label, the roundest values do, in the number text's one form.
TEST(FrequencyAxisForm, ShowsRoundValuesWithTheirPrefix) {
    const struct {
        AxisCase range;
        Page page;
        const char* run;  // consecutive labels
    } cases[] = {
        {{"", 1000.0, 0.5, 2.0}, kScreen, "900 1k 1,1k 1,2k "},
        {{"", 2000.0, 0.5, 5.0}, kScreen, "3k 3,5k 4k "},
        {{"", 2.0, 0.5, 5.0}, kNarrowSvg, "3 4 5 6 7 8 "},
        {{"", 1e8, 0.1, 10.0}, kScreen, "100M 150M 200M 250M 300M 400M 500M "},
    };
    for (const auto& c : cases) {
        std::string texts;
        for (const PlotText& t : DrawAxis(c.range, c.page).labels) {
            texts += t.text + ' ';
        }
        EXPECT_NE(texts.find(c.run), std::string::npos) << texts;
    }
}

}  // namespace
}  // namespace vx
