#pragma once

#include <cstdint>

#include "player/character.h"
#include "player/character_table.h"
#include "player/timeline.h"
#include "player/transform.h"
#include "player/warning_list.h"

namespace player {

// A loaded movie: its stage, its characters and its main timeline. Nothing changes it once
// loaded; players share it.
class CKV_Movie {
 public:
  uint8_t version = 0;
  // The stage in twips, as the header's frame gives it.
  TwipsRect stage;
  double frameRate = 12;
  // The colour of the movie's first SetBackgroundColor; white when it has none.
  Rgba background{255, 255, 255, 255};
  CKV_CharacterTable characters;
  CKV_Timeline timeline;
  // Tags the player does not draw or obey, and faults met while loading.
  CKV_WarningList warnings;
};

}  // namespace player
