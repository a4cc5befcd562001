#include "effectc/easing.h"

#include <array>
#include <cmath>
#include <numbers>

namespace effectc {
namespace {

// Overshoot of the back curves: about 10 % beyond the target.
constexpr double kBackOvershoot = 1.70158;

double CubicIn(double t) {
  return t * t * t;
}

double BackIn(double t) {
  return (kBackOvershoot + 1) * t * t * t - kBackOvershoot * t * t;
}

double ElasticOut(double t) {
  if (t <= 0 || t >= 1) return t <= 0 ? 0 : 1;
  constexpr double kPeriod = 2 * std::numbers::pi / 3;
  return std::pow(2, -10 * t) * std::sin((t * 10 - 0.75) * kPeriod) + 1;
}

// Four falls of shrinking height, the last ending at rest.
double BounceOut(double t) {
  constexpr double kGravity = 7.5625;
  constexpr double kSpan = 2.75;
  if (t < 1 / kSpan) return kGravity * t * t;
  if (t < 2 / kSpan) {
    t -= 1.5 / kSpan;
    return kGravity * t * t + 0.75;
  }
  if (t < 2.5 / kSpan) {
    t -= 2.25 / kSpan;
    return kGravity * t * t + 0.9375;
  }
  t -= 2.625 / kSpan;
  return kGravity * t * t + 0.984375;
}

// An ease-out curve mirrored in time and value.
template <class Curve>
double Reversed(Curve curve, double t) {
  return 1 - curve(1 - t);
}

// The in curve on the first half, the out curve on the second.
template <class In>
double InOut(In in, double t) {
  return t < 0.5 ? in(2 * t) / 2 : 1 - in(2 - 2 * t) / 2;
}

double ElasticIn(double t) {
  return Reversed(ElasticOut, t);
}
double BounceIn(double t) {
  return Reversed(BounceOut, t);
}

struct NamedEasing {
  std::string_view name;
  Easing easing;
};

constexpr std::array<NamedEasing, 14> kNames{{
    {"linear", Easing::kLinear},
    {"easeIn", Easing::kEaseIn},
    {"easeOut", Easing::kEaseOut},
    {"easeInOut", Easing::kEaseInOut},
    {"backIn", Easing::kBackIn},
    {"backOut", Easing::kBackOut},
    {"backInOut", Easing::kBackInOut},
    {"elasticIn", Easing::kElasticIn},
    {"elasticOut", Easing::kElasticOut},
    {"elasticInOut", Easing::kElasticInOut},
    {"bounceIn", Easing::kBounceIn},
    {"bounceOut", Easing::kBounceOut},
    {"bounceInOut", Easing::kBounceInOut},
    {"hold", Easing::kHold},
}};

}  // namespace

double Ease(Easing easing, double t) {
  if (t <= 0) return 0;
  if (t >= 1) return 1;
  switch (easing) {
    case Easing::kLinear:
      return t;
    case Easing::kEaseIn:
      return CubicIn(t);
    case Easing::kEaseOut:
      return Reversed(CubicIn, t);
    case Easing::kEaseInOut:
      return InOut(CubicIn, t);
    case Easing::kBackIn:
      return BackIn(t);
    case Easing::kBackOut:
      return Reversed(BackIn, t);
    case Easing::kBackInOut:
      return InOut(BackIn, t);
    case Easing::kElasticIn:
      return ElasticIn(t);
    case Easing::kElasticOut:
      return ElasticOut(t);
    case Easing::kElasticInOut:
      return InOut(ElasticIn, t);
    case Easing::kBounceIn:
      return BounceIn(t);
    case Easing::kBounceOut:
      return BounceOut(t);
    case Easing::kBounceInOut:
      return InOut(BounceIn, t);
    case Easing::kHold:
      return 0;
  }
  return t;
}

std::optional<Easing> EasingNamed(std::string_view name) {
  for (const NamedEasing& entry : kNames) {
    if (entry.name == name) return entry.easing;
  }
  return std::nullopt;
}

std::string EasingNames() {
  std::string names;
  for (const NamedEasing& entry : kNames) {
    if (!names.empty()) names += ", ";
    names += entry.name;
  }
  return names;
}

}  // namespace effectc
