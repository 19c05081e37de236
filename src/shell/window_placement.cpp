#include "shell/window_placement.h"

#include <algorithm>

namespace vx {

namespace {

// The content's extent along one axis: as stored where it fits with its frame, centred; the
// start never before the free area's, so that the title bar and menus stay reachable.
void Place(int stored, int minimum, int start, int extent, int before, int after, int& outStart,
           int& outSize) {
    outSize = std::max(std::min(stored, extent - before - after), minimum);
    const int centred = start + (extent - before - outSize - after) / 2 + before;
    outStart = std::max(centred, start + before);
}

}  // namespace

WindowBox PlaceWindow(int width, int height, const WindowBox& available, const WindowFrame& frame,
                      int minimumWidth, int minimumHeight) {
    WindowBox box;
    Place(width, minimumWidth, available.left, available.width, frame.left, frame.right, box.left,
          box.width);
    Place(height, minimumHeight, available.top, available.height, frame.top, frame.bottom, box.top,
          box.height);
    return box;
}

}  // namespace vx
