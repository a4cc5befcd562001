#include "player/transform.h"

#include <algorithm>
#include <cmath>

#include "swftk/records.h"
#include "swftk/units.h"

namespace player {
namespace {

constexpr double kFixed16 = swftk::kFixedOne;
constexpr int32_t kIdentityMult = 256;

uint8_t ApplyChannel(uint8_t value, int32_t mult, int32_t add) {
  const int64_t result = int64_t{value} * mult / 256 + add;
  return static_cast<uint8_t>(std::clamp<int64_t>(result, 0, 255));
}

// Composed terms are kept within what a 32-bit field holds, so that chains stay defined.
int32_t Saturate(int64_t value) {
  return static_cast<int32_t>(std::clamp<int64_t>(value, INT32_MIN / 2, INT32_MAX / 2));
}

}  // namespace

Transform2D Transform2D::FromSwf(const swftk::CSwfMatrix& matrix) {
  return {matrix.scaleX / kFixed16,
          matrix.rotateSkew0 / kFixed16,
          matrix.rotateSkew1 / kFixed16,
          matrix.scaleY / kFixed16,
          static_cast<double>(matrix.translateX),
          static_cast<double>(matrix.translateY)};
}

Transform2D Transform2D::operator*(const Transform2D& inner) const {
  return {a * inner.a + c * inner.b,        b * inner.a + d * inner.b,
          a * inner.c + c * inner.d,        b * inner.c + d * inner.d,
          a * inner.tx + c * inner.ty + tx, b * inner.tx + d * inner.ty + ty};
}

bool Transform2D::Invert(Transform2D& out) const {
  const double det = Determinant();
  if (!std::isfinite(det) || std::abs(det) < 1e-12) return false;
  out = {d / det, -b / det, -c / det, a / det, (c * ty - d * tx) / det, (b * tx - a * ty) / det};
  return true;
}

double Transform2D::LargestScale() const {
  return std::max(std::hypot(a, b), std::hypot(c, d));
}

ColorTransform ColorTransform::FromSwf(const swftk::CSwfColorTransform& transform) {
  return FromTerms({transform.redMult, transform.greenMult, transform.blueMult, 0},
                   {transform.redAdd, transform.greenAdd, transform.blueAdd, 0}, false,
                   transform.hasMultTerms);
}

ColorTransform ColorTransform::FromSwf(const swftk::CSwfColorTransformAlpha& transform) {
  return FromTerms(
      {transform.redMult, transform.greenMult, transform.blueMult, transform.alphaMult},
      {transform.redAdd, transform.greenAdd, transform.blueAdd, transform.alphaAdd}, true,
      transform.hasMultTerms);
}

ColorTransform ColorTransform::FromTerms(const std::array<int32_t, 4>& mults,
                                         const std::array<int32_t, 4>& adds, bool withAlpha,
                                         bool hasMultTerms) {
  ColorTransform result;
  // All-zero multipliers stand for none unless the file said they are there.
  const size_t channels = withAlpha ? 4 : 3;
  if (hasMultTerms ||
      std::any_of(mults.begin(), mults.begin() + channels, [](int32_t m) { return m != 0; })) {
    result.redMult = mults[0];
    result.greenMult = mults[1];
    result.blueMult = mults[2];
    if (withAlpha) result.alphaMult = mults[3];
  }
  result.redAdd = adds[0];
  result.greenAdd = adds[1];
  result.blueAdd = adds[2];
  result.alphaAdd = adds[3];
  return result;
}

ColorTransform ColorTransform::operator*(const ColorTransform& inner) const {
  const auto mult = [](int32_t outer, int32_t in) {
    return Saturate(int64_t{outer} * in / kIdentityMult);
  };
  const auto add = [](int32_t outerMult, int32_t innerAdd, int32_t outerAdd) {
    return Saturate(int64_t{outerMult} * innerAdd / kIdentityMult + outerAdd);
  };
  return {mult(redMult, inner.redMult),          mult(greenMult, inner.greenMult),
          mult(blueMult, inner.blueMult),        mult(alphaMult, inner.alphaMult),
          add(redMult, inner.redAdd, redAdd),    add(greenMult, inner.greenAdd, greenAdd),
          add(blueMult, inner.blueAdd, blueAdd), add(alphaMult, inner.alphaAdd, alphaAdd)};
}

Rgba ColorTransform::Apply(Rgba color) const {
  return {ApplyChannel(color.r, redMult, redAdd), ApplyChannel(color.g, greenMult, greenAdd),
          ApplyChannel(color.b, blueMult, blueAdd), ApplyChannel(color.a, alphaMult, alphaAdd)};
}

}  // namespace player
