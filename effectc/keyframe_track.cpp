#include "effectc/keyframe_track.h"

namespace effectc {
namespace {

double PropertyAt(const std::vector<Keyframe>& keys, size_t property, int frame, double rest) {
  const Keyframe* before = nullptr;
  for (const Keyframe& key : keys) {
    const std::optional<double>& value = key.values[property];
    if (!value) continue;
    if (key.frame <= frame) {
      before = &key;
      continue;
    }
    if (before == nullptr) return *value;
    const double t =
        static_cast<double>(frame - before->frame) / static_cast<double>(key.frame - before->frame);
    const double from = *before->values[property];
    return from + (*value - from) * Ease(key.ease, t);
  }
  return before != nullptr ? *before->values[property] : rest;
}

}  // namespace

Pose RestPose() {
  Pose pose{};
  pose[static_cast<size_t>(Property::kScaleX)] = 100;
  pose[static_cast<size_t>(Property::kScaleY)] = 100;
  pose[static_cast<size_t>(Property::kAlpha)] = 100;
  pose[static_cast<size_t>(Property::kMultiplyRed)] = 100;
  pose[static_cast<size_t>(Property::kMultiplyGreen)] = 100;
  pose[static_cast<size_t>(Property::kMultiplyBlue)] = 100;
  return pose;
}

Pose PoseAt(const std::vector<Keyframe>& keys, int frame) {
  Pose pose = RestPose();
  for (size_t property = 0; property < kPropertyCount; ++property)
    pose[property] = PropertyAt(keys, property, frame, pose[property]);
  return pose;
}

}  // namespace effectc
