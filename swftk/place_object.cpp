#include "swftk/place_object.h"

#include "swftk/reader.h"
#include "swftk/stream.h"

namespace swftk {

void CSwfPlaceObject::Clear() {
  matrix.reset();
  colorTransform.reset();
}

uint32_t CSwfPlaceObject::Read(CSwfReader& reader) {
  const uint32_t start = reader.GetPosition();
  Clear();
  characterId = reader.ReadUI16();
  depth = reader.ReadUI16();
  matrix = std::make_unique<CSwfMatrix>();
  matrix->Read(reader);
  reader.AlignByte();
  if (reader.GetPosition() - start < reader.GetTagLength()) {
    colorTransform = std::make_unique<CSwfColorTransform>();
    colorTransform->Read(reader);
  }
  reader.AlignByte();
  return reader.GetPosition() - start;
}

uint32_t CSwfPlaceObject::Write(CSwfStream& out) const {
  const Frame frame = BeginFrame(out);
  out.WriteUI16(characterId);
  out.WriteUI16(depth);
  out.WriteObject(matrix.get());
  // The colour transform starts on a byte of its own, as the reader expects.
  out.FlushBits();
  out.WriteObject(colorTransform.get());
  return EndFrame(out, frame);
}

void CSwfPlaceObject2::Clear() {
  colorTransformAlpha.reset();
  name.clear();
  CSwfPlaceObject::Clear();
}

void CSwfPlaceObject2::Reset() {
  characterId = 0;
  ratio = 0;
  clipDepth = 0;
  move = false;
  matrix.reset();
  colorTransform.reset();
  colorTransformAlpha.reset();
  name.clear();
}

uint32_t CSwfPlaceObject2::Read(CSwfReader& reader) {
  const uint32_t start = reader.GetPosition();
  Clear();
  const uint8_t flags = reader.ReadUI8();
  depth = reader.ReadUI16();
  characterId = (flags & kHasCharacter) ? reader.ReadUI16() : 0;
  if (flags & kHasMatrix) {
    matrix = std::make_unique<CSwfMatrix>();
    matrix->Read(reader);
  }
  reader.AlignByte();
  if (flags & kHasColorTransform) {
    colorTransformAlpha = std::make_unique<CSwfColorTransformAlpha>();
    colorTransformAlpha->Read(reader);
  }
  ratio = (flags & kHasRatio) ? reader.ReadUI16() : 0;
  // The published format puts the name before the clip depth.
  if (flags & kHasName) reader.ReadString(name, 0);
  clipDepth = (flags & kHasClipDepth) ? reader.ReadUI16() : 0;
  move = (flags & kMove) != 0;
  return reader.GetPosition() - start;
}

uint32_t CSwfPlaceObject2::Write(CSwfStream& out) const {
  const Frame frame = BeginFrame(out);
  out.WriteBits(0, 1);  // no clip actions
  out.WriteBits(clipDepth != 0, 1);
  out.WriteBits(!name.empty(), 1);
  out.WriteBits(ratio != 0, 1);
  out.WriteBits(colorTransformAlpha != nullptr, 1);
  out.WriteBits(matrix != nullptr, 1);
  out.WriteBits(characterId != 0, 1);
  out.WriteBits(move, 1);
  out.WriteUI16(depth);
  if (characterId != 0) out.WriteUI16(characterId);
  if (matrix) {
    matrix->Write(out);
    out.FlushBits();
  }
  out.WriteObject(colorTransformAlpha.get());
  if (ratio != 0) out.WriteUI16(ratio);
  if (!name.empty()) {
    out.WriteString(name);
    out.WriteByte(0);
  }
  if (clipDepth != 0) out.WriteUI16(clipDepth);
  return EndFrame(out, frame);
}

void CSwfPlaceObject2::CopyFrom(const CSwfPlaceObject2& other) {
  characterId = other.characterId;
  depth = other.depth;
  name = other.name;
  move = other.move;
  ratio = other.ratio;
  clipDepth = other.clipDepth;
  if (other.matrix) matrix = std::make_unique<CSwfMatrix>(*other.matrix);
  if (other.colorTransformAlpha)
    colorTransformAlpha = std::make_unique<CSwfColorTransformAlpha>(*other.colorTransformAlpha);
}

uint32_t CSwfRemoveObject::Read(CSwfReader& reader) {
  const uint32_t start = reader.GetPosition();
  characterId = reader.ReadUI16();
  depth = reader.ReadUI16();
  return reader.GetPosition() - start;
}

uint32_t CSwfRemoveObject::Write(CSwfStream& out) const {
  MakeTagHeader(out, 4);
  out.WriteUI16(characterId);
  out.WriteUI16(depth);
  return 6;
}

uint32_t CSwfRemoveObject2::Read(CSwfReader& reader) {
  const uint32_t start = reader.GetPosition();
  depth = reader.ReadUI16();
  return reader.GetPosition() - start;
}

uint32_t CSwfRemoveObject2::Write(CSwfStream& out) const {
  MakeTagHeader(out, 2);
  out.WriteUI16(depth);
  return 4;
}

}  // namespace swftk
