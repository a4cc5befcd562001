#pragma once

#include <cstdint>
#include <set>
#include <string>
#include <vector>

#include "swftk/object.h"

namespace swftk {

class CSwfDefineSprite;
class CSwfPlaceObject2;
class CSwfStream;

// An index over a tag list: the control tags in order, and a dictionary with one slot per
// defining tag so that the character with id k sits in slot k-1. The processor borrows the
// tags; their owner keeps them alive while the index is used.
class CSwfProcessor {
 public:
  CSwfProcessor() = default;
  CSwfProcessor(const CSwfProcessor&) = delete;
  CSwfProcessor& operator=(const CSwfProcessor&) = delete;
  virtual ~CSwfProcessor() = default;

  virtual size_t Split(const TagList& tags);
  virtual void WriteOrdered(CSwfStream& out);
  virtual void Clear();

  CSwfCharacterTag* GetCharacter(uint16_t id) const;
  std::vector<CSwfCharacterTag*> GetCharacters() const { return characters_; }
  const std::vector<CSwfTag*>& GetControlTags() const { return controlTags_; }
  uint16_t GetFrameCount() const { return frameCount_; }

  // Depth first, in file order, through the sprites the placements refer to. Each sprite is
  // searched once, so sprites that place themselves end the walk instead of looping.
  CSwfPlaceObject2* FindPlaceObject2(const std::string& name) const;
  CSwfPlaceObject2* FindPlaceObject2(const std::string& name, const TagList& tags) const;

  // Appends the tags with this code: from the sprite if given, else from the control list
  // for control codes and from the dictionary otherwise. Returns the size of out.
  size_t CollectTags(uint16_t code, std::vector<CSwfTag*>& out, bool clearFirst,
                     const CSwfDefineSprite* sprite = nullptr) const;

  static bool IsControlCode(uint16_t code);

 private:
  CSwfPlaceObject2* Find(const std::string& name, const std::vector<const CSwfTag*>& tags,
                         std::set<const CSwfTag*>& visited) const;
  void WriteCharactersUpTo(uint32_t id, CSwfStream& out, int nesting);

  std::vector<CSwfTag*> controlTags_;
  std::vector<CSwfCharacterTag*> characters_;
  uint16_t frameCount_ = 0;
  uint16_t lastWrittenId_ = 0;
};

}  // namespace swftk
