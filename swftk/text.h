#pragma once

#include <memory>
#include <vector>

#include "swftk/object.h"
#include "swftk/records.h"

namespace swftk {

// Base of the records of a DefineText. A record is read after its first byte, which the
// text tag has read to tell the kinds apart.
class CSwfTextRecord : public CSwfObj {
 public:
  virtual void SetHasAlpha(uint8_t alpha) { hasAlpha = alpha; }
  virtual uint8_t GetHasAlpha() const { return hasAlpha; }

  // Colours are RGBA (DefineText2).
  uint8_t hasAlpha = 0;
  // The first byte as read: the flags of a style change, the glyph count of a glyph record.
  uint8_t firstByte = 0;
};

// Font, colour, offsets and height for the glyph records that follow. The presence flags
// are derived from the values when written.
class CSwfTextStyleChangeRecord : public CSwfTextRecord {
 public:
  static constexpr uint8_t kRecordType = 0x80;
  static constexpr uint8_t kHasFont = 0x08;
  static constexpr uint8_t kHasColor = 0x04;
  static constexpr uint8_t kHasYOffset = 0x02;
  static constexpr uint8_t kHasXOffset = 0x01;

  CSwfTextStyleChangeRecord() = default;

  void Clear() override { color.reset(); }
  uint32_t Read(CSwfReader& reader) override;
  uint32_t Write(CSwfStream& out) const override;

  // No colour, no offsets, font 1 at height 1; the flags tell Read what follows.
  virtual void Init(uint8_t flags);
  virtual void Set(uint16_t newFontId, std::unique_ptr<CSwfColor> newColor, int16_t x, int16_t y,
                   uint16_t height);

  uint16_t fontId = 1;
  // RGBA (a CSwfColorAlpha) when hasAlpha.
  std::unique_ptr<CSwfColor> color;
  int16_t xOffset = 0;
  int16_t yOffset = 0;
  uint16_t textHeight = 1;
};

// Glyphs of the current font with their advances.
class CSwfTextGlyphRecord : public CSwfTextRecord {
 public:
  // The count field has seven bits.
  static constexpr size_t kMaxEntries = 127;

  struct GlyphEntry {
    int32_t glyphIndex = 0;
    int32_t advance = 0;
  };

  uint32_t Read(CSwfReader& reader) override;
  uint32_t Write(CSwfStream& out) const override;

  std::vector<GlyphEntry> entries;
  // The text tag's widths: copied from it when read, set by the creator otherwise.
  uint8_t glyphBits = 0;
  uint8_t advanceBits = 0;
};

// DefineText (11) and DefineText2 (33, RGBA colours).
class CSwfDefineText : public CSwfCharacterTag {
 public:
  uint16_t GetTagCode() const override { return tagCode; }
  void Clear() override;
  uint32_t Read(CSwfReader& reader) override;
  uint32_t Write(CSwfStream& out) const override;

  virtual void Init(uint16_t id, std::unique_ptr<CSwfRect> newBounds,
                    std::unique_ptr<CSwfMatrix> newMatrix, uint8_t newGlyphBits,
                    uint8_t newAdvanceBits, uint16_t code);
  // Only DefineText and DefineText2 are accepted; any other code is ignored.
  virtual void SetTagCode(uint16_t code);

  std::unique_ptr<CSwfRect> bounds;
  std::unique_ptr<CSwfMatrix> matrix;
  uint8_t glyphBits = 0;
  uint8_t advanceBits = 0;
  std::vector<std::unique_ptr<CSwfTextRecord>> records;
  uint16_t tagCode = tagcode::kDefineText;
};

}  // namespace swftk
