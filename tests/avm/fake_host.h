#pragma once

#include <map>
#include <memory>
#include <string>
#include <vector>

#include "avm/action_host.h"
#include "avm/text_case.h"

namespace avm::test {

// A timeline of the fake host: variables, properties, frames and named children.
struct FakeClip : CKV_TargetHandle {
  std::string name;
  FakeClip* parent = nullptr;
  std::map<std::string, Value> variables;
  std::map<int, Value> properties;
  std::map<std::string, std::shared_ptr<FakeClip>> children;
  uint32_t frame = 1;
  uint32_t frames = 3;
  bool playing = true;
  std::map<std::string, uint32_t> labels;
  std::map<uint32_t, std::vector<uint8_t>> scripts;
};

// Records what scripts ask of the world.
class FakeHost : public CKV_ActionHost {
 public:
  FakeHost() { root->name = "root"; }

  std::shared_ptr<FakeClip> AddChild(const std::string& name) {
    auto child = std::make_shared<FakeClip>();
    child->name = name;
    child->parent = root.get();
    root->children[name] = child;
    return child;
  }

  Target ResolveTarget(const Target& from, std::string_view path) override {
    auto* clip = static_cast<FakeClip*>(from.get());
    if (path == "/") return root;
    if (path == "..") return clip->parent == root.get() ? Target(root) : nullptr;
    if (!path.empty() && path[0] == '/') path.remove_prefix(1);
    const auto found = root->children.find(std::string(path));
    return found == root->children.end() ? nullptr : found->second;
  }
  Value GetVariable(const Target& target, std::string_view name) override {
    auto& variables = static_cast<FakeClip*>(target.get())->variables;
    const auto found = variables.find(LowerAscii(name));
    return found == variables.end() ? Value() : found->second;
  }
  void SetVariable(const Target& target, std::string_view name, Value value) override {
    static_cast<FakeClip*>(target.get())->variables[LowerAscii(name)] = std::move(value);
  }
  Value GetProperty(const Target& target, int index) override {
    return static_cast<FakeClip*>(target.get())->properties[index];
  }
  void SetProperty(const Target& target, int index, const Value& value) override {
    static_cast<FakeClip*>(target.get())->properties[index] = value;
  }
  void GotoFrame(const Target& target, uint32_t frame) override {
    auto* clip = static_cast<FakeClip*>(target.get());
    clip->frame = std::min(frame, clip->frames);
    log.push_back(clip->name + " goto " + std::to_string(frame));
  }
  uint32_t FrameOfLabel(const Target& target, std::string_view label) override {
    auto& labels = static_cast<FakeClip*>(target.get())->labels;
    const auto found = labels.find(std::string(label));
    return found == labels.end() ? 0 : found->second;
  }
  uint32_t CurrentFrame(const Target& target) override {
    return static_cast<FakeClip*>(target.get())->frame;
  }
  bool FrameLoaded(const Target& target, uint32_t frame) override {
    return frame <= static_cast<FakeClip*>(target.get())->frames;
  }
  void SetPlaying(const Target& target, bool playing) override {
    static_cast<FakeClip*>(target.get())->playing = playing;
  }
  std::vector<std::span<const uint8_t>> FrameActions(const Target& target,
                                                     uint32_t frame) override {
    auto& scripts = static_cast<FakeClip*>(target.get())->scripts;
    const auto found = scripts.find(frame);
    if (found == scripts.end()) return {};
    return {std::span<const uint8_t>(found->second)};
  }
  void CloneSprite(const Target& source, std::string_view name, int depth) override {
    log.push_back("clone " + static_cast<FakeClip*>(source.get())->name + " as " +
                  std::string(name) + " at " + std::to_string(depth));
  }
  void RemoveSprite(const Target& target) override {
    log.push_back("remove " + static_cast<FakeClip*>(target.get())->name);
  }
  void StartDrag(const Target& target, bool lockCenter,
                 const std::optional<DragBounds>& bounds) override {
    std::string line =
        "drag " + static_cast<FakeClip*>(target.get())->name + (lockCenter ? " locked" : "");
    if (bounds)
      line += " " + FormatNumber(bounds->left) + "," + FormatNumber(bounds->top) + "," +
              FormatNumber(bounds->right) + "," + FormatNumber(bounds->bottom);
    log.push_back(line);
  }
  void EndDrag() override { log.push_back("end drag"); }
  void Trace(const std::string& text) override { traces.push_back(text); }
  void Warn(const std::string& text) override { warnings.push_back(text); }
  void GetUrl(const std::string& url, const std::string& target, uint8_t method, bool loadTarget,
              bool loadVariables) override {
    log.push_back("url " + url + " " + target + " " + std::to_string(method) +
                  (loadTarget ? " target" : "") + (loadVariables ? " vars" : ""));
  }
  double Milliseconds() override { return 1234.5; }

  std::shared_ptr<FakeClip> root = std::make_shared<FakeClip>();
  std::vector<std::string> traces;
  std::vector<std::string> warnings;
  std::vector<std::string> log;
};

}  // namespace avm::test
