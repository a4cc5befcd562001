#pragma once

#include <string>

#include "swftk/object.h"
#include "swftk/records.h"

namespace swftk {

// A tag with no body: ShowFrame, End, Protect.
template <uint16_t Code>
class CSwfEmptyTag : public CSwfTag {
 public:
  uint16_t GetTagCode() const override { return Code; }
  uint32_t Write(CSwfStream& out) const override;
};

using CSwfShowFrame = CSwfEmptyTag<tagcode::kShowFrame>;
using CSwfEnd = CSwfEmptyTag<tagcode::kEnd>;
using CSwfProtect = CSwfEmptyTag<tagcode::kProtect>;

class CSwfSetBackgroundColor : public CSwfTag {
 public:
  uint16_t GetTagCode() const override { return tagcode::kSetBackgroundColor; }
  virtual void SetColor(uint8_t r, uint8_t g, uint8_t b) { color.Set(r, g, b); }
  uint32_t Read(CSwfReader& reader) override { return color.Read(reader); }
  uint32_t Write(CSwfStream& out) const override;

  CSwfColor color;
};

class CSwfFrameLabel : public CSwfTag {
 public:
  CSwfFrameLabel() = default;
  explicit CSwfFrameLabel(std::string label) : label(std::move(label)) {}

  uint16_t GetTagCode() const override { return tagcode::kFrameLabel; }
  virtual void Assign(const CSwfFrameLabel& other) { label = other.label; }
  uint32_t Read(CSwfReader& reader) override;
  uint32_t Write(CSwfStream& out) const override;

  std::string label;
};

}  // namespace swftk
