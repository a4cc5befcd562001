// Whole files through the player: loading, three frames of playing and drawing each. Nothing
// may crash, hang or claim memory without bound.
#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "player/image.h"
#include "player/movie_loader.h"
#include "player/player.h"
#include "player/renderer.h"
#include "swftk/units.h"

namespace {

// Small images keep each run short; what is drawn does not depend on the size.
constexpr double kLargestSide = 64.0;
constexpr int kFrames = 3;

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  const player::MovieLoadResult loaded =
      player::LoadMovieBytes(std::vector<uint8_t>(data, data + size));
  if (!loaded.movie) return 0;
  const player::TwipsRect& stage = loaded.movie->stage;
  const double side = std::max(stage.xMax - stage.xMin, stage.yMax - stage.yMin) /
                      static_cast<double>(swftk::kTwipsPerPixel);
  const double scale = side > kLargestSide ? kLargestSide / side : 1.0;
  int width = 0;
  int height = 0;
  std::string error;
  const bool drawable = player::StageImageSize(*loaded.movie, scale, width, height, error);
  std::unique_ptr<player::CKV_Image> image =
      drawable ? player::CKV_Image::Create(width, height) : nullptr;
  player::CKV_Player player(loaded.movie);
  for (int frame = 0; frame < kFrames; ++frame) {
    if (image) player::RenderFrame(player, *image);
    player.Advance();
  }
  return 0;
}
