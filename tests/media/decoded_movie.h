#pragma once

// Exported files read back with FFmpeg's libraries (libwebp's for animated WebP, which this
// FFmpeg does not decode), as straight RGBA frames.

#include <cstdint>
#include <string>
#include <vector>

namespace player {
class CKV_Image;
}

namespace media::test {

struct DecodedMovie {
  int width = 0;
  int height = 0;
  double fps = 0;
  std::string pixelFormat;                   // FFmpeg's name of the stored layout; "webp" for WebP
  std::vector<std::vector<uint8_t>> frames;  // RGBA, straight alpha, rows packed

  // Red, green, blue and alpha of a pixel.
  const uint8_t* Pixel(size_t frame, int x, int y) const {
    return frames[frame].data() + (static_cast<size_t>(y) * width + x) * 4;
  }
};

// False with the reason in error when the file cannot be read.
bool DecodeMovie(const std::string& path, DecodedMovie& movie, std::string& error);

// The peak signal-to-noise ratio in dB of a decoded frame's colour against the player's
// drawing; infinite when they are equal.
double Psnr(const DecodedMovie& decoded, size_t frame, const player::CKV_Image& expected);

}  // namespace media::test
