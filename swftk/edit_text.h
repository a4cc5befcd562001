#pragma once

#include <memory>
#include <string>

#include "swftk/object.h"
#include "swftk/records.h"

namespace swftk {

// DefineEditText: a text field. Each optional block goes with its flag; the setters set the
// flags, so a field built through them is always written consistently.
class CSwfDefineEditText : public CSwfCharacterTag {
 public:
  // High byte: the first flag byte of the format.
  static constexpr uint16_t kHasText = 0x8000;
  static constexpr uint16_t kWordWrap = 0x4000;
  static constexpr uint16_t kMultiline = 0x2000;
  static constexpr uint16_t kPassword = 0x1000;
  static constexpr uint16_t kReadOnly = 0x0800;
  static constexpr uint16_t kHasTextColor = 0x0400;
  static constexpr uint16_t kHasMaxLength = 0x0200;
  static constexpr uint16_t kHasFont = 0x0100;
  // Low byte: the second flag byte.
  static constexpr uint16_t kHasLayout = 0x0020;
  static constexpr uint16_t kNoSelect = 0x0010;
  static constexpr uint16_t kBorder = 0x0008;
  static constexpr uint16_t kUseOutlines = 0x0001;
  // The bits this toolkit writes; the rest (HTML, auto-size and later additions) are dropped.
  static constexpr uint16_t kWrittenFlags = 0xFF39;

  CSwfDefineEditText() { Reset(); }

  uint16_t GetTagCode() const override { return tagcode::kDefineEditText; }
  void Clear() override;
  void Reset() override;
  uint32_t Read(CSwfReader& reader) override;
  uint32_t Write(CSwfStream& out) const override;

  // Reset, then the id, the text colour and the variable the field shows.
  virtual void Init(uint16_t id, std::unique_ptr<CSwfColorAlpha> color, std::string variable);

  void SetInitialText(std::string text);
  // A font always comes with its height, which lives in the layout: both flags are set.
  void SetFont(uint16_t id, uint16_t height);
  // A null colour clears the flag.
  void SetTextColor(std::unique_ptr<CSwfColorAlpha> color);
  void SetMaxLength(uint16_t length);
  void SetLayout(uint8_t newAlign, uint16_t left, uint16_t right, uint16_t newIndent,
                 uint16_t newLeading);

  std::unique_ptr<CSwfRect> bounds;
  uint16_t flags = 0;
  uint16_t fontId = 0;
  uint16_t fontHeight = 100;  // twips
  std::unique_ptr<CSwfColorAlpha> textColor;
  uint16_t maxLength = 1;
  uint8_t align = 0;
  uint16_t leftMargin = 0;
  uint16_t rightMargin = 0;
  uint16_t indent = 0;
  uint16_t leading = 0;
  std::string variableName;
  std::string initialText;
};

}  // namespace swftk
