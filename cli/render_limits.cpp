#include "cli/render_limits.h"

#include <cstdio>
#include <ostream>

#include "player/movie.h"
#include "player/player.h"

namespace zarn::cli {

uint32_t CutRangeAtStop(const std::shared_ptr<const player::CKV_Movie>& movie, uint32_t last,
                        std::ostream& err) {
  const uint32_t frames = movie->timeline.FrameCount();
  if (last <= frames || frames == 0) return last;
  // Played to its last frame without drawing, which costs little beside drawing.
  if (!player::StopsBy(movie, frames)) return last;
  err << "zarn-cli: note: the movie has stopped by its last frame, " << frames
      << "; the range ends there instead of at " << last << "\n";
  return frames;
}

bool RenderIsAffordable(uint32_t count, int width, int height, std::ostream& err) {
  const uint64_t bytes =
      uint64_t{count} * static_cast<uint64_t>(width) * static_cast<uint64_t>(height) * 4;
  if (bytes <= kMaxRenderBytes) return true;
  char size[32];
  std::snprintf(size, sizeof size, "%.1f GB", static_cast<double>(bytes) / 1e9);
  err << "zarn-cli: " << count << " frames of " << width << " x " << height << " pixels make "
      << size << " of pixels, more than the " << (kMaxRenderBytes >> 30)
      << " GiB a render may make; choose fewer frames or a smaller --scale\n";
  return false;
}

}  // namespace zarn::cli
