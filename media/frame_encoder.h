#pragma once

#include <cstdint>
#include <memory>
#include <string>

#include "media/export_format.h"

namespace media {

// What an encoder is made for.
struct EncoderSetup {
  ExportFormat format = ExportFormat::kMp4;
  std::string path;
  int width = 0;
  int height = 0;
  double fps = 0;
  bool alpha = false;
  int quality = 75;
};

// Takes the frames of one export in order and writes them to a file that appears only when
// Finish succeeds. Pixels are straight (not premultiplied) alpha, bytes B, G, R, A.
class CKV_FrameEncoder {
 public:
  virtual ~CKV_FrameEncoder() = default;
  virtual bool AddFrame(const uint8_t* bgra, int stride, std::string& error) = 0;
  virtual bool Finish(std::string& error) = 0;
};

// The encoder of a video or APNG file through FFmpeg's libraries; null with the reason.
std::unique_ptr<CKV_FrameEncoder> CreateAvEncoder(const EncoderSetup& setup, std::string& error);
// The encoder of an animated WebP through libwebp; null with the reason.
std::unique_ptr<CKV_FrameEncoder> CreateWebpEncoder(const EncoderSetup& setup, std::string& error);

}  // namespace media
