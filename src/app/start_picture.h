#pragma once

class QPainter;
class QRect;

namespace vx {

// The picture the plot shows while nothing is designed: the product's name over a sketch of a
// filter response, centred in `page` (offsets clamped at 0).
void DrawStartPicture(QPainter& painter, const QRect& page);

}  // namespace vx
