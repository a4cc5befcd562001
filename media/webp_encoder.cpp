// Animated WebP through libwebp's animation encoder, which assembles the whole file in memory
// (it is compressed already) before it is written in one piece.
#include <webp/encode.h>
#include <webp/mux.h>

#include <cmath>

#include "media/frame_encoder.h"
#include "swftk/replace_file.h"

namespace media {
namespace {

struct AnimDeleter {
  void operator()(WebPAnimEncoder* encoder) const { WebPAnimEncoderDelete(encoder); }
};

class CKV_WebpEncoder : public CKV_FrameEncoder {
 public:
  bool Open(const EncoderSetup& setup, std::string& error) {
    setup_ = setup;
    // Made first, so an unwritable destination is told before any frame is drawn.
    if (!file_.Open(setup.path, error)) return false;
    WebPAnimEncoderOptions options;
    if (!WebPAnimEncoderOptionsInit(&options) || !WebPConfigInit(&config_)) {
      error = "this system's libwebp does not match the one the program was built with";
      return false;
    }
    options.anim_params.loop_count = 0;  // for ever, as browsers show animated images
    options.allow_mixed = 0;
    config_.lossless = setup.quality >= 100 ? 1 : 0;
    config_.quality = setup.quality >= 100 ? 75.0f : static_cast<float>(setup.quality);
    // Sharper colour edges than plain averaging, which blurs thin coloured letters.
    config_.use_sharp_yuv = 1;
    // Colour under fully transparent pixels kept, so edges blend without a halo.
    config_.exact = setup.alpha ? 1 : 0;
    encoder_.reset(WebPAnimEncoderNew(setup.width, setup.height, &options));
    if (!encoder_) {
      error = "libwebp cannot make an animation of " + std::to_string(setup.width) + " x " +
              std::to_string(setup.height) + " pixels";
      return false;
    }
    return true;
  }

  bool AddFrame(const uint8_t* bgra, int stride, std::string& error) override {
    WebPPicture picture;
    if (!WebPPictureInit(&picture)) return Fail("libwebp cannot start a picture", error);
    picture.use_argb = 1;
    picture.width = setup_.width;
    picture.height = setup_.height;
    const bool imported = WebPPictureImportBGRA(&picture, bgra, stride) != 0;
    const bool added =
        imported && WebPAnimEncoderAdd(encoder_.get(), &picture, Timestamp(frames_), &config_);
    WebPPictureFree(&picture);
    if (!added) return Fail(WebPAnimEncoderGetError(encoder_.get()), error);
    ++frames_;
    return true;
  }

  bool Finish(std::string& error) override {
    if (!WebPAnimEncoderAdd(encoder_.get(), nullptr, Timestamp(frames_), nullptr))
      return Fail(WebPAnimEncoderGetError(encoder_.get()), error);
    WebPData data;
    WebPDataInit(&data);
    if (!WebPAnimEncoderAssemble(encoder_.get(), &data))
      return Fail(WebPAnimEncoderGetError(encoder_.get()), error);
    file_.Write(data.bytes, data.size);
    WebPDataClear(&data);
    return file_.Commit(error);
  }

 private:
  static bool Fail(const std::string& reason, std::string& error) {
    error = "libwebp: " + (reason.empty() ? std::string("the encoder failed") : reason);
    return false;
  }

  // Start times rounded to milliseconds from the exact ones, so delays add up to the run time.
  int Timestamp(int frame) const {
    return static_cast<int>(std::lround(frame * 1000.0 / setup_.fps));
  }

  swftk::FileReplacement file_;
  EncoderSetup setup_;
  WebPConfig config_{};
  std::unique_ptr<WebPAnimEncoder, AnimDeleter> encoder_;
  int frames_ = 0;
};

}  // namespace

std::unique_ptr<CKV_FrameEncoder> CreateWebpEncoder(const EncoderSetup& setup, std::string& error) {
  auto encoder = std::make_unique<CKV_WebpEncoder>();
  if (!encoder->Open(setup, error)) return nullptr;
  return encoder;
}

}  // namespace media
