#pragma once

#include <memory>
#include <vector>

#include "swftk/object.h"
#include "swftk/shape_records.h"
#include "swftk/styles.h"

namespace swftk {

// SHAPE: edge and style-change records with the current widths of style indices.
// Glyph shapes of fonts are of this class.
class CSwfShape : public CSwfObj {
 public:
  CSwfShape() = default;

  void Clear() override;
  uint32_t Read(CSwfReader& reader) override;
  uint32_t Write(CSwfStream& out) const override;

  virtual void SetStyleBits(uint8_t fillBits, uint8_t lineBits);
  // Deep copy; copied style-change records point to this shape.
  virtual void CopyFrom(const CSwfShape& source);

  // The records in order, ending with a CSwfEndOfShapeRecord.
  std::vector<std::unique_ptr<CSwfShapeRecord>> records;
  // Widths of style indices in force; style-change records with new styles move them while
  // the shape is written, so they are mutable.
  mutable uint8_t numFillBits = 0;
  mutable uint8_t numLineBits = 0;
  // Styles carry RGBA colours (DefineShape3).
  uint8_t hasAlpha = 0;
};

// SHAPEWITHSTYLE: a shape with its initial fill and line styles.
class CSwfShapeWithStyle : public CSwfShape {
 public:
  CSwfShapeWithStyle() = default;

  void Clear() override;
  uint32_t Read(CSwfReader& reader) override;
  uint32_t Write(CSwfStream& out) const override;

  using CSwfShape::CopyFrom;
  virtual void CopyFrom(const CSwfShapeWithStyle& source);

  std::unique_ptr<CSwfFillStyleArray> fillStyles;
  std::unique_ptr<CSwfLineStyleArray> lineStyles;
};

}  // namespace swftk
