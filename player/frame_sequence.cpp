#include "player/frame_sequence.h"

#include "player/movie.h"
#include "player/renderer.h"

namespace player {

std::unique_ptr<CKV_FrameSequence> CKV_FrameSequence::Create(std::shared_ptr<const CKV_Movie> movie,
                                                             double scale, uint32_t first,
                                                             uint32_t last, std::string& error) {
  int width = 0;
  int height = 0;
  if (!StageImageSize(*movie, scale, width, height, error)) return nullptr;
  return Create(std::move(movie), width, height, first, last, error);
}

std::unique_ptr<CKV_FrameSequence> CKV_FrameSequence::Create(std::shared_ptr<const CKV_Movie> movie,
                                                             int width, int height, uint32_t first,
                                                             uint32_t last, std::string& error) {
  if (first < 1 || last < first) {
    error = "the frame range is empty";
    return nullptr;
  }
  std::unique_ptr<CKV_Image> image = CKV_Image::Create(width, height);
  if (!image) {
    error = "no memory for an image of " + std::to_string(width) + " x " + std::to_string(height) +
            " pixels";
    return nullptr;
  }
  return std::unique_ptr<CKV_FrameSequence>(
      new CKV_FrameSequence(std::move(movie), std::move(image), first, last));
}

CKV_FrameSequence::CKV_FrameSequence(std::shared_ptr<const CKV_Movie> movie,
                                     std::unique_ptr<CKV_Image> image, uint32_t first,
                                     uint32_t last)
    : movie_(std::move(movie)), image_(std::move(image)), first_(first), last_(last) {
  Restart();
}

void CKV_FrameSequence::Restart() {
  player_ = std::make_unique<CKV_Player>(movie_);
  shown_ = 1;
  next_ = first_;
}

const CKV_Image* CKV_FrameSequence::Next() {
  if (next_ > last_) return nullptr;
  // Frame 1 shows as the player is made; every later one takes one more frame of playing.
  for (; shown_ < next_; ++shown_) player_->Advance();
  RenderFrame(*player_, *image_);
  ++next_;
  return image_.get();
}

double CKV_FrameSequence::FrameRate() const {
  return movie_->frameRate;
}

}  // namespace player
