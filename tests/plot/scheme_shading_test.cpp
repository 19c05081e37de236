#include "plot/scheme_shading.h"

#include <gtest/gtest.h>

#include <cmath>
#include <variant>

namespace vx {
namespace {

// 1000 units across 100 Hz .. 10 kHz, 5 units per dB from 0 dB at the top.
PlotMapping Mapping(double lowHz = 100.0, double highHz = 10000.0, double bottomDb = -100.0) {
    PlotMapping map;
    map.designed = true;
    map.left = 0;
    map.right = 1000;
    map.top = 0;
    map.bottom = 500;
    map.referenceFrequency = 1000.0;
    map.startFactor = lowHz / 1000.0;
    map.logSpan = std::log(highHz / lowHz);
    map.dbScale = 500.0 / bottomDb;
    return map;
}

double X(const PlotMapping& map, double f) {
    return map.left + std::log(f / (map.referenceFrequency * map.startFactor)) / map.logSpan *
                          (map.right - map.left);
}

bool Shaded(const SchemeShading& s, const PlotMapping& map, double f, double db) {
    const double x = X(map, f);
    const double y = db * map.dbScale + map.dbOffset;
    for (const PlotPrimitive& p : s.areas) {
        const auto* fill = std::get_if<PlotFill>(&p);
        if (fill != nullptr && fill->color == kSchemeFill && x >= fill->rect.left &&
            x <= fill->rect.right && y >= fill->rect.top && y <= fill->rect.bottom) {
            return true;
        }
    }
    return false;
}

ToleranceScheme Scheme(FilterType type, double pass, double passHigh, double stop,
                       double stopHigh) {
    return {type, pass, passHigh, 1.0, stop, stopHigh, 40.0, std::nullopt, std::nullopt};
}

// A response must keep out of the shade: below the pass limit (1 dB under the reference) and
// above the stop limit (40 dB under it), each over its region's frequencies and no further.
TEST(SchemeShading, ShadesWhereAResponseMustNotGo) {
    struct Probe {
        double f;
        double db;
        bool shaded;
    };
    struct Case {
        const char* name;
        ToleranceScheme scheme;
        std::vector<Probe> probes;
    };
    const Case cases[] = {
        {"low-pass",
         Scheme(FilterType::LOWPASS, 1000.0, 0.0, 3000.0, 0.0),
         {{101.0, -1.5, true},
          {500.0, -0.5, false},
          {2000.0, -60.0, false},
          {2000.0, -0.5, false},
          {5000.0, -20.0, true},
          {5000.0, -45.0, false},
          {9900.0, -1.5, true}}},
        {"high-pass",
         Scheme(FilterType::HIGHPASS, 1000.0, 0.0, 300.0, 0.0),
         {{9900.0, -1.5, true},
          {150.0, -20.0, true},
          {150.0, -45.0, false},
          {500.0, -20.0, false}}},
        {"band-pass",
         Scheme(FilterType::BANDPASS, 800.0, 1250.0, 400.0, 2500.0),
         {{1000.0, -3.0, true},
          {1000.0, -0.5, false},
          {300.0, -20.0, true},
          {4000.0, -20.0, true},
          {600.0, -20.0, false}}},
        {"band-stop",
         Scheme(FilterType::BANDREJECT, 400.0, 2500.0, 800.0, 1250.0),
         {{1000.0, -20.0, true},
          {1000.0, -50.0, false},
          {300.0, -3.0, true},
          {4000.0, -3.0, true},
          {600.0, -3.0, false}}},
    };
    const PlotMapping map = Mapping();
    for (const Case& c : cases) {
        const SchemeShading s = ShadeScheme(c.scheme, 0.0, map, 7, kSchemeBorderPen);
        for (const Probe& p : c.probes) {
            EXPECT_EQ(Shaded(s, map, p.f, p.db), p.shaded)
                << c.name << " at " << p.f << " Hz, " << p.db << " dB";
        }
    }
}

// Zoomed to 2 .. 5 kHz and 30 dB: the pass region lies outside, the stop region runs from its
// edge to the right end, over the whole height since its limit lies below what is shown; its
// border is the edge alone, the limit having no place in the diagram.
TEST(SchemeShading, ZoomCutsTheAreasToWhatIsShown) {
    const PlotMapping map = Mapping(2000.0, 5000.0, -30.0);
    const SchemeShading s = ShadeScheme(Scheme(FilterType::LOWPASS, 1000.0, 0.0, 3000.0, 0.0), 0.0,
                                        map, 7, kSchemeBorderPen);
    EXPECT_FALSE(Shaded(s, map, 2500.0, -29.0));
    EXPECT_TRUE(Shaded(s, map, 4000.0, -29.0));
    EXPECT_TRUE(Shaded(s, map, 4999.0, -1.0));
    ASSERT_EQ(s.borders.size(), 1u);
    const int edge = static_cast<int>(std::lround(X(map, 3000.0)));
    EXPECT_EQ(std::get<PlotPolyline>(s.borders[0]).points,
              (std::vector<PlotPoint>{{edge, map.bottom}, {edge, map.top}}));
}

}  // namespace
}  // namespace vx
