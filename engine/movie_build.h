#pragma once

#include <cstdint>
#include <memory>
#include <vector>

#include "engine/colorref.h"
#include "engine/engine_messages.h"
#include "engine/movie_request.h"
#include "engine/template_analysis.h"
#include "engine/text_layout.h"
#include "swftk/records.h"
#include "swftk/text.h"
#include "swftk/writer.h"

namespace engine {

// The state one build shares between making the characters and assembling the timeline.
struct MovieBuild {
  MovieBuild(const MovieRequest& request, EffectTemplate& effect, const GlyphLayout& layout,
             swftk::CSwfWriter& writer)
      : request(request), effect(effect), layout(layout), writer(writer) {}

  const MovieRequest& request;
  EffectTemplate& effect;
  const GlyphLayout& layout;
  // Owns every tag added to it.
  swftk::CSwfWriter& writer;

  // The last character id handed out; ids run 1, 2, 3 ... in the order characters are made.
  uint16_t idCounter = 0;
  // The new id of every template character, by dictionary entry; 0 when it was not copied.
  std::vector<uint16_t> idMap;

  // Plain mode: the text character of glyph g has the id firstTextId + g. When letters are
  // staggered each waits here, by glyph, until the frame in which its glyph first appears.
  uint16_t firstTextId = 0;
  std::vector<std::unique_ptr<swftk::CSwfDefineText>> heldTexts;

  // Edit-text mode: the sprite that holds the letter field, and the field's bounds.
  uint16_t letterSpriteId = 0;
  swftk::CSwfRect letterFieldBounds;
};

// The new id of template character j, or 0 when it was not copied (or is no character).
inline uint16_t MappedId(const std::vector<uint16_t>& idMap, uint16_t j) {
  return j >= 1 && j <= idMap.size() ? idMap[j - 1U] : 0;
}

// The font, the letter characters and the copies of the template's shapes and sprites, in
// the order of the request's mode. False, after a message, when the font cannot be made.
bool MakeOutputCharacters(MovieBuild& build, const ErrorSink& sink);

}  // namespace engine
