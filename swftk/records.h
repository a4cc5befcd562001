#pragma once

#include "swftk/object.h"
#include "swftk/units.h"

namespace swftk {

// RECT: bounds in twips.
class CSwfRect : public CSwfObj {
 public:
  CSwfRect() = default;
  CSwfRect(int32_t xMin, int32_t xMax, int32_t yMin, int32_t yMax)
      : xMin(xMin), xMax(xMax), yMin(yMin), yMax(yMax) {}
  CSwfRect(const CSwfRect& other) : CSwfObj() { *this = other; }
  CSwfRect& operator=(const CSwfRect& other);

  void SetPixels(int xMinPx, int yMinPx, int xMaxPx, int yMaxPx);
  uint32_t Read(CSwfReader& reader) override;
  uint32_t Write(CSwfStream& out) const override;

  int32_t xMin = 0;
  int32_t xMax = 0;
  int32_t yMin = 0;
  int32_t yMax = 0;
};

// MATRIX: 16.16 scale and rotate/skew terms, translation in twips.
class CSwfMatrix : public CSwfObj {
 public:
  static constexpr uint8_t kHasScale = 1;
  static constexpr uint8_t kHasRotate = 2;

  CSwfMatrix() = default;
  CSwfMatrix(const CSwfMatrix& other) : CSwfObj() { *this = other; }
  CSwfMatrix& operator=(const CSwfMatrix& other);

  void Set(int32_t scaleX, int32_t scaleY, int32_t rotateSkew0, int32_t rotateSkew1,
           int32_t translateX, int32_t translateY, uint8_t flags);
  void SetTranslate(int32_t x, int32_t y) {
    translateX = x;
    translateY = y;
  }
  uint32_t Read(CSwfReader& reader) override;
  uint32_t Write(CSwfStream& out) const override;

  uint8_t flags = kHasScale;
  int32_t scaleX = kFixedOne;
  int32_t scaleY = kFixedOne;
  int32_t rotateSkew0 = 0;
  int32_t rotateSkew1 = 0;
  int32_t translateX = 0;
  int32_t translateY = 0;
};

// RGB.
class CSwfColor : public CSwfObj {
 public:
  CSwfColor() = default;
  CSwfColor(uint8_t r, uint8_t g, uint8_t b) : red(r), green(g), blue(b) {}

  virtual void Set(uint8_t r, uint8_t g, uint8_t b);
  virtual void Assign(const CSwfColor& other) { Set(other.red, other.green, other.blue); }
  virtual bool HasAlpha() const { return false; }
  // A new colour of the same class with the same values.
  virtual std::unique_ptr<CSwfColor> Clone() const;
  uint32_t Read(CSwfReader& reader) override;
  uint32_t Write(CSwfStream& out) const override;

  uint8_t red = 0;
  uint8_t green = 0;
  uint8_t blue = 0;
};

// RGBA; a new one is opaque black.
class CSwfColorAlpha : public CSwfColor {
 public:
  CSwfColorAlpha() = default;
  CSwfColorAlpha(uint8_t r, uint8_t g, uint8_t b, uint8_t a) : CSwfColor(r, g, b), alpha(a) {}

  using CSwfColor::Assign;
  using CSwfColor::Set;
  virtual void Set(uint8_t r, uint8_t g, uint8_t b, uint8_t a);
  virtual void Assign(const CSwfColorAlpha& other);
  bool HasAlpha() const override { return true; }
  std::unique_ptr<CSwfColor> Clone() const override;
  uint32_t Read(CSwfReader& reader) override;
  uint32_t Write(CSwfStream& out) const override;

  uint8_t alpha = 255;
};

// A new colour read from the reader: RGBA when hasAlpha, RGB otherwise.
std::unique_ptr<CSwfColor> ReadColor(CSwfReader& reader, bool hasAlpha);

// CXFORM: multiplier terms in 8.8 fixed point and addition terms.
class CSwfColorTransform : public CSwfObj {
 public:
  CSwfColorTransform() = default;
  CSwfColorTransform(const CSwfColorTransform& other) : CSwfObj() { *this = other; }
  CSwfColorTransform& operator=(const CSwfColorTransform& other);

  void Reset() override;
  uint32_t Read(CSwfReader& reader) override;
  uint32_t Write(CSwfStream& out) const override;

  int32_t redMult = 0;
  int32_t greenMult = 0;
  int32_t blueMult = 0;
  int32_t redAdd = 0;
  int32_t greenAdd = 0;
  int32_t blueAdd = 0;
  // Set by a read that found multiplier terms, so that all-zero multipliers from a file keep
  // their meaning (every channel times zero) and are written back; built transforms leave it
  // clear and all-zero multipliers then stand for none.
  bool hasMultTerms = false;
};

// CXFORMWITHALPHA.
class CSwfColorTransformAlpha : public CSwfColorTransform {
 public:
  CSwfColorTransformAlpha() = default;
  CSwfColorTransformAlpha(const CSwfColorTransformAlpha& other) : CSwfColorTransform() {
    *this = other;
  }
  CSwfColorTransformAlpha& operator=(const CSwfColorTransformAlpha& other);

  void Reset() override;
  uint32_t Read(CSwfReader& reader) override;
  uint32_t Write(CSwfStream& out) const override;

  int32_t alphaMult = 0;
  int32_t alphaAdd = 0;
};

}  // namespace swftk
