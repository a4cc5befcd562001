#pragma once

#include <array>
#include <cstdint>
#include <memory>

#include "effectc/effect_source.h"
#include "swftk/records.h"

namespace effectc {

// Pixels to twips, rounded, within what a matrix or shape field holds.
int32_t ToTwips(double pixels);

// The 16.16 terms of a linear map (x' = a x + c y, y' = b x + d y), rounded and clamped to
// what a matrix field holds. A reader takes two zero scale terms for an absent scale, which
// means 1, so a map that has them both zero keeps the smallest trace of a scale instead.
struct MatrixTerms {
  int32_t scaleX = 65536;
  int32_t scaleY = 65536;
  int32_t rotateSkew0 = 0;
  int32_t rotateSkew1 = 0;

  bool operator==(const MatrixTerms&) const = default;
};
MatrixTerms FixedTerms(double a, double b, double c, double d);

// A matrix of those terms moved by (translateX, translateY) twips.
std::unique_ptr<swftk::CSwfMatrix> MakeMatrix(const MatrixTerms& terms, int32_t translateX,
                                              int32_t translateY);

// A pose in the units a placement stores: 16.16 matrix terms, twips, 8.8 colour multipliers.
// Two frames whose encodings are equal look the same, so the later one needs no placement.
struct EncodedPose {
  MatrixTerms terms;
  int32_t translateX = 0;
  int32_t translateY = 0;
  // Red, green, blue and alpha multipliers, then the red, green and blue additions.
  std::array<int32_t, 7> color{256, 256, 256, 256, 0, 0, 0};

  bool operator==(const EncodedPose&) const = default;
  bool SameColor(const EncodedPose& other) const { return color == other.color; }
  bool HasIdentityColor() const { return SameColor(EncodedPose{}); }
};

EncodedPose EncodePose(const Pose& pose);

std::unique_ptr<swftk::CSwfMatrix> MakeMatrix(const EncodedPose& pose);
std::unique_ptr<swftk::CSwfColorTransformAlpha> MakeColorTransform(const EncodedPose& pose);

}  // namespace effectc
