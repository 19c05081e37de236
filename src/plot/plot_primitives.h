#pragma once

#include <cstdint>
#include <string>
#include <variant>
#include <vector>

// What the plot draws, independent of the device: a painter (screen, printer, SVG) turns these
// into its own calls in the order given.
namespace vx {

struct PlotPoint {
    int x = 0;
    int y = 0;
    bool operator==(const PlotPoint&) const = default;
};

// A point of a curve, between device units: a screen of display scale 2 has two pixels to a unit.
struct PlotPointF {
    double x = 0.0;
    double y = 0.0;
    bool operator==(const PlotPointF&) const = default;
};

struct PlotRect {
    int left = 0;
    int top = 0;
    int right = 0;
    int bottom = 0;
    int Width() const { return right - left; }
    int Height() const { return bottom - top; }
    bool operator==(const PlotRect&) const = default;
};

struct PlotColor {
    uint8_t red = 0;
    uint8_t green = 0;
    uint8_t blue = 0;
    bool operator==(const PlotColor&) const = default;
};

enum class PenStyle { SOLID, DASHED };

struct PlotPen {
    PenStyle style = PenStyle::SOLID;
    int width = 1;  // device units
    PlotColor color;
    bool operator==(const PlotPen&) const = default;
};

// Straight lines through whole device units (grid lines, marks, frames), drawn crisp.
struct PlotPolyline {
    PlotPen pen;
    std::vector<PlotPoint> points;
};

// A sampled curve, drawn smooth (antialiased) through its points as they lie.
struct PlotCurve {
    PlotPen pen;
    std::vector<PlotPointF> points;
};

enum class HAlign { LEFT, CENTER, RIGHT };
enum class VAlign { TOP, MIDDLE };

// A text whose anchor is the point where the aligned edges meet: LEFT/TOP means the anchor is
// the text's top-left corner, RIGHT/TOP its top-right corner. The painter measures the text.
struct PlotText {
    std::string text;  // UTF-8
    PlotPoint anchor;
    HAlign halign = HAlign::LEFT;
    VAlign valign = VAlign::TOP;
    PlotColor color;
    bool operator==(const PlotText&) const = default;
};

struct PlotFill {
    PlotRect rect;
    PlotColor color;
};

// A filled area without an outline, closed from the last point back to the first.
struct PlotPolygon {
    PlotColor color;
    std::vector<PlotPointF> points;
};

// The start picture, centred in `page` by the painter (offsets clamped at 0).
struct PlotStartPicture {
    PlotRect page;
};

using PlotPrimitive =
    std::variant<PlotFill, PlotPolyline, PlotCurve, PlotPolygon, PlotText, PlotStartPicture>;

}  // namespace vx
