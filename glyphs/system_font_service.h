#pragma once

#include <cstddef>
#include <memory>

#include "glyphs/font_service.h"

namespace glyphs {

// The installed fonts, found with fontconfig and read with FreeType. Faces are kept in one
// cache for the whole process, keyed by what shapes the glyphs (face name, weight, italic,
// height), so that rebuilding a movie neither searches nor opens the font again.
class CKV_SystemFontService : public CKV_FontService {
 public:
  std::shared_ptr<const CKV_GlyphSource> CreateFont(const FontRequest& request) override;

  // Faces in the cache.
  static size_t CachedFaceCount();
  static void ClearCache();
};

}  // namespace glyphs
