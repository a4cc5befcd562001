#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <numbers>

#include "effectc/easing.h"

namespace effectc {
namespace {

TEST(Easing, EveryCurveStartsAtZeroAndEndsAtOne) {
  for (int i = 0; i <= static_cast<int>(Easing::kHold); ++i) {
    const auto easing = static_cast<Easing>(i);
    EXPECT_DOUBLE_EQ(Ease(easing, 0.0), 0.0) << i;
    EXPECT_DOUBLE_EQ(Ease(easing, 1.0), 1.0) << i;
    // Outside the span the curve holds its ends.
    EXPECT_DOUBLE_EQ(Ease(easing, -0.5), 0.0) << i;
    EXPECT_DOUBLE_EQ(Ease(easing, 1.5), 1.0) << i;
  }
}

TEST(Easing, ValuesBetweenTheKeyframes) {
  struct Case {
    Easing easing;
    double t;
    double expected;
  };
  const Case cases[] = {
      {Easing::kLinear, 0.25, 0.25},
      {Easing::kEaseIn, 0.5, 0.125},
      {Easing::kEaseOut, 0.5, 0.875},
      {Easing::kEaseInOut, 0.25, 0.0625},
      {Easing::kEaseInOut, 0.5, 0.5},
      {Easing::kEaseInOut, 0.75, 0.9375},
      // Back: (s + 1) t^3 - s t^2 with s = 1.70158 dips below zero first.
      {Easing::kBackIn, 0.5, 2.70158 * 0.125 - 1.70158 * 0.25},
      {Easing::kBackOut, 0.5, 1 - (2.70158 * 0.125 - 1.70158 * 0.25)},
      // Bounce: the second fall lands at t = 2 / 2.75 and peaks at 0.75 halfway up it.
      {Easing::kBounceOut, 1 / 2.75, 1.0},
      {Easing::kBounceOut, 1.5 / 2.75, 0.75},
      {Easing::kBounceIn, 1 - 1.5 / 2.75, 0.25},
      // Elastic: 2^(-10 t) sin((10 t - 0.75) 2 pi / 3) + 1.
      {Easing::kElasticOut, 0.1, 0.5 * std::sin(0.25 * 2 * std::numbers::pi / 3) + 1},
      {Easing::kHold, 0.999, 0.0},
  };
  for (const Case& c : cases) {
    EXPECT_NEAR(Ease(c.easing, c.t), c.expected, 1e-9)
        << static_cast<int>(c.easing) << " at " << c.t;
  }
}

TEST(Easing, BackAndElasticPassTheTarget) {
  double backPeak = 0;
  double elasticPeak = 0;
  for (int i = 0; i <= 100; ++i) {
    backPeak = std::max(backPeak, Ease(Easing::kBackOut, i / 100.0));
    elasticPeak = std::max(elasticPeak, Ease(Easing::kElasticOut, i / 100.0));
  }
  EXPECT_NEAR(backPeak, 1.1, 0.005);
  EXPECT_GT(elasticPeak, 1.3);
}

TEST(Easing, NamesRoundTrip) {
  const std::string all = EasingNames();
  for (int i = 0; i <= static_cast<int>(Easing::kHold); ++i) {
    const auto easing = static_cast<Easing>(i);
    int found = 0;
    for (std::string_view names = all; !names.empty();) {
      const size_t comma = names.find(", ");
      const std::string_view name = names.substr(0, comma);
      if (EasingNamed(name) == easing) ++found;
      names = comma == std::string_view::npos ? std::string_view() : names.substr(comma + 2);
    }
    EXPECT_EQ(found, 1) << i;
  }
  EXPECT_FALSE(EasingNamed("bounce"));
  EXPECT_FALSE(EasingNamed("EaseOut"));
}

}  // namespace
}  // namespace effectc
