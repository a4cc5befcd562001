#include "swftk/define_shape.h"

#include "swftk/reader.h"
#include "swftk/stream.h"

namespace swftk {

uint32_t CSwfDefineShape::Read(CSwfReader& reader) {
  const uint32_t start = reader.GetPosition();
  characterId = reader.ReadUI16();
  bounds = std::make_unique<CSwfRect>();
  bounds->Read(reader);
  shape = std::make_unique<CSwfShapeWithStyle>();
  shape->hasAlpha = tagCode == tagcode::kDefineShape3 ? 1 : 0;
  shape->Read(reader);
  return reader.GetPosition() - start;
}

uint32_t CSwfDefineShape::Write(CSwfStream& out) const {
  const Frame frame = BeginFrame(out);
  out.WriteUI16(characterId);
  out.WriteObject(bounds.get());
  out.WriteObject(shape.get());
  out.FlushBits();
  return EndFrame(out, frame);
}

void CSwfDefineShape::CopyFrom(const CSwfDefineShape& source) {
  characterId = source.characterId;
  tagCode = source.tagCode;
  bounds = source.bounds ? std::make_unique<CSwfRect>(*source.bounds) : nullptr;
  shape.reset();
  if (source.shape) {
    shape = std::make_unique<CSwfShapeWithStyle>();
    shape->CopyFrom(*source.shape);
  }
}

}  // namespace swftk
