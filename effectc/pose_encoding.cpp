#include "effectc/pose_encoding.h"

#include <algorithm>
#include <cmath>
#include <numbers>

#include "swftk/units.h"

namespace effectc {
namespace {

constexpr double kColorOne = 256.0;
// Colour terms are written in at most 15 signed bits.
constexpr int32_t kColorLimit = 16383;
// Twips within the 31-bit fields of a matrix, far beyond any stage.
constexpr double kTranslateLimit = 1 << 28;

double Value(const Pose& pose, Property property) {
  return pose[static_cast<size_t>(property)];
}

int32_t Fixed(double value, double one, double limit) {
  return static_cast<int32_t>(std::lround(std::clamp(value * one, -limit, limit)));
}

int32_t ColorTerm(double value, double one) {
  return Fixed(value, one, static_cast<double>(kColorLimit));
}

double Radians(double degrees) {
  return degrees * std::numbers::pi / 180.0;
}

}  // namespace

int32_t ToTwips(double pixels) {
  return Fixed(pixels, swftk::kTwipsPerPixel, kTranslateLimit);
}

MatrixTerms FixedTerms(double a, double b, double c, double d) {
  // Terms fit the 31 bits a matrix field can take.
  constexpr double kOne = swftk::kFixedOne;
  constexpr double kLimit = 16383.0 * kOne;
  MatrixTerms terms{Fixed(a, kOne, kLimit), Fixed(d, kOne, kLimit), Fixed(b, kOne, kLimit),
                    Fixed(c, kOne, kLimit)};
  if (terms.scaleX == 0 && terms.scaleY == 0) terms.scaleX = terms.scaleY = 1;
  return terms;
}

std::unique_ptr<swftk::CSwfMatrix> MakeMatrix(const MatrixTerms& terms, int32_t translateX,
                                              int32_t translateY) {
  auto matrix = std::make_unique<swftk::CSwfMatrix>();
  // The presence flags follow from the terms.
  matrix->Set(terms.scaleX, terms.scaleY, terms.rotateSkew0, terms.rotateSkew1, translateX,
              translateY, 0);
  return matrix;
}

EncodedPose EncodePose(const Pose& pose) {
  EncodedPose encoded;
  // The x axis turns by rotation + skewY, the y axis by rotation + skewX.
  const double scaleX = Value(pose, Property::kScaleX) / 100.0;
  const double scaleY = Value(pose, Property::kScaleY) / 100.0;
  const double xAngle = Radians(Value(pose, Property::kRotation) + Value(pose, Property::kSkewY));
  const double yAngle = Radians(Value(pose, Property::kRotation) + Value(pose, Property::kSkewX));
  encoded.terms = FixedTerms(scaleX * std::cos(xAngle), scaleX * std::sin(xAngle),
                             -scaleY * std::sin(yAngle), scaleY * std::cos(yAngle));
  encoded.translateX = ToTwips(Value(pose, Property::kX));
  encoded.translateY = ToTwips(Value(pose, Property::kY));

  const double alpha = std::clamp(Value(pose, Property::kAlpha), 0.0, 100.0);
  encoded.color = {
      ColorTerm(Value(pose, Property::kMultiplyRed) / 100.0, kColorOne),
      ColorTerm(Value(pose, Property::kMultiplyGreen) / 100.0, kColorOne),
      ColorTerm(Value(pose, Property::kMultiplyBlue) / 100.0, kColorOne),
      ColorTerm(alpha / 100.0, kColorOne),
      ColorTerm(Value(pose, Property::kAddRed), 1.0),
      ColorTerm(Value(pose, Property::kAddGreen), 1.0),
      ColorTerm(Value(pose, Property::kAddBlue), 1.0),
  };
  // Four zero multipliers read as absent too, which would leave the colours unchanged.
  if (std::all_of(encoded.color.begin(), encoded.color.begin() + 4,
                  [](int32_t term) { return term == 0; }))
    encoded.color[0] = 1;
  return encoded;
}

std::unique_ptr<swftk::CSwfMatrix> MakeMatrix(const EncodedPose& pose) {
  return MakeMatrix(pose.terms, pose.translateX, pose.translateY);
}

std::unique_ptr<swftk::CSwfColorTransformAlpha> MakeColorTransform(const EncodedPose& pose) {
  auto transform = std::make_unique<swftk::CSwfColorTransformAlpha>();
  transform->redMult = pose.color[0];
  transform->greenMult = pose.color[1];
  transform->blueMult = pose.color[2];
  transform->alphaMult = pose.color[3];
  transform->redAdd = pose.color[4];
  transform->greenAdd = pose.color[5];
  transform->blueAdd = pose.color[6];
  return transform;
}

}  // namespace effectc
