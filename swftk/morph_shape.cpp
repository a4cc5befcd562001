#include "swftk/morph_shape.h"

#include "swftk/reader.h"
#include "swftk/stream.h"

namespace swftk {

uint32_t CSwfMorphGradientRecord::Read(CSwfReader& reader) {
  const uint32_t start = reader.GetPosition();
  startRatio = reader.ReadUI8();
  startColor.Read(reader);
  endRatio = reader.ReadUI8();
  endColor.Read(reader);
  return reader.GetPosition() - start;
}

uint32_t CSwfMorphGradientRecord::Write(CSwfStream& out) const {
  out.WriteByte(startRatio);
  startColor.Write(out);
  out.WriteByte(endRatio);
  endColor.Write(out);
  return 10;
}

void CSwfMorphGradientRecord::CopyFrom(const CSwfMorphGradientRecord& source) {
  startRatio = source.startRatio;
  startColor.Assign(source.startColor);
  endRatio = source.endRatio;
  endColor.Assign(source.endColor);
}

bool CSwfMorphFillStyle::IsGradient() const {
  return fillType == CSwfFillStyle::kLinearGradient || fillType == CSwfFillStyle::kRadialGradient;
}

bool CSwfMorphFillStyle::IsBitmap() const {
  return fillType == CSwfFillStyle::kRepeatingBitmap || fillType == CSwfFillStyle::kClippedBitmap;
}

uint32_t CSwfMorphFillStyle::Read(CSwfReader& reader) {
  const uint32_t start = reader.GetPosition();
  fillType = reader.ReadUI8();
  gradient.clear();
  if (fillType == CSwfFillStyle::kSolid) {
    startColor.Read(reader);
    endColor.Read(reader);
  } else if (IsGradient()) {
    startMatrix.Read(reader);
    reader.AlignByte();
    endMatrix.Read(reader);
    const uint8_t count = reader.ReadUI8();
    for (uint32_t i = 0; i < count && reader.BytesLeft() > 0; ++i) {
      gradient.push_back(std::make_unique<CSwfMorphGradientRecord>());
      gradient.back()->Read(reader);
    }
  } else if (IsBitmap()) {
    bitmapId = reader.ReadUI16();
    startMatrix.Read(reader);
    reader.AlignByte();
    endMatrix.Read(reader);
    reader.AlignByte();
  }
  return reader.GetPosition() - start;
}

uint32_t CSwfMorphFillStyle::Write(CSwfStream& out) const {
  out.WriteByte(fillType);
  if (fillType == CSwfFillStyle::kSolid) {
    startColor.Write(out);
    endColor.Write(out);
  } else if (IsGradient()) {
    startMatrix.Write(out);
    out.FlushBits();
    endMatrix.Write(out);
    out.WriteByte(static_cast<uint8_t>(gradient.size()));
    for (const auto& stop : gradient) stop->Write(out);
  } else if (IsBitmap()) {
    out.WriteUI16(bitmapId);
    startMatrix.Write(out);
    out.FlushBits();
    endMatrix.Write(out);
    out.FlushBits();
  }
  return 0;
}

void CSwfMorphFillStyle::CopyFrom(const CSwfMorphFillStyle& source) {
  fillType = source.fillType;
  startColor.Assign(source.startColor);
  endColor.Assign(source.endColor);
  startMatrix = source.startMatrix;
  endMatrix = source.endMatrix;
  gradient.clear();
  for (const auto& stop : source.gradient) {
    gradient.push_back(std::make_unique<CSwfMorphGradientRecord>());
    gradient.back()->CopyFrom(*stop);
  }
  bitmapId = source.bitmapId;
}

uint32_t CSwfMorphLineStyle::Read(CSwfReader& reader) {
  const uint32_t start = reader.GetPosition();
  startWidth = reader.ReadUI16();
  endWidth = reader.ReadUI16();
  startColor.Read(reader);
  endColor.Read(reader);
  return reader.GetPosition() - start;
}

uint32_t CSwfMorphLineStyle::Write(CSwfStream& out) const {
  out.WriteUI16(startWidth);
  out.WriteUI16(endWidth);
  startColor.Write(out);
  endColor.Write(out);
  return 12;
}

void CSwfMorphLineStyle::CopyFrom(const CSwfMorphLineStyle& source) {
  startWidth = source.startWidth;
  endWidth = source.endWidth;
  startColor.Assign(source.startColor);
  endColor.Assign(source.endColor);
}

uint32_t CSwfDefineMorphShape::Read(CSwfReader& reader) {
  const uint32_t start = reader.GetPosition();
  characterId = reader.ReadUI16();
  startBounds.Read(reader);
  endBounds.Read(reader);
  const uint32_t offset = reader.ReadUI32();
  const uint32_t offsetBase = reader.GetPosition();
  fillStyles.Read(reader);
  lineStyles.Read(reader);
  startEdges.Read(reader);
  // The end edges start where the offset says, which must lie within the tag; a forged
  // offset leaves them where the start edges ended.
  reader.AlignByte();
  if (offset <= reader.GetLimit() - offsetBase && offsetBase + offset >= reader.GetPosition())
    reader.SetPosition(offsetBase + offset);
  endEdges.Read(reader);
  return reader.GetPosition() - start;
}

uint32_t CSwfDefineMorphShape::Write(CSwfStream& out) const {
  const Frame frame = BeginFrame(out);
  out.WriteUI16(characterId);
  startBounds.Write(out);
  endBounds.Write(out);
  const auto offsetAt = static_cast<size_t>(out.ByteCount());
  out.WriteUI32(0);
  fillStyles.Write(out);
  lineStyles.Write(out);
  startEdges.Write(out);
  out.FlushBits();
  out.PatchUI32(offsetAt, static_cast<uint32_t>(out.ByteCount() - offsetAt - 4));
  endEdges.Write(out);
  out.FlushBits();
  return EndFrame(out, frame);
}

}  // namespace swftk
