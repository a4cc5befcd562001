#pragma once

#include <array>
#include <cstdint>

#include "swftk/units.h"

namespace swftk {
class CSwfMatrix;
class CSwfColorTransform;
class CSwfColorTransformAlpha;
}  // namespace swftk

namespace player {

// An affine map x' = a x + c y + tx, y' = b x + d y + ty (the SWF matrix's scaleX = a,
// rotateSkew0 = b, rotateSkew1 = c, scaleY = d), translations in twips.
struct Transform2D {
  double a = 1;
  double b = 0;
  double c = 0;
  double d = 1;
  double tx = 0;
  double ty = 0;

  static Transform2D FromSwf(const swftk::CSwfMatrix& matrix);
  static Transform2D Translation(double x, double y) { return {1, 0, 0, 1, x, y}; }
  static Transform2D Scale(double sx, double sy) { return {sx, 0, 0, sy, 0, 0}; }

  // This map applied after inner: (this * inner)(p) = this(inner(p)).
  Transform2D operator*(const Transform2D& inner) const;
  double Determinant() const { return a * d - b * c; }
  // False, leaving out untouched, when the map squashes the plane to a line or a point.
  bool Invert(Transform2D& out) const;
  // The largest factor by which the map stretches a unit length along its axes.
  double LargestScale() const;
  bool operator==(const Transform2D&) const = default;
};

using swftk::Rgba;

// A colour transform: each channel becomes channel * mult / 256 + add, clamped to 0..255.
struct ColorTransform {
  int32_t redMult = 256;
  int32_t greenMult = 256;
  int32_t blueMult = 256;
  int32_t alphaMult = 256;
  int32_t redAdd = 0;
  int32_t greenAdd = 0;
  int32_t blueAdd = 0;
  int32_t alphaAdd = 0;

  static ColorTransform FromSwf(const swftk::CSwfColorTransform& transform);
  static ColorTransform FromSwf(const swftk::CSwfColorTransformAlpha& transform);

  // This transform applied after inner, without clamping in between.
  ColorTransform operator*(const ColorTransform& inner) const;
  Rgba Apply(Rgba color) const;
  bool IsIdentity() const { return *this == ColorTransform{}; }
  bool operator==(const ColorTransform&) const = default;

 private:
  static ColorTransform FromTerms(const std::array<int32_t, 4>& mults,
                                  const std::array<int32_t, 4>& adds, bool withAlpha,
                                  bool hasMultTerms);
};

}  // namespace player
