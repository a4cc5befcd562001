#pragma once

#include <cstdint>
#include <memory>

#include "swftk/place_object.h"

namespace engine {

// A new placement of the character at the depth with an identity matrix.
inline std::unique_ptr<swftk::CSwfPlaceObject2> PlaceCharacter(uint16_t character, uint16_t depth) {
  auto placement = std::make_unique<swftk::CSwfPlaceObject2>();
  placement->characterId = character;
  placement->depth = depth;
  placement->matrix = std::make_unique<swftk::CSwfMatrix>();
  return placement;
}

}  // namespace engine
