#pragma once

#include <cstdint>
#include <map>
#include <memory>
#include <mutex>
#include <vector>

#include "player/character.h"
#include "player/shape_outline.h"

namespace swftk {
class CSwfDefineMorphShape;
}  // namespace swftk

namespace player {

// DefineMorphShape: two shapes of the same structure, shown as the shape between them that a
// placement's ratio picks (0 the start, 65535 the end).
class CKV_MorphShapeCharacter : public CKV_Character {
 public:
  explicit CKV_MorphShapeCharacter(const swftk::CSwfDefineMorphShape& tag);

  // The outline at a ratio, built once per ratio; the most recent ratios are kept.
  std::shared_ptr<const ShapeOutline> OutlineAt(uint16_t ratio) const;

  TwipsRect startBounds;
  TwipsRect endBounds;

 private:
  // A step at the start and at the end of the morph.
  struct StepPair {
    OutlineStep start;
    OutlineStep end;
  };

  ShapeOutline BuildAt(double t) const;

  std::vector<FillStyle> startFills_;
  std::vector<FillStyle> endFills_;
  std::vector<LineStyle> startLines_;
  std::vector<LineStyle> endLines_;
  std::vector<StepPair> steps_;
  // Players that share the movie may draw it from several threads.
  mutable std::mutex cacheMutex_;
  mutable std::map<uint16_t, std::shared_ptr<const ShapeOutline>> outlines_;
};

}  // namespace player
