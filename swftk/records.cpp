#include "swftk/records.h"

#include <algorithm>
#include <array>
#include <cstdlib>
#include <initializer_list>

#include "swftk/reader.h"
#include "swftk/stream.h"
#include "swftk/units.h"

namespace swftk {
namespace {

int64_t LargestMagnitude(std::initializer_list<int64_t> values) {
  int64_t largest = 0;
  for (const int64_t v : values) largest = std::max(largest, v < 0 ? -v : v);
  return largest;
}

// The multiplier and addition groups of a colour transform share one width.
template <size_t N>
void WriteTransform(CSwfStream& out, const std::array<int32_t, N>& mults,
                    const std::array<int32_t, N>& adds, bool hasMultTerms) {
  const auto nonZero = [](int32_t v) { return v != 0; };
  const bool hasMult = hasMultTerms || std::any_of(mults.begin(), mults.end(), nonZero);
  const bool hasAdd = std::any_of(adds.begin(), adds.end(), nonZero);
  int64_t largest = 0;
  for (size_t i = 0; i < N; ++i)
    largest = std::max({largest, LargestMagnitude({mults[i], adds[i]})});
  // The width field has four bits; terms in the format are at most 16 bits wide.
  const int n = std::min(BitsNeeded(largest, true), 15);
  out.WriteBits(hasAdd ? 1 : 0, 1);
  out.WriteBits(hasMult ? 1 : 0, 1);
  out.WriteBits(n, 4);
  if (hasMult)
    for (const int32_t v : mults) out.WriteBits(v, n);
  if (hasAdd)
    for (const int32_t v : adds) out.WriteBits(v, n);
}

template <size_t N>
bool ReadTransform(CSwfReader& reader, const std::array<int32_t*, N>& mults,
                   const std::array<int32_t*, N>& adds) {
  const bool hasAdd = reader.ReadBits(1, false) != 0;
  const bool hasMult = reader.ReadBits(1, false) != 0;
  const int n = reader.ReadBits(4, false);
  if (hasMult)
    for (int32_t* v : mults) *v = reader.ReadBits(n, true);
  if (hasAdd)
    for (int32_t* v : adds) *v = reader.ReadBits(n, true);
  return hasMult;
}

}  // namespace

CSwfRect& CSwfRect::operator=(const CSwfRect& other) {
  xMin = other.xMin;
  xMax = other.xMax;
  yMin = other.yMin;
  yMax = other.yMax;
  return *this;
}

void CSwfRect::SetPixels(int xMinPx, int yMinPx, int xMaxPx, int yMaxPx) {
  xMin = xMinPx * kTwipsPerPixel;
  yMin = yMinPx * kTwipsPerPixel;
  xMax = xMaxPx * kTwipsPerPixel;
  yMax = yMaxPx * kTwipsPerPixel;
}

uint32_t CSwfRect::Write(CSwfStream& out) const {
  const int n = BitsNeededCapped(LargestMagnitude({xMin, xMax, yMin, yMax}), true);
  out.WriteBits(n, 5);
  for (const int32_t v : {xMin, xMax, yMin, yMax}) out.WriteBits(v, n);
  out.FlushBits();
  return 0;
}

uint32_t CSwfRect::Read(CSwfReader& reader) {
  const uint32_t start = reader.GetPosition();
  const int n = reader.ReadBits(5, false);
  xMin = reader.ReadBits(n, true);
  xMax = reader.ReadBits(n, true);
  yMin = reader.ReadBits(n, true);
  yMax = reader.ReadBits(n, true);
  reader.AlignByte();
  return reader.GetPosition() - start;
}

CSwfMatrix& CSwfMatrix::operator=(const CSwfMatrix& other) {
  Set(other.scaleX, other.scaleY, other.rotateSkew0, other.rotateSkew1, other.translateX,
      other.translateY, other.flags);
  return *this;
}

void CSwfMatrix::Set(int32_t sx, int32_t sy, int32_t r0, int32_t r1, int32_t tx, int32_t ty,
                     uint8_t newFlags) {
  scaleX = sx;
  scaleY = sy;
  rotateSkew0 = r0;
  rotateSkew1 = r1;
  translateX = tx;
  translateY = ty;
  flags = newFlags;
  if (sx != 0 || sy != 0) flags |= kHasScale;
  if (r0 != 0 || r1 != 0) flags |= kHasRotate;
}

uint32_t CSwfMatrix::Write(CSwfStream& out) const {
  const auto writePair = [&out](int32_t a, int32_t b) {
    const int n = BitsNeededCapped(LargestMagnitude({a, b}), true);
    out.WriteBits(n, 5);
    out.WriteBits(a, n);
    out.WriteBits(b, n);
  };
  out.WriteBits((flags & kHasScale) ? 1 : 0, 1);
  if (flags & kHasScale) writePair(scaleX, scaleY);
  out.WriteBits((flags & kHasRotate) ? 1 : 0, 1);
  if (flags & kHasRotate) writePair(rotateSkew0, rotateSkew1);
  if (translateX != 0 || translateY != 0) {
    writePair(translateX, translateY);
  } else {
    out.WriteBits(0, 5);
  }
  return 0;
}

uint32_t CSwfMatrix::Read(CSwfReader& reader) {
  const uint32_t start = reader.GetPosition();
  const auto readPair = [&reader](int32_t& a, int32_t& b) {
    const int n = reader.ReadBits(5, false);
    a = reader.ReadBits(n, true);
    b = reader.ReadBits(n, true);
  };
  if (reader.ReadBits(1, false)) {
    readPair(scaleX, scaleY);
    if (scaleX != 0 || scaleY != 0) flags |= kHasScale;
  }
  if (reader.ReadBits(1, false)) {
    readPair(rotateSkew0, rotateSkew1);
    if (rotateSkew0 != 0 || rotateSkew1 != 0) flags |= kHasRotate;
  }
  readPair(translateX, translateY);
  return reader.GetPosition() - start;
}

void CSwfColor::Set(uint8_t r, uint8_t g, uint8_t b) {
  red = r;
  green = g;
  blue = b;
}

std::unique_ptr<CSwfColor> CSwfColor::Clone() const {
  return std::make_unique<CSwfColor>(red, green, blue);
}

uint32_t CSwfColor::Write(CSwfStream& out) const {
  out.WriteByte(red);
  out.WriteByte(green);
  out.WriteByte(blue);
  return 3;
}

uint32_t CSwfColor::Read(CSwfReader& reader) {
  const uint32_t start = reader.GetPosition();
  red = reader.ReadUI8();
  green = reader.ReadUI8();
  blue = reader.ReadUI8();
  return reader.GetPosition() - start;
}

void CSwfColorAlpha::Set(uint8_t r, uint8_t g, uint8_t b, uint8_t a) {
  CSwfColor::Set(r, g, b);
  alpha = a;
}

void CSwfColorAlpha::Assign(const CSwfColorAlpha& other) {
  Set(other.red, other.green, other.blue, other.alpha);
}

std::unique_ptr<CSwfColor> CSwfColorAlpha::Clone() const {
  return std::make_unique<CSwfColorAlpha>(red, green, blue, alpha);
}

uint32_t CSwfColorAlpha::Write(CSwfStream& out) const {
  CSwfColor::Write(out);
  out.WriteByte(alpha);
  return 4;
}

uint32_t CSwfColorAlpha::Read(CSwfReader& reader) {
  const uint32_t start = reader.GetPosition();
  CSwfColor::Read(reader);
  alpha = reader.ReadUI8();
  return reader.GetPosition() - start;
}

std::unique_ptr<CSwfColor> ReadColor(CSwfReader& reader, bool hasAlpha) {
  std::unique_ptr<CSwfColor> color;
  if (hasAlpha) {
    color = std::make_unique<CSwfColorAlpha>();
  } else {
    color = std::make_unique<CSwfColor>();
  }
  color->Read(reader);
  return color;
}

CSwfColorTransform& CSwfColorTransform::operator=(const CSwfColorTransform& other) {
  redMult = other.redMult;
  greenMult = other.greenMult;
  blueMult = other.blueMult;
  redAdd = other.redAdd;
  greenAdd = other.greenAdd;
  blueAdd = other.blueAdd;
  hasMultTerms = other.hasMultTerms;
  return *this;
}

void CSwfColorTransform::Reset() {
  redMult = greenMult = blueMult = 0;
  redAdd = greenAdd = blueAdd = 0;
  hasMultTerms = false;
}

uint32_t CSwfColorTransform::Write(CSwfStream& out) const {
  WriteTransform<3>(out, {redMult, greenMult, blueMult}, {redAdd, greenAdd, blueAdd}, hasMultTerms);
  return 0;
}

uint32_t CSwfColorTransform::Read(CSwfReader& reader) {
  const uint32_t start = reader.GetPosition();
  Reset();
  hasMultTerms =
      ReadTransform<3>(reader, {&redMult, &greenMult, &blueMult}, {&redAdd, &greenAdd, &blueAdd});
  return reader.GetPosition() - start;
}

CSwfColorTransformAlpha& CSwfColorTransformAlpha::operator=(const CSwfColorTransformAlpha& other) {
  CSwfColorTransform::operator=(other);
  alphaMult = other.alphaMult;
  alphaAdd = other.alphaAdd;
  return *this;
}

void CSwfColorTransformAlpha::Reset() {
  CSwfColorTransform::Reset();
  alphaMult = alphaAdd = 0;
}

uint32_t CSwfColorTransformAlpha::Write(CSwfStream& out) const {
  WriteTransform<4>(out, {redMult, greenMult, blueMult, alphaMult},
                    {redAdd, greenAdd, blueAdd, alphaAdd}, hasMultTerms);
  return 0;
}

uint32_t CSwfColorTransformAlpha::Read(CSwfReader& reader) {
  const uint32_t start = reader.GetPosition();
  Reset();
  hasMultTerms = ReadTransform<4>(reader, {&redMult, &greenMult, &blueMult, &alphaMult},
                                  {&redAdd, &greenAdd, &blueAdd, &alphaAdd});
  return reader.GetPosition() - start;
}

}  // namespace swftk
