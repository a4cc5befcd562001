#pragma once

#include <cstdint>
#include <map>
#include <memory>
#include <string>
#include <string_view>

#include "avm/value.h"
#include "player/instance.h"

namespace player {

class CKV_Timeline;

// A running timeline: the main movie or a placed sprite. It starts playing at frame 1 and
// loops at its end until an action stops it. Each frame it shows queues that frame's scripts
// before its new children queue theirs, so a parent's script runs first and finds them.
class CKV_SpriteInstance : public CKV_Instance {
 public:
  CKV_SpriteInstance(const CKV_Character* character, const CKV_Timeline& timeline,
                     CKV_PlayContext& context, int nesting);
  ~CKV_SpriteInstance() override;

  void Enter(CKV_PlayContext& context) override;
  void Tick(CKV_PlayContext& context) override;
  using CKV_Instance::Children;
  const DisplayList* Children() const override { return &children_; }

  uint32_t CurrentFrame() const { return current_; }
  uint32_t FrameCount() const;
  bool IsPlaying() const { return playing_; }
  void Play() { playing_ = true; }
  void Stop() { playing_ = false; }
  // Shows a frame (clamped to the timeline) and queues its scripts, as a script's goto does.
  void GotoFrame(CKV_PlayContext& context, uint32_t frame);
  bool IsClone() const { return cloneOf_ != nullptr; }
  void MarkAsClone(CKV_PlayContext& context);
  const CKV_Timeline& Timeline() const { return timeline_; }

  // The timeline's variables, named without regard to ASCII case; null when never set.
  const avm::Value* FindVariable(std::string_view name) const;
  void SetVariable(std::string_view name, avm::Value value);
  // The entry that places this timeline: its parent's, or for the main movie one of its own.
  DisplayEntry& Placed();

 private:
  // Brings the display list to a frame: forwards by applying the frames in between, backwards
  // by replaying from frame 1 and keeping the objects the replay keeps. False when already
  // there.
  bool ShowFrame(CKV_PlayContext& context, uint32_t frame);

  const CKV_Timeline& timeline_;
  DisplayList children_;
  uint32_t current_ = 0;
  bool playing_ = true;
  // Set on clones, which scripts may remove; the context counts them.
  CKV_PlayContext* cloneOf_ = nullptr;
  std::map<std::string, avm::Value> variables_;
  // The main movie's own position, which scripts may move like any sprite's.
  DisplayEntry rootEntry_;
};

}  // namespace player
