#pragma once

#include <cstddef>
#include <cstdint>
#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "player/clip_drag.h"

#include "player/script_requests.h"
#include "player/target_path.h"
#include "player/warning_list.h"

namespace player {

class CKV_Movie;
class CKV_ScriptHost;

// What every instance of one playing movie shares: the movie, the frame clock, the bounds
// on what a file can make the player build, and the warnings met while playing.
class CKV_PlayContext {
 public:
  // Sprites inside sprites beyond this depth are not made, so a sprite that places itself
  // ends.
  static constexpr int kMaxNesting = 32;
  // Objects alive at once, over all display lists.
  static constexpr size_t kMaxInstances = 20000;
  explicit CKV_PlayContext(const CKV_Movie& movie);
  ~CKV_PlayContext();
  CKV_PlayContext(const CKV_PlayContext&) = delete;
  CKV_PlayContext& operator=(const CKV_PlayContext&) = delete;

  const CKV_Movie& movie;
  // Counts the frames the movie has advanced; 0 while it shows its first.
  uint64_t tick = 0;
  size_t liveInstances = 0;
  CKV_WarningList warnings;

  // The level this movie plays on, and how its scripts reach the others.
  int level = 0;
  LevelRoots levels;
  // The movie's address, as _url gives it.
  std::string url;
  // The pointer on the stage, in twips.
  double mouseX = 0;
  double mouseY = 0;
  // Addresses scripts asked for, oldest first, until taken.
  std::vector<UrlRequest> urlRequests;
  // Told each line a script traces.
  std::function<void(const std::string&)> onTrace;
  size_t liveClones = 0;
  std::optional<ClipDrag> drag;
  // Runs the scripts; made with the context, gone with it.
  std::unique_ptr<CKV_ScriptHost> scripts;
};

}  // namespace player
