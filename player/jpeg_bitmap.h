#pragma once

#include <cstdint>
#include <vector>

#include "player/bitmap_character.h"

namespace swftk {
class CSwfDefineBitsJpeg;
}  // namespace swftk

namespace player {

// Decodes a DefineBits (with the movie's JPEGTables), DefineBitsJPEG2 or DefineBitsJPEG3 (with
// its alpha, one byte a pixel: none at all is opaque, alpha cut short is transparent from
// there on).
BitmapDecodeResult DecodeJpegBitmap(const swftk::CSwfDefineBitsJpeg& tag,
                                    const std::vector<uint8_t>& tables);

}  // namespace player
