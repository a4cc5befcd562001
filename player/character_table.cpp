#include "player/character_table.h"

#include "player/font_character.h"

namespace player {

bool CKV_CharacterTable::Add(std::unique_ptr<CKV_Character> character) {
  const uint16_t id = character->Id();
  return characters_.try_emplace(id, std::move(character)).second;
}

const CKV_Character* CKV_CharacterTable::Find(uint16_t id) const {
  const auto found = characters_.find(id);
  return found == characters_.end() ? nullptr : found->second.get();
}

CKV_Character* CKV_CharacterTable::FindMutable(uint16_t id) {
  const auto found = characters_.find(id);
  return found == characters_.end() ? nullptr : found->second.get();
}

const CKV_FontCharacter* CKV_CharacterTable::FindFont(uint16_t id) const {
  const CKV_Character* character = Find(id);
  if (!character || character->Kind() != CharacterKind::kFont) return nullptr;
  return static_cast<const CKV_FontCharacter*>(character);
}

}  // namespace player
