#pragma once

#include <memory>
#include <string>
#include <vector>

#include "player/movie.h"

namespace player {

struct MovieLoadResult {
  std::shared_ptr<const CKV_Movie> movie;
  // Why there is no movie.
  std::string error;
};

// Reads an "FWS" or "CWS" movie of any version.
MovieLoadResult LoadMovieFile(const std::string& path);
MovieLoadResult LoadMovieBytes(std::vector<uint8_t> bytes);

}  // namespace player
