#pragma once

#include <string>
#include <vector>

#include "player/text_character.h"

namespace player {

class CKV_EditTextCharacter;
class CKV_FontCharacter;

// The inside of a text field is inset by this much from its bounds, in twips.
inline constexpr double kFieldPadding = 40.0;

// Lays a field's displayed text out in a font: lines broken at line ends (and, with word
// wrap, between words to fit the width), aligned, indented and spaced as the field says.
// Positions are in the field's twips. Characters the font lacks are left out.
std::vector<PlacedGlyph> LayOutFieldText(const CKV_EditTextCharacter& field,
                                         const CKV_FontCharacter& font, const std::string& text);

// The text a field shows for its contents: HTML markup reduced to its text and line breaks,
// a password hidden behind asterisks.
std::string DisplayedFieldText(const CKV_EditTextCharacter& field, const std::string& text);

}  // namespace player
