#pragma once

#include <optional>
#include <string>
#include <string_view>

// Where windows open. The main window: in its stored size where the screen has room for it,
// else as large as the screen's free area allows, centred there, and never with its title bar
// above the screen (a size stored at one display scale may be far too large at another). The
// result windows: beside the main window, so that they leave the diagram in sight, or where the
// user last put them; always whole on the screen.
namespace vx {

struct WindowBox {
    int left = 0;
    int top = 0;
    int width = 0;
    int height = 0;
    bool operator==(const WindowBox&) const = default;
};

// The window manager's frame around the window's content.
struct WindowFrame {
    int left = 0;
    int top = 0;  // the title bar
    int right = 0;
    int bottom = 0;
};

// The content's box for a stored content size on a screen whose free area is `available`;
// the size never goes below `minimumWidth` by `minimumHeight` (the window's own minimum).
WindowBox PlaceWindow(int width, int height, const WindowBox& available, const WindowFrame& frame,
                      int minimumWidth, int minimumHeight);

// The windows that open beside the main window and keep their place between runs.
enum class PlacedWindow {
    DIMENSIONING,
    SCHEMATIC,
    PARAMETERS,
    TOLERANCE,
    FREQUENCY_MARKS,
    AMPLITUDE_MARKS,
    SPICE_RESULT,
    HELP,
    NOISE,
};
inline constexpr int kPlacedWindowCount = 9;

// The top left corner of a window's frame, as the settings keep it: "left,top".
struct WindowPoint {
    int left = 0;
    int top = 0;
    bool operator==(const WindowPoint&) const = default;
};
std::string PlaceText(WindowPoint point);
// Nothing for an empty or broken text.
std::optional<WindowPoint> ParsePlace(std::string_view text);

// The frame's box of a window `width` by `height` (with its frame): at `stored` when it has a
// place, else right of the main window's frame `main`, else left of it, else at the screen's
// edge on the side with more room; `below` moves it down from the main window's top so that
// windows opened one after the other do not hide each other. Shrunk and moved into the free
// area `available` whatever was asked.
WindowBox PlaceBeside(int width, int height, const WindowBox& main, const WindowBox& available,
                      std::optional<WindowPoint> stored, int below);

}  // namespace vx
