#pragma once

#include <cstdint>
#include <functional>
#include <memory>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

#include "player/play_context.h"
#include "player/pointer_input.h"
#include "player/sprite_instance.h"
#include "player/target_path.h"
#include "player/transform.h"

namespace player {

class CKV_DeviceFonts;
class CKV_GlyphCache;
class CKV_ShapeCache;
class CKV_Movie;

// What a player is told before its first frame plays.
struct PlayerOptions {
  // Where scripts' traces (as UTF-8) and new warnings go as they happen.
  std::function<void(const std::string&)> onTrace;
  std::function<void(const std::string&)> onWarning;
  // The level the movie plays on, and how its scripts reach the others' roots.
  int level = 0;
  LevelRoots levels;
  // The movie's address, as _url gives it.
  std::string url;
  // Text fields without embedded outlines draw with these, or with a set of the player's own
  // over the installed fonts.
  std::shared_ptr<CKV_DeviceFonts> deviceFonts;
};

// Plays a loaded movie frame by frame. Made showing the first frame; each Advance moves every
// timeline on by one frame, as one tick of the movie's frame rate does. Scripts run after the
// display-list changes of each step.
class CKV_Player {
 public:
  explicit CKV_Player(std::shared_ptr<const CKV_Movie> movie, PlayerOptions options = {});
  CKV_Player(const CKV_Player&) = delete;
  CKV_Player& operator=(const CKV_Player&) = delete;
  ~CKV_Player();

  void Advance();
  // Shows a frame of the main timeline as a script's goto does, leaving it stopped.
  void GotoFrame(uint32_t frame);

  const CKV_Movie& Movie() const { return *movie_; }
  CKV_DeviceFonts& DeviceFonts() const { return *deviceFonts_; }
  // Masks of the movie's glyphs and its shapes' rasterisations as drawn so far, for drawing
  // them again.
  CKV_GlyphCache& GlyphCache() const { return *glyphCache_; }
  CKV_ShapeCache& ShapeCache() const { return *shapeCache_; }
  const CKV_SpriteInstance& Root() const { return *root_; }
  CKV_SpriteInstance& Root() { return *root_; }
  uint32_t CurrentFrame() const { return root_->CurrentFrame(); }
  // Frames advanced since the first.
  uint64_t Ticks() const { return context_.tick; }
  // Faults met while playing, such as bounds reached.
  const CKV_WarningList& Warnings() const { return context_.warnings; }

  // The pointer, in stage pixels: moves, presses and releases run the scripts they trigger
  // (button actions, drags) before they return.
  void MouseMove(double x, double y);
  void MouseDown();
  void MouseUp();
  // Whether the pointer is over a button, for the hand cursor.
  bool IsOverButton() const { return pointer_.IsOverButton(); }

  // The addresses scripts asked for since the last call, oldest first.
  std::vector<UrlRequest> TakeUrlRequests() { return std::exchange(context_.urlRequests, {}); }
  int Level() const { return context_.level; }
  // The main timeline or a sprite a slash path names from the root; null when none.
  CKV_SpriteInstance* FindClip(std::string_view path) {
    return ResolveTargetPath(*root_, path, context_.levels);
  }
  const CKV_PlayContext& Context() const { return context_; }

  // The stage colour: the movie's own until set here.
  Rgba Background() const { return background_; }
  void SetBackground(Rgba color) { background_ = color; }

 private:
  // Runs the scripts the step queued and shows bound fields' new values.
  void FinishStep();

  std::shared_ptr<const CKV_Movie> movie_;
  std::shared_ptr<CKV_DeviceFonts> deviceFonts_;
  std::unique_ptr<CKV_GlyphCache> glyphCache_;
  std::unique_ptr<CKV_ShapeCache> shapeCache_;
  // Instances report to the context until they go, so it outlives them.
  CKV_PlayContext context_;
  std::unique_ptr<CKV_SpriteInstance> root_;
  CKV_PointerInput pointer_;
  Rgba background_;
};

// Whether the movie's main timeline has stopped once played to the frame (counting from 1),
// as a movie ending in stop() has by its last frame. Plays without drawing.
bool StopsBy(const std::shared_ptr<const CKV_Movie>& movie, uint32_t frame);

}  // namespace player
