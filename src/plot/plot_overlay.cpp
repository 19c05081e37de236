#include "plot/plot_overlay.h"

#include <algorithm>
#include <cmath>

#include "model/number_format.h"
#include "model/number_text.h"
#include "plot/plot_messages.h"

namespace vx {

namespace {

// Below this the deviation is only said to be small: ngspice's own accuracy ends about there.
constexpr double kSmallestDeviationDb = 0.001;

}  // namespace

std::vector<PlotPointF> OverlayPoints(const PlotOverlay& overlay, const PlotMapping& map,
                                      int samples) {
    std::vector<PlotPointF> points;
    const std::vector<double>& f = overlay.frequencies;
    const std::vector<double>& m = overlay.magnitudes;
    if (f.size() < 2 || m.size() != f.size() || samples < 2) {
        return points;
    }
    const double f1 = map.referenceFrequency * map.startFactor;
    auto level = [&](size_t k) { return 20.0 * std::log10(std::max(m[k], 1e-30)); };
    size_t upper = 1;
    for (int k = 0; k < samples; ++k) {
        const double t = k / (samples - 1.0);
        // Ends that meet the range's ends only up to rounding still count.
        double fc = f1 * std::exp(t * map.logSpan);
        if (fc < f.front() * (1.0 - 1e-9) || fc > f.back() * (1.0 + 1e-9)) {
            continue;
        }
        fc = std::clamp(fc, f.front(), f.back());
        while (upper + 1 < f.size() && f[upper] < fc) {
            ++upper;
        }
        const double u = std::log(fc / f[upper - 1]) / std::log(f[upper] / f[upper - 1]);
        const double db = level(upper - 1) + u * (level(upper) - level(upper - 1));
        const double y =
            std::clamp(db * map.dbScale + map.dbOffset, double(map.top), double(map.bottom));
        points.push_back({map.left + t * (map.right - map.left), y});
    }
    return points;
}

std::string OverlayLegend(const PlotOverlay& overlay) {
    // Two significant digits with a decimal comma, no unit prefix: "0,012 dB", "1,2 dB".
    const double d = overlay.maxDeviationDb;
    if (d < kSmallestDeviationDb) {
        return SpiceDeviationLegend("0,001", true);
    }
    const int decimals = std::max(0, 1 - static_cast<int>(std::floor(std::log10(d))));
    return SpiceDeviationLegend(WithDecimalComma(FormatF(d, decimals)), false);
}

}  // namespace vx
