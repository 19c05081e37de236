#pragma once

// Where the main window opens: in its stored size where the screen has room for it, else as
// large as the screen's free area allows, centred there, and never with its title bar above
// the screen. A size stored at one display scale may be far too large at another.
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

}  // namespace vx
