#pragma once

#include <cstdint>
#include <memory>
#include <string>

#include "player/image.h"
#include "player/player.h"

namespace player {

class CKV_Movie;

// Renders a run of a movie's frames in order, as the movie plays from its start: frame N is
// what shows after N - 1 frames of playing. Can start over for writers that pass twice.
class CKV_FrameSequence {
 public:
  // Null with the reason in error when the stage cannot be drawn at the scale or the range
  // is empty.
  static std::unique_ptr<CKV_FrameSequence> Create(std::shared_ptr<const CKV_Movie> movie,
                                                   double scale, uint32_t first, uint32_t last,
                                                   std::string& error);
  // The same with the stage drawn at a size of its own, stretched when its proportions differ.
  static std::unique_ptr<CKV_FrameSequence> Create(std::shared_ptr<const CKV_Movie> movie,
                                                   int width, int height, uint32_t first,
                                                   uint32_t last, std::string& error);

  // Back to before the first frame.
  void Restart();
  // The next frame, or null after the last. The image stays valid until the next call.
  const CKV_Image* Next();

  uint32_t First() const { return first_; }
  uint32_t Last() const { return last_; }
  uint32_t Count() const { return last_ - first_ + 1; }
  // The number of the frame Next returned last.
  uint32_t Current() const { return next_ - 1; }
  int Width() const { return image_->Width(); }
  int Height() const { return image_->Height(); }
  double FrameRate() const;
  // Load and play warnings of the run so far.
  const CKV_Player& Player() const { return *player_; }

 private:
  CKV_FrameSequence(std::shared_ptr<const CKV_Movie> movie, std::unique_ptr<CKV_Image> image,
                    uint32_t first, uint32_t last);

  std::shared_ptr<const CKV_Movie> movie_;
  std::unique_ptr<CKV_Image> image_;
  std::unique_ptr<CKV_Player> player_;
  uint32_t first_ = 1;
  uint32_t last_ = 1;
  // The frame the player shows, and the frame Next renders.
  uint32_t shown_ = 1;
  uint32_t next_ = 1;
};

}  // namespace player
