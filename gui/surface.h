#pragma once

#include <QFont>
#include <QImage>
#include <cstdint>
#include <memory>

#include "gui/geometry.h"

namespace gui {

// An off-screen drawing surface: 32-bit RGB, or a 1-bit mask (1 = white) when made with fewer
// than 2 bits per pixel. Text drawn into it uses the font and colour selected here.
struct CKV_Surface {
  QImage image;
  int32_t stride = 0;
  QFont font;
  QColor textColour = Qt::white;
};

// Larger surfaces are refused.
inline constexpr int32_t kMaxSurfaceSide = 16384;

bool CreateSurface(std::unique_ptr<CKV_Surface>& surface, int32_t width, int32_t height,
                   int32_t bitsPerPixel);
bool DestroySurface(std::unique_ptr<CKV_Surface>& surface);

// The raster operations of the block copies the controls make.
enum class KV_RasterOp { kCopy, kXor, kAnd };

// Copies a width x height block from source at (sourceX, sourceY) into target at (x, y),
// clipped to both surfaces. Between a colour and a mask surface, white stands for 1 and every
// other colour for 0.
void CopyBlock(CKV_Surface& target, int32_t x, int32_t y, int32_t width, int32_t height,
               const CKV_Surface& source, int32_t sourceX, int32_t sourceY,
               KV_RasterOp op = KV_RasterOp::kCopy);

// Fills the whole surface with one colour.
void FillSurface(CKV_Surface& surface, QColor colour);

// Draws one line of text left-aligned at the top of the rectangle, clipped to it.
void DrawSurfaceText(CKV_Surface& surface, const KV_Rect& rect, const QString& text,
                     const QFont& font, QColor colour);

// A font of the given face and weight at a fixed 96 dots per inch, so that text fits the pixel
// skin whatever the screen (8 pt = 11 px, 9 pt = 12 px).
QFont SkinFont(const QString& face, int32_t points, int32_t weight);

}  // namespace gui
