#pragma once

#include <cstdint>
#include <vector>

#include "engine/engine_messages.h"
#include "engine/movie_request.h"
#include "swftk/processor.h"
#include "swftk/reader.h"
#include "swftk/units.h"

namespace swftk {
class CSwfDefineEditText;
class CSwfDefineSprite;
}  // namespace swftk

namespace engine {

// The letter's design height when the template has no text field.
inline constexpr int kDefaultTemplateTextHeight = swftk::kGlyphCellUnits;

// An effect template read into tags and what the build takes from it. The reader owns the
// tags; every pointer below points into them.
struct EffectTemplate {
  swftk::CSwfReader reader;
  // Entry k-1 of its dictionary defines the template's character k.
  swftk::CSwfProcessor processor;
  // The sprites placed as "effect", "effect1", "effect2" ... in that order.
  std::vector<swftk::CSwfDefineSprite*> effectSprites;
  // The character placed by the last effect instance found.
  uint16_t effectId = 0;
  swftk::CSwfDefineSprite* letterSprite = nullptr;
  uint16_t letterId = 0;
  // The dictionary's last text field, if any, and its font height.
  swftk::CSwfDefineEditText* templateEditText = nullptr;
  int templateTextHeight = kDefaultTemplateTextHeight;
};

// Reads the request's template and finds its effect and letter sprites. Each failure is
// reported to the sink and returns false. The template's "effect" placements are moved to the
// requested origin's height in memory; the file is never changed.
bool AnalyseTemplate(const MovieRequest& request, EffectTemplate& effect, const ErrorSink& sink);

}  // namespace engine
