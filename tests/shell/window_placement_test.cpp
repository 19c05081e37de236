#include "shell/window_placement.h"

#include <gtest/gtest.h>

#include <optional>

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

// A window beside the main window leaves the diagram in sight where the screen has room, and is
// whole on the screen wherever it was asked to go.
TEST(WindowPlacement, ResultWindowsOpenBesideTheMainWindowAndOnTheScreen) {
    const WindowBox screen{0, 0, 1920, 1040};
    struct Case {
        const char* name;
        WindowBox main;
        std::optional<WindowPoint> stored;
        WindowBox expected;
    };
    const Case cases[] = {
        {"room on the right", {100, 50, 800, 600}, {}, {900, 80, 600, 400}},
        {"room on the left only", {900, 50, 800, 600}, {}, {300, 80, 600, 400}},
        {"maximised: at the edge", {0, 0, 1920, 1040}, {}, {1320, 30, 600, 400}},
        {"more room on the left", {500, 0, 1000, 600}, {}, {0, 30, 600, 400}},
        {"stored place", {100, 50, 800, 600}, WindowPoint{20, 600}, {20, 600, 600, 400}},
        {"stored off the screen",
         {100, 50, 800, 600},
         WindowPoint{1800, -300},
         {1320, 0, 600, 400}},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(PlaceBeside(600, 400, c.main, screen, c.stored, 30), c.expected) << c.name;
    }
    // The Spice window on a small screen: shrunk to it, below its top bar.
    EXPECT_EQ(PlaceBeside(780, 590, {0, 0, 800, 600}, {0, 24, 800, 576}, {}, 30),
              (WindowBox{20, 24, 780, 576}));
}

}  // namespace
}  // namespace vx
