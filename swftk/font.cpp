#include "swftk/font.h"

#include <algorithm>
#include <span>

#include "swftk/reader.h"
#include "swftk/stream.h"

namespace swftk {
namespace {

// Counts and lengths written into fields of a fixed width are cut to what the field holds,
// and everything that depends on them is written from the cut value.
constexpr size_t kMaxU8 = 0xFF;
constexpr size_t kMaxU16 = 0xFFFF;

void WriteCode(CSwfStream& out, uint16_t code, bool wide) {
  if (wide) {
    out.WriteUI16(code);
  } else {
    out.WriteByte(static_cast<uint8_t>(code));
  }
}

uint16_t ReadCode(CSwfReader& reader, bool wide) {
  return wide ? reader.ReadUI16() : reader.ReadUI8();
}

uint32_t CodeSize(bool wide) {
  return wide ? 2 : 1;
}

void WriteName(CSwfStream& out, const std::string& name) {
  const size_t length = std::min(name.size(), kMaxU8);
  out.WriteByte(static_cast<uint8_t>(length));
  out.WriteString(std::string_view(name).substr(0, length));
}

void ReadName(CSwfReader& reader, std::string& name) {
  const uint8_t length = reader.ReadUI8();
  // A zero length reads nothing (ReadString would take it as zero-terminated).
  if (length > 0) reader.ReadString(name, length);
  // Other producers count a terminator, sometimes several, in the length; the name is what
  // comes before them, so that a name reads back as it was written.
  while (!name.empty() && name.back() == '\0') name.pop_back();
}

// Reads one glyph from each span of a glyph table. Glyph i lies between its start and the
// next one (the last ends at lastEnd), all relative to tableStart; a glyph never reads past
// its span, and spans that are empty, reversed or outside the data give empty glyphs. Spans
// never overlap (a glyph starts no earlier than where the previous one ended), so a table of
// offsets that run backwards cannot make the same bytes into many glyphs.
void ReadGlyphTable(CSwfReader& reader, uint32_t tableStart, std::span<const uint32_t> starts,
                    uint64_t lastEnd, std::vector<std::unique_ptr<CSwfShape>>& glyphs) {
  const uint64_t limit = reader.GetLimit();
  const auto clamp = [&](uint64_t relative) {
    return static_cast<uint32_t>(std::min<uint64_t>(tableStart + relative, limit));
  };
  uint32_t previousEnd = 0;
  for (size_t i = 0; i < starts.size(); ++i) {
    const uint32_t begin = std::max(clamp(starts[i]), previousEnd);
    const uint32_t end = std::max(begin, clamp(i + 1 < starts.size() ? starts[i + 1] : lastEnd));
    reader.SetPosition(begin);
    const uint32_t outer = reader.PushLimit(end);
    auto glyph = std::make_unique<CSwfShape>();
    glyph->Read(reader);
    reader.PopLimit(outer);
    glyphs.push_back(std::move(glyph));
    previousEnd = end;
  }
}

// Writes the glyphs one after another, each from a byte boundary, and notes where each starts.
CSwfStream GlyphData(const std::vector<std::unique_ptr<CSwfShape>>& glyphs, size_t count,
                     std::vector<uint32_t>& starts) {
  CSwfStream data;
  for (size_t i = 0; i < count; ++i) {
    starts.push_back(static_cast<uint32_t>(data.ByteCount()));
    glyphs[i]->Write(data);
    data.FlushBits();
  }
  return data;
}

// A DefineFont's glyphs and the offsets of their table, counted from the table's start; false
// when they do not fit 16 bits (the offsets written are then cut).
bool WriteGlyphTable(const std::vector<std::unique_ptr<CSwfShape>>& glyphs,
                     std::vector<uint16_t>& offsets, CSwfStream& glyphData) {
  std::vector<uint32_t> starts;
  glyphData = GlyphData(glyphs, std::min(glyphs.size(), kMaxU16 / 2), starts);
  const size_t tableSize = 2 * starts.size();
  offsets.clear();
  for (const uint32_t start : starts) offsets.push_back(static_cast<uint16_t>(tableSize + start));
  return glyphs.size() <= kMaxU16 / 2 && (starts.empty() || tableSize + starts.back() <= kMaxU16);
}

}  // namespace

void CSwfDefineFont::Clear() {
  offsets.clear();
  glyphs.clear();
}

void CSwfDefineFont::SetGlyphs(std::vector<std::unique_ptr<CSwfShape>> newGlyphs, uint16_t id) {
  glyphs = std::move(newGlyphs);
  characterId = id;
}

bool CSwfDefineFont::DeriveOffsets() const {
  CSwfStream glyphData;
  return WriteGlyphTable(glyphs, offsets, glyphData);
}

uint32_t CSwfDefineFont::Read(CSwfReader& reader) {
  const uint32_t start = reader.GetPosition();
  Clear();
  characterId = reader.ReadUI16();
  const uint32_t tableStart = reader.GetPosition();
  if (reader.BytesLeft() < 2) return reader.GetPosition() - start;
  // The first offset is the table's own size, so it tells the glyph count (an odd size
  // rounds down); the table is believed only as far as the data goes.
  offsets.push_back(reader.ReadUI16());
  const size_t count = offsets.front() / 2;
  while (offsets.size() < count && reader.BytesLeft() >= 2) offsets.push_back(reader.ReadUI16());
  const std::vector<uint32_t> starts(
      offsets.begin(),
      offsets.begin() + static_cast<std::ptrdiff_t>(std::min(count, offsets.size())));
  // The last glyph runs to the end of the tag.
  ReadGlyphTable(reader, tableStart, starts, reader.GetLimit(), glyphs);
  return reader.GetPosition() - start;
}

uint32_t CSwfDefineFont::Write(CSwfStream& out) const {
  CSwfStream glyphData;
  WriteGlyphTable(glyphs, offsets, glyphData);
  const Frame frame = BeginFrame(out);
  out.WriteUI16(characterId);
  for (const uint16_t offset : offsets) out.WriteUI16(offset);
  out.Append(glyphData);
  return EndFrame(out, frame);
}

void CSwfDefineFontInfo::Set(uint16_t id, std::string newName, uint8_t newFlags,
                             std::string_view newCodes) {
  Set(id, std::move(newName), newFlags, std::vector<uint8_t>(newCodes.begin(), newCodes.end()));
}

void CSwfDefineFontInfo::Set(uint16_t id, std::string newName, uint8_t newFlags,
                             const std::vector<uint8_t>& newCodes) {
  fontId = id;
  name = std::move(newName);
  flags = newFlags;
  if (!newCodes.empty()) codes.assign(newCodes.begin(), newCodes.end());
}

uint32_t CSwfDefineFontInfo::Read(CSwfReader& reader) {
  const uint32_t start = reader.GetPosition();
  fontId = reader.ReadUI16();
  ReadName(reader, name);
  flags = reader.ReadUI8();
  // The codes fill the rest of the tag, in the width the flags give.
  const bool wide = (flags & kWideCodes) != 0;
  codes.clear();
  while (reader.BytesLeft() >= CodeSize(wide)) codes.push_back(ReadCode(reader, wide));
  return reader.GetPosition() - start;
}

uint32_t CSwfDefineFontInfo::Write(CSwfStream& out) const {
  const Frame frame = BeginFrame(out);
  out.WriteUI16(fontId);
  WriteName(out, name);
  out.WriteByte(flags);
  for (const uint16_t code : codes) WriteCode(out, code, (flags & kWideCodes) != 0);
  return EndFrame(out, frame);
}

void CSwfDefineFont2::Clear() {
  name.clear();
  glyphs.clear();
  codes.clear();
  advances.clear();
  bounds.clear();
  kerning.clear();
  offsets.clear();
}

void CSwfDefineFont2::Reset() {
  Clear();
  characterId = 1;
  flags = kAnsi;
  ascent = descent = leading = 0;
}

uint32_t CSwfDefineFont2::Read(CSwfReader& reader) {
  const uint32_t start = reader.GetPosition();
  Clear();
  characterId = reader.ReadUI16();
  flags = reader.ReadUI8();
  reader.ReadUI8();  // language
  ReadName(reader, name);
  const uint16_t numGlyphs = reader.ReadUI16();
  const bool wideOffsets = (flags & kWideOffsets) != 0;
  const bool wideCodes = (flags & kWideCodes) != 0;
  const auto readOffset = [&reader, wideOffsets]() -> uint32_t {
    return wideOffsets ? reader.ReadUI32() : reader.ReadUI16();
  };

  // Every table below is believed only as far as the data goes.
  const uint32_t tableStart = reader.GetPosition();
  while (offsets.size() < numGlyphs && reader.BytesLeft() >= (wideOffsets ? 4U : 2U))
    offsets.push_back(readOffset());
  const uint32_t codeTableOffset = readOffset();
  if (!offsets.empty()) {
    ReadGlyphTable(reader, tableStart, offsets, codeTableOffset, glyphs);
    reader.SetPosition(static_cast<uint32_t>(
        std::min<uint64_t>(uint64_t{tableStart} + codeTableOffset, reader.GetLimit())));
  }
  while (codes.size() < glyphs.size() && reader.BytesLeft() >= CodeSize(wideCodes))
    codes.push_back(ReadCode(reader, wideCodes));
  if (!(flags & kHasLayout)) return reader.GetPosition() - start;

  ascent = reader.ReadUI16();
  descent = reader.ReadUI16();
  leading = reader.ReadUI16();
  while (advances.size() < glyphs.size() && reader.BytesLeft() >= 2)
    advances.push_back(reader.ReadSI16());
  // A rectangle takes at least one byte.
  while (bounds.size() < glyphs.size() && reader.BytesLeft() > 0) {
    auto rect = std::make_unique<CSwfRect>();
    rect->Read(reader);
    bounds.push_back(std::move(rect));
  }
  const uint16_t kerningCount = reader.ReadUI16();
  while (kerning.size() < kerningCount && reader.BytesLeft() >= 2 * CodeSize(wideCodes) + 2) {
    KerningPair pair;
    pair.first = ReadCode(reader, wideCodes);
    pair.second = ReadCode(reader, wideCodes);
    pair.adjustment = reader.ReadSI16();
    kerning.push_back(pair);
  }
  return reader.GetPosition() - start;
}

uint32_t CSwfDefineFont2::Write(CSwfStream& out) const {
  const size_t count = std::min(glyphs.size(), kMaxU16);
  const bool wideCodes = (flags & kWideCodes) != 0;

  // The glyphs come first, to learn where each starts.
  std::vector<uint32_t> starts;
  CSwfStream glyphData = GlyphData(glyphs, count, starts);
  const auto glyphBytes = static_cast<uint32_t>(glyphData.ByteCount());
  // 16-bit offsets while the code-table offset, the largest of them, still fits.
  const bool wideOffsets = 2 * (count + 1) + glyphBytes > kMaxU16;
  const auto tableSize = static_cast<uint32_t>((wideOffsets ? 4 : 2) * (count + 1));
  offsets.clear();
  for (const uint32_t glyphStart : starts) offsets.push_back(tableSize + glyphStart);
  const auto writeOffset = [wideOffsets](CSwfStream& body, uint32_t offset) {
    if (wideOffsets) {
      body.WriteUI32(offset);
    } else {
      body.WriteUI16(static_cast<uint16_t>(offset));
    }
  };

  const Frame frame = BeginFrame(out);
  out.WriteUI16(characterId);
  // The wide-offsets flag follows the offsets actually written, whatever is stored.
  out.WriteByte(static_cast<uint8_t>((flags & ~kWideOffsets) | (wideOffsets ? kWideOffsets : 0)));
  out.WriteByte(0);  // language
  WriteName(out, name);
  out.WriteUI16(static_cast<uint16_t>(count));
  for (const uint32_t offset : offsets) writeOffset(out, offset);
  writeOffset(out, tableSize + glyphBytes);
  out.Append(glyphData);
  for (size_t i = 0; i < count; ++i) WriteCode(out, i < codes.size() ? codes[i] : 0, wideCodes);
  if (flags & kHasLayout) {
    out.WriteUI16(ascent);
    out.WriteUI16(descent);
    out.WriteUI16(leading);
    for (size_t i = 0; i < count; ++i) out.WriteSI16(i < advances.size() ? advances[i] : 0);
    for (size_t i = 0; i < count; ++i)
      (i < bounds.size() && bounds[i] ? *bounds[i] : CSwfRect()).Write(out);
    const size_t pairs = std::min(kerning.size(), kMaxU16);
    out.WriteUI16(static_cast<uint16_t>(pairs));
    for (size_t i = 0; i < pairs; ++i) {
      WriteCode(out, kerning[i].first, wideCodes);
      WriteCode(out, kerning[i].second, wideCodes);
      out.WriteSI16(static_cast<int16_t>(kerning[i].adjustment));
    }
  }
  return EndFrame(out, frame);
}

}  // namespace swftk
