// Easing curves and keyframe tracks: the poses the compiler writes frame by frame.
#include <gtest/gtest.h>

#include <cmath>
#include <numbers>

#include "effectc/easing.h"
#include "effectc/keyframe_track.h"

namespace effectc {
namespace {

TEST(Easing, EveryCurveRunsFromZeroToOneAndHoldsItsEnds) {
  for (int i = 0; i <= static_cast<int>(Easing::kHold); ++i) {
    const auto easing = static_cast<Easing>(i);
    EXPECT_DOUBLE_EQ(Ease(easing, -0.5), 0.0) << i;
    EXPECT_DOUBLE_EQ(Ease(easing, 0.0), 0.0) << i;
    EXPECT_DOUBLE_EQ(Ease(easing, 1.0), 1.0) << i;
    EXPECT_DOUBLE_EQ(Ease(easing, 1.5), 1.0) << i;
  }
}

TEST(Easing, ValuesBetweenTheKeyframes) {
  // Back: (s + 1) t^3 - s t^2 with s = 1.70158 dips below zero first.
  const double backIn = 2.70158 * 0.125 - 1.70158 * 0.25;
  const struct {
    Easing easing;
    double t, expected;
  } cases[] = {
      {Easing::kLinear, 0.25, 0.25},
      {Easing::kEaseIn, 0.5, 0.125},
      {Easing::kEaseOut, 0.5, 0.875},
      {Easing::kEaseInOut, 0.25, 0.0625},
      {Easing::kEaseInOut, 0.5, 0.5},
      {Easing::kEaseInOut, 0.75, 0.9375},
      {Easing::kBackIn, 0.5, backIn},
      {Easing::kBackOut, 0.5, 1 - backIn},
      // Bounce: the second fall lands at t = 2 / 2.75 and peaks at 0.75 halfway up it.
      {Easing::kBounceOut, 1 / 2.75, 1.0},
      {Easing::kBounceOut, 1.5 / 2.75, 0.75},
      {Easing::kBounceIn, 1 - 1.5 / 2.75, 0.25},
      // Elastic: 2^(-10 t) sin((10 t - 0.75) 2 pi / 3) + 1.
      {Easing::kElasticOut, 0.1, 0.5 * std::sin(0.25 * 2 * std::numbers::pi / 3) + 1},
      {Easing::kHold, 0.999, 0.0},
  };
  for (const auto& c : cases) {
    EXPECT_NEAR(Ease(c.easing, c.t), c.expected, 1e-9)
        << static_cast<int>(c.easing) << " at " << c.t;
  }
}

TEST(Easing, EveryCurveIsNamedOnce) {
  const std::string all = EasingNames();
  std::string_view names = all;
  std::vector<int> found(static_cast<size_t>(Easing::kHold) + 1);
  while (!names.empty()) {
    const size_t comma = names.find(", ");
    const auto easing = EasingNamed(names.substr(0, comma));
    ASSERT_TRUE(easing) << names.substr(0, comma);
    ++found[static_cast<size_t>(*easing)];
    names = comma == std::string_view::npos ? std::string_view() : names.substr(comma + 2);
  }
  EXPECT_EQ(found, std::vector<int>(found.size(), 1));
  EXPECT_FALSE(EasingNamed("bounce"));
  EXPECT_FALSE(EasingNamed("EaseOut"));
}

Keyframe Key(int frame, std::initializer_list<std::pair<Property, double>> values,
             Easing ease = Easing::kLinear) {
  Keyframe key;
  key.frame = frame;
  key.ease = ease;
  for (const auto& [property, value] : values) key.values[static_cast<size_t>(property)] = value;
  return key;
}

TEST(KeyframeTrack, PropertiesRunBetweenTheKeyframesThatSetThem) {
  const std::vector<Keyframe> linear = {Key(1, {{Property::kY, -100}}),
                                        Key(11, {{Property::kY, 0}})};
  // The later keyframe eases the way to it.
  const std::vector<Keyframe> eased = {Key(1, {{Property::kX, 0}}),
                                       Key(3, {{Property::kX, 80}}, Easing::kEaseIn),
                                       Key(5, {{Property::kX, 0}}, Easing::kEaseOut)};
  // y runs from frame 1 to 9 and takes that keyframe's hold; alpha from 1 to 5, linear.
  const std::vector<Keyframe> mixed = {
      Key(1, {{Property::kY, -40}, {Property::kAlpha, 0}}),
      Key(5, {{Property::kAlpha, 100}}),
      Key(9, {{Property::kY, 0}, {Property::kScaleX, 50}}, Easing::kHold),
  };
  const struct {
    const std::vector<Keyframe>& keys;
    int frame;
    Property property;
    double expected;
  } cases[] = {
      {linear, 1, Property::kY, -100},
      {linear, 6, Property::kY, -50},
      {linear, 11, Property::kY, 0},
      {eased, 2, Property::kX, 10},  // 80 × 0.5^3
      {eased, 3, Property::kX, 80},
      {eased, 4, Property::kX, 10},  // 80 - 80 × 0.875
      {mixed, 5, Property::kY, -40},
      {mixed, 9, Property::kY, 0},
      {mixed, 3, Property::kAlpha, 50},
      {mixed, 7, Property::kAlpha, 100},
      // Before its first keyframe a property holds that keyframe's value; after the last
      // keyframe everything holds.
      {mixed, 1, Property::kScaleX, 50},
      {mixed, 40, Property::kY, 0},
  };
  for (const auto& c : cases) {
    EXPECT_DOUBLE_EQ(PoseAt(c.keys, c.frame)[static_cast<size_t>(c.property)], c.expected)
        << "frame " << c.frame << ", property " << static_cast<int>(c.property);
  }
}

TEST(KeyframeTrack, UnsetPropertiesRest) {
  Pose expected = RestPose();
  expected[static_cast<size_t>(Property::kX)] = 5;
  EXPECT_EQ(PoseAt({Key(1, {{Property::kX, 5}})}, 3), expected);
  EXPECT_EQ(PoseAt({}, 1), RestPose());
  EXPECT_DOUBLE_EQ(RestPose()[static_cast<size_t>(Property::kScaleY)], 100);
  EXPECT_DOUBLE_EQ(RestPose()[static_cast<size_t>(Property::kMultiplyBlue)], 100);
  EXPECT_DOUBLE_EQ(RestPose()[static_cast<size_t>(Property::kAddRed)], 0);
}

}  // namespace
}  // namespace effectc
