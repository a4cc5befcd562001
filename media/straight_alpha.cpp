#include "media/straight_alpha.h"

#include <algorithm>
#include <cstddef>

#include "player/image.h"

namespace media {
namespace {

// Fully transparent pixels take the colour of their most opaque neighbour. They show nothing
// themselves, but formats that store colour at half resolution average them with the edge
// pixels beside them, which would otherwise darken every antialiased edge.
void BleedIntoClearPixels(std::vector<uint8_t>& bgra, int width, int height) {
  const auto at = [&](int x, int y) {
    return bgra.data() + (static_cast<size_t>(y) * static_cast<size_t>(width) + x) * 4;
  };
  for (int y = 0; y < height; ++y) {
    for (int x = 0; x < width; ++x) {
      uint8_t* pixel = at(x, y);
      if (pixel[3] != 0) continue;
      const uint8_t* best = nullptr;
      for (int ny = std::max(0, y - 1); ny <= std::min(height - 1, y + 1); ++ny) {
        for (int nx = std::max(0, x - 1); nx <= std::min(width - 1, x + 1); ++nx) {
          const uint8_t* near = at(nx, ny);
          if (near[3] != 0 && (!best || near[3] > best[3])) best = near;
        }
      }
      if (best) std::copy(best, best + 3, pixel);
    }
  }
}

}  // namespace

void Unpremultiply(const player::CKV_Image& image, std::vector<uint8_t>& bgra) {
  const int width = image.Width();
  const int height = image.Height();
  bgra.resize(static_cast<size_t>(width) * static_cast<size_t>(height) * 4);
  uint8_t* out = bgra.data();
  for (int y = 0; y < height; ++y) {
    const uint8_t* row = image.Data() + static_cast<ptrdiff_t>(y) * image.Stride();
    for (int x = 0; x < width; ++x, row += 4, out += 4) {
      const unsigned alpha = row[3];
      out[3] = static_cast<uint8_t>(alpha);
      for (int c = 0; c < 3; ++c) {
        out[c] = alpha == 0
                     ? 0
                     : static_cast<uint8_t>(std::min(255u, (row[c] * 255u + alpha / 2) / alpha));
      }
    }
  }
  BleedIntoClearPixels(bgra, width, height);
}

}  // namespace media
