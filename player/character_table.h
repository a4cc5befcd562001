#pragma once

#include <cstdint>
#include <memory>
#include <unordered_map>

#include "player/character.h"

namespace player {

class CKV_FontCharacter;

// The characters of a movie by id; the first definition of an id stands.
class CKV_CharacterTable {
 public:
  // False, keeping the earlier one, when the id is taken.
  bool Add(std::unique_ptr<CKV_Character> character);
  const CKV_Character* Find(uint16_t id) const;
  CKV_Character* FindMutable(uint16_t id);
  const CKV_FontCharacter* FindFont(uint16_t id) const;
  size_t Size() const { return characters_.size(); }

 private:
  std::unordered_map<uint16_t, std::unique_ptr<CKV_Character>> characters_;
};

}  // namespace player
