#include "swftk/sprite.h"

#include <algorithm>

#include "swftk/control_tags.h"
#include "swftk/reader.h"
#include "swftk/stream.h"

namespace swftk {

bool CSwfDefineSprite::IsSpriteCode(uint16_t code) {
  using namespace tagcode;
  static constexpr uint16_t kSpriteCodes[] = {
      kEnd,          kShowFrame,     kPlaceObject,     kRemoveObject,
      kDoAction,     kStartSound,    kSoundStreamHead, kSoundStreamBlock,
      kPlaceObject2, kRemoveObject2, kFrameLabel};
  return std::ranges::find(kSpriteCodes, code) != std::end(kSpriteCodes);
}

void CSwfDefineSprite::Clear() {
  tags.clear();
  frameCount = 0;
}

void CSwfDefineSprite::SetIdAndFrameCount(uint16_t id, uint16_t count) {
  characterId = id;
  frameCount = count;
}

bool CSwfDefineSprite::AddTag(std::unique_ptr<CSwfTag>& tag) {
  if (!tag || !IsSpriteCode(tag->GetTagCode())) return false;
  if (tag->GetTagCode() == tagcode::kShowFrame) ++frameCount;
  tags.push_back(std::move(tag));
  return true;
}

uint32_t CSwfDefineSprite::Read(CSwfReader& reader) {
  const uint32_t start = reader.GetPosition();
  Clear();
  characterId = reader.ReadUI16();
  frameCount = reader.ReadUI16();
  CSwfReader nested;
  reader.EnterSprite();
  nested.ReadTagsFrom(reader);
  reader.LeaveSprite();
  tags = nested.TakeTags();
  return reader.GetPosition() - start;
}

uint32_t CSwfDefineSprite::WriteBody(CSwfStream& out, bool withHeader) const {
  const Frame frame = BeginFrame(out, withHeader);
  out.WriteUI16(characterId);
  out.WriteUI16(frameCount);
  for (const auto& tag : tags) {
    if (IsSpriteCode(tag->GetTagCode())) tag->Write(out);
  }
  if (tags.empty() || tags.back()->GetTagCode() != tagcode::kEnd) CSwfEnd().Write(out);
  return EndFrame(out, frame);
}

void CSwfDefineSprite::CopyFrom(const CSwfDefineSprite& source) {
  Clear();
  CSwfStream bytes;
  source.WriteBody(bytes, false);
  CSwfReader reader;
  reader.OpenFromStream(bytes);
  Read(reader);
}

}  // namespace swftk
