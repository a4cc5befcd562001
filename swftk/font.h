#pragma once

#include <memory>
#include <string>
#include <string_view>
#include <vector>

#include "swftk/object.h"
#include "swftk/records.h"
#include "swftk/shape.h"

namespace swftk {

// One kerning pair of a font, in design units.
struct KerningPair {
  uint16_t first = 0;
  uint16_t second = 0;
  int32_t adjustment = 0;
};

// DefineFont: glyph shapes behind an offset table that the writer derives from the glyphs it
// writes, as DefineFont2's writer does.
class CSwfDefineFont : public CSwfCharacterTag {
 public:
  uint16_t GetTagCode() const override { return tagcode::kDefineFont; }
  void Clear() override;
  uint32_t Read(CSwfReader& reader) override;
  uint32_t Write(CSwfStream& out) const override;

  void SetGlyphs(std::vector<std::unique_ptr<CSwfShape>> newGlyphs, uint16_t id);
  // Derives the offset table from the glyphs, as a write does; false when the glyphs lie too
  // far apart for its 16-bit offsets, so that the font cannot be written.
  bool DeriveOffsets() const;

  std::vector<std::unique_ptr<CSwfShape>> glyphs;
  // The glyph offsets from the start of the offset table, as read, then as last written: entry
  // 0 is the table's size, twice the glyph count.
  mutable std::vector<uint16_t> offsets;
};

// DefineFontInfo: the name, style flags and character codes of a DefineFont.
class CSwfDefineFontInfo : public CSwfTag {
 public:
  static constexpr uint8_t kAnsi = 0x08;
  static constexpr uint8_t kItalic = 0x04;
  static constexpr uint8_t kBold = 0x02;
  static constexpr uint8_t kWideCodes = 0x01;

  uint16_t GetTagCode() const override { return tagcode::kDefineFontInfo; }
  uint32_t Read(CSwfReader& reader) override;
  uint32_t Write(CSwfStream& out) const override;

  // An empty code list leaves the codes as they are.
  virtual void Set(uint16_t id, std::string newName, uint8_t newFlags, std::string_view newCodes);
  virtual void Set(uint16_t id, std::string newName, uint8_t newFlags,
                   const std::vector<uint8_t>& newCodes);

  uint16_t fontId = 0;
  std::string name;
  uint8_t flags = 0;
  // One per glyph; 16-bit when kWideCodes is set, bytes otherwise.
  std::vector<uint16_t> codes;
};

// DefineFont2: glyphs, codes and, with kHasLayout, metrics, advances, bounds and kerning.
class CSwfDefineFont2 : public CSwfCharacterTag {
 public:
  static constexpr uint8_t kHasLayout = 0x80;
  static constexpr uint8_t kShiftJis = 0x40;
  static constexpr uint8_t kSmallText = 0x20;
  static constexpr uint8_t kAnsi = 0x10;
  // Set on write when the glyphs do not fit 16-bit offsets; ignored in the stored flags.
  static constexpr uint8_t kWideOffsets = 0x08;
  // Codes and kerning codes are 16-bit.
  static constexpr uint8_t kWideCodes = 0x04;
  static constexpr uint8_t kItalic = 0x02;
  static constexpr uint8_t kBold = 0x01;

  CSwfDefineFont2() { Reset(); }

  uint16_t GetTagCode() const override { return tagcode::kDefineFont2; }
  void Clear() override;
  void Reset() override;
  uint32_t Read(CSwfReader& reader) override;
  uint32_t Write(CSwfStream& out) const override;

  uint8_t flags = kAnsi;
  std::string name;
  std::vector<std::unique_ptr<CSwfShape>> glyphs;
  // One per glyph. Missing codes, advances and bounds are written as zeros, so the tables
  // always match the glyph count.
  std::vector<uint16_t> codes;
  uint16_t ascent = 0;
  uint16_t descent = 0;
  uint16_t leading = 0;
  std::vector<int16_t> advances;
  std::vector<std::unique_ptr<CSwfRect>> bounds;
  std::vector<KerningPair> kerning;
  // The glyph offsets from the start of the offset table: as read, then as last written.
  mutable std::vector<uint32_t> offsets;
};

}  // namespace swftk
