#include "test_fonts.h"

#include "swftk/stream.h"

namespace player::test {

using namespace swftk;

std::unique_ptr<CSwfShape> GlyphShape(const std::vector<GlyphRect>& rects) {
  auto glyph = std::make_unique<CSwfShape>();
  glyph->SetStyleBits(1, 0);
  bool first = true;
  for (const GlyphRect& r : rects) {
    auto change = std::make_unique<CSwfStyleChangeShapeRecord>();
    change->Init(
        CSwfStyleChangeShapeRecord::kMoveTo | (first ? CSwfStyleChangeShapeRecord::kFillStyle0 : 0),
        glyph.get());
    change->moveDeltaX = r.x0;
    change->moveDeltaY = r.y0;
    change->fillStyle0 = 1;
    glyph->records.push_back(std::move(change));
    first = false;
    for (const auto& [dx, dy] :
         {std::pair{r.x1 - r.x0, 0}, {0, r.y1 - r.y0}, {r.x0 - r.x1, 0}, {0, r.y0 - r.y1}}) {
      auto edge = std::make_unique<CSwfStraightEdgeShapeRecord>();
      edge->Init(dx, dy, CSwfStraightEdgeShapeRecord::kGeneral);
      glyph->records.push_back(std::move(edge));
    }
  }
  glyph->records.push_back(std::make_unique<CSwfEndOfShapeRecord>());
  return glyph;
}

std::unique_ptr<CSwfDefineFont> DefineFont(uint16_t id,
                                           std::vector<std::unique_ptr<CSwfShape>> glyphs) {
  std::vector<uint16_t> offsets;
  uint32_t position = 0;
  for (const auto& glyph : glyphs) {
    offsets.push_back(static_cast<uint16_t>(position));
    CSwfStream measure;
    glyph->Write(measure);
    measure.FlushBits();
    position += static_cast<uint32_t>(measure.ByteCount());
  }
  auto font = std::make_unique<CSwfDefineFont>();
  font->SetGlyphs(std::move(offsets), std::move(glyphs), id, true);
  return font;
}

std::unique_ptr<CSwfDefineFont2> DefineFont2(uint16_t id, const std::vector<Font2Glyph>& glyphs,
                                             uint16_t ascent, uint16_t descent) {
  auto font = std::make_unique<CSwfDefineFont2>();
  font->characterId = id;
  font->name = "Test";
  font->flags = CSwfDefineFont2::kHasLayout | CSwfDefineFont2::kAnsi;
  font->ascent = ascent;
  font->descent = descent;
  for (const Font2Glyph& glyph : glyphs) {
    font->glyphs.push_back(GlyphShape(glyph.rects));
    font->codes.push_back(glyph.code);
    font->advances.push_back(glyph.advance);
    font->bounds.push_back(std::make_unique<CSwfRect>());
  }
  return font;
}

std::unique_ptr<CSwfDefineText> DefineText(uint16_t id, uint16_t tagCode,
                                           const std::vector<TextRun>& runs) {
  auto text = std::make_unique<CSwfDefineText>();
  text->Init(id, std::make_unique<CSwfRect>(0, 20, 0, 20), std::make_unique<CSwfMatrix>(), 8, 16,
             tagCode);
  const bool alpha = tagCode == tagcode::kDefineText2;
  for (const TextRun& run : runs) {
    auto style = std::make_unique<CSwfTextStyleChangeRecord>();
    std::unique_ptr<CSwfColor> color;
    if (alpha) {
      color = std::make_unique<CSwfColorAlpha>(run.color.r, run.color.g, run.color.b, run.color.a);
    } else {
      color = std::make_unique<CSwfColor>(run.color.r, run.color.g, run.color.b);
    }
    style->Set(run.fontId, std::move(color), run.x, run.y, run.height);
    style->SetHasAlpha(alpha ? 1 : 0);
    text->records.push_back(std::move(style));
    auto glyphs = std::make_unique<CSwfTextGlyphRecord>();
    glyphs->glyphBits = 8;
    glyphs->advanceBits = 16;
    for (const auto& [index, advance] : run.glyphs) glyphs->entries.push_back({index, advance});
    text->records.push_back(std::move(glyphs));
  }
  return text;
}

}  // namespace player::test
