#pragma once

#include <cstdint>
#include <memory>
#include <vector>

#include "swftk/object.h"
#include "swftk/records.h"

namespace swftk {

// GRADRECORD: a colour at a ratio along the gradient.
class CSwfGradientRecord : public CSwfObj {
 public:
  void Clear() override { color.reset(); }
  uint32_t Read(CSwfReader& reader) override;
  uint32_t Write(CSwfStream& out) const override;

  virtual void Init(uint8_t newRatio, std::unique_ptr<CSwfColor> newColor, uint8_t alpha);
  virtual void CopyFrom(const CSwfGradientRecord& source);

  uint8_t ratio = 0;
  // RGBA when hasAlpha; written as black when absent.
  std::unique_ptr<CSwfColor> color;
  uint8_t hasAlpha = 0;
};

// GRADIENT: up to 255 records.
class CSwfGradient : public CSwfObj {
 public:
  void Clear() override { records.clear(); }
  uint32_t Read(CSwfReader& reader) override;
  uint32_t Write(CSwfStream& out) const override;

  virtual void CopyFrom(const CSwfGradient& source);

  uint8_t hasAlpha = 0;
  std::vector<std::unique_ptr<CSwfGradientRecord>> records;
};

// FILLSTYLE: a solid colour, a gradient or a bitmap.
class CSwfFillStyle : public CSwfObj {
 public:
  static constexpr uint8_t kSolid = 0x00;
  static constexpr uint8_t kLinearGradient = 0x10;
  static constexpr uint8_t kRadialGradient = 0x12;
  static constexpr uint8_t kRepeatingBitmap = 0x40;
  static constexpr uint8_t kClippedBitmap = 0x41;

  void Clear() override;
  uint32_t Read(CSwfReader& reader) override;
  // Fill types not listed above are written without extra data.
  uint32_t Write(CSwfStream& out) const override;

  // A solid fill with no colour, gradient or matrix.
  virtual void Init(uint8_t alpha);
  virtual void SetBitmap(uint8_t type, uint16_t id, std::unique_ptr<CSwfMatrix> newMatrix);
  virtual void SetGradient(uint8_t type, std::unique_ptr<CSwfMatrix> newMatrix,
                           std::unique_ptr<CSwfGradient> newGradient);
  virtual void SetSolid(std::unique_ptr<CSwfColor> newColor, uint8_t alpha);
  virtual void CopyFrom(const CSwfFillStyle& source);

  uint8_t hasAlpha = 0;
  uint8_t fillType = kSolid;
  // A CSwfColorAlpha when hasAlpha.
  std::unique_ptr<CSwfColor> color;
  std::unique_ptr<CSwfGradient> gradient;
  // Gradient or bitmap matrix.
  std::unique_ptr<CSwfMatrix> matrix;
  uint16_t bitmapId = 0;
};

// LINESTYLE: a width in twips and a colour.
class CSwfLineStyle : public CSwfObj {
 public:
  void Clear() override { color.reset(); }
  uint32_t Read(CSwfReader& reader) override;
  uint32_t Write(CSwfStream& out) const override;

  virtual void Init(uint16_t newWidth, std::unique_ptr<CSwfColor> newColor, uint8_t alpha);
  virtual void CopyFrom(const CSwfLineStyle& source);

  uint16_t width = 0;
  // RGBA when hasAlpha; written as black when absent.
  std::unique_ptr<CSwfColor> color;
  uint8_t hasAlpha = 0;
};

// FILLSTYLEARRAY and LINESTYLEARRAY share their encoding: a count, then the styles.
template <class Style>
class CSwfStyleArray : public CSwfObj {
 public:
  void Clear() override;
  uint32_t Read(CSwfReader& reader) override;
  // Encodes count, not the number of styles held.
  uint32_t Write(CSwfStream& out) const override;

  // Empty, with the given colour kind for styles read later.
  virtual void Init(uint8_t alpha);
  virtual void CopyFrom(const CSwfStyleArray& source);
  // Width of the indices into this array: the count itself up to 15, so a shape keeps the
  // widths it always had; above that the bits the count needs, which the 4-bit width fields
  // can hold.
  uint8_t IndexBits() const;

  // Kept by hand by code that appends to styles directly.
  uint16_t count = 0;
  std::vector<std::unique_ptr<Style>> styles;
  // Handed to the styles that are read.
  uint8_t hasAlpha = 0;
};

// A deep copy of an optional style array.
template <class Array>
std::unique_ptr<Array> CopyStyleArray(const std::unique_ptr<Array>& source) {
  if (!source) return nullptr;
  auto copy = std::make_unique<Array>();
  copy->CopyFrom(*source);
  return copy;
}

extern template class CSwfStyleArray<CSwfFillStyle>;
extern template class CSwfStyleArray<CSwfLineStyle>;

class CSwfFillStyleArray : public CSwfStyleArray<CSwfFillStyle> {};
class CSwfLineStyleArray : public CSwfStyleArray<CSwfLineStyle> {};

}  // namespace swftk
