#pragma once

#include "player/shape_outline.h"
#include "player/transform.h"

namespace player {

// A box of whole pixels.
struct PixelBox {
  double left = 0;
  double top = 0;
  double right = 0;
  double bottom = 0;

  double Width() const { return right - left; }
  double Height() const { return bottom - top; }
};

// The whole pixels a shape's paint can touch at a device transform; false when it has no
// edges.
bool ShapePixelBox(const ShapeOutline& shape, const Transform2D& device, PixelBox& box);

}  // namespace player
