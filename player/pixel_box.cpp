#include "player/pixel_box.h"

#include <algorithm>
#include <cmath>
#include <limits>

namespace player {

// A fill's antialiased edge stays within a pixel of its points; a stroke reaches half the
// widest line beyond them, at least the pixel a hairline takes, and one more for its edge.
bool ShapePixelBox(const ShapeOutline& shape, const Transform2D& device, PixelBox& box) {
  double minX = std::numeric_limits<double>::max();
  double minY = minX;
  double maxX = std::numeric_limits<double>::lowest();
  double maxY = maxX;
  double widest = 0;
  for (const DrawItem& item : shape.items) {
    if (item.kind == DrawItem::Kind::kStroke && item.style < shape.lines.size())
      widest = std::max<double>(widest, shape.lines[item.style].width);
    for (const PathPoint& p : item.path.points) {
      const double x = device.a * p.x + device.c * p.y + device.tx;
      const double y = device.b * p.x + device.d * p.y + device.ty;
      minX = std::min(minX, x);
      minY = std::min(minY, y);
      maxX = std::max(maxX, x);
      maxY = std::max(maxY, y);
    }
  }
  if (minX > maxX) return false;
  const double reach =
      widest > 0 ? std::ceil(std::max(1.0, widest * device.LargestScale() / 2) + 1) : 1;
  box = {std::floor(minX) - reach, std::floor(minY) - reach, std::ceil(maxX) + reach,
         std::ceil(maxY) + reach};
  return true;
}

}  // namespace player
