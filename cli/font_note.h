#pragma once

#include <iosfwd>
#include <memory>

#include "glyphs/font_service.h"

namespace zarn::cli {

// Passes font requests to the system's fonts and says once, on err, when the face made is of
// another family than the one asked for: the movie is still made, with the stand-in.
class CKV_NotingFontService : public glyphs::CKV_FontService {
 public:
  CKV_NotingFontService(glyphs::CKV_FontService& fonts, std::ostream& err)
      : fonts_(fonts), err_(err) {}

  std::shared_ptr<const glyphs::CKV_GlyphSource> CreateFont(
      const glyphs::FontRequest& request) override;

 private:
  glyphs::CKV_FontService& fonts_;
  std::ostream& err_;
  bool noted_ = false;
};

}  // namespace zarn::cli
