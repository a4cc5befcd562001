#pragma once

#include <cstdint>
#include <vector>

namespace player {
class CKV_Image;
}

namespace media {

// The image's premultiplied pixels as straight alpha, rows packed (width x 4 bytes), bytes
// B, G, R, A. Encoders that take straight alpha would otherwise darken every antialiased edge.
void Unpremultiply(const player::CKV_Image& image, std::vector<uint8_t>& bgra);

}  // namespace media
