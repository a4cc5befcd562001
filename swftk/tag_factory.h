#pragma once

#include <memory>

#include "swftk/object.h"

namespace swftk {

// Which tags get their own classes. A rewrite passes the tags it never changes through as
// raw bytes; a reader that acts on a movie's content wants them all modelled.
enum class TagModel : uint8_t { kRewrite, kEveryModelledTag };

// The tag object the reader makes for a code; codes it does not model become unknown tags.
// DefineSprite is modelled only up to the reader's nesting bound.
std::unique_ptr<CSwfTag> MakeTag(uint16_t code, uint32_t length, int spriteNesting,
                                 TagModel model = TagModel::kRewrite);

// The published name of a tag code ("DefineShape", "PlaceObject2"), or "Unknown".
const char* TagName(uint16_t code);

}  // namespace swftk
