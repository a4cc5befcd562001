#pragma once

#include "swftk/object.h"

namespace swftk {

// DefineSprite: a character with its own timeline of control tags.
class CSwfDefineSprite : public CSwfCharacterTag {
 public:
  CSwfDefineSprite(uint16_t id = 1, uint16_t frameCount = 0) : frameCount(frameCount) {
    characterId = id;
  }

  uint16_t GetTagCode() const override { return tagcode::kDefineSprite; }
  void Clear() override;
  uint32_t Read(CSwfReader& reader) override;
  uint32_t Write(CSwfStream& out) const override { return WriteBody(out, true); }
  virtual uint32_t WriteBody(CSwfStream& out, bool withHeader) const;
  virtual void SetIdAndFrameCount(uint16_t id, uint16_t count);
  // Clones by writing the source and reading the bytes back.
  virtual void CopyFrom(const CSwfDefineSprite& source);

  // Appends a tag a sprite may hold and returns true; any other tag is handed back untouched
  // (the returned pointer stays with the caller) and false is returned.
  bool AddTag(std::unique_ptr<CSwfTag>& tag);
  const TagList& GetTags() const { return tags; }
  static bool IsSpriteCode(uint16_t code);

  uint16_t frameCount = 0;
  TagList tags;
};

}  // namespace swftk
