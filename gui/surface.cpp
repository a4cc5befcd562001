#include "gui/surface.h"

#include <QPainter>
#include <algorithm>

namespace gui {

namespace {

constexpr QRgb kWhite = 0xFFFFFFFF;

bool IsMask(const QImage& image) {
  return image.format() == QImage::Format_Mono;
}

// A pixel as 0x00RRGGBB; mask bits read as white (1) or black (0).
uint32_t ReadPixel(const QImage& image, int x, int y) {
  if (IsMask(image)) return image.pixelIndex(x, y) ? 0xFFFFFF : 0;
  return reinterpret_cast<const QRgb*>(image.constScanLine(y))[x] & 0xFFFFFF;
}

void WritePixel(QImage& image, int x, int y, uint32_t rgb) {
  if (IsMask(image)) {
    image.setPixel(x, y, rgb == 0xFFFFFF ? 1 : 0);
    return;
  }
  reinterpret_cast<QRgb*>(image.scanLine(y))[x] = 0xFF000000 | rgb;
}

uint32_t Combine(uint32_t target, uint32_t source, KV_RasterOp op) {
  switch (op) {
    case KV_RasterOp::kXor:
      return target ^ source;
    case KV_RasterOp::kAnd:
      return target & source;
    case KV_RasterOp::kCopy:
      break;
  }
  return source;
}

}  // namespace

bool CreateSurface(std::unique_ptr<CKV_Surface>& surface, int32_t width, int32_t height,
                   int32_t bitsPerPixel) {
  if (width <= 0 || height <= 0 || width > kMaxSurfaceSide || height > kMaxSurfaceSide) {
    return false;
  }
  auto made = std::make_unique<CKV_Surface>();
  if (bitsPerPixel < 2) {
    made->image = QImage(width, height, QImage::Format_Mono);
    if (made->image.isNull()) return false;
    made->image.setColorTable({0xFF000000, kWhite});
    made->image.fill(0);
    made->stride = width & ~7;
  } else {
    made->image = QImage(width, height, QImage::Format_RGB32);
    if (made->image.isNull()) return false;
    made->image.fill(0xFF000000);
    made->stride = static_cast<int32_t>(made->image.bytesPerLine());
  }
  surface = std::move(made);
  return true;
}

bool DestroySurface(std::unique_ptr<CKV_Surface>& surface) {
  surface.reset();
  return true;
}

void CopyBlock(CKV_Surface& target, int32_t x, int32_t y, int32_t width, int32_t height,
               const CKV_Surface& source, int32_t sourceX, int32_t sourceY, KV_RasterOp op) {
  // Clip against both surfaces, moving both origins together.
  const int32_t skipX = std::max({0, -x, -sourceX});
  const int32_t skipY = std::max({0, -y, -sourceY});
  x += skipX;
  sourceX += skipX;
  y += skipY;
  sourceY += skipY;
  width = std::min({width - skipX, target.image.width() - x, source.image.width() - sourceX});
  height = std::min({height - skipY, target.image.height() - y, source.image.height() - sourceY});
  if (width <= 0 || height <= 0) return;
  const bool plainCopy = op == KV_RasterOp::kCopy && !IsMask(target.image) &&
                         !IsMask(source.image) && &target != &source;
  if (plainCopy) {
    for (int32_t row = 0; row < height; ++row) {
      const auto* from = reinterpret_cast<const QRgb*>(source.image.constScanLine(sourceY + row));
      auto* to = reinterpret_cast<QRgb*>(target.image.scanLine(y + row));
      std::copy_n(from + sourceX, width, to + x);
    }
    return;
  }
  // Overlapping copies within one surface read everything first.
  const QImage from = &target == &source ? source.image.copy() : source.image;
  for (int32_t row = 0; row < height; ++row) {
    for (int32_t column = 0; column < width; ++column) {
      const uint32_t value = ReadPixel(from, sourceX + column, sourceY + row);
      const uint32_t old = ReadPixel(target.image, x + column, y + row);
      WritePixel(target.image, x + column, y + row, Combine(old, value, op));
    }
  }
}

void FillSurface(CKV_Surface& surface, QColor colour) {
  if (IsMask(surface.image)) {
    surface.image.fill(colour.rgb() == kWhite ? 1 : 0);
  } else {
    surface.image.fill(colour.rgb());
  }
}

void DrawSurfaceText(CKV_Surface& surface, const KV_Rect& rect, const QString& text,
                     const QFont& font, QColor colour) {
  if (IsMask(surface.image) || rect.right <= rect.left || rect.bottom <= rect.top) return;
  QPainter painter(&surface.image);
  painter.setFont(font);
  painter.setPen(colour);
  const QRect box(rect.left, rect.top, rect.right - rect.left, rect.bottom - rect.top);
  painter.setClipRect(box);
  painter.drawText(box, Qt::AlignLeft | Qt::AlignTop | Qt::TextSingleLine, text);
}

QFont SkinFont(const QString& face, int32_t points, int32_t weight) {
  QFont font(face);
  font.setPixelSize((points * 96 + 36) / 72);
  font.setWeight(static_cast<QFont::Weight>(weight));
  font.setHintingPreference(QFont::PreferFullHinting);
  return font;
}

}  // namespace gui
