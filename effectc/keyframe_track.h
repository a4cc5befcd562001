#pragma once

#include <vector>

#include "effectc/effect_source.h"

namespace effectc {

// The state of a layer no keyframe has changed: in place, full size, opaque, colours as drawn.
Pose RestPose();

// The frame in which a layer appears: its first keyframe's, or the first.
inline int FirstFrame(const Layer& layer) {
  return layer.keys.empty() ? 1 : layer.keys.front().frame;
}

// The pose of a layer at a frame. Each property runs on its own between the keyframes that
// set it, eased as the later of the two says; before the first keyframe that sets it the
// property holds that keyframe's value, after the last it holds the last value, and a property
// no keyframe sets keeps its rest value. Keyframes are in ascending frame order.
Pose PoseAt(const std::vector<Keyframe>& keys, int frame);

}  // namespace effectc
