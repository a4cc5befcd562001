#pragma once

#include <string>

#include "player/movie_loader.h"

namespace player {

// Reads a whole movie file for a player that must show it as it stands: a file that is
// missing, not a SWF movie or shorter than its header says gives no movie and a reason.
MovieLoadResult LoadCompleteMovieFile(const std::string& path);

}  // namespace player
