#include "swftk/processor.h"

#include <algorithm>

#include "swftk/place_object.h"
#include "swftk/sprite.h"
#include "swftk/stream.h"

namespace swftk {
namespace {

std::vector<const CSwfTag*> Pointers(const TagList& tags) {
  std::vector<const CSwfTag*> out;
  out.reserve(tags.size());
  for (const auto& tag : tags) out.push_back(tag.get());
  return out;
}

uint16_t PlacedCharacter(const CSwfTag& tag) {
  const uint16_t code = tag.GetTagCode();
  if (code != tagcode::kPlaceObject && code != tagcode::kPlaceObject2) return 0;
  return static_cast<const CSwfPlaceObject&>(tag).characterId;
}

// Dependencies of a sprite are written before it, to this depth of sprites in sprites.
constexpr int kMaxWriteNesting = 32;

}  // namespace

bool CSwfProcessor::IsControlCode(uint16_t code) {
  using namespace tagcode;
  static constexpr uint16_t kControlCodes[] = {
      kEnd,       kShowFrame,      kPlaceObject, kRemoveObject, kSetBackgroundColor,
      kDoAction,  kDefineFontInfo, kProtect,     kPlaceObject2, kRemoveObject2,
      kFrameLabel};
  return std::ranges::find(kControlCodes, code) != std::end(kControlCodes);
}

void CSwfProcessor::Clear() {
  controlTags_.clear();
  characters_.clear();
  frameCount_ = 0;
  lastWrittenId_ = 0;
}

size_t CSwfProcessor::Split(const TagList& tags) {
  Clear();
  for (const auto& tag : tags) {
    const uint16_t code = tag->GetTagCode();
    if (IsControlCode(code)) {
      controlTags_.push_back(tag.get());
      if (code == tagcode::kShowFrame) ++frameCount_;
    } else {
      characters_.push_back(dynamic_cast<CSwfCharacterTag*>(tag.get()));
    }
  }
  return controlTags_.size() + characters_.size();
}

CSwfCharacterTag* CSwfProcessor::GetCharacter(uint16_t id) const {
  if (id == 0 || id > characters_.size()) return nullptr;
  return characters_[id - 1U];
}

CSwfPlaceObject2* CSwfProcessor::FindPlaceObject2(const std::string& name) const {
  std::set<const CSwfTag*> visited;
  return Find(name, {controlTags_.begin(), controlTags_.end()}, visited);
}

CSwfPlaceObject2* CSwfProcessor::FindPlaceObject2(const std::string& name,
                                                  const TagList& tags) const {
  std::set<const CSwfTag*> visited;
  return Find(name, Pointers(tags), visited);
}

CSwfPlaceObject2* CSwfProcessor::Find(const std::string& name,
                                      const std::vector<const CSwfTag*>& tags,
                                      std::set<const CSwfTag*>& visited) const {
  for (const CSwfTag* tag : tags) {
    if (tag->GetTagCode() != tagcode::kPlaceObject2) continue;
    // The index hands out the tags it borrowed as they were given to it.
    auto* place = const_cast<CSwfPlaceObject2*>(static_cast<const CSwfPlaceObject2*>(tag));
    if (place->name == name) return place;
    const auto* sprite = dynamic_cast<const CSwfDefineSprite*>(GetCharacter(place->characterId));
    if (sprite == nullptr || !visited.insert(sprite).second) continue;
    if (CSwfPlaceObject2* found = Find(name, Pointers(sprite->GetTags()), visited)) return found;
  }
  return nullptr;
}

size_t CSwfProcessor::CollectTags(uint16_t code, std::vector<CSwfTag*>& out, bool clearFirst,
                                  const CSwfDefineSprite* sprite) const {
  if (clearFirst) out.clear();
  if (sprite != nullptr) {
    for (const auto& tag : sprite->GetTags())
      if (tag->GetTagCode() == code) out.push_back(tag.get());
  } else if (IsControlCode(code)) {
    for (CSwfTag* tag : controlTags_)
      if (tag->GetTagCode() == code) out.push_back(tag);
  } else {
    for (CSwfCharacterTag* tag : characters_)
      if (tag != nullptr && tag->GetTagCode() == code) out.push_back(tag);
  }
  return out.size();
}

void CSwfProcessor::WriteOrdered(CSwfStream& out) {
  for (CSwfTag* tag : controlTags_) {
    const uint16_t id = PlacedCharacter(*tag);
    if (id > lastWrittenId_) WriteCharactersUpTo(id, out, 0);
    tag->Write(out);
  }
}

void CSwfProcessor::WriteCharactersUpTo(uint32_t id, CSwfStream& out, int nesting) {
  while (lastWrittenId_ < id && lastWrittenId_ < characters_.size()) {
    const auto slot = static_cast<uint16_t>(lastWrittenId_ + 1);
    // Marked first, so a sprite that refers to itself cannot loop.
    lastWrittenId_ = slot;
    CSwfCharacterTag* character = characters_[slot - 1U];
    if (character == nullptr) continue;
    if (const auto* sprite = dynamic_cast<const CSwfDefineSprite*>(character);
        sprite != nullptr && nesting < kMaxWriteNesting) {
      for (const auto& inner : sprite->GetTags()) {
        const uint16_t innerId = PlacedCharacter(*inner);
        if (innerId > lastWrittenId_) WriteCharactersUpTo(innerId, out, nesting + 1);
      }
    }
    character->Write(out);
  }
}

}  // namespace swftk
