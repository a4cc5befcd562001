#include "effectc/clip_builder.h"

#include <map>
#include <memory>
#include <vector>

#include "effectc/keyframe_track.h"
#include "effectc/pose_encoding.h"
#include "effectc/shape_builder.h"
#include "swftk/button.h"
#include "swftk/control_tags.h"
#include "swftk/place_object.h"
#include "swftk/sprite.h"

namespace effectc {
namespace {

// A layer as the timeline sees it: what it places where, and when it appears.
struct PlacedLayer {
  const Layer* layer = nullptr;
  uint16_t characterId = 0;
  uint16_t depth = 0;
  int firstFrame = 1;
  EncodedPose previous;
};

void AddTo(swftk::CSwfDefineSprite& sprite, std::unique_ptr<swftk::CSwfTag> tag) {
  sprite.AddTag(tag);
}

// A button that shows its drawing in the up, over and down states and reacts to the
// handlers' events; the hit area defaults to the drawing.
bool BuildButton(const Layer& layer, const ClipContext& context, uint16_t& lastId,
                 swftk::TagList& tags, std::string& error) {
  auto drawing = BuildShape(layer.drawing, ++lastId);
  const uint16_t drawingId = drawing->characterId;
  tags.push_back(std::move(drawing));
  uint16_t hitId = drawingId;
  if (!layer.hitArea.empty()) {
    auto hit = BuildShape(layer.hitArea, ++lastId);
    hitId = hit->characterId;
    tags.push_back(std::move(hit));
  }
  auto button = std::make_unique<swftk::CSwfDefineButton2>();
  button->characterId = ++lastId;
  const auto addRecord = [&button](uint8_t states, uint16_t id, uint16_t depth) {
    auto record = std::make_unique<swftk::ButtonRecord>();
    record->states = states;
    record->characterId = id;
    record->depth = depth;
    record->matrix = std::make_unique<swftk::CSwfMatrix>();
    button->AddRecord(std::move(record));
  };
  constexpr uint8_t kShown =
      swftk::ButtonRecord::kUp | swftk::ButtonRecord::kOver | swftk::ButtonRecord::kDown;
  if (hitId == drawingId) {
    addRecord(kShown | swftk::ButtonRecord::kHitTest, drawingId, 1);
  } else {
    addRecord(kShown, drawingId, 1);
    addRecord(swftk::ButtonRecord::kHitTest, hitId, 2);
  }
  for (const ButtonHandler& handler : layer.handlers) {
    auto actions = std::make_unique<swftk::CSwfDoAction>();
    if (!Assemble(handler.script, context.constants, actions->actions, error)) return false;
    button->AddAction(std::move(actions));
    button->AddCondition(static_cast<uint16_t>(handler.event));
  }
  tags.push_back(std::move(button));
  return true;
}

bool MakeCharacter(const Layer& layer, const ClipContext& context, uint16_t& lastId,
                   swftk::TagList& tags, uint16_t& characterId, std::string& error) {
  switch (layer.kind) {
    case Layer::Kind::kLetter:
      characterId = context.letterSpriteId;
      return true;
    case Layer::Kind::kShape:
      characterId = ++lastId;
      tags.push_back(BuildShape(layer.drawing, characterId));
      return true;
    case Layer::Kind::kButton:
      if (!BuildButton(layer, context, lastId, tags, error)) return false;
      characterId = lastId;
      return true;
  }
  return false;
}

// The placement of a layer in one frame, or null when it looks as in the frame before.
std::unique_ptr<swftk::CSwfPlaceObject2> PlaceLayer(PlacedLayer& placed, int frame) {
  if (frame < placed.firstFrame) return nullptr;
  const EncodedPose pose = EncodePose(PoseAt(placed.layer->keys, frame));
  const bool appears = frame == placed.firstFrame;
  if (!appears && pose == placed.previous) return nullptr;
  auto placement = std::make_unique<swftk::CSwfPlaceObject2>();
  placement->depth = placed.depth;
  placement->matrix = MakeMatrix(pose);
  if (appears) {
    placement->characterId = placed.characterId;
    placement->name = placed.layer->name;
    if (!pose.HasIdentityColor()) placement->colorTransformAlpha = MakeColorTransform(pose);
  } else {
    placement->move = true;
    if (!pose.SameColor(placed.previous)) placement->colorTransformAlpha = MakeColorTransform(pose);
  }
  placed.previous = pose;
  return placement;
}

// "name:text" = "letter:text": an echo shows what the movie gave the letter.
Script CopyLetterText(const Layer& layer) {
  return {layer.origin,
          {"push \"" + layer.name + ":text\", \"letter:text\"", "getVariable", "setVariable"}};
}

}  // namespace

bool BuildClip(const ClipSource& clip, const ClipContext& context, uint16_t& lastId,
               swftk::TagList& tags, std::string& error) {
  std::vector<PlacedLayer> layers;
  for (const Layer& layer : clip.layers) {
    PlacedLayer placed;
    placed.layer = &layer;
    placed.depth = static_cast<uint16_t>(layers.size() + 1);
    placed.firstFrame = FirstFrame(layer);
    if (!MakeCharacter(layer, context, lastId, tags, placed.characterId, error)) return false;
    layers.push_back(placed);
  }

  // Scripts by frame, in the order the frame runs them.
  std::map<int, std::vector<Script>> scripts;
  for (const PlacedLayer& placed : layers) {
    if (placed.layer->kind == Layer::Kind::kLetter && placed.layer->name != "letter")
      scripts[placed.firstFrame].push_back(CopyLetterText(*placed.layer));
  }
  for (const FrameScript& script : clip.scripts) scripts[script.frame].push_back(script.script);
  if (!clip.loop) scripts[clip.frames].push_back({"stop at the end", {"stop"}});

  auto sprite = std::make_unique<swftk::CSwfDefineSprite>(++lastId, 0);
  for (int frame = 1; frame <= clip.frames; ++frame) {
    for (PlacedLayer& placed : layers) {
      if (auto placement = PlaceLayer(placed, frame)) AddTo(*sprite, std::move(placement));
    }
    if (const auto found = scripts.find(frame); found != scripts.end()) {
      auto actions = std::make_unique<swftk::CSwfDoAction>();
      for (const Script& script : found->second) {
        if (!Assemble(script, context.constants, actions->actions, error)) return false;
      }
      AddTo(*sprite, std::move(actions));
    }
    AddTo(*sprite, std::make_unique<swftk::CSwfShowFrame>());
  }
  AddTo(*sprite, std::make_unique<swftk::CSwfEnd>());
  tags.push_back(std::move(sprite));
  return true;
}

}  // namespace effectc
