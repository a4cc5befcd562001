#pragma once

#include <memory>

#include "swftk/object.h"

namespace swftk {

// The tag object the reader makes for a code; codes it does not model become unknown tags.
// DefineSprite is modelled only up to the reader's nesting bound.
std::unique_ptr<CSwfTag> MakeTag(uint16_t code, uint32_t length, int spriteNesting);

// The published name of a tag code ("DefineShape", "PlaceObject2"), or "Unknown".
const char* TagName(uint16_t code);

}  // namespace swftk
