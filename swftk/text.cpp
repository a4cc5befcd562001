#include "swftk/text.h"

#include <algorithm>

#include "swftk/reader.h"
#include "swftk/stream.h"

namespace swftk {

void CSwfTextStyleChangeRecord::Init(uint8_t flags) {
  firstByte = flags;
  color.reset();
  xOffset = yOffset = 0;
  fontId = 1;
  textHeight = 1;
}

void CSwfTextStyleChangeRecord::Set(uint16_t newFontId, std::unique_ptr<CSwfColor> newColor,
                                    int16_t x, int16_t y, uint16_t height) {
  fontId = newFontId;
  color = std::move(newColor);
  xOffset = x;
  yOffset = y;
  textHeight = height;
}

uint32_t CSwfTextStyleChangeRecord::Read(CSwfReader& reader) {
  const uint32_t start = reader.GetPosition();
  // Without the font flag the record names no font, and must not gain one when written back.
  fontId = (firstByte & kHasFont) ? reader.ReadUI16() : 0;
  if (firstByte & kHasColor) color = ReadColor(reader, hasAlpha != 0);
  if (firstByte & kHasXOffset) xOffset = reader.ReadSI16();
  if (firstByte & kHasYOffset) yOffset = reader.ReadSI16();
  if (firstByte & kHasFont) textHeight = reader.ReadUI16();
  return reader.GetPosition() - start;
}

uint32_t CSwfTextStyleChangeRecord::Write(CSwfStream& out) const {
  const int before = out.ByteCount();
  uint8_t flags = kRecordType;
  if (fontId != 0) flags |= kHasFont;
  if (color) flags |= kHasColor;
  if (yOffset != 0) flags |= kHasYOffset;
  if (xOffset != 0) flags |= kHasXOffset;
  out.WriteByte(flags);
  if (fontId != 0) out.WriteUI16(fontId);
  if (color) color->Write(out);
  if (xOffset != 0) out.WriteSI16(xOffset);
  if (yOffset != 0) out.WriteSI16(yOffset);
  if (fontId != 0) out.WriteUI16(textHeight);
  return static_cast<uint32_t>(out.ByteCount() - before);
}

uint32_t CSwfTextGlyphRecord::Read(CSwfReader& reader) {
  const uint32_t start = reader.GetPosition();
  entries.clear();
  // Entries of no bits cost nothing to store in a file, so they are counted like records.
  const int count = reader.CountObjects(firstByte & 0x7F) ? firstByte & 0x7F : 0;
  for (int i = 0; i < count; ++i) {
    GlyphEntry entry;
    entry.glyphIndex = reader.ReadBits(glyphBits, false);
    entry.advance = reader.ReadBits(advanceBits, true);
    entries.push_back(entry);
  }
  reader.AlignByte();
  return reader.GetPosition() - start;
}

uint32_t CSwfTextGlyphRecord::Write(CSwfStream& out) const {
  const int before = out.ByteCount();
  // The count is written from the entries that are written, so the two always agree.
  const size_t count = std::min(entries.size(), kMaxEntries);
  out.WriteBits(0, 1);
  out.WriteBits(static_cast<int64_t>(count), 7);
  for (size_t i = 0; i < count; ++i) {
    out.WriteBits(entries[i].glyphIndex, glyphBits);
    out.WriteBits(entries[i].advance, advanceBits);
  }
  out.FlushBits();
  return static_cast<uint32_t>(out.ByteCount() - before);
}

void CSwfDefineText::Clear() {
  bounds.reset();
  matrix.reset();
  records.clear();
}

void CSwfDefineText::Init(uint16_t id, std::unique_ptr<CSwfRect> newBounds,
                          std::unique_ptr<CSwfMatrix> newMatrix, uint8_t newGlyphBits,
                          uint8_t newAdvanceBits, uint16_t code) {
  characterId = id;
  bounds = std::move(newBounds);
  matrix = std::move(newMatrix);
  glyphBits = newGlyphBits;
  advanceBits = newAdvanceBits;
  SetTagCode(code);
}

void CSwfDefineText::SetTagCode(uint16_t code) {
  if (code == tagcode::kDefineText || code == tagcode::kDefineText2) tagCode = code;
}

uint32_t CSwfDefineText::Read(CSwfReader& reader) {
  const uint32_t start = reader.GetPosition();
  Clear();
  characterId = reader.ReadUI16();
  bounds = std::make_unique<CSwfRect>();
  bounds->Read(reader);
  matrix = std::make_unique<CSwfMatrix>();
  matrix->Read(reader);
  glyphBits = reader.ReadUI8();
  advanceBits = reader.ReadUI8();
  // Every record takes at least its first byte, so the loop ends with the data.
  while (reader.BytesLeft() > 0 && reader.CountObjects(1)) {
    const uint8_t first = reader.ReadUI8();
    if (first == 0) break;
    std::unique_ptr<CSwfTextRecord> record;
    if (first & CSwfTextStyleChangeRecord::kRecordType) {
      auto styleChange = std::make_unique<CSwfTextStyleChangeRecord>();
      styleChange->Init(first);
      record = std::move(styleChange);
    } else {
      auto glyphs = std::make_unique<CSwfTextGlyphRecord>();
      glyphs->firstByte = first;
      glyphs->glyphBits = glyphBits;
      glyphs->advanceBits = advanceBits;
      record = std::move(glyphs);
    }
    record->SetHasAlpha(tagCode == tagcode::kDefineText2 ? 1 : 0);
    record->Read(reader);
    records.push_back(std::move(record));
  }
  return reader.GetPosition() - start;
}

uint32_t CSwfDefineText::Write(CSwfStream& out) const {
  const Frame frame = BeginFrame(out);
  out.WriteUI16(characterId);
  // An absent rectangle or matrix is written as the empty one, so the tag stays readable.
  (bounds ? *bounds : CSwfRect()).Write(out);
  (matrix ? *matrix : CSwfMatrix()).Write(out);
  out.WriteByte(glyphBits);
  out.WriteByte(advanceBits);
  for (const auto& record : records) {
    record->Write(out);
    out.FlushBits();
  }
  out.WriteByte(0);
  return EndFrame(out, frame);
}

}  // namespace swftk
