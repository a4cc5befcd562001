#pragma once

#include <cstddef>
#include <memory>

#include "player/shape_outline.h"
#include "player/transform.h"

// Kept out of this header as cairo.h itself declares it.
typedef struct _cairo cairo_t;

namespace player {

class CKV_CharacterTable;

// Shapes rasterised once per shape, size and turn, fraction of a pixel of position, colour
// transform and mask mode, then painted as they are for every frame that shows them again:
// outlines and many-edged shapes cost far more to rasterise than to copy. A player keeps one
// for the shapes of its movie, which live as long as the player; the least recently painted
// go first once what is kept passes a byte budget.
class CKV_ShapeCache {
 public:
  // Shapes covering more pixels than this are painted directly.
  static constexpr int kMaxSurfacePixels = 512 * 512;
  static constexpr size_t kByteBudget = size_t{32} << 20;

  CKV_ShapeCache();
  ~CKV_ShapeCache();
  CKV_ShapeCache(const CKV_ShapeCache&) = delete;
  CKV_ShapeCache& operator=(const CKV_ShapeCache&) = delete;

  // Paints the shape at the device transform; false, having painted nothing, when it is too
  // large to keep. The shape must live as long as the cache.
  bool Paint(cairo_t* cr, const ShapeOutline& shape, const Transform2D& device,
             const ColorTransform& colorTransform, bool maskMode,
             const CKV_CharacterTable& characters);
  size_t Size() const;
  // The pixels kept and a small sum per entry.
  size_t Bytes() const;

 private:
  struct Surfaces;
  std::unique_ptr<Surfaces> surfaces_;
};

}  // namespace player
