#include "player/edit_text_character.h"

#include "player/font_character.h"
#include "player/paint_style.h"
#include "swftk/edit_text.h"

namespace player {
namespace {

// The second flag byte's HTML bit, which the toolkit reads but does not name.
constexpr uint16_t kHtmlFlag = 0x0002;

}  // namespace

CKV_EditTextCharacter::CKV_EditTextCharacter(const swftk::CSwfDefineEditText& field,
                                             const CKV_FontCharacter* font)
    : CKV_Character(field.characterId, CharacterKind::kEditText), font(font) {
  using swftk::CSwfDefineEditText;
  if (field.bounds)
    bounds = {static_cast<double>(field.bounds->xMin), static_cast<double>(field.bounds->yMin),
              static_cast<double>(field.bounds->xMax), static_cast<double>(field.bounds->yMax)};
  const uint16_t flags = field.flags;
  if (flags & CSwfDefineEditText::kHasFont) {
    fontId = field.fontId;
    height = field.fontHeight;
  }
  if ((flags & CSwfDefineEditText::kHasTextColor) && field.textColor)
    color = ColorFromSwf(field.textColor.get());
  wordWrap = (flags & CSwfDefineEditText::kWordWrap) != 0;
  multiline = (flags & CSwfDefineEditText::kMultiline) != 0;
  password = (flags & CSwfDefineEditText::kPassword) != 0;
  border = (flags & CSwfDefineEditText::kBorder) != 0;
  useOutlines = (flags & CSwfDefineEditText::kUseOutlines) != 0;
  html = (flags & kHtmlFlag) != 0;
  if (flags & CSwfDefineEditText::kHasMaxLength) maxLength = field.maxLength;
  if (flags & CSwfDefineEditText::kHasLayout) {
    align = field.align <= 3 ? static_cast<Align>(field.align) : Align::kLeft;
    leftMargin = field.leftMargin;
    rightMargin = field.rightMargin;
    // Indent and leading are signed in the format.
    indent = static_cast<int16_t>(field.indent);
    leading = static_cast<int16_t>(field.leading);
  }
  variableName = field.variableName;
  if (flags & CSwfDefineEditText::kHasText) initialText = field.initialText;
}

}  // namespace player
