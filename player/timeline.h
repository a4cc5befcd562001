#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <utility>
#include <vector>

#include "player/transform.h"

namespace player {

// A placement, move or removal of the display list at one depth.
struct FrameCommand {
  enum class Kind : uint8_t { kPlace, kRemove };

  Kind kind = Kind::kPlace;
  uint16_t depth = 0;
  // A move changes the object already at the depth; with a character it replaces it.
  bool move = false;
  uint16_t characterId = 0;  // 0: none given
  std::optional<Transform2D> matrix;
  std::optional<ColorTransform> colorTransform;
  std::optional<uint16_t> ratio;
  std::optional<std::string> name;
  std::optional<uint16_t> clipDepth;
};

struct TimelineFrame {
  std::vector<FrameCommand> commands;
  // The action lists of the frame's DoAction tags, in order, as bytes.
  std::vector<std::vector<uint8_t>> scripts;
};

// The frames of the main movie or of a sprite.
class CKV_Timeline {
 public:
  uint32_t FrameCount() const { return static_cast<uint32_t>(frames.size()); }
  const TimelineFrame& Frame(uint32_t number) const { return frames[number - 1]; }
  // The frame (from 1) a label names, compared without regard to ASCII case; 0 when none.
  uint32_t FrameOfLabel(const std::string& label) const;

  std::vector<TimelineFrame> frames;
  std::vector<std::pair<std::string, uint32_t>> labels;
};

}  // namespace player
