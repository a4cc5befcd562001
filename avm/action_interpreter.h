#pragma once

#include <cstddef>
#include <cstdint>
#include <optional>
#include <random>
#include <span>
#include <string>
#include <vector>

#include "avm/action_host.h"
#include "avm/value.h"

namespace avm {

// Bounds that keep a faulty or hostile script from running away.
struct InterpreterLimits {
  // Actions all scripts together may run between two StartFrame calls.
  size_t actionsPerFrame = 1000000;
  size_t stackSize = 10000;
  // Nested Call actions.
  int callDepth = 32;
  // Longest string an action may make, in bytes.
  size_t stringLength = 1 << 20;
};

// Runs version-4 action lists (and skips by its length any action it does not know). Values
// and conversions are those of Flash 4 players; everything outside the stack is reached
// through the host.
class CKV_ActionInterpreter {
 public:
  explicit CKV_ActionInterpreter(CKV_ActionHost& host, InterpreterLimits limits = {});

  // Gives the scripts of a new frame a fresh budget.
  void StartFrame();
  // Runs one action list on a timeline. A script that overruns the frame's budget is stopped
  // with a warning and the rest of the frame's scripts wait for the next frame; one that
  // overfills the stack is stopped; calls past the call depth are not made.
  void Run(std::span<const uint8_t> actions, const Target& self);
  // RandomNumber draws from a generator seeded here, so tests can repeat it.
  void SeedRandom(uint32_t seed) { random_.seed(seed); }

 private:
  struct Context;

  void Execute(std::span<const uint8_t> actions, const Target& self, int callDepth);
  // Runs the action at pc; returns the offset of the next one, or the list's end to stop.
  size_t Step(Context& context, uint8_t code, std::span<const uint8_t> payload, size_t next);
  bool RunSimple(Context& context, uint8_t code);
  size_t RunWithPayload(Context& context, uint8_t code, std::span<const uint8_t> payload,
                        size_t next);
  void Push(Value value);
  Value Pop();
  double PopNumber() { return Pop().ToNumber(); }
  std::string PopString() { return Pop().ToString(); }
  void PushString(std::string text);
  void Fail(const std::string& why);

  // A frame a script names: a number, a label, or "path:frame".
  struct FrameRef {
    Target target;
    uint32_t frame = 0;  // 0: none
  };
  FrameRef ResolveFrame(const Context& context, const Value& value);
  Target ResolveTarget(const Context& context, std::string_view path);
  // "path:name" gives the timeline of path and leaves name; a bare name, the current target.
  Target SplitPath(const Context& context, std::string_view& name);
  static std::optional<int> PropertyOfVariable(std::string_view name);
  void PushProperty(const Context& context);
  void PushPush(std::span<const uint8_t> payload, const std::vector<std::string>& pool);
  Value GetVariable(const Context& context, std::string_view name);
  void SetVariable(const Context& context, std::string_view name, Value value);
  void StringExtract();
  void SetTarget(Context& context, const std::string& path);
  void StartDrag(const Context& context);
  void CloneSprite(const Context& context);
  void Call(Context& context);

  CKV_ActionHost& host_;
  InterpreterLimits limits_;
  std::vector<Value> stack_;
  size_t actionsRun_ = 0;
  bool stopped_ = false;
  bool overrunReported_ = false;
  bool overflowed_ = false;
  std::mt19937 random_;
};

}  // namespace avm
