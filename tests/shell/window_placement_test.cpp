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
        int width, height;
        WindowBox main;
        WindowBox available;
        std::optional<WindowPoint> stored;
        WindowBox expected;
    };
    const Case cases[] = {
        {"room on the right", 600, 400, {100, 50, 800, 600}, screen, {}, {900, 80, 600, 400}},
        {"room on the left only", 600, 400, {900, 50, 800, 600}, screen, {}, {300, 80, 600, 400}},
        {"maximised: at the wider side's edge",
         600,
         400,
         {0, 0, 1920, 1040},
         screen,
         {},
         {1320, 30, 600, 400}},
        {"no room either side, more on the left",
         600,
         400,
         {500, 0, 1000, 600},
         screen,
         {},
         {0, 30, 600, 400}},
        {"stored place kept",
         600,
         400,
         {100, 50, 800, 600},
         screen,
         WindowPoint{20, 600},
         {20, 600, 600, 400}},
        {"stored place off the screen",
         600,
         400,
         {100, 50, 800, 600},
         screen,
         WindowPoint{1800, -300},
         {1320, 0, 600, 400}},
        {"larger than the screen (the Spice window at scale 2)",
         780,
         590,
         {0, 0, 800, 600},
         {0, 24, 800, 576},
         {},
         {20, 24, 780, 576}},
        {"screen left of the primary",
         500,
         300,
         {-1200, 100, 600, 500},
         {-1280, 0, 1280, 1024},
         {},
         {-600, 130, 500, 300}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        const WindowBox box = PlaceBeside(c.width, c.height, c.main, c.available, c.stored, 30);
        EXPECT_EQ(box, c.expected);
        EXPECT_GE(box.left, c.available.left);
        EXPECT_GE(box.top, c.available.top);
        EXPECT_LE(box.left + box.width, c.available.left + c.available.width);
        EXPECT_LE(box.top + box.height, c.available.top + c.available.height);
    }
}

TEST(WindowPlacement, PlacesReadBackAsStoredAndBrokenOnesAreNone) {
    EXPECT_EQ(ParsePlace(PlaceText({-1280, 35})), (WindowPoint{-1280, 35}));
    for (const char* broken : {"", "12", "12,", ",5", "12;5", "12,5,", "x,5", "12 ,5"}) {
        EXPECT_EQ(ParsePlace(broken), std::nullopt) << broken;
    }
}

}  // namespace
}  // namespace vx
