#include "shell/window_placement.h"

#include <gtest/gtest.h>

namespace vx {
namespace {

// The stored size is kept where it fits and shrunk where it does not; the frame's title bar
// never lies above the free area, whatever was stored.
TEST(WindowPlacement, FitsTheStoredSizeIntoTheFreeArea) {
    const WindowFrame frame{4, 30, 4, 4};
    struct Case {
        const char* name;
        int width, height;
        WindowBox available;
        WindowBox expected;
    };
    const Case cases[] = {
        {"fits, centred", 625, 441, {0, 0, 1920, 1040}, {647, 312, 625, 441}},
        {"stored at scale 1, shown at scale 2", 1900, 1000, {0, 0, 960, 520}, {4, 30, 952, 486}},
        {"screen left of and above the primary",
         1200,
         800,
         {-1280, -200, 1280, 700},
         {-1240, -170, 1200, 666}},
        {"smaller than the window's minimum", 900, 700, {0, 24, 300, 200}, {4, 54, 320, 240}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        const WindowBox box = PlaceWindow(c.width, c.height, c.available, frame, 320, 240);
        EXPECT_EQ(box, c.expected);
        EXPECT_GE(box.top - frame.top, c.available.top);
        EXPECT_GE(box.left - frame.left, c.available.left);
    }
}

}  // namespace
}  // namespace vx
