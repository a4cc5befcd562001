#pragma once

#include <vector>

#include "player/character.h"
#include "player/transform.h"

namespace swftk {
class CSwfDefineButton;
}

namespace player {

// DefineButton and DefineButton2: the characters each state shows.
class CKV_ButtonCharacter : public CKV_Character {
 public:
  enum State : uint8_t { kUp = 0x01, kOver = 0x02, kDown = 0x04, kHitTest = 0x08 };

  struct Record {
    uint8_t states = 0;
    uint16_t characterId = 0;
    uint16_t depth = 0;
    Transform2D matrix;
    ColorTransform colorTransform;
  };

  explicit CKV_ButtonCharacter(const swftk::CSwfDefineButton& button);

  std::vector<Record> records;
};

}  // namespace player
