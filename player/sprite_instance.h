#pragma once

#include <cstdint>
#include <deque>

#include "player/instance.h"

namespace player {

class CKV_Timeline;
struct TimelineAction;

// A running timeline: the main movie or a placed sprite. It starts playing at frame 1 and
// loops at its end until an action stops it.
class CKV_SpriteInstance : public CKV_Instance {
 public:
  CKV_SpriteInstance(const CKV_Character* character, const CKV_Timeline& timeline,
                     CKV_PlayContext& context, int nesting);

  void Enter(CKV_PlayContext& context) override;
  void Tick(CKV_PlayContext& context) override;
  using CKV_Instance::Children;
  const DisplayList* Children() const override { return &children_; }

  uint32_t CurrentFrame() const { return current_; }
  uint32_t FrameCount() const;
  bool IsPlaying() const { return playing_; }
  void Play() { playing_ = true; }
  void Stop() { playing_ = false; }
  // Shows a frame (clamped to the timeline) and runs its actions, as a script's goto does.
  void GotoFrame(CKV_PlayContext& context, uint32_t frame);

 private:
  // Brings the display list to a frame: forwards by applying the frames in between, backwards
  // by replaying from frame 1 and keeping the objects the replay keeps. False when already
  // there.
  bool ShowFrame(CKV_PlayContext& context, uint32_t frame);
  void JumpTo(CKV_PlayContext& context, uint32_t frame);
  void Execute(CKV_PlayContext& context, const TimelineAction& action);
  void RunPendingActions(CKV_PlayContext& context);

  const CKV_Timeline& timeline_;
  DisplayList children_;
  uint32_t current_ = 0;
  bool playing_ = true;
  // Frames whose actions wait to run, after the script that jumped there.
  std::deque<uint32_t> pendingActions_;
  int actionRuns_ = 0;
};

}  // namespace player
