// The dump of fonts and text fields.
#include "cli/dump_format.h"
#include "cli/dump_tags.h"
#include "swftk/edit_text.h"
#include "swftk/font.h"

namespace zarn::cli {
namespace {

using swftk::CSwfDefineEditText;
using swftk::CSwfDefineFont2;

const std::vector<FlagName> kFontFlags = {
    {CSwfDefineFont2::kHasLayout, "HasLayout"},     {CSwfDefineFont2::kShiftJis, "ShiftJIS"},
    {CSwfDefineFont2::kSmallText, "SmallText"},     {CSwfDefineFont2::kAnsi, "ANSI"},
    {CSwfDefineFont2::kWideOffsets, "WideOffsets"}, {CSwfDefineFont2::kWideCodes, "WideCodes"},
    {CSwfDefineFont2::kItalic, "Italic"},           {CSwfDefineFont2::kBold, "Bold"},
};

const std::vector<FlagName> kEditTextFlags = {
    {CSwfDefineEditText::kHasText, "HasText"},
    {CSwfDefineEditText::kWordWrap, "WordWrap"},
    {CSwfDefineEditText::kMultiline, "Multiline"},
    {CSwfDefineEditText::kPassword, "Password"},
    {CSwfDefineEditText::kReadOnly, "ReadOnly"},
    {CSwfDefineEditText::kHasTextColor, "HasTextColor"},
    {CSwfDefineEditText::kHasMaxLength, "HasMaxLength"},
    {CSwfDefineEditText::kHasFont, "HasFont"},
    {CSwfDefineEditText::kHasLayout, "HasLayout"},
    {CSwfDefineEditText::kNoSelect, "NoSelect"},
    {CSwfDefineEditText::kBorder, "Border"},
    {CSwfDefineEditText::kUseOutlines, "UseOutlines"},
};

std::string FlagsField(uint32_t flags, int digits, const std::vector<FlagName>& names) {
  std::string text = "flags 0x" + Hex(flags, digits);
  const std::string named = FlagNames(flags, names);
  return named.empty() ? text : text + " (" + named + ")";
}

void DescribeFont2(const CSwfDefineFont2& font, TagDescription& description) {
  description.summary = "id " + std::to_string(font.characterId) + ", name " + Quoted(font.name) +
                        ", " + Counted(font.glyphs.size(), "glyph", "glyphs") + ", " +
                        FlagsField(font.flags, 2, kFontFlags);
  if (font.flags & CSwfDefineFont2::kHasLayout) {
    description.details.push_back("ascent " + std::to_string(font.ascent) + ", descent " +
                                  std::to_string(font.descent) + ", leading " +
                                  std::to_string(font.leading) + ", " +
                                  Counted(font.kerning.size(), "kerning pair", "kerning pairs"));
  }
}

void DescribeEditText(const CSwfDefineEditText& edit, TagDescription& description) {
  description.summary = "id " + std::to_string(edit.characterId) + ", variable " +
                        Quoted(edit.variableName) + ", " +
                        FlagsField(edit.flags, 4, kEditTextFlags);
  std::string look = edit.bounds ? "bounds " + FormatRect(*edit.bounds) : "no bounds";
  if (edit.flags & CSwfDefineEditText::kHasFont) {
    look += ", font " + std::to_string(edit.fontId) + " height " + std::to_string(edit.fontHeight);
  }
  if (edit.textColor) look += ", color " + FormatColor(*edit.textColor);
  if (edit.flags & CSwfDefineEditText::kHasMaxLength) {
    look += ", max length " + std::to_string(edit.maxLength);
  }
  description.details.push_back(look);
  if (edit.flags & CSwfDefineEditText::kHasLayout) {
    description.details.push_back(
        "layout align " + std::to_string(edit.align) + ", margins " +
        std::to_string(edit.leftMargin) + " " + std::to_string(edit.rightMargin) + ", indent " +
        std::to_string(edit.indent) + ", leading " + std::to_string(edit.leading));
  }
  if (edit.flags & CSwfDefineEditText::kHasText) {
    description.details.push_back("text " + Quoted(edit.initialText));
  }
}

}  // namespace

bool DescribeTextTag(const swftk::CSwfTag& tag, TagDescription& description) {
  if (const auto* font = dynamic_cast<const CSwfDefineFont2*>(&tag)) {
    DescribeFont2(*font, description);
  } else if (const auto* edit = dynamic_cast<const CSwfDefineEditText*>(&tag)) {
    DescribeEditText(*edit, description);
  } else {
    return false;
  }
  return true;
}

}  // namespace zarn::cli
