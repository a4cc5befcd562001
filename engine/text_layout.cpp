#include "engine/text_layout.h"

#include <algorithm>

#include "engine/numeric.h"
#include "swftk/units.h"

namespace engine {
namespace {

using swftk::kGlyphCellUnits;
using swftk::kTwipsPerPixel;

constexpr int kTwipsPerTenthPoint = 3;

}  // namespace

void BuildGlyphSet(std::string_view text, std::string_view embedGlyphs, GlyphLayout& layout) {
  std::string set(text);
  set += embedGlyphs;
  std::sort(set.begin(), set.end(),
            [](char a, char b) { return static_cast<uint8_t>(a) < static_cast<uint8_t>(b); });
  set.erase(std::unique(set.begin(), set.end()), set.end());
  layout.glyphSet = std::move(set);

  layout.letterGlyph.clear();
  layout.letterGlyph.reserve(text.size());
  for (const char c : text) {
    layout.letterGlyph.push_back(static_cast<uint16_t>(layout.glyphSet.find(c)));
  }
}

void MeasureGlyphs(const glyphs::CKV_GlyphSource& font, int fontSizeTenths, GlyphLayout& layout) {
  const int64_t ascent = font.GetTextMetrics().ascent;
  layout.ascentOffset =
      TruncateToInt(static_cast<double>(fontSizeTenths * ascent) * (3.0 / kGlyphCellUnits));
  layout.emHeight = fontSizeTenths * static_cast<double>(kTwipsPerTenthPoint);
  layout.measureScale = static_cast<float>(kGlyphCellUnits / layout.emHeight);

  layout.glyphAdvance.clear();
  layout.glyphAdvance.reserve(layout.glyphSet.size());
  for (const char c : layout.glyphSet) {
    const glyphs::AbcWidths widths = font.GetAbcWidths(static_cast<uint8_t>(c));
    const int64_t advance = int64_t{widths.a} + widths.b + widths.c;
    layout.glyphAdvance.push_back(
        TruncateToInt(static_cast<double>(advance) / static_cast<double>(layout.measureScale)));
  }
}

void PlaceLetters(std::string_view text, int originX, int originY, int letterSpace, int lineSpace,
                  int fontSizeTenths, GlyphLayout& layout) {
  std::vector<LetterPosition>& positions = layout.letterPosition;
  positions.assign(1, {originX * kTwipsPerPixel, originY * kTwipsPerPixel});
  positions.reserve(text.size() + 1);
  const int lineStep = fontSizeTenths * kTwipsPerTenthPoint + lineSpace * kTwipsPerPixel;
  for (size_t i = 0; i < text.size(); ++i) {
    const LetterPosition pen = positions[i];
    if (IsLineBreak(text[i])) {
      positions.push_back({positions[0].x, pen.y + lineStep});
    } else {
      const int advance = layout.glyphAdvance[layout.letterGlyph[i]];
      positions.push_back({pen.x + letterSpace * kTwipsPerPixel + advance, pen.y});
    }
  }
}

}  // namespace engine
