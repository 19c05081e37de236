#include "plot/scheme_shading.h"

#include <algorithm>
#include <cmath>

namespace vx {

namespace {

constexpr PlotPen kHatchPen{PenStyle::SOLID, 1, kSchemeHatch};

int Round(double v) {
    return static_cast<int>(std::lround(std::clamp(v, -1e9, 1e9)));
}

// Filled, and hatched with lines rising to the right on one lattice for the whole page, so that
// the hatches of neighbouring areas line up.
void AddArea(std::vector<PlotPrimitive>& out, const PlotRect& r, int step) {
    out.emplace_back(PlotFill{r, kSchemeFill});
    const int first = static_cast<int>(std::floor(double(r.left + r.top) / step)) + 1;
    for (int c = first * step; c < r.right + r.bottom; c += step) {
        const double x1 = std::max(r.left, c - r.bottom);
        const double x2 = std::min(r.right, c - r.top);
        out.emplace_back(PlotCurve{kHatchPen, {{x1, c - x1}, {x2, c - x2}}});
    }
}

}  // namespace

SchemeShading ShadeScheme(const ToleranceScheme& scheme, double referenceDb, const PlotMapping& map,
                          int hatchStep, const PlotPen& border) {
    SchemeShading out;
    const double f1 = map.referenceFrequency * map.startFactor;
    const double f2 = f1 * std::exp(map.logSpan);
    auto x = [&](double f) {
        return Round(map.left + std::log(f / f1) / map.logSpan * (map.right - map.left));
    };
    for (const SchemeRegion& r : SchemeRegions(scheme)) {
        const double from = std::max(r.from, f1);
        const double to = std::min(r.to, f2);
        const int left = from < to ? x(from) : 0;
        const int right = from < to ? x(to) : 0;
        const int limit = Round((referenceDb - r.attenuationDb) * map.dbScale + map.dbOffset);
        const int y = std::clamp(limit, map.top, map.bottom);
        // The side a response must keep away from: below a pass limit, above a stop limit.
        const int far = r.pass ? map.bottom : map.top;
        if (left >= right || y == far) {
            continue;
        }
        AddArea(out.areas, {left, std::min(y, far), right, std::max(y, far)}, hatchStep);
        // One line along the limit and down (or up) the edges inside the range, joined round
        // at the corners; a limit beyond the levels shown leaves the edges alone.
        if (limit == y) {
            PlotPolyline line{border, {}};
            if (r.from > f1) {
                line.points.push_back({left, far});
            }
            line.points.push_back({left, y});
            line.points.push_back({right, y});
            if (r.to < f2) {
                line.points.push_back({right, far});
            }
            out.borders.emplace_back(std::move(line));
            continue;
        }
        if (r.from > f1) {
            out.borders.emplace_back(PlotPolyline{border, {{left, y}, {left, far}}});
        }
        if (r.to < f2) {
            out.borders.emplace_back(PlotPolyline{border, {{right, y}, {right, far}}});
        }
    }
    return out;
}

std::vector<PlotPrimitive> SchemeSwatch(const PlotRect& rect, int hatchStep,
                                        const PlotPen& border) {
    std::vector<PlotPrimitive> out;
    AddArea(out, rect, hatchStep);
    out.emplace_back(PlotPolyline{border, {{rect.left, rect.top}, {rect.right, rect.top}}});
    return out;
}

}  // namespace vx
