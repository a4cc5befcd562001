#pragma once

#include <cstdint>
#include <memory>

#include "player/play_context.h"
#include "player/sprite_instance.h"
#include "player/transform.h"

namespace player {

class CKV_DeviceFonts;
class CKV_GlyphCache;
class CKV_Movie;

// Plays a loaded movie frame by frame. Made showing the first frame; each Advance moves every
// timeline on by one frame, as one tick of the movie's frame rate does.
class CKV_Player {
 public:
  // Text fields without embedded outlines draw with the device fonts given, or with a set of
  // the player's own over the installed fonts.
  explicit CKV_Player(std::shared_ptr<const CKV_Movie> movie,
                      std::shared_ptr<CKV_DeviceFonts> deviceFonts = nullptr);
  CKV_Player(const CKV_Player&) = delete;
  CKV_Player& operator=(const CKV_Player&) = delete;
  ~CKV_Player();

  void Advance();
  // Shows a frame of the main timeline as a script's goto does, leaving it stopped.
  void GotoFrame(uint32_t frame);

  const CKV_Movie& Movie() const { return *movie_; }
  CKV_DeviceFonts& DeviceFonts() const { return *deviceFonts_; }
  // Masks of the movie's glyphs as drawn so far, for drawing them again.
  CKV_GlyphCache& GlyphCache() const { return *glyphCache_; }
  const CKV_SpriteInstance& Root() const { return *root_; }
  CKV_SpriteInstance& Root() { return *root_; }
  uint32_t CurrentFrame() const { return root_->CurrentFrame(); }
  // Frames advanced since the first.
  uint64_t Ticks() const { return context_.tick; }
  // Faults met while playing, such as bounds reached.
  const CKV_WarningList& Warnings() const { return context_.warnings; }

  // The stage colour: the movie's own until set here.
  Rgba Background() const { return background_; }
  void SetBackground(Rgba color) { background_ = color; }

 private:
  std::shared_ptr<const CKV_Movie> movie_;
  std::shared_ptr<CKV_DeviceFonts> deviceFonts_;
  std::unique_ptr<CKV_GlyphCache> glyphCache_;
  // Instances report to the context until they go, so it outlives them.
  CKV_PlayContext context_;
  std::unique_ptr<CKV_SpriteInstance> root_;
  Rgba background_;
};

}  // namespace player
