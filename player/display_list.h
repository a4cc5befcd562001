#pragma once

#include <cstdint>
#include <map>
#include <memory>
#include <string>

#include "player/timeline.h"
#include "player/transform.h"

namespace player {

class CKV_CharacterTable;
class CKV_Instance;

// What the timeline says of the object at one depth.
struct Placement {
  uint16_t characterId = 0;
  Transform2D matrix;
  ColorTransform colorTransform;
  uint16_t ratio = 0;
  std::string name;
  // Non-zero: the object masks the depths above it up to this one instead of being drawn.
  uint16_t clipDepth = 0;
  // The frame whose placement put the object there: a new placement makes a new object,
  // while a move keeps it.
  uint32_t placedAt = 0;
};

struct DisplayEntry {
  Placement placement;
  // Null when the character cannot be shown.
  std::unique_ptr<CKV_Instance> instance;
  // The instance of this placement has been made (or found impossible).
  bool made = false;
  // A script, a drag or the host moved the object: later timeline moves at its depth leave
  // its matrix and colour alone, as real players do.
  bool movedByScript = false;
  // Cleared by a script's _visible; the object still runs but is not drawn.
  bool visible = true;
};

// The objects of a timeline by depth, drawn from the lowest depth up.
using DisplayList = std::map<uint16_t, DisplayEntry>;

// Applies one frame's placements, moves and removals to a display list. Entries that need a
// new instance are left with made cleared. A move that names another character replaces a
// shape by a shape or a text by a text; other objects keep their character.
void ApplyFrameCommands(const TimelineFrame& frame, uint32_t frameNumber,
                        const CKV_CharacterTable& characters, DisplayList& list);

// Moves each instance of current into the entry of replayed that places the same character
// by the same placement, so objects that a rewind keeps on stage live on; what a script did
// to such an object stays.
void KeepMatchingInstances(DisplayList& current, DisplayList& replayed);

}  // namespace player
