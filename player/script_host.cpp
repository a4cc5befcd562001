#include "player/script_host.h"

#include "glyphs/windows1252.h"
#include "player/clip_drag.h"
#include "player/clip_properties.h"
#include "player/movie.h"
#include "player/play_context.h"
#include "player/sprite_instance.h"
#include "player/target_path.h"

namespace player {
namespace {

// Script-made objects live above every depth a timeline uses.
constexpr int kScriptDepthBase = 16384;

}  // namespace

CKV_ScriptHost::CKV_ScriptHost(CKV_PlayContext& context) : context_(context), interpreter_(*this) {}

void CKV_ScriptHost::Queue(const avm::Target& clip, std::span<const uint8_t> actions) {
  queue_.push_back({clip, actions});
}

void CKV_ScriptHost::RunQueue() {
  for (size_t runs = 0; !queue_.empty(); ++runs) {
    if (runs == kMaxScriptRunsPerStep) {
      Warn("frame scripts that jump back and forth were cut short");
      queue_.clear();
      return;
    }
    const QueuedScript script = std::move(queue_.front());
    queue_.pop_front();
    // A timeline removed before its turn runs nothing.
    if (ClipOf(script.clip)) interpreter_.Run(script.actions, script.clip);
  }
}

avm::Target CKV_ScriptHost::ResolveTarget(const avm::Target& from, std::string_view path) {
  CKV_SpriteInstance* clip = ClipOf(from);
  if (!clip) return nullptr;
  CKV_SpriteInstance* found = ResolveTargetPath(*clip, path, context_.levels);
  return found ? found->Handle() : nullptr;
}

avm::Value CKV_ScriptHost::GetVariable(const avm::Target& target, std::string_view name) {
  const CKV_SpriteInstance* clip = ClipOf(target);
  const avm::Value* value = clip ? clip->FindVariable(name) : nullptr;
  return value ? *value : avm::Value();
}

void CKV_ScriptHost::SetVariable(const avm::Target& target, std::string_view name,
                                 avm::Value value) {
  if (CKV_SpriteInstance* clip = ClipOf(target)) clip->SetVariable(name, std::move(value));
}

avm::Value CKV_ScriptHost::GetProperty(const avm::Target& target, int index) {
  CKV_SpriteInstance* clip = ClipOf(target);
  return clip ? GetClipProperty(*clip, index, context_) : avm::Value();
}

void CKV_ScriptHost::SetProperty(const avm::Target& target, int index, const avm::Value& value) {
  if (CKV_SpriteInstance* clip = ClipOf(target)) SetClipProperty(*clip, index, value, context_);
}

void CKV_ScriptHost::GotoFrame(const avm::Target& target, uint32_t frame) {
  if (CKV_SpriteInstance* clip = ClipOf(target)) clip->GotoFrame(context_, frame);
}

uint32_t CKV_ScriptHost::FrameOfLabel(const avm::Target& target, std::string_view label) {
  const CKV_SpriteInstance* clip = ClipOf(target);
  return clip ? clip->Timeline().FrameOfLabel(std::string(label)) : 0;
}

uint32_t CKV_ScriptHost::CurrentFrame(const avm::Target& target) {
  const CKV_SpriteInstance* clip = ClipOf(target);
  return clip ? clip->CurrentFrame() : 0;
}

bool CKV_ScriptHost::FrameLoaded(const avm::Target& target, uint32_t) {
  // The whole file is in memory before the first frame plays.
  return ClipOf(target) != nullptr;
}

void CKV_ScriptHost::SetPlaying(const avm::Target& target, bool playing) {
  if (CKV_SpriteInstance* clip = ClipOf(target)) playing ? clip->Play() : clip->Stop();
}

std::vector<std::span<const uint8_t>> CKV_ScriptHost::FrameActions(const avm::Target& target,
                                                                   uint32_t frame) {
  std::vector<std::span<const uint8_t>> lists;
  const CKV_SpriteInstance* clip = ClipOf(target);
  if (!clip || frame < 1 || frame > clip->FrameCount()) return lists;
  for (const std::vector<uint8_t>& script : clip->Timeline().Frame(frame).scripts)
    lists.emplace_back(script);
  return lists;
}

void CKV_ScriptHost::CloneSprite(const avm::Target& source, std::string_view name, int depth) {
  CKV_SpriteInstance* clip = ClipOf(source);
  CKV_Instance* parent = clip ? clip->Parent() : nullptr;
  DisplayList* siblings = parent ? parent->Children() : nullptr;
  const int cloneDepth = kScriptDepthBase + depth;
  if (!siblings || cloneDepth < 0 || cloneDepth > 0xFFFF) return;
  if (context_.liveClones >= kMaxClones) {
    Warn("more than " + std::to_string(kMaxClones) + " clones at once; the rest are not made");
    return;
  }
  DisplayEntry entry;
  entry.placement = clip->Placed().placement;
  entry.placement.name = std::string(name);
  entry.placement.clipDepth = 0;
  entry.movedByScript = true;
  siblings->insert_or_assign(static_cast<uint16_t>(cloneDepth), std::move(entry));
  MakeInstances(*siblings, context_, *parent);
  if (auto* made = dynamic_cast<CKV_SpriteInstance*>(
          siblings->at(static_cast<uint16_t>(cloneDepth)).instance.get()))
    made->MarkAsClone(context_);
}

void CKV_ScriptHost::RemoveSprite(const avm::Target& target) {
  CKV_SpriteInstance* clip = ClipOf(target);
  // Only what scripts made can scripts remove.
  if (!clip || !clip->IsClone() || !clip->Parent()) return;
  if (DisplayList* siblings = clip->Parent()->Children()) siblings->erase(clip->Depth());
}

void CKV_ScriptHost::StartDrag(const avm::Target& target, bool lockCenter,
                               const std::optional<avm::DragBounds>& bounds) {
  context_.drag = BeginDrag(target, lockCenter, bounds, context_);
  FollowPointer(*context_.drag, context_);
}

void CKV_ScriptHost::EndDrag() {
  context_.drag.reset();
}

void CKV_ScriptHost::Trace(const std::string& text) {
  if (!context_.onTrace) return;
  // Movies before version 6 hold Windows-1252 text; those from 6 on hold UTF-8.
  context_.onTrace(context_.movie.version < 6 ? glyphs::Windows1252ToUtf8(text) : text);
}

void CKV_ScriptHost::Warn(const std::string& text) {
  context_.warnings.Add(text);
}

void CKV_ScriptHost::GetUrl(const std::string& url, const std::string& target, uint8_t method,
                            bool loadTarget, bool loadVariables) {
  context_.urlRequests.push_back({url, target, method, loadTarget, loadVariables});
}

double CKV_ScriptHost::Milliseconds() {
  // Time as the frame clock gives it, so a movie plays the same on every run.
  const double rate = context_.movie.frameRate > 0 ? context_.movie.frameRate : 12;
  return static_cast<double>(context_.tick) * 1000 / rate;
}

}  // namespace player
