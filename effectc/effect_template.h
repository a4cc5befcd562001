#pragma once

#include <cstdint>
#include <string>

#include "effectc/effect_source.h"
#include "swftk/object.h"

namespace effectc {

// The letter of a version-4 template is a text field this many twips high, the height of
// 36-point text: the engine scales the effect by the requested height over this one, so the
// effect's lengths are pixels at 36 points.
inline constexpr uint16_t kDesignTextHeight = 1080;

// Checks what the engine can replay: a version-3 effect is one letter layer and nothing
// else, since every placement of its effect sprite becomes the letter; a version-4 effect may
// add echoes, shapes and scripts. False with the reason in error.
bool CheckEffectRules(const EffectSource& effect, std::string& error);

// The tags of the template, End included: the root action that sets version, embedGlyphs and
// name first of all, so that nothing before it can look like one of those names; the device
// font and the text field bound to "text"; the letter sprite that holds the field; the
// effect's characters and sprite; the sprite placed as "effect" (and "effect1" ...).
bool BuildEffectTemplate(const EffectSource& effect, swftk::TagList& tags, std::string& error);

}  // namespace effectc
