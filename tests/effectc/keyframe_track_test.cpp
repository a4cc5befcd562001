#include <gtest/gtest.h>

#include "effectc/keyframe_track.h"

namespace effectc {
namespace {

Keyframe Key(int frame, std::initializer_list<std::pair<Property, double>> values,
             Easing ease = Easing::kLinear) {
  Keyframe key;
  key.frame = frame;
  key.ease = ease;
  for (const auto& [property, value] : values) key.values[static_cast<size_t>(property)] = value;
  return key;
}

double At(const std::vector<Keyframe>& keys, int frame, Property property) {
  return PoseAt(keys, frame)[static_cast<size_t>(property)];
}

TEST(KeyframeTrack, ExactAtKeyframesAndLinearBetween) {
  const std::vector<Keyframe> keys = {Key(1, {{Property::kY, -100}}), Key(11, {{Property::kY, 0}})};
  EXPECT_DOUBLE_EQ(At(keys, 1, Property::kY), -100);
  EXPECT_DOUBLE_EQ(At(keys, 6, Property::kY), -50);
  EXPECT_DOUBLE_EQ(At(keys, 11, Property::kY), 0);
}

TEST(KeyframeTrack, TheLaterKeyframeEasesTheWayToIt) {
  const std::vector<Keyframe> keys = {Key(1, {{Property::kX, 0}}),
                                      Key(3, {{Property::kX, 80}}, Easing::kEaseIn),
                                      Key(5, {{Property::kX, 0}}, Easing::kEaseOut)};
  EXPECT_DOUBLE_EQ(At(keys, 2, Property::kX), 10);  // 80 × 0.5^3
  EXPECT_DOUBLE_EQ(At(keys, 3, Property::kX), 80);
  EXPECT_DOUBLE_EQ(At(keys, 4, Property::kX), 10);  // 80 - 80 × 0.875
}

TEST(KeyframeTrack, PropertiesRunBetweenTheKeyframesThatSetThem) {
  const std::vector<Keyframe> keys = {
      Key(1, {{Property::kY, -40}, {Property::kAlpha, 0}}),
      Key(5, {{Property::kAlpha, 100}}),
      Key(9, {{Property::kY, 0}, {Property::kScaleX, 50}}, Easing::kHold),
  };
  // y runs from frame 1 to 9 and takes that keyframe's hold; alpha from 1 to 5, linear.
  EXPECT_DOUBLE_EQ(At(keys, 5, Property::kY), -40);
  EXPECT_DOUBLE_EQ(At(keys, 9, Property::kY), 0);
  EXPECT_DOUBLE_EQ(At(keys, 3, Property::kAlpha), 50);
  EXPECT_DOUBLE_EQ(At(keys, 7, Property::kAlpha), 100);
  // Before its first keyframe a property holds that keyframe's value.
  EXPECT_DOUBLE_EQ(At(keys, 1, Property::kScaleX), 50);
  // After the last keyframe everything holds.
  EXPECT_DOUBLE_EQ(At(keys, 40, Property::kY), 0);
}

TEST(KeyframeTrack, UnsetPropertiesRest) {
  const std::vector<Keyframe> keys = {Key(1, {{Property::kX, 5}})};
  const Pose pose = PoseAt(keys, 3);
  Pose expected = RestPose();
  expected[static_cast<size_t>(Property::kX)] = 5;
  EXPECT_EQ(pose, expected);
  EXPECT_EQ(PoseAt({}, 1), RestPose());
  EXPECT_DOUBLE_EQ(RestPose()[static_cast<size_t>(Property::kScaleY)], 100);
  EXPECT_DOUBLE_EQ(RestPose()[static_cast<size_t>(Property::kMultiplyBlue)], 100);
  EXPECT_DOUBLE_EQ(RestPose()[static_cast<size_t>(Property::kAddRed)], 0);
}

}  // namespace
}  // namespace effectc
