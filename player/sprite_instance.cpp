#include "player/sprite_instance.h"

#include <algorithm>

#include "player/movie.h"
#include "player/play_context.h"
#include "player/timeline.h"

namespace player {

CKV_SpriteInstance::CKV_SpriteInstance(const CKV_Character* character, const CKV_Timeline& timeline,
                                       CKV_PlayContext& context, int nesting)
    : CKV_Instance(character, context, nesting), timeline_(timeline) {}

uint32_t CKV_SpriteInstance::FrameCount() const {
  return timeline_.FrameCount();
}

void CKV_SpriteInstance::Enter(CKV_PlayContext& context) {
  actionRuns_ = 0;
  JumpTo(context, 1);
  RunPendingActions(context);
}

void CKV_SpriteInstance::Tick(CKV_PlayContext& context) {
  actionRuns_ = 0;
  // A timeline of one frame stands still; a longer one loops back to its first frame.
  if (playing_ && FrameCount() > 1) {
    JumpTo(context, current_ < FrameCount() ? current_ + 1 : 1);
    RunPendingActions(context);
  }
  TickInstances(children_, context);
}

void CKV_SpriteInstance::GotoFrame(CKV_PlayContext& context, uint32_t frame) {
  JumpTo(context, frame);
  RunPendingActions(context);
}

bool CKV_SpriteInstance::ShowFrame(CKV_PlayContext& context, uint32_t frame) {
  frame = std::clamp<uint32_t>(frame, 1, FrameCount());
  if (frame == current_) return false;
  if (frame > current_) {
    for (uint32_t f = current_ + 1; f <= frame; ++f)
      ApplyFrameCommands(timeline_.Frame(f), f, context.movie.characters, children_);
  } else {
    DisplayList replayed;
    for (uint32_t f = 1; f <= frame; ++f)
      ApplyFrameCommands(timeline_.Frame(f), f, context.movie.characters, replayed);
    KeepMatchingInstances(children_, replayed);
    children_.swap(replayed);
  }
  current_ = frame;
  MakeInstances(children_, context, Nesting());
  return true;
}

void CKV_SpriteInstance::JumpTo(CKV_PlayContext& context, uint32_t frame) {
  if (ShowFrame(context, frame) && !timeline_.Frame(current_).actions.empty())
    pendingActions_.push_back(current_);
}

void CKV_SpriteInstance::Execute(CKV_PlayContext& context, const TimelineAction& action) {
  switch (action.kind) {
    case TimelineAction::Kind::kPlay:
      playing_ = true;
      break;
    case TimelineAction::Kind::kStop:
      playing_ = false;
      break;
    case TimelineAction::Kind::kGotoFrame:
      playing_ = false;
      JumpTo(context, action.frame);
      break;
    case TimelineAction::Kind::kNextFrame:
      playing_ = false;
      if (current_ < FrameCount()) JumpTo(context, current_ + 1);
      break;
    case TimelineAction::Kind::kPrevFrame:
      playing_ = false;
      if (current_ > 1) JumpTo(context, current_ - 1);
      break;
    case TimelineAction::Kind::kGotoLabel:
      if (const uint32_t frame = timeline_.FrameOfLabel(action.label); frame != 0) {
        playing_ = false;
        JumpTo(context, frame);
      }
      break;
  }
}

void CKV_SpriteInstance::RunPendingActions(CKV_PlayContext& context) {
  while (!pendingActions_.empty()) {
    const uint32_t frame = pendingActions_.front();
    pendingActions_.pop_front();
    if (actionRuns_ >= CKV_PlayContext::kMaxActionRunsPerFrame) {
      context.warnings.Add("frame scripts that jump back and forth were cut short");
      pendingActions_.clear();
      return;
    }
    ++actionRuns_;
    for (const TimelineAction& action : timeline_.Frame(frame).actions) Execute(context, action);
  }
}

}  // namespace player
