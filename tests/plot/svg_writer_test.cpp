#include "plot/svg_writer.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "plot/plot_layout.h"
#include "plot_test_support.h"

namespace vx {
namespace {

bool ValidUtf8(const std::string& s) {
    for (size_t i = 0; i < s.size();) {
        const auto c = static_cast<unsigned char>(s[i]);
        const size_t n = c < 0x80         ? 1
                         : (c >> 5) == 6  ? 2
                         : (c >> 4) == 14 ? 3
                         : (c >> 3) == 30 ? 4
                                          : 0;
        if (n == 0 || i + n > s.size()) {
            return false;
        }
        for (size_t k = 1; k < n; ++k) {
            if ((static_cast<unsigned char>(s[i + k]) >> 6) != 2) {
                return false;
            }
        }
        i += n;
    }
    return true;
}

// Enough of XML to catch what a writer gets wrong: unbalanced or unclosed elements, unquoted
// attributes, raw '<' or '&' in text and attribute values.
std::string XmlProblem(const std::string& xml) {
    std::vector<std::string> open;
    size_t i = 0;
    auto entityOk = [&](size_t at) {
        for (const char* e : {"&amp;", "&lt;", "&gt;", "&quot;", "&apos;"}) {
            if (xml.compare(at, std::string(e).size(), e) == 0) {
                return true;
            }
        }
        return false;
    };
    if (xml.rfind("<?xml version=\"1.0\" encoding=\"UTF-8\"?>", 0) != 0) {
        return "no XML declaration";
    }
    i = xml.find("?>") + 2;
    bool root = false;
    while (i < xml.size()) {
        if (xml[i] == '&' && !entityOk(i)) {
            return "raw & at " + std::to_string(i);
        }
        if (xml[i] != '<') {
            ++i;
            continue;
        }
        const size_t end = xml.find('>', i);
        if (end == std::string::npos) {
            return "unclosed tag";
        }
        std::string tag = xml.substr(i + 1, end - i - 1);
        i = end + 1;
        if (tag[0] == '/') {
            if (open.empty() || open.back() != tag.substr(1)) {
                return "mismatched </" + tag.substr(1) + ">";
            }
            open.pop_back();
            continue;
        }
        if (open.empty() && root) {
            return "second root element";
        }
        root = true;
        const bool selfClosing = tag.back() == '/';
        if (selfClosing) {
            tag.pop_back();
        }
        const size_t space = tag.find(' ');
        const std::string name = tag.substr(0, space);
        // Attributes: name="value" pairs separated by blanks; no '<' inside values.
        size_t p = space;
        while (p != std::string::npos && p < tag.size()) {
            p = tag.find_first_not_of(' ', p);
            if (p == std::string::npos) {
                break;
            }
            const size_t eq = tag.find('=', p);
            if (eq == std::string::npos || eq + 1 >= tag.size() || tag[eq + 1] != '"') {
                return "unquoted attribute in <" + name + ">";
            }
            const size_t close = tag.find('"', eq + 2);
            if (close == std::string::npos) {
                return "unterminated attribute in <" + name + ">";
            }
            p = close + 1;
        }
        if (!selfClosing) {
            open.push_back(name);
        }
    }
    return open.empty() ? "" : "unclosed <" + open.back() + ">";
}

TEST(SvgWriter, TextsAreEscapedUtf8AndAnchoredByAlignment) {
    const PlotRect page{0, 0, 400, 300};
    const std::vector<PlotPrimitive> primitives = {
        PlotFill{page, {255, 255, 255}},
        PlotText{"Verstärkung <&> \"x\"", {390, 20}, HAlign::RIGHT, VAlign::TOP, {0, 0, 0}},
        PlotText{"Mitte", {200, 150}, HAlign::CENTER, VAlign::MIDDLE, {255, 0, 0}},
        PlotPolyline{{PenStyle::DASHED, 1, {0, 160, 0}}, {{10, 10}, {20, 30}, {40, 50}}},
        PlotCurve{{PenStyle::SOLID, 2, {0, 0, 255}}, {{10, 60}, {10.5, 61.25}, {11, 70.04}}},
        PlotPolygon{{200, 212, 255}, {{5, 5}, {60, 5}, {60, 40}}},
        PlotPolygon{{1, 2, 3}, {{5, 5}, {60, 5}}},
        PlotStartPicture{page},
    };
    const std::string svg = WriteSvg(primitives, page);
    EXPECT_EQ(XmlProblem(svg), "");
    EXPECT_TRUE(ValidUtf8(svg));
    EXPECT_NE(svg.find("font-family=\"sans-serif\""), std::string::npos);
    EXPECT_NE(svg.find("width=\"400\" height=\"300\" viewBox=\"0 0 400 300\""), std::string::npos);
    EXPECT_NE(svg.find("<text x=\"390\" y=\"20\" text-anchor=\"end\""), std::string::npos);
    EXPECT_NE(svg.find(">Verstärkung &lt;&amp;&gt; &quot;x&quot;</text>"), std::string::npos);
    EXPECT_NE(svg.find("<text x=\"200\" y=\"150\" text-anchor=\"middle\""), std::string::npos);
    EXPECT_NE(svg.find("fill=\"#ff0000\""), std::string::npos);
    EXPECT_NE(svg.find("points=\"10.5,10.5 20.5,30.5 40.5,50.5\""), std::string::npos);
    EXPECT_NE(svg.find("stroke-dasharray"), std::string::npos);
    // A curve keeps its points between the units, to a tenth.
    EXPECT_NE(svg.find("points=\"10,60 10.5,61.3 11,70\" fill=\"none\" stroke=\"#0000ff\""),
              std::string::npos);
    EXPECT_NE(svg.find("<polygon points=\"5,5 60,5 60,40\" fill=\"#c8d4ff\" stroke=\"none\"/>"),
              std::string::npos);
    // Two points enclose no area.
    EXPECT_EQ(svg.find("#010203"), std::string::npos);
    EXPECT_EQ(XmlProblem("<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n<svg><g></svg>"),
              "mismatched </svg>");
}

TEST(SvgWriter, WholeDiagramIsWellFormed) {
    CFilter filter = test::DesignedFilter(23);
    filter.SetCreationStamp("2024-01-02 03:04");
    filter.frequencyMarks[0] = {true, 700.0};
    filter.amplitudeMarks[0] = {true, -3.0};
    ResponseCurves curves;
    test::FillCurve(curves.filter, filter, [](double x) { return 1.0 / (1.0 + x * x); });
    test::FillCurve(curves.target, filter, [](double x) { return 1.0 / (1.0 + x * x * x); });
    test::FillCurve(curves.traditional, filter, [](double x) { return 1.1 / (1.0 + x * x); });
    test::FillCurve(curves.groupDelay, filter, [](double x) { return 1e-4 / (1.0 + x * x); });
    const PlotRect page{0, 0, 1000, 700};
    const PlotDrawing d =
        CPlotLayout(filter, curves, "Bessel-Tiefpass 2. Ordnung, fg: 1 kHz, A: 0 dB, ...")
            .Draw(page, PlotScale::Screen());
    const std::string svg = WriteSvg(d.primitives, page);
    EXPECT_EQ(XmlProblem(svg), "");
    EXPECT_TRUE(ValidUtf8(svg));
    EXPECT_NE(svg.find(">2024-01-02 03:04</text>"), std::string::npos);
    EXPECT_NE(svg.find(">Gruppenlaufzeit</text>"), std::string::npos);
}

}  // namespace
}  // namespace vx
