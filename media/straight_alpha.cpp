#include "media/straight_alpha.h"

#include <algorithm>

#include "player/image.h"

namespace media {

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
}

}  // namespace media
