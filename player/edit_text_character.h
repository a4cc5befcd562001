#pragma once

#include <string>

#include "player/character.h"
#include "player/transform.h"

namespace swftk {
class CSwfDefineEditText;
}

namespace player {

class CKV_FontCharacter;

// DefineEditText: a text field's box, font, colour and paragraph layout.
class CKV_EditTextCharacter : public CKV_Character {
 public:
  enum class Align : uint8_t { kLeft = 0, kRight = 1, kCenter = 2, kJustify = 3 };

  // The font must have been defined before the field; otherwise the field draws with
  // device glyphs or none.
  CKV_EditTextCharacter(const swftk::CSwfDefineEditText& field, const CKV_FontCharacter* font);

  TwipsRect bounds;
  const CKV_FontCharacter* font = nullptr;
  uint16_t fontId = 0;
  double height = 240;  // twips
  Rgba color{0, 0, 0, 255};
  bool wordWrap = false;
  bool multiline = false;
  bool password = false;
  bool border = false;
  bool useOutlines = false;
  bool html = false;
  uint16_t maxLength = 0;  // 0: no limit
  Align align = Align::kLeft;
  double leftMargin = 0;
  double rightMargin = 0;
  double indent = 0;
  double leading = 0;
  std::string variableName;
  std::string initialText;
};

}  // namespace player
