#pragma once

#include <cmath>
#include <string>
#include <variant>
#include <vector>

#include "plot/plot_layout.h"

namespace vx::test {

// A record in the DESIGNED state without a design run; the curves are filled by the test.
inline CFilter DesignedFilter(int graph) {
    CFilter filter;
    filter.SetCurves(CurveSelection::FromBits(graph));
    filter.SetDesignState(DesignState::DESIGNED);
    return filter;
}

// Fills a curve from a function of the normalised frequency f/f_ref over the plot range.
template <class F>
void FillCurve(CShowFregang& curve, const CFilter& filter, F&& value) {
    const double r = std::pow(filter.PlotMax() / filter.PlotMin(), 1.0 / (kCurvePoints - 1));
    double x = filter.PlotMin();
    curve.Fill(1.0);
    for (int i = 0; i < kCurvePoints; ++i, x *= r) {
        curve.MultiplyAt(i, value(x));
    }
}

// The pens of the diagram, as the user sees them.
inline constexpr PlotPen kFilterPen{PenStyle::SOLID, 2, {0, 0, 255}};
inline constexpr PlotPen kDelayPen{PenStyle::SOLID, 2, {0, 0, 0}};
inline constexpr PlotPen kMajorGridPen{PenStyle::SOLID, 1, {180, 180, 180}};
inline constexpr PlotPen kMinorGridPen{PenStyle::SOLID, 1, {220, 220, 220}};
inline constexpr PlotPen kRedMarkerPen{PenStyle::DASHED, 1, {255, 0, 0}};
inline constexpr PlotPen kGreenMarkPen{PenStyle::DASHED, 1, {0, 160, 0}};

inline std::vector<PlotText> Texts(const PlotDrawing& d) {
    std::vector<PlotText> out;
    for (const PlotPrimitive& p : d.primitives) {
        if (const auto* t = std::get_if<PlotText>(&p)) {
            out.push_back(*t);
        }
    }
    return out;
}

inline std::vector<PlotPolyline> Lines(const PlotDrawing& d, const PlotPen& pen) {
    std::vector<PlotPolyline> out;
    for (const PlotPrimitive& p : d.primitives) {
        if (const auto* l = std::get_if<PlotPolyline>(&p); l != nullptr && l->pen == pen) {
            out.push_back(*l);
        }
    }
    return out;
}

inline std::vector<PlotCurve> Curves(const PlotDrawing& d, const PlotPen& pen) {
    std::vector<PlotCurve> out;
    for (const PlotPrimitive& p : d.primitives) {
        if (const auto* c = std::get_if<PlotCurve>(&p); c != nullptr && c->pen == pen) {
            out.push_back(*c);
        }
    }
    return out;
}

inline const PlotText* FindText(const std::vector<PlotText>& texts, const std::string& text) {
    for (const PlotText& t : texts) {
        if (t.text == text) {
            return &t;
        }
    }
    return nullptr;
}

// A pointer into a temporary list would dangle.
const PlotText* FindText(std::vector<PlotText>&& texts, const std::string& text) = delete;

}  // namespace vx::test
