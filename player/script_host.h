#pragma once

#include <deque>
#include <span>

#include "avm/action_host.h"
#include "avm/action_interpreter.h"

namespace player {

class CKV_PlayContext;

// The player's side of scripts: runs the action lists timelines queue, in order, and gives
// the interpreter the display list's timelines, variables and properties.
class CKV_ScriptHost : public avm::CKV_ActionHost {
 public:
  // Clones alive at once in one movie.
  static constexpr size_t kMaxClones = 2000;
  // Action lists one step may run, so frame scripts that jump back and forth end.
  static constexpr size_t kMaxScriptRunsPerStep = 10000;

  explicit CKV_ScriptHost(CKV_PlayContext& context);

  // Queues a timeline's action list to run after the display-list changes now under way.
  void Queue(const avm::Target& clip, std::span<const uint8_t> actions);
  // Runs the queue, and what the scripts queue, until it is empty or the step's runs are
  // used up.
  void RunQueue();
  // A new frame: scripts get a fresh budget.
  void StartFrame() { interpreter_.StartFrame(); }
  avm::CKV_ActionInterpreter& Interpreter() { return interpreter_; }

  avm::Target ResolveTarget(const avm::Target& from, std::string_view path) override;
  avm::Value GetVariable(const avm::Target& target, std::string_view name) override;
  void SetVariable(const avm::Target& target, std::string_view name, avm::Value value) override;
  avm::Value GetProperty(const avm::Target& target, int index) override;
  void SetProperty(const avm::Target& target, int index, const avm::Value& value) override;
  void GotoFrame(const avm::Target& target, uint32_t frame) override;
  uint32_t FrameOfLabel(const avm::Target& target, std::string_view label) override;
  uint32_t CurrentFrame(const avm::Target& target) override;
  bool FrameLoaded(const avm::Target& target, uint32_t frame) override;
  void SetPlaying(const avm::Target& target, bool playing) override;
  std::vector<std::span<const uint8_t>> FrameActions(const avm::Target& target,
                                                     uint32_t frame) override;
  void CloneSprite(const avm::Target& source, std::string_view name, int depth) override;
  void RemoveSprite(const avm::Target& target) override;
  void StartDrag(const avm::Target& target, bool lockCenter,
                 const std::optional<avm::DragBounds>& bounds) override;
  void EndDrag() override;
  void Trace(const std::string& text) override;
  void Warn(const std::string& text) override;
  void GetUrl(const std::string& url, const std::string& target, uint8_t method, bool loadTarget,
              bool loadVariables) override;
  double Milliseconds() override;

 private:
  struct QueuedScript {
    avm::Target clip;
    std::span<const uint8_t> actions;
  };

  CKV_PlayContext& context_;
  avm::CKV_ActionInterpreter interpreter_;
  std::deque<QueuedScript> queue_;
};

}  // namespace player
