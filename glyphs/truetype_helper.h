#pragma once

#include <cstdint>
#include <memory>
#include <string_view>
#include <vector>

#include "glyphs/font_request.h"
#include "glyphs/font_service.h"
#include "glyphs/glyph_source.h"
#include "glyphs/message_sink.h"
#include "swftk/font.h"
#include "swftk/records.h"
#include "swftk/shape_records.h"

namespace glyphs {

// Turns characters of a font into SWF glyph shapes and font definitions. Every coordinate is
// in design units: the font is created at a cell height of 1024, the glyph square of SWF fonts.
class CSwfTrueTypeHelper {
 public:
  explicit CSwfTrueTypeHelper(MessageSink messages = {});
  CSwfTrueTypeHelper(const CSwfTrueTypeHelper&) = delete;
  CSwfTrueTypeHelper& operator=(const CSwfTrueTypeHelper&) = delete;
  virtual ~CSwfTrueTypeHelper() = default;

  // Deletes the staged records and kerning pairs.
  virtual void ResetStaging();

  // Glyph shapes, from which the writer derives the offset table. Null when no font can be made
  // for the request or when the glyphs do not fit the table's 16-bit offsets.
  std::unique_ptr<swftk::CSwfDefineFont> BuildDefineFont(CKV_FontService& fonts,
                                                         FontRequest request,
                                                         std::string_view characters,
                                                         uint16_t fontId);
  // Glyph shapes with codes, metrics, advances, bounds and the font's kerning pairs. Null when
  // no font can be made for the request.
  std::unique_ptr<swftk::CSwfDefineFont2> BuildDefineFont2(CKV_FontService& fonts,
                                                           FontRequest request,
                                                           std::string_view characters,
                                                           uint16_t fontId);

  // Stages the records of one glyph of the font; fills bounds (when the outline can be read),
  // scale and metrics; with wantKerning, fetches the font's kerning pairs.
  void ExtractGlyph(const CKV_GlyphSource& font, uint8_t code, swftk::CSwfRect& bounds,
                    float& scale, TextMetrics& metrics, bool wantKerning);
  // Stage one edge; coordinates are outline points, Y upwards.
  void AddLine(float x0, float y0, float x1, float y1, float divisor);
  void AddCurve(float x0, float y0, float cx, float cy, float ax, float ay, float divisor);

  // The position reached by the staged records, Y downwards.
  int32_t penX = 0;
  int32_t penY = 0;
  // Start of the current contour, Y downwards.
  float contourStartX = 0;
  float contourStartY = 0;
  std::vector<std::unique_ptr<swftk::CSwfShapeRecord>> stagedRecords;
  std::vector<swftk::KerningPair> kerningPairs;

 private:
  void StagePolygon(const OutlinePolygon& polygon);
  // A glyph shape holding the staged records.
  std::unique_ptr<swftk::CSwfShape> TakeShape();

  MessageSink messages_;
};

}  // namespace glyphs
