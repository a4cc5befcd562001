#pragma once

#include <cstdint>
#include <memory>

#include "swftk/place_object.h"

namespace engine {

// A copy of the placement with another character and depth, moved to (x, y) twips. With
// compensate, the effect's transform acts about the point (advance / 3, size) of the letter
// instead of its corner. A placement without a matrix is copied as it is.
std::unique_ptr<swftk::CSwfPlaceObject2> MakeLetterPlacement(
    const swftk::CSwfPlaceObject2& placement, uint16_t character, uint16_t depth, int advance,
    int size, double x, double y, bool compensate);

}  // namespace engine
