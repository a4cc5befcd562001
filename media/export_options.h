#pragma once

#include <cstdint>
#include <functional>
#include <string>

namespace media {

// How a movie is exported. Sizes are rendered from the vectors, never scaled as pixels.
struct ExportOptions {
  std::string path;  // the format follows its extension
  double scale = 1.0;
  // A width or height in pixels overrides the scale; one alone keeps the stage's proportions.
  int width = 0;
  int height = 0;
  // Frames per second of the output, 0 for the movie's own rate; other rates hold or skip
  // the movie's frames.
  double fps = 0;
  // The stage background left out; letters are antialiased over alpha.
  bool transparent = false;
  // Passes of the range written one after another.
  uint32_t loops = 1;
  uint32_t from = 1;
  uint32_t to = 0;  // 0: the main timeline's last frame
  // 1 to 100; 100 is lossless where the format has a lossless mode (WebP).
  int quality = 75;
};

// Told the output frames done and the total after every frame; returning false stops the
// export, which then leaves no file.
using ExportProgress = std::function<bool(uint32_t done, uint32_t total)>;

}  // namespace media
