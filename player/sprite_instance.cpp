#include "player/sprite_instance.h"

#include <algorithm>

#include "avm/text_case.h"
#include "player/movie.h"
#include "player/play_context.h"
#include "player/script_host.h"
#include "player/timeline.h"

namespace player {

CKV_SpriteInstance::CKV_SpriteInstance(const CKV_Character* character, const CKV_Timeline& timeline,
                                       CKV_PlayContext& context, int nesting)
    : CKV_Instance(character, context, nesting), timeline_(timeline) {}

CKV_SpriteInstance::~CKV_SpriteInstance() {
  if (cloneOf_) --cloneOf_->liveClones;
}

const avm::Value* CKV_SpriteInstance::FindVariable(std::string_view name) const {
  const auto found = variables_.find(avm::LowerAscii(name));
  return found == variables_.end() ? nullptr : &found->second;
}

void CKV_SpriteInstance::SetVariable(std::string_view name, avm::Value value) {
  variables_.insert_or_assign(avm::LowerAscii(name), std::move(value));
}

DisplayEntry& CKV_SpriteInstance::Placed() {
  DisplayEntry* entry = OwnEntry();
  return entry ? *entry : rootEntry_;
}

uint32_t CKV_SpriteInstance::FrameCount() const {
  return timeline_.FrameCount();
}

void CKV_SpriteInstance::MarkAsClone(CKV_PlayContext& context) {
  if (cloneOf_) return;
  cloneOf_ = &context;
  ++context.liveClones;
}

void CKV_SpriteInstance::Enter(CKV_PlayContext& context) {
  ShowFrame(context, 1);
}

void CKV_SpriteInstance::Tick(CKV_PlayContext& context) {
  // A timeline of one frame stands still; a longer one loops back to its first frame.
  if (playing_ && FrameCount() > 1) ShowFrame(context, current_ < FrameCount() ? current_ + 1 : 1);
  TickInstances(children_, context);
}

void CKV_SpriteInstance::GotoFrame(CKV_PlayContext& context, uint32_t frame) {
  ShowFrame(context, frame);
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
  for (const std::vector<uint8_t>& script : timeline_.Frame(current_).scripts)
    context.scripts->Queue(Handle(), script);
  MakeInstances(children_, context, *this);
  return true;
}

}  // namespace player
