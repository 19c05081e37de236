#include "shell/window_placement.h"

#include <algorithm>
#include <charconv>

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

// `box` shrunk to the free area and moved into it.
WindowBox Clamped(WindowBox box, const WindowBox& available) {
    box.width = std::min(box.width, available.width);
    box.height = std::min(box.height, available.height);
    box.left = std::clamp(box.left, available.left, available.left + available.width - box.width);
    box.top = std::clamp(box.top, available.top, available.top + available.height - box.height);
    return box;
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

std::string PlaceText(WindowPoint point) {
    return std::to_string(point.left) + "," + std::to_string(point.top);
}

std::optional<WindowPoint> ParsePlace(std::string_view text) {
    WindowPoint point;
    const char* end = text.data() + text.size();
    const auto left = std::from_chars(text.data(), end, point.left);
    if (left.ec != std::errc() || left.ptr == end || *left.ptr != ',') {
        return std::nullopt;
    }
    const auto top = std::from_chars(left.ptr + 1, end, point.top);
    if (top.ec != std::errc() || top.ptr != end) {
        return std::nullopt;
    }
    return point;
}

WindowBox PlaceBeside(int width, int height, const WindowBox& main, const WindowBox& available,
                      std::optional<WindowPoint> stored, int below) {
    WindowBox box{0, main.top + below, width, height};
    const int mainRight = main.left + main.width;
    const int availableRight = available.left + available.width;
    if (stored) {
        box.left = stored->left;
        box.top = stored->top;
    } else if (mainRight + width <= availableRight) {
        box.left = mainRight;
    } else if (main.left - width >= available.left) {
        box.left = main.left - width;
    } else if (availableRight - mainRight >= main.left - available.left) {
        box.left = availableRight - width;
    } else {
        box.left = available.left;
    }
    return Clamped(box, available);
}

}  // namespace vx
