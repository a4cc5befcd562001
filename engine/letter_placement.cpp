#include "engine/letter_placement.h"

#include "engine/numeric.h"
#include "swftk/units.h"

namespace engine {

std::unique_ptr<swftk::CSwfPlaceObject2> MakeLetterPlacement(
    const swftk::CSwfPlaceObject2& placement, uint16_t character, uint16_t depth, int advance,
    int size, double x, double y, bool compensate) {
  auto copy = std::make_unique<swftk::CSwfPlaceObject2>();
  copy->CopyFrom(placement);
  copy->characterId = character;
  copy->depth = depth;
  if (!copy->matrix) return copy;

  swftk::CSwfMatrix& matrix = *copy->matrix;
  constexpr double kOne = swftk::kFixedOne;
  double tx = matrix.translateX + x;
  double ty = matrix.translateY + y;
  if (compensate) {
    // Scale and rotation act about (advance / 3, size) of the letter, not its corner.
    const double scaleX = matrix.scaleX / kOne;
    const double scaleY = matrix.scaleY / kOne;
    const double rotate0 = matrix.rotateSkew0 / kOne;
    const double rotate1 = matrix.rotateSkew1 / kOne;
    tx += -rotate1 * size + (1.0 - scaleX) * advance / 3.0;
    ty += -rotate0 * advance / 3.0 + (1.0 - scaleY) * size;
  }
  matrix.SetTranslate(TruncateToInt(tx), TruncateToInt(ty));
  return copy;
}

}  // namespace engine
