#include "effectc/effect_template.h"

#include <memory>

#include "effectc/clip_builder.h"
#include "effectc/keyframe_track.h"
#include "swftk/actions.h"
#include "swftk/control_tags.h"
#include "swftk/edit_text.h"
#include "swftk/font.h"
#include "swftk/place_object.h"
#include "swftk/sprite.h"

namespace effectc {
namespace {

constexpr uint16_t kFontId = 1;
constexpr uint16_t kFieldId = 2;
constexpr uint16_t kLetterSpriteId = 3;
// The field has a 2-pixel margin on every side.
constexpr int32_t kFieldMargin = 40;
constexpr int32_t kFieldWidth = 2 * kDesignTextHeight;
constexpr int32_t kFieldHeight = kDesignTextHeight + 2 * kFieldMargin;
// Where the template shows its effect when played on its own, in twips.
constexpr int32_t kEffectX = 2000;
constexpr int32_t kEffectY = 2000;

constexpr uint8_t kAlignCenter = 2;

bool Fail(std::string& error, const std::string& where, const std::string& what) {
  error = where + ": " + what;
  return false;
}

void AddAssignment(swftk::CSwfDoAction& action, const std::string& name, const std::string& value) {
  action.AddAction(std::make_unique<swftk::CSwfActionPush>(name));
  action.AddAction(std::make_unique<swftk::CSwfActionPush>(value));
  action.AddAction(std::make_unique<swftk::CSwfActionSetVariable>());
}

// The variables are found by a byte search for the name followed by a zero, whose misses
// consume as many bytes as the name is long. "version" comes right after the tag header,
// and each later name follows bytes that hold none of their first letters: the value "3" or
// "4", a set-variable code and a push header.
std::unique_ptr<swftk::CSwfDoAction> TemplateVariables(const EffectSource& effect) {
  auto action = std::make_unique<swftk::CSwfDoAction>();
  AddAssignment(*action, "version", std::to_string(effect.version));
  if (!effect.embedGlyphs.empty()) AddAssignment(*action, "embedGlyphs", effect.embedGlyphs);
  AddAssignment(*action, "name", effect.name);
  return action;
}

// A font without outlines: the player draws the template's field with a device font.
std::unique_ptr<swftk::CSwfDefineFont2> DeviceFont() {
  auto font = std::make_unique<swftk::CSwfDefineFont2>();
  font->characterId = kFontId;
  font->name = "_sans";
  return font;
}

std::unique_ptr<swftk::CSwfDefineEditText> LetterField() {
  auto field = std::make_unique<swftk::CSwfDefineEditText>();
  field->Init(kFieldId, std::make_unique<swftk::CSwfColorAlpha>(0, 0, 0, 255), "text");
  field->bounds = std::make_unique<swftk::CSwfRect>(0, kFieldWidth, 0, kFieldHeight);
  field->SetFont(kFontId, kDesignTextHeight);
  field->SetLayout(kAlignCenter, 0, 0, 0, 0);
  field->SetInitialText("A");
  field->flags |= swftk::CSwfDefineEditText::kReadOnly | swftk::CSwfDefineEditText::kNoSelect;
  return field;
}

// Version 4 centres the field on the sprite's origin as the engine's own letter sprite does;
// version 3 puts the letter's top-left corner there, as the engine places its glyphs.
std::unique_ptr<swftk::CSwfDefineSprite> LetterSprite(int version) {
  auto sprite = std::make_unique<swftk::CSwfDefineSprite>(kLetterSpriteId, 0);
  auto placement = std::make_unique<swftk::CSwfPlaceObject2>();
  placement->characterId = kFieldId;
  placement->depth = 1;
  placement->matrix = std::make_unique<swftk::CSwfMatrix>();
  if (version == 4) placement->matrix->SetTranslate(-kFieldWidth / 2, -kFieldHeight / 2);
  std::unique_ptr<swftk::CSwfTag> tags[] = {std::move(placement),
                                            std::make_unique<swftk::CSwfShowFrame>(),
                                            std::make_unique<swftk::CSwfEnd>()};
  for (auto& tag : tags) sprite->AddTag(tag);
  return sprite;
}

std::unique_ptr<swftk::CSwfPlaceObject2> PlaceEffect(uint16_t spriteId, int instance) {
  auto placement = std::make_unique<swftk::CSwfPlaceObject2>();
  placement->characterId = spriteId;
  placement->depth = static_cast<uint16_t>(instance + 1);
  placement->name = instance == 0 ? "effect" : "effect" + std::to_string(instance);
  placement->matrix = std::make_unique<swftk::CSwfMatrix>();
  placement->matrix->SetTranslate(kEffectX, kEffectY);
  return placement;
}

bool CheckVersion3(const EffectSource& effect, std::string& error) {
  const ClipSource& clip = effect.clip;
  for (const Layer& layer : clip.layers) {
    if (layer.kind != Layer::Kind::kLetter || layer.name != "letter") {
      return Fail(error, layer.origin,
                  "a version-3 effect has one letter layer and nothing else: the movie "
                  "replays every placement as the letter (use version 4 for more layers)");
    }
  }
  if (!clip.scripts.empty())
    return Fail(error, "actions", "version-3 movies leave out the effect's scripts: use version 4");
  if (clip.loop)
    return Fail(error, "loop", "version-3 movies play the effect once per letter: use version 4");
  return true;
}

}  // namespace

bool CheckEffectRules(const EffectSource& effect, std::string& error) {
  const ClipSource& clip = effect.clip;
  const Layer* letter = nullptr;
  for (const Layer& layer : clip.layers) {
    if (layer.kind == Layer::Kind::kButton)
      return Fail(error, layer.origin, "buttons do not travel into movies made from an effect");
    if (layer.kind != Layer::Kind::kLetter) continue;
    if (layer.name == "letter") {
      letter = &layer;
    } else if (FirstFrame(layer) < 2) {
      // The movie sets the letter's text during frame 1; an echo copies it a frame later.
      return Fail(error, layer.origin, "echoes of the letter start in frame 2 or later");
    }
  }
  if (letter == nullptr)
    return Fail(error, "layers", "an effect needs a letter layer named \"letter\"");
  if (FirstFrame(*letter) != 1) {
    return Fail(error, letter->origin,
                "the letter is there from frame 1, when the movie sets its text: give it a "
                "keyframe at frame 1 (alpha 0 hides it)");
  }
  // The search for "name" would stop inside such a value, which comes first.
  if (effect.embedGlyphs.ends_with("name"))
    return Fail(error, "embedGlyphs", "may not end in \"name\": reorder its characters");
  return effect.version == 4 || CheckVersion3(effect, error);
}

bool BuildEffectTemplate(const EffectSource& effect, swftk::TagList& tags, std::string& error) {
  if (!CheckEffectRules(effect, error)) return false;
  tags.push_back(TemplateVariables(effect));
  tags.push_back(DeviceFont());
  tags.push_back(LetterField());
  tags.push_back(LetterSprite(effect.version));
  uint16_t lastId = kLetterSpriteId;
  ClipContext context;
  context.letterSpriteId = kLetterSpriteId;
  context.constants["embedGlyphs"] = effect.embedGlyphs;
  if (!BuildClip(effect.clip, context, lastId, tags, error)) return false;
  for (int instance = 0; instance < effect.instances; ++instance)
    tags.push_back(PlaceEffect(lastId, instance));
  tags.push_back(std::make_unique<swftk::CSwfShowFrame>());
  tags.push_back(std::make_unique<swftk::CSwfEnd>());
  return true;
}

}  // namespace effectc
