#include "plot/scheme_shading.h"

#include <gtest/gtest.h>

#include <cmath>
#include <variant>

namespace vx {
namespace {

// 1000 units across 100 Hz .. 10 kHz, 5 units per dB down from 0 dB at the top.
const PlotMapping kMap{.right = 1000,
                       .bottom = 500,
                       .referenceFrequency = 1000.0,
                       .startFactor = 0.1,
                       .logSpan = std::log(100.0),
                       .dbScale = -5.0};

bool Shaded(const SchemeShading& s, double f, double db) {
    const double x = 500.0 * std::log10(f / 100.0);
    const double y = -5.0 * db;
    for (const PlotPrimitive& p : s.areas) {
        const auto* fill = std::get_if<PlotFill>(&p);
        if (fill != nullptr && fill->color == kSchemeFill && x >= fill->rect.left &&
            x <= fill->rect.right && y >= fill->rect.top && y <= fill->rect.bottom) {
            return true;
        }
    }
    return false;
}

// Shaded is where a response must not go: below the pass limit (1 dB under the reference) and
// above the stop limit (40 dB under it), over each region's frequencies.
TEST(SchemeShading, ShadesWhereAResponseMustNotGo) {
    auto shade = [](FilterType type, double pass, double passHigh, double stop, double stopHigh) {
        const ToleranceScheme scheme{type, pass, passHigh, 1.0, stop, stopHigh, 40.0, {}, {}};
        return ShadeScheme(scheme, 0.0, kMap, 7, kSchemeBorderPen);
    };
    const SchemeShading shaded[] = {shade(FilterType::LOWPASS, 1000, 0, 3000, 0),
                                    shade(FilterType::HIGHPASS, 1000, 0, 300, 0),
                                    shade(FilterType::BANDPASS, 800, 1250, 400, 2500),
                                    shade(FilterType::BANDREJECT, 400, 2500, 800, 1250)};
    struct Probe {
        int scheme;  // index into `shaded`
        double f;
        double db;
        bool shaded;
    };
    // Per type: below the pass limits, above the stop limits, in a transition band; the
    // low-pass also at the range's ends, beyond them, and on the allowed sides of its limits.
    const Probe probes[] = {{0, 101, -1.5, true},  {0, 9900, -20, true},  {0, 2000, -60, false},
                            {0, 500, -0.5, false}, {0, 5000, -45, false}, {0, 20000, -20, false},
                            {1, 9900, -1.5, true}, {1, 150, -20, true},   {1, 500, -20, false},
                            {2, 1000, -3, true},   {2, 300, -20, true},   {2, 4000, -20, true},
                            {2, 600, -20, false},  {3, 300, -3, true},    {3, 4000, -3, true},
                            {3, 1000, -20, true},  {3, 600, -3, false}};
    for (const Probe& p : probes) {
        EXPECT_EQ(Shaded(shaded[p.scheme], p.f, p.db), p.shaded)
            << "scheme " << p.scheme << " at " << p.f << " Hz, " << p.db << " dB";
    }
}

}  // namespace
}  // namespace vx
