#pragma once

#include <cstdint>
#include <vector>

#include "player/character.h"
#include "player/transform.h"

namespace swftk {
class CSwfDefineButton;
}

namespace player {

// DefineButton and DefineButton2: the characters each state shows, and the action lists run
// on the pointer's transitions.
class CKV_ButtonCharacter : public CKV_Character {
 public:
  enum State : uint8_t { kUp = 0x01, kOver = 0x02, kDown = 0x04, kHitTest = 0x08 };
  // The transitions an action list waits for, as DefineButton2's condition word gives them.
  enum Transition : uint16_t {
    kIdleToOverUp = 0x0001,
    kOverUpToIdle = 0x0002,
    kOverUpToOverDown = 0x0004,
    kOverDownToOverUp = 0x0008,
    kOverDownToOutDown = 0x0010,
    kOutDownToOverDown = 0x0020,
    kOutDownToIdle = 0x0040,
  };

  struct Action {
    uint16_t transitions = 0;
    std::vector<uint8_t> script;
  };

  struct Record {
    uint8_t states = 0;
    uint16_t characterId = 0;
    uint16_t depth = 0;
    Transform2D matrix;
    ColorTransform colorTransform;
  };

  explicit CKV_ButtonCharacter(const swftk::CSwfDefineButton& button);

  std::vector<Record> records;
  std::vector<Action> actions;
};

}  // namespace player
