#include <algorithm>

#include "gui/skin_image.h"
#include "gui/surface.h"

namespace gui {

void CKV_SkinImage::DrawTo(int32_t x, int32_t y, CKV_Surface& surface) const {
  QImage& image = surface.image;
  if (bitmap.empty() || image.format() != QImage::Format_RGB32) return;
  const int64_t firstColumn = std::max<int64_t>(0, -int64_t{x});
  const int64_t endColumn = std::min<int64_t>(width, int64_t{image.width()} - x);
  const int64_t firstRow = std::max<int64_t>(0, -int64_t{y});
  const int64_t endRow = std::min<int64_t>(height, int64_t{image.height()} - y);
  for (int64_t row = firstRow; row < endRow; ++row) {
    const uint8_t* from = BitmapBits() + row * BitmapStride();
    auto* to = reinterpret_cast<QRgb*>(image.scanLine(static_cast<int>(y + row)));
    for (int64_t column = firstColumn; column < endColumn; ++column) {
      const uint8_t* bgr = from + 3 * column;
      to[x + column] = qRgb(bgr[2], bgr[1], bgr[0]);
    }
  }
}

}  // namespace gui
