#pragma once

#include <cstdint>
#include <memory>
#include <optional>
#include <span>
#include <string>
#include <string_view>
#include <vector>

#include "avm/value.h"

namespace avm {

// A timeline a script addresses. The host hands these out; one whose timeline has gone stays
// safe to hold and simply finds nothing.
class CKV_TargetHandle {
 public:
  virtual ~CKV_TargetHandle() = default;
};
using Target = std::shared_ptr<CKV_TargetHandle>;

// A drag's constraint, in the parent's coordinates, in pixels.
struct DragBounds {
  double left = 0;
  double top = 0;
  double right = 0;
  double bottom = 0;
};

// Everything a script reaches outside its own stack: the display list's timelines, their
// variables and properties, and the world beyond the movie. The player implements it.
class CKV_ActionHost {
 public:
  virtual ~CKV_ActionHost() = default;

  // A slash path ("/a/b", "../c", "_level10/cross") from a timeline; null when none.
  virtual Target ResolveTarget(const Target& from, std::string_view path) = 0;

  // Variables by name, without regard to ASCII case.
  virtual Value GetVariable(const Target& target, std::string_view name) = 0;
  virtual void SetVariable(const Target& target, std::string_view name, Value value) = 0;
  // Properties by index, 0 (_x) to 21 (_ymouse).
  virtual Value GetProperty(const Target& target, int index) = 0;
  virtual void SetProperty(const Target& target, int index, const Value& value) = 0;

  // Frames count from 1. A frame past the end shows the last one.
  virtual void GotoFrame(const Target& target, uint32_t frame) = 0;
  // 0 when the timeline has no such label.
  virtual uint32_t FrameOfLabel(const Target& target, std::string_view label) = 0;
  virtual uint32_t CurrentFrame(const Target& target) = 0;
  // Whether a frame has arrived; a movie loaded whole has every frame, and those past its
  // end too.
  virtual bool FrameLoaded(const Target& target, uint32_t frame) = 0;
  virtual void SetPlaying(const Target& target, bool playing) = 0;
  // The action lists of a frame, for Call.
  virtual std::vector<std::span<const uint8_t>> FrameActions(const Target& target,
                                                             uint32_t frame) = 0;

  virtual void CloneSprite(const Target& source, std::string_view name, int depth) = 0;
  virtual void RemoveSprite(const Target& target) = 0;
  virtual void StartDrag(const Target& target, bool lockCenter,
                         const std::optional<DragBounds>& bounds) = 0;
  virtual void EndDrag() = 0;

  virtual void Trace(const std::string& text) = 0;
  virtual void Warn(const std::string& text) = 0;
  // GetURL and GetURL2: method 0 none, 1 GET, 2 POST; loadTarget and loadVariables as the
  // action's flags give them.
  virtual void GetUrl(const std::string& url, const std::string& target, uint8_t method,
                      bool loadTarget, bool loadVariables) = 0;
  // Milliseconds since the movie started.
  virtual double Milliseconds() = 0;
};

}  // namespace avm
