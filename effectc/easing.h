#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

namespace effectc {

// How a property travels between two keyframes.
enum class Easing : uint8_t {
  kLinear,
  kEaseIn,
  kEaseOut,
  kEaseInOut,
  kBackIn,
  kBackOut,
  kBackInOut,
  kElasticIn,
  kElasticOut,
  kElasticInOut,
  kBounceIn,
  kBounceOut,
  kBounceInOut,
  // Keeps the earlier value until the later keyframe, then jumps.
  kHold,
};

// The share of the way covered at time t (0 at the earlier keyframe, 1 at the later one).
// Exactly 0 at t = 0 and 1 at t = 1; back and elastic curves pass beyond 1 on the way.
double Ease(Easing easing, double t);

// The easing a source names ("easeOut", "bounceOut" ...), or none.
std::optional<Easing> EasingNamed(std::string_view name);

// Every name, comma separated, for messages.
std::string EasingNames();

}  // namespace effectc
