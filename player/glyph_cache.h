#pragma once

#include <cstddef>
#include <memory>

#include "player/shape_outline.h"
#include "player/transform.h"

// Kept out of this header as cairo.h itself declares it.
typedef struct _cairo cairo_t;

namespace player {

// Glyph coverage masks, made once per glyph, size and turn and sixteenth of a pixel of
// position, then painted for every letter that repeats them. A player keeps one for the
// glyphs of its movie, which live as long as the player.
class CKV_GlyphCache {
 public:
  // Masks larger than this many pixels are not kept; such glyphs are painted directly.
  static constexpr int kMaxMaskPixels = 256 * 256;
  // Once this many masks are kept, the cache starts afresh.
  static constexpr size_t kCapacity = 4096;

  CKV_GlyphCache();
  ~CKV_GlyphCache();
  CKV_GlyphCache(const CKV_GlyphCache&) = delete;
  CKV_GlyphCache& operator=(const CKV_GlyphCache&) = delete;

  // Paints the glyph's fill with the context's source at the device transform; false, having
  // painted nothing, when the glyph is too large to keep.
  bool Paint(cairo_t* cr, const ShapeOutline& glyph, const Transform2D& device);
  size_t Size() const;

 private:
  struct Masks;
  std::unique_ptr<Masks> masks_;
};

}  // namespace player
