#include "plot/plot_print_mapping.h"

#include <gtest/gtest.h>

namespace vx {
namespace {

// On every page and resolution the diagram lands in the middle of the paper with margins on all
// sides, its font keeps the page's proportion and its pens stay visible on a fine printer.
TEST(PlotPrintMapping, TheDiagramStaysOnThePaper) {
    struct Case {
        int width;
        int height;
        double dpi;
    };
    for (const Case& c : {Case{3307, 2338, 300}, Case{13228, 9354, 1200}, Case{9354, 13228, 1200},
                          Case{794, 1123, 96}}) {
        SCOPED_TRACE(c.width);
        const PlotPrintMapping m = PlotPrintMappingFor(c.width, c.height, c.dpi, c.dpi);
        EXPECT_EQ(m.page, (PlotRect{0, 0, c.width, c.height}));
        const double right = m.originX + m.scale * m.page.right;
        const double bottom = m.originY + m.scale * m.page.bottom;
        EXPECT_GT(m.originX, 0);
        EXPECT_GT(m.originY, 0);
        EXPECT_NEAR(c.width - right, m.originX, 1.0);
        EXPECT_NEAR(c.height - bottom, m.originY, 1.0);
        EXPECT_GT(m.originX, 0.05 * c.width);
        EXPECT_NEAR(m.fontHeight / static_cast<double>(c.width), 0.011, 0.001);
        // A pen of one screen pixel is at least a 200th of an inch wide on paper.
        EXPECT_GE(m.penScale * m.scale / c.dpi, 1.0 / 200.0 - 1e-9);
    }
    EXPECT_EQ(PlotPrintMappingFor(0, 100, 300, 300).page, PlotRect{});
}

}  // namespace
}  // namespace vx
