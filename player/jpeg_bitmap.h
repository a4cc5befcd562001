#pragma once

#include <cstdint>
#include <vector>

#include "player/bitmap_character.h"

namespace swftk {
class CSwfDefineBitsJpeg;
}  // namespace swftk

namespace player {

// Decodes a DefineBits (with the movie's JPEGTables), DefineBitsJPEG2 or DefineBitsJPEG3 (with
// its alpha, one byte a pixel; missing alpha reads as transparent).
BitmapDecodeResult DecodeJpegBitmap(const swftk::CSwfDefineBitsJpeg& tag,
                                    const std::vector<uint8_t>& tables);

}  // namespace player
