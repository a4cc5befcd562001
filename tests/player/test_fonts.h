#pragma once

#include <memory>
#include <string>
#include <vector>

#include "player/transform.h"
#include "swftk/edit_text.h"
#include "swftk/font.h"
#include "swftk/shape.h"
#include "swftk/text.h"

namespace player::test {

// A glyph outline: rectangles in em units (y up is negative), each a closed contour with fill
// style 0 as DefineFont glyphs have it.
struct GlyphRect {
  int32_t x0, y0, x1, y1;
};
std::unique_ptr<swftk::CSwfShape> GlyphShape(const std::vector<GlyphRect>& rects);

// DefineFont with glyph offsets computed from the glyphs.
std::unique_ptr<swftk::CSwfDefineFont> DefineFont(
    uint16_t id, std::vector<std::unique_ptr<swftk::CSwfShape>> glyphs);

struct Font2Glyph {
  uint16_t code = 0;
  std::vector<GlyphRect> rects;
  int16_t advance = 0;
};
std::unique_ptr<swftk::CSwfDefineFont2> DefineFont2(uint16_t id,
                                                    const std::vector<Font2Glyph>& glyphs,
                                                    uint16_t ascent, uint16_t descent);

// One line of glyphs of one font: (glyph index, advance) pairs from the pen position given.
struct TextRun {
  uint16_t fontId = 1;
  Rgba color;
  int16_t x = 0;
  int16_t y = 0;
  uint16_t height = 0;
  std::vector<std::pair<int, int>> glyphs;
};
std::unique_ptr<swftk::CSwfDefineText> DefineText(uint16_t id, uint16_t tagCode,
                                                  const std::vector<TextRun>& runs);

}  // namespace player::test
