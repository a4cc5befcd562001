#include "swftk/edit_text.h"

#include "swftk/reader.h"
#include "swftk/stream.h"

namespace swftk {

void CSwfDefineEditText::Clear() {
  bounds.reset();
  textColor.reset();
}

void CSwfDefineEditText::Reset() {
  Clear();
  characterId = 1;
  flags = 0;
  fontId = 0;
  fontHeight = 100;
  maxLength = 1;
  align = 0;
  leftMargin = rightMargin = indent = leading = 0;
  variableName.clear();
  initialText.clear();
}

void CSwfDefineEditText::Init(uint16_t id, std::unique_ptr<CSwfColorAlpha> color,
                              std::string variable) {
  Reset();
  characterId = id;
  SetTextColor(std::move(color));
  variableName = std::move(variable);
}

void CSwfDefineEditText::SetInitialText(std::string text) {
  initialText = std::move(text);
  flags |= kHasText;
}

void CSwfDefineEditText::SetFont(uint16_t id, uint16_t height) {
  fontId = id;
  fontHeight = height;
  flags |= kHasFont | kHasLayout;
}

void CSwfDefineEditText::SetTextColor(std::unique_ptr<CSwfColorAlpha> color) {
  textColor = std::move(color);
  if (textColor) {
    flags |= kHasTextColor;
  } else {
    flags &= static_cast<uint16_t>(~kHasTextColor);
  }
}

void CSwfDefineEditText::SetMaxLength(uint16_t length) {
  maxLength = length;
  flags |= kHasMaxLength;
}

void CSwfDefineEditText::SetLayout(uint8_t newAlign, uint16_t left, uint16_t right,
                                   uint16_t newIndent, uint16_t newLeading) {
  align = newAlign;
  leftMargin = left;
  rightMargin = right;
  indent = newIndent;
  leading = newLeading;
  flags |= kHasLayout;
}

uint32_t CSwfDefineEditText::Read(CSwfReader& reader) {
  const uint32_t start = reader.GetPosition();
  Reset();
  characterId = reader.ReadUI16();
  bounds = std::make_unique<CSwfRect>();
  bounds->Read(reader);
  // Presence is decided by the flags as read; the setters may add flags (a font brings a
  // layout block when written back) but must not make this read take fields that are absent.
  const uint8_t high = reader.ReadUI8();
  const auto read = static_cast<uint16_t>(high << 8 | reader.ReadUI8());
  flags = read;
  if (read & kHasFont) {
    const uint16_t id = reader.ReadUI16();
    SetFont(id, reader.ReadUI16());
  }
  if (read & kHasTextColor) {
    auto color = std::make_unique<CSwfColorAlpha>();
    color->Read(reader);
    SetTextColor(std::move(color));
  }
  if (read & kHasMaxLength) SetMaxLength(reader.ReadUI16());
  if (read & kHasLayout) {
    const uint8_t newAlign = reader.ReadUI8();
    const uint16_t left = reader.ReadUI16();
    const uint16_t right = reader.ReadUI16();
    const uint16_t newIndent = reader.ReadUI16();
    SetLayout(newAlign, left, right, newIndent, reader.ReadUI16());
  }
  reader.ReadString(variableName, 0);
  if (read & kHasText) {
    std::string text;
    reader.ReadString(text, 0);
    SetInitialText(std::move(text));
  }
  return reader.GetPosition() - start;
}

uint32_t CSwfDefineEditText::Write(CSwfStream& out) const {
  auto written = static_cast<uint16_t>(flags & kWrittenFlags);
  // A colour flag without a colour would leave the field unreadable.
  if (!textColor) written &= static_cast<uint16_t>(~kHasTextColor);

  const Frame frame = BeginFrame(out);
  out.WriteUI16(characterId);
  // An absent rectangle is written as the empty one, so the tag stays readable.
  (bounds ? *bounds : CSwfRect()).Write(out);
  out.WriteByte(static_cast<uint8_t>(written >> 8));
  out.WriteByte(static_cast<uint8_t>(written));
  if (written & kHasFont) {
    out.WriteUI16(fontId);
    out.WriteUI16(fontHeight);
  }
  if (written & kHasTextColor) textColor->Write(out);
  if (written & kHasMaxLength) out.WriteUI16(maxLength);
  if (written & kHasLayout) {
    out.WriteByte(align);
    out.WriteUI16(leftMargin);
    out.WriteUI16(rightMargin);
    out.WriteUI16(indent);
    out.WriteUI16(leading);
  }
  out.WriteString(variableName);
  out.WriteByte(0);
  if (written & kHasText) {
    out.WriteString(initialText);
    out.WriteByte(0);
  }
  return EndFrame(out, frame);
}

}  // namespace swftk
