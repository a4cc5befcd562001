#pragma once

#include <memory>

#include "swftk/object.h"
#include "swftk/records.h"
#include "swftk/shape.h"

namespace swftk {

// DefineShape (2), DefineShape2 (22) and DefineShape3 (32, RGBA colours).
class CSwfDefineShape : public CSwfCharacterTag {
 public:
  explicit CSwfDefineShape(uint16_t code = tagcode::kDefineShape)
      : tagCode(static_cast<uint8_t>(code)) {
    shape->hasAlpha = code == tagcode::kDefineShape3 ? 1 : 0;
  }

  uint16_t GetTagCode() const override { return tagCode; }
  uint32_t Read(CSwfReader& reader) override;
  uint32_t Write(CSwfStream& out) const override;

  // Deep copy of bounds and shape; the code and id come along.
  virtual void CopyFrom(const CSwfDefineShape& source);

  std::unique_ptr<CSwfRect> bounds = std::make_unique<CSwfRect>();
  std::unique_ptr<CSwfShapeWithStyle> shape = std::make_unique<CSwfShapeWithStyle>();
  uint8_t tagCode = tagcode::kDefineShape;
};

}  // namespace swftk
