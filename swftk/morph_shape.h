#pragma once

#include <cstdint>
#include <memory>
#include <vector>

#include "swftk/object.h"
#include "swftk/records.h"
#include "swftk/shape.h"
#include "swftk/styles.h"

namespace swftk {

// MORPHGRADRECORD: a gradient stop at the start and at the end of the morph.
class CSwfMorphGradientRecord : public CSwfObj {
 public:
  uint32_t Read(CSwfReader& reader) override;
  uint32_t Write(CSwfStream& out) const override;
  void CopyFrom(const CSwfMorphGradientRecord& source);

  uint8_t startRatio = 0;
  CSwfColorAlpha startColor;
  uint8_t endRatio = 0;
  CSwfColorAlpha endColor;
};

// MORPHFILLSTYLE: a fill of the FILLSTYLE kinds with a start and an end value of each field.
class CSwfMorphFillStyle : public CSwfObj {
 public:
  uint32_t Read(CSwfReader& reader) override;
  // Fill types other than solid, gradient and bitmap are written without extra data.
  uint32_t Write(CSwfStream& out) const override;
  void CopyFrom(const CSwfMorphFillStyle& source);
  bool IsGradient() const;
  bool IsBitmap() const;

  uint8_t fillType = CSwfFillStyle::kSolid;
  CSwfColorAlpha startColor;
  CSwfColorAlpha endColor;
  // Gradient or bitmap matrices.
  CSwfMatrix startMatrix;
  CSwfMatrix endMatrix;
  std::vector<std::unique_ptr<CSwfMorphGradientRecord>> gradient;
  uint16_t bitmapId = 0;
  // Morph colours are always RGBA; kept for the shared style-array encoding.
  uint8_t hasAlpha = 1;
};

// MORPHLINESTYLE: width and colour at the start and at the end.
class CSwfMorphLineStyle : public CSwfObj {
 public:
  uint32_t Read(CSwfReader& reader) override;
  uint32_t Write(CSwfStream& out) const override;
  void CopyFrom(const CSwfMorphLineStyle& source);

  uint16_t startWidth = 0;
  uint16_t endWidth = 0;
  CSwfColorAlpha startColor;
  CSwfColorAlpha endColor;
  uint8_t hasAlpha = 1;
};

extern template class CSwfStyleArray<CSwfMorphFillStyle>;
extern template class CSwfStyleArray<CSwfMorphLineStyle>;

// DefineMorphShape (46): one set of styles and two edge lists of the same structure; a
// placement's ratio picks a shape between them. The end edges carry moves and edges only.
// Both edge lists keep the index widths they were read with; a creator sets them.
class CSwfDefineMorphShape : public CSwfCharacterTag {
 public:
  uint16_t GetTagCode() const override { return tagcode::kDefineMorphShape; }
  uint32_t Read(CSwfReader& reader) override;
  // The offset of the end edges is computed from what is written.
  uint32_t Write(CSwfStream& out) const override;

  CSwfRect startBounds;
  CSwfRect endBounds;
  CSwfStyleArray<CSwfMorphFillStyle> fillStyles;
  CSwfStyleArray<CSwfMorphLineStyle> lineStyles;
  CSwfShape startEdges;
  CSwfShape endEdges;
};

}  // namespace swftk
