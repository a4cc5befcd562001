#include "player/display_list.h"

#include "player/character_table.h"
#include "player/instance.h"

namespace player {
namespace {

// Only drawings swap their character in place; sprites, buttons and fields stay what they are.
bool Replaceable(const CKV_CharacterTable& characters, uint16_t oldId, uint16_t newId) {
  const CKV_Character* old = characters.Find(oldId);
  const CKV_Character* replacement = characters.Find(newId);
  if (!old || !replacement || old->Kind() != replacement->Kind()) return false;
  return old->Kind() == CharacterKind::kShape || old->Kind() == CharacterKind::kMorphShape ||
         old->Kind() == CharacterKind::kText;
}

void Place(const FrameCommand& command, uint32_t frameNumber, const CKV_CharacterTable& characters,
           DisplayList& list) {
  const auto found = list.find(command.depth);
  if (command.move) {
    // Moving an empty depth does nothing.
    if (found == list.end()) return;
    DisplayEntry& entry = found->second;
    Placement& placement = entry.placement;
    if (command.characterId != 0 && command.characterId != placement.characterId &&
        Replaceable(characters, placement.characterId, command.characterId)) {
      placement.characterId = command.characterId;
      entry.instance.reset();
      entry.made = false;
    }
    if (!entry.movedByScript) {
      if (command.matrix) placement.matrix = *command.matrix;
      if (command.colorTransform) placement.colorTransform = *command.colorTransform;
    }
    if (command.ratio) placement.ratio = *command.ratio;
    if (command.name) placement.name = *command.name;
    if (command.clipDepth) placement.clipDepth = *command.clipDepth;
    return;
  }
  if (command.characterId == 0) return;
  // A placement at a taken depth replaces what is there.
  DisplayEntry entry;
  entry.placement = {command.characterId,
                     command.matrix.value_or(Transform2D{}),
                     command.colorTransform.value_or(ColorTransform{}),
                     command.ratio.value_or(0),
                     command.name.value_or(std::string()),
                     command.clipDepth.value_or(0),
                     frameNumber};
  list.insert_or_assign(command.depth, std::move(entry));
}

}  // namespace

void ApplyFrameCommands(const TimelineFrame& frame, uint32_t frameNumber,
                        const CKV_CharacterTable& characters, DisplayList& list) {
  for (const FrameCommand& command : frame.commands) {
    if (command.kind == FrameCommand::Kind::kRemove) {
      list.erase(command.depth);
    } else {
      Place(command, frameNumber, characters, list);
    }
  }
}

void KeepMatchingInstances(DisplayList& current, DisplayList& replayed) {
  for (auto& [depth, entry] : replayed) {
    const auto found = current.find(depth);
    if (found == current.end() || !found->second.made) continue;
    const Placement& old = found->second.placement;
    if (old.characterId != entry.placement.characterId || old.placedAt != entry.placement.placedAt)
      continue;
    if (found->second.movedByScript) {
      entry.placement = found->second.placement;
      entry.movedByScript = true;
    }
    entry.visible = found->second.visible;
    entry.instance = std::move(found->second.instance);
    entry.made = true;
  }
}

}  // namespace player
