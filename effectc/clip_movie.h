#pragma once

#include <string>

#include "effectc/effect_source.h"
#include "swftk/object.h"

namespace effectc {

// The tags of a movie that shows one clip: the background colour, the clip's characters and
// sprite, the sprite placed under the clip's name at its position, one frame, End.
bool BuildClipMovie(const MovieSource& movie, swftk::TagList& tags, std::string& error);

}  // namespace effectc
