#include "engine/template_analysis.h"

#include <string>

#include "swftk/edit_text.h"
#include "swftk/place_object.h"
#include "swftk/sprite.h"
#include "swftk/units.h"

namespace engine {
namespace {

bool ReadTemplate(const MovieRequest& request, EffectTemplate& effect, const ErrorSink& sink) {
  const bool checkSignature = !request.lenientSignature;
  const int opened = request.templateBytes.empty()
                         ? effect.reader.Open(request.effectPath, checkSignature, true)
                         : effect.reader.OpenBytes(request.templateBytes, checkSignature, true);
  if (opened != 0 || effect.reader.TooManyObjects()) {
    ShowCaptionedError(sink, kErrorCaption,
                       "Encountered a problem reading the effect file: " + request.effectPath,
                       opened == 0 ? effect.reader.Damage() : "");
    return false;
  }
  effect.processor.Split(effect.reader.GetTags());
  return true;
}

void FindTemplateEditText(EffectTemplate& effect) {
  for (swftk::CSwfCharacterTag* entry : effect.processor.GetCharacters()) {
    if (entry == nullptr || entry->GetTagCode() != swftk::tagcode::kDefineEditText) continue;
    effect.templateEditText = static_cast<swftk::CSwfDefineEditText*>(entry);
    effect.templateTextHeight = effect.templateEditText->fontHeight;
  }
}

swftk::CSwfDefineSprite* PlacedSprite(const EffectTemplate& effect,
                                      const swftk::CSwfPlaceObject2& placement) {
  return dynamic_cast<swftk::CSwfDefineSprite*>(
      effect.processor.GetCharacter(placement.characterId));
}

// "effect", then "effect1", "effect2" ... until a number is missing. An instance that does not
// place a sprite leaves the template without a usable effect.
bool FindEffectSprites(const MovieRequest& request, EffectTemplate& effect) {
  std::string name = "effect";
  for (int counter = 1;; ++counter) {
    swftk::CSwfPlaceObject2* placement = effect.processor.FindPlaceObject2(name);
    if (placement == nullptr) break;
    if (placement->matrix) placement->matrix->translateY = request.originY * swftk::kTwipsPerPixel;
    swftk::CSwfDefineSprite* sprite = PlacedSprite(effect, *placement);
    if (sprite == nullptr) return false;
    effect.effectId = placement->characterId;
    effect.effectSprites.push_back(sprite);
    name = "effect" + std::to_string(counter);
  }
  return !effect.effectSprites.empty();
}

bool FindLetterSprite(EffectTemplate& effect) {
  const swftk::CSwfPlaceObject2* placement = effect.processor.FindPlaceObject2("letter");
  if (placement == nullptr) return false;
  effect.letterId = placement->characterId;
  effect.letterSprite = PlacedSprite(effect, *placement);
  return effect.letterSprite != nullptr;
}

bool LetterSpritePlacesSomething(const EffectTemplate& effect) {
  std::vector<swftk::CSwfTag*> placements;
  return effect.processor.CollectTags(swftk::tagcode::kPlaceObject2, placements, true,
                                      effect.letterSprite) > 0;
}

}  // namespace

bool AnalyseTemplate(const MovieRequest& request, EffectTemplate& effect, const ErrorSink& sink) {
  if (!ReadTemplate(request, effect, sink)) return false;
  FindTemplateEditText(effect);
  if (!FindEffectSprites(request, effect)) {
    // A damaged file says what is damaged below the usual line.
    ShowCaptionedError(sink, "Invalid plugin", "Couldn't find Effect sprite.",
                       effect.reader.Damage());
    return false;
  }
  if (!FindLetterSprite(effect)) {
    ShowCaptionedError(sink, "Invalid effect", "Couldn't find Letter sprite.",
                       effect.reader.Damage());
    return false;
  }
  // An edit-text movie sizes its letter field from the template's text field.
  if (!LetterSpritePlacesSomething(effect) ||
      (request.editTextMode && effect.templateEditText == nullptr)) {
    ShowCaptionedError(sink, "ZARN | Invalid effect", "Problem with Letter sprite.", {});
    return false;
  }
  return true;
}

}  // namespace engine
