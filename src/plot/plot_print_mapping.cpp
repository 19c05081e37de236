#include "plot/plot_print_mapping.h"

#include <algorithm>
#include <cmath>

namespace vx {

namespace {

int Round(double x) {
    return static_cast<int>(std::lround(x));
}

}  // namespace

PlotPrintMapping PlotPrintMappingFor(int width, int height, double dpiX, double dpiY) {
    PlotPrintMapping m;
    if (width <= 0 || height <= 0) {
        return m;
    }
    m.page = {0, 0, width, height};
    // Isotropic: the smaller of the two scales serves both axes.
    m.scale = std::min(Round(0.8718 * width) / static_cast<double>(width),
                       Round(0.8718 * height) / static_cast<double>(height));
    // Centred: what the scale leaves of the paper goes half to either side.
    m.originX = Round((width - m.scale * width) / 2.0);
    m.originY = Round((height - m.scale * height) / 2.0);
    const double aspect = dpiX > 0.0 && dpiY > 0.0 ? dpiY / dpiX : 1.0;
    m.fontHeight = Round(kPrintFontShare * width * aspect);
    m.penScale = std::max(1.0, dpiX / 200.0 / m.scale);
    return m;
}

}  // namespace vx
