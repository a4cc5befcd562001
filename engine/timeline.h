#pragma once

#include <cstdint>

#include "engine/engine_messages.h"
#include "engine/movie_build.h"

namespace engine {

// The file's frame count is a 16-bit field.
inline constexpr uint32_t kMaxMovieFrames = 65535;

// The frames of the movie after its characters: every letter plays the first effect sprite
// (edit-text, plain all at once, or plain staggered by the frame delay), then the ending that
// stops or loops. False, after a message, when the movie would have more frames than its
// header can count.
bool AssembleTimeline(MovieBuild& build, const ErrorSink& sink);

}  // namespace engine
