#include "swftk/shape.h"

#include "swftk/reader.h"
#include "swftk/stream.h"

namespace swftk {
namespace {

template <class Record>
std::unique_ptr<Record> CopyRecord(const CSwfShapeRecord& source) {
  auto copy = std::make_unique<Record>();
  copy->CopyFrom(static_cast<const Record&>(source));
  return copy;
}

// A style array read with the shape's colour kind.
template <class Array>
std::unique_ptr<Array> ReadStyleArray(CSwfReader& reader, uint8_t hasAlpha) {
  auto styles = std::make_unique<Array>();
  styles->Init(hasAlpha);
  styles->Read(reader);
  return styles;
}

// An array with styles is written whole; an absent or empty one as a zero count. Returns the
// width of indices into it.
template <class Array>
uint8_t WriteStyleArray(CSwfStream& out, const Array* styles) {
  if (!styles || styles->count == 0) {
    out.WriteByte(0);
    return 0;
  }
  styles->Write(out);
  return styles->IndexBits();
}

}  // namespace

void CSwfShape::Clear() {
  records.clear();
}

void CSwfShape::SetStyleBits(uint8_t fillBits, uint8_t lineBits) {
  numFillBits = fillBits;
  numLineBits = lineBits;
}

void CSwfShape::CopyFrom(const CSwfShape& source) {
  Clear();
  hasAlpha = source.hasAlpha;
  SetStyleBits(source.numFillBits, source.numLineBits);
  for (const auto& record : source.records) {
    switch (record->GetRecordType()) {
      case CSwfShapeRecord::kStyleChange: {
        auto copy = std::make_unique<CSwfStyleChangeShapeRecord>();
        copy->Init(0, nullptr);
        copy->CopyFrom(static_cast<const CSwfStyleChangeShapeRecord&>(*record));
        copy->shape = this;
        records.push_back(std::move(copy));
        break;
      }
      case CSwfShapeRecord::kStraightEdge:
        records.push_back(CopyRecord<CSwfStraightEdgeShapeRecord>(*record));
        break;
      case CSwfShapeRecord::kCurvedEdge:
        records.push_back(CopyRecord<CSwfCurvedEdgeShapeRecord>(*record));
        break;
      case CSwfShapeRecord::kEndOfShape:
        records.push_back(CopyRecord<CSwfEndOfShapeRecord>(*record));
        break;
      default:
        break;
    }
  }
}

uint32_t CSwfShape::Read(CSwfReader& reader) {
  const uint32_t start = reader.GetPosition();
  // Only the records: a shape with styles has just read its arrays.
  CSwfShape::Clear();
  const auto fillBits = static_cast<uint8_t>(reader.ReadBits(4, false));
  const auto lineBits = static_cast<uint8_t>(reader.ReadBits(4, false));
  SetStyleBits(fillBits, lineBits);
  // Past the end of the data every bit reads as zero, which is the end record, so the loop
  // ends with the data; each record takes at least six bits.
  // Every record opens with six bits: the edge bit, then either the five state flags or the
  // straight bit and the 4-bit width; one read takes them all.
  constexpr uint32_t kEdge = 0x20;
  constexpr uint32_t kStraight = 0x10;
  while (reader.CountObjects(1)) {
    const auto head = static_cast<uint32_t>(reader.ReadBits(6, false));
    const auto low = static_cast<uint8_t>(head & 0x1F);
    if ((head & kEdge) != 0 && (head & kStraight) != 0) {
      auto edge = std::make_unique<CSwfStraightEdgeShapeRecord>();
      edge->hasAlpha = hasAlpha;
      edge->ReadDeltas(reader, low & 0x0F);
      records.push_back(std::move(edge));
    } else if ((head & kEdge) != 0) {
      auto curve = std::make_unique<CSwfCurvedEdgeShapeRecord>();
      curve->hasAlpha = hasAlpha;
      curve->ReadDeltas(reader, low & 0x0F);
      records.push_back(std::move(curve));
    } else {
      if (low == 0) break;
      auto change = std::make_unique<CSwfStyleChangeShapeRecord>();
      change->Init(low, this);
      change->hasAlpha = hasAlpha;
      change->Read(reader);
      records.push_back(std::move(change));
    }
  }
  records.push_back(std::make_unique<CSwfEndOfShapeRecord>());
  // Large movies hold millions of records; the list's growth reserve would add half again
  // to what their pointers take.
  records.shrink_to_fit();
  SetStyleBits(fillBits, lineBits);
  reader.AlignByte();
  return reader.GetPosition() - start;
}

uint32_t CSwfShape::Write(CSwfStream& out) const {
  const uint8_t fillBits = numFillBits;
  const uint8_t lineBits = numLineBits;
  out.WriteBits(fillBits, 4);
  out.WriteBits(lineBits, 4);
  for (const auto& record : records) record->Write(out);
  // New styles moved the widths while the records were written; the header's stand again,
  // so the next write gives the same bytes.
  numFillBits = fillBits;
  numLineBits = lineBits;
  return 0;
}

void CSwfShapeWithStyle::Clear() {
  CSwfShape::Clear();
  fillStyles.reset();
  lineStyles.reset();
}

void CSwfShapeWithStyle::CopyFrom(const CSwfShapeWithStyle& source) {
  CSwfShape::CopyFrom(source);
  fillStyles = CopyStyleArray(source.fillStyles);
  lineStyles = CopyStyleArray(source.lineStyles);
}

uint32_t CSwfShapeWithStyle::Read(CSwfReader& reader) {
  const uint32_t start = reader.GetPosition();
  Clear();
  fillStyles = ReadStyleArray<CSwfFillStyleArray>(reader, hasAlpha);
  lineStyles = ReadStyleArray<CSwfLineStyleArray>(reader, hasAlpha);
  CSwfShape::Read(reader);
  return reader.GetPosition() - start;
}

uint32_t CSwfShapeWithStyle::Write(CSwfStream& out) const {
  const uint8_t fillBits = WriteStyleArray(out, fillStyles.get());
  const uint8_t lineBits = WriteStyleArray(out, lineStyles.get());
  // The header widths are those of the arrays just written; style changes start from them.
  numFillBits = fillBits;
  numLineBits = lineBits;
  return CSwfShape::Write(out);
}

}  // namespace swftk
