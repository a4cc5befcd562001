#pragma once

#include <memory>

#include "glyphs/font_request.h"
#include "glyphs/glyph_source.h"

namespace glyphs {

// Creates fonts from requests; the engine measures through one, tests hand it a fake.
class CKV_FontService {
 public:
  virtual ~CKV_FontService() = default;

  // Null when no font can be made for the request. Letting go of the result deletes the font.
  virtual std::shared_ptr<const CKV_GlyphSource> CreateFont(const FontRequest& request) = 0;
};

}  // namespace glyphs
