#include "plot/chart_layout.h"

#include <algorithm>
#include <array>
#include <cmath>
#include <limits>
#include <stdexcept>

#include "model/number_text.h"
#include "plot/axis_label.h"
#include "plot/plot_layout.h"
#include "plot/plot_messages.h"

namespace vx {

namespace {

constexpr PlotColor kBlack{0, 0, 0};
constexpr PlotPen kMinorGridPen{PenStyle::SOLID, 1, {220, 220, 220}};
constexpr PlotPen kMajorGridPen{PenStyle::SOLID, 1, {180, 180, 180}};
constexpr PlotPen kFramePen{PenStyle::SOLID, 1, {120, 120, 120}};

// Geometry in device units: room for the value labels on the left, the title above, a header
// line above each diagram, the labels and the caption of the horizontal axis below.
constexpr int kMarginLeft = 64;
constexpr int kMarginRight = 24;
constexpr int kTitleHeight = 26;
constexpr int kHeaderHeight = 18;
constexpr int kPanelGap = 10;
constexpr int kAxisHeight = 40;
constexpr int kCharWidth = CPlotLayout::kCharWidth;
// Vertical distance the value ticks aim at.
constexpr int kTickPixels = 32;
// A level curve is shown down to this far below its highest level: a notch computes to
// hundreds of dB below the pass band.
constexpr double kDeepestLevelDb = 100.0;

struct Tick {
    double value;
    bool major;
    bool labelled;
};

struct Scale {
    double low;
    double high;
    double step;
    int subdivisions;
};

int Round(double v) {
    return static_cast<int>(std::lround(std::clamp(v, -1e9, 1e9)));
}

// Ticks at the multiples of a nice step within [low, high], labelled at the major ones.
std::vector<Tick> LinearTicks(double low, double high, const AxisStep& axis, bool minor) {
    std::vector<Tick> ticks;
    const double minorStep = axis.step / axis.subdivisions;
    const double tolerance = 1e-9 * axis.step;
    const long long first = static_cast<long long>(std::ceil((low - tolerance) / minorStep));
    for (long long i = first; i * minorStep <= high + tolerance; ++i) {
        const bool major = i % axis.subdivisions == 0;
        if (major || minor) {
            ticks.push_back({i * minorStep, major, major});
        }
    }
    return ticks;
}

// A narrow frequency range gets nice linear steps (as the main diagram); a wide one decades
// with 1, 2 and 5 labelled.
std::vector<Tick> FrequencyTicks(double f1, double f2) {
    if (f2 / f1 <= 20.0) {
        return LinearTicks(f1, f2, NiceStep((f2 - f1) / 8.0), true);
    }
    std::vector<Tick> ticks;
    for (int e = static_cast<int>(std::floor(std::log10(f1))); std::pow(10.0, e) <= f2; ++e) {
        for (int m = 1; m <= 9; ++m) {
            const double f = m * std::pow(10.0, e);
            if (f >= f1 * (1 - 1e-9) && f <= f2 * (1 + 1e-9)) {
                ticks.push_back({f, m == 1, m == 1 || m == 2 || m == 5});
            }
        }
    }
    return ticks;
}

// Angles step by the parts of a right angle an engineer reads: 15, 30, 45, 90 degrees.
AxisStep DegreeStep(double span) {
    constexpr std::array<AxisStep, 6> kSteps = {
        {{5, 5}, {15, 3}, {30, 3}, {45, 3}, {90, 3}, {180, 2}}};
    for (const AxisStep& step : kSteps) {
        if (step.step >= span) {
            return step;
        }
    }
    return NiceStep(span);
}

// Whole steps around the finite values, about one tick per kTickPixels of `height`.
Scale ValueScale(const ChartPanel& panel, int height) {
    double low = HUGE_VAL;
    double high = -HUGE_VAL;
    for (const ChartCurve& curve : panel.curves) {
        for (const double v : curve.values) {
            if (std::isfinite(v)) {
                low = std::min(low, v);
                high = std::max(high, v);
            }
        }
    }
    if (low > high) {
        low = high = 0.0;
    }
    if (panel.unit == "dB") {
        low = std::max(low, high - kDeepestLevelDb);
    }
    // A flat curve would give no scale at all.
    if (!(high - low > 1e-9 * std::max(std::fabs(high), std::fabs(low)))) {
        const double pad = low == 0.0 ? 1.0 : 0.1 * std::fabs(low);
        low -= pad;
        high += pad;
    }
    const int ticks = std::max(2, height / kTickPixels);
    const AxisStep axis =
        panel.unit == "°" ? DegreeStep((high - low) / ticks) : NiceStep((high - low) / ticks);
    return {std::floor(low / axis.step + 1e-9) * axis.step,
            std::ceil(high / axis.step - 1e-9) * axis.step, axis.step, axis.subdivisions};
}

// Enough significant digits that neighbouring ticks differ; unit prefixes, but no "m" for
// levels, angles and ratios, whose thousandths read badly as milli.
std::string TickLabel(double v, double step, const std::string& unit) {
    if (std::fabs(v) < 1e-6 * step) {
        v = 0.0;
    }
    const double magnitude = std::max(std::fabs(v), step);
    const int digits = std::max(1, static_cast<int>(std::floor(std::log10(magnitude) + 1e-9) -
                                                    std::floor(std::log10(step) + 1e-9)) +
                                       1);
    return unit == "s" ? FormatValue(v, true, digits, ValueKind::ANY)
                       : FormatValueNoMilli(v, true, digits, ValueKind::ANY);
}

void Line(std::vector<PlotPrimitive>& out, const PlotPen& pen, int x1, int y1, int x2, int y2) {
    out.emplace_back(PlotPolyline{pen, {{x1, y1}, {x2, y2}}});
}

void Text(std::vector<PlotPrimitive>& out, std::string text, int x, int y, HAlign h, VAlign v,
          PlotColor color) {
    out.emplace_back(PlotText{std::move(text), {x, y}, h, v, color});
}

// The horizontal axis the panels share.
struct HorizontalAxis {
    double x0;
    double x1;
    bool log;
    AxisStep timeStep;
    std::vector<Tick> ticks;

    double Position(double x, const PlotRect& r) const {
        const double t = log ? std::log(x / x0) / std::log(x1 / x0) : (x - x0) / (x1 - x0);
        return r.left + t * r.Width();
    }
    int At(double x, const PlotRect& r) const { return Round(Position(x, r)); }
};

HorizontalAxis MakeHorizontalAxis(const Chart& chart) {
    const double x0 = chart.x.front();
    const double x1 = chart.x.back();
    const bool log = chart.axis == ChartAxis::FREQUENCY;
    if (log && !(x0 > 0.0)) {
        throw std::invalid_argument("a frequency axis starts above 0 Hz");
    }
    const AxisStep timeStep = NiceStep((x1 - x0) / 8.0);
    return {x0, x1, log, timeStep,
            log ? FrequencyTicks(x0, x1) : LinearTicks(x0, x1, timeStep, false)};
}

double ValuePosition(double v, const Scale& scale, const PlotRect& r) {
    return r.bottom - (v - scale.low) / (scale.high - scale.low) * r.Height();
}

int ValueY(double v, const Scale& scale, const PlotRect& r) {
    return Round(ValuePosition(v, scale, r));
}

// The vertical grid lines of the shared axis, the horizontal ones of the panel's scale with
// their labels.
void DrawGrid(std::vector<PlotPrimitive>& out, const PlotRect& r, const HorizontalAxis& axis,
              const Scale& scale, const std::string& unit) {
    for (const Tick& tick : axis.ticks) {
        const int x = axis.At(tick.value, r);
        Line(out, tick.major ? kMajorGridPen : kMinorGridPen, x, r.top, x, r.bottom);
    }
    const AxisStep valueStep{scale.step, scale.subdivisions};
    const bool minor =
        r.Height() * scale.step / (scale.high - scale.low) / scale.subdivisions >= 6.0;
    for (const Tick& tick : LinearTicks(scale.low, scale.high, valueStep, minor)) {
        const int y = ValueY(tick.value, scale, r);
        Line(out, tick.major ? kMajorGridPen : kMinorGridPen, r.left, y, r.right, y);
        if (tick.labelled) {
            Text(out, TickLabel(tick.value, scale.step, unit), r.left - 4, y, HAlign::RIGHT,
                 VAlign::MIDDLE, kBlack);
        }
    }
}

// Gap between two legends on one line, in digit widths.
constexpr int kLegendGap = 3;

// The curves' legends packed into lines of `width` pixels, in order; each line lists the
// curves on it.
std::vector<std::vector<size_t>> LegendLines(const ChartPanel& panel, int width) {
    std::vector<std::vector<size_t>> lines;
    double used = 0.0;
    for (size_t i = 0; i < panel.curves.size(); ++i) {
        const std::string& legend = panel.curves[i].legend;
        if (legend.empty()) {
            continue;
        }
        const double w = LabelWidth(legend, kCharWidth);
        if (lines.empty() || used + kLegendGap * kCharWidth + w > width) {
            lines.emplace_back();
            used = -kLegendGap * kCharWidth;
        }
        lines.back().push_back(i);
        used += kLegendGap * kCharWidth + w;
    }
    return lines;
}

int HeaderLines(const ChartPanel& panel, int width) {
    return 1 + static_cast<int>(LegendLines(panel, width).size());
}

// The label above the frame (in the curve's colour when it names a single curve), and below
// it the curves' own legends in their colours, as many on a line as fit.
void DrawFrame(std::vector<PlotPrimitive>& out, const PlotRect& r, const ChartPanel& panel) {
    out.emplace_back(PlotPolyline{kFramePen,
                                  {{r.left, r.top},
                                   {r.right, r.top},
                                   {r.right, r.bottom},
                                   {r.left, r.bottom},
                                   {r.left, r.top}}});
    const std::vector<std::vector<size_t>> lines = LegendLines(panel, r.Width());
    const PlotColor labelColor =
        lines.empty() && !panel.curves.empty() ? panel.curves.front().color : kBlack;
    int y = r.top - HeaderLines(panel, r.Width()) * kHeaderHeight + 2;
    Text(out, panel.unit.empty() ? panel.label : panel.label + " [" + panel.unit + "]", r.left, y,
         HAlign::LEFT, VAlign::TOP, labelColor);
    for (const std::vector<size_t>& line : lines) {
        y += kHeaderHeight;
        double x = r.left;
        for (const size_t i : line) {
            const ChartCurve& curve = panel.curves[i];
            Text(out, curve.legend, Round(x), y, HAlign::LEFT, VAlign::TOP, curve.color);
            x += LabelWidth(curve.legend, kCharWidth) + kLegendGap * kCharWidth;
        }
    }
}

// The curve, broken where the simulator gave no finite value.
void DrawCurve(std::vector<PlotPrimitive>& out, const PlotRect& r, const std::vector<double>& x,
               const ChartCurve& chartCurve, const HorizontalAxis& axis, const Scale& scale) {
    const std::vector<double>& values = chartCurve.values;
    PlotCurve curve{{PenStyle::SOLID, 2, chartCurve.color}, {}};
    auto flush = [&] {
        if (curve.points.size() >= 2) {
            out.push_back(curve);
        }
        curve.points.clear();
    };
    for (size_t k = 0; k < x.size() && k < values.size(); ++k) {
        const double v = values[k];
        if (!std::isfinite(v)) {
            flush();
            continue;
        }
        const double y = std::clamp(ValuePosition(v, scale, r), double(r.top), double(r.bottom));
        curve.points.push_back({axis.Position(x[k], r), y});
    }
    flush();
}

// Below the bottom panel: the labels that do not run into their left neighbour, the caption.
void DrawHorizontalLabels(std::vector<PlotPrimitive>& out, const PlotRect& r,
                          const HorizontalAxis& axis) {
    int labelEnd = std::numeric_limits<int>::min() / 2;
    for (const Tick& tick : axis.ticks) {
        if (!tick.labelled) {
            continue;
        }
        const std::string text = axis.log ? AxisFrequencyLabel(tick.value, 3)
                                          : TickLabel(tick.value, axis.timeStep.step, "s");
        const int x = axis.At(tick.value, r);
        const int half = static_cast<int>(std::ceil(LabelWidth(text, kCharWidth) / 2.0));
        if (x - half > labelEnd + kCharWidth) {
            Text(out, text, x, r.bottom + 3, HAlign::CENTER, VAlign::TOP, kBlack);
            labelEnd = x + half;
        }
    }
    Text(out, axis.log ? kChartFrequencyAxis : kChartTimeAxis, r.right, r.bottom + 20,
         HAlign::RIGHT, VAlign::TOP, kBlack);
}

}  // namespace

std::vector<PlotRect> CChartLayout::PanelRects(const PlotRect& page) const {
    const int count = static_cast<int>(chart_.panels.size());
    std::vector<PlotRect> rects;
    if (count == 0) {
        return rects;
    }
    const int width = page.right - kMarginRight - (page.left + kMarginLeft);
    int headers = 0;
    for (const ChartPanel& panel : chart_.panels) {
        headers += HeaderLines(panel, width) * kHeaderHeight;
    }
    const int top = page.top + kTitleHeight;
    const int bottom = page.bottom - kAxisHeight;
    const int height = std::max(1, (bottom - top - headers - (count - 1) * kPanelGap) / count);
    int panelTop = top;
    for (const ChartPanel& panel : chart_.panels) {
        panelTop += HeaderLines(panel, width) * kHeaderHeight;
        rects.push_back(
            {page.left + kMarginLeft, panelTop, page.right - kMarginRight, panelTop + height});
        panelTop += height + kPanelGap;
    }
    return rects;
}

std::vector<PlotPrimitive> CChartLayout::Draw(const PlotRect& page) const {
    if (chart_.x.size() < 2 || !(chart_.x.back() > chart_.x.front())) {
        throw std::invalid_argument("a chart needs a rising horizontal axis");
    }
    std::vector<PlotPrimitive> out;
    out.emplace_back(PlotFill{page, {255, 255, 255}});
    Text(out, chart_.title, page.left + kMarginLeft, page.top + 6, HAlign::LEFT, VAlign::TOP,
         kBlack);
    const HorizontalAxis axis = MakeHorizontalAxis(chart_);
    const std::vector<PlotRect> rects = PanelRects(page);
    for (size_t p = 0; p < rects.size(); ++p) {
        const PlotRect& r = rects[p];
        const ChartPanel& panel = chart_.panels[p];
        const Scale scale = ValueScale(panel, r.Height());
        DrawGrid(out, r, axis, scale, panel.unit);
        DrawFrame(out, r, panel);
        for (const ChartCurve& curve : panel.curves) {
            DrawCurve(out, r, chart_.x, curve, axis, scale);
        }
        if (p + 1 == rects.size()) {
            DrawHorizontalLabels(out, r, axis);
        }
    }
    return out;
}

}  // namespace vx
