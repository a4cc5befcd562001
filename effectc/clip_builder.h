#pragma once

#include <cstdint>
#include <string>

#include "effectc/action_assembler.h"
#include "effectc/effect_source.h"
#include "swftk/object.h"

namespace effectc {

// What a clip's layers refer to outside the clip.
struct ClipContext {
  // The sprite that letter layers place.
  uint16_t letterSpriteId = 0;
  // What "${name}" stands for in the clip's scripts.
  ScriptConstants constants;
};

// Appends the characters the clip's layers draw and then the clip's own sprite, with the ids
// after lastId in that order; lastId ends at the sprite's id.
//
// Each layer takes the depth of its place in the list, from 1. A layer appears at its first
// keyframe, placed by character under its name, and from then on is moved in every frame in
// which its pose changes; matrices always come along, so a letter never loses its
// position when the engine swaps its character. A letter layer other than "letter" is given
// the text of "letter" by a script in its first frame: the movie only ever sets that one.
// Without loop the last frame stops the clip.
bool BuildClip(const ClipSource& clip, const ClipContext& context, uint16_t& lastId,
               swftk::TagList& tags, std::string& error);

}  // namespace effectc
