#pragma once

#include <cstdint>
#include <functional>
#include <optional>
#include <string>

#include "player/control_events.h"
#include "player/frame_clock.h"
#include "player/level_set.h"
#include "player/stage_view.h"
#include "player/transform.h"
#include "player/warning_list.h"

namespace player {

class CKV_Image;
class CKV_Player;

// A player the program embeds, as a preview window does: movies in levels over one stage, a
// clock, mouse input and drawing into a buffer of any size. It never opens anything itself;
// what a movie asks for is handed to the program's handlers after the step or input event
// that raised it.
class CKV_PreviewControl {
 public:
  enum class MessageKind { kTrace, kWarning };
  using MessageHandler = std::function<void(MessageKind kind, const std::string& text)>;

  CKV_PreviewControl();
  CKV_PreviewControl(const CKV_PreviewControl&) = delete;
  CKV_PreviewControl& operator=(const CKV_PreviewControl&) = delete;
  ~CKV_PreviewControl();

  // Reads the whole file and builds its first frame before returning. A movie in level 0
  // unloads every level. A file that is missing, cut short or not a SWF movie leaves the
  // level empty (level 0: the whole stage), records a warning and gives false.
  bool LoadMovie(int level, const std::string& path);
  // Stops the main timeline of every level; Play starts them again.
  void Stop();
  void Play();
  // 0x00RRGGBB, shown behind every level in place of the movies' own colour, whatever is
  // loaded later; a negative value gives the stage back the base movie's colour.
  void SetBackgroundColor(int32_t color);

  // Moves every level on by the frames the base movie's clock gives for the time passed.
  // Returns the frames advanced.
  int Advance(double elapsedSeconds);
  double FrameRate() const { return clock_.Rate(); }

  // Draws the stage scaled to fit the image, aspect kept and centred, the margins in the
  // background colour. The image holds logical pixels times the ratio; mouse positions are
  // then taken in the logical pixels of this drawing.
  void Draw(CKV_Image& image, double devicePixelRatio = 1.0);
  // Sets the output size, in logical pixels, that mouse positions refer to, as drawing does.
  void SetOutputSize(double width, double height);

  void SetFsCommandHandler(CKV_ControlEvents::FsCommandHandler handler);
  void SetOpenAddressHandler(CKV_ControlEvents::OpenAddressHandler handler);
  // Traces of the movies and warnings of loading and playing, each warning once.
  void SetMessageHandler(MessageHandler handler) { messages_ = std::move(handler); }
  const CKV_WarningList& Warnings() const { return warnings_; }

  // The movie in a level; null when the level is empty.
  const CKV_Player* Level(int level) const { return levels_.Find(level); }
  // The colour behind the levels now.
  Rgba Background() const;

 private:
  CKV_StageView View() const;
  void Warn(const std::string& text);
  // After every step, input event or load: passes on the new warnings, then the events.
  void Finish();

  CKV_LevelSet levels_;
  CKV_FrameClock clock_;
  CKV_ControlEvents events_;
  MessageHandler messages_;
  CKV_WarningList warnings_;
  std::optional<Rgba> background_;
  // Zero until drawn or set: the stage's own size.
  double outputWidth_ = 0;
  double outputHeight_ = 0;
};

}  // namespace player
