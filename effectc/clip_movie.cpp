#include "effectc/clip_movie.h"

#include <memory>

#include "effectc/clip_builder.h"
#include "effectc/pose_encoding.h"
#include "swftk/control_tags.h"
#include "swftk/place_object.h"

namespace effectc {

bool BuildClipMovie(const MovieSource& movie, swftk::TagList& tags, std::string& error) {
  for (const Layer& layer : movie.clip.layers) {
    if (layer.kind == Layer::Kind::kLetter) {
      error = layer.origin + ": letter layers belong to effects";
      return false;
    }
  }
  auto background = std::make_unique<swftk::CSwfSetBackgroundColor>();
  background->SetColor(movie.background.r, movie.background.g, movie.background.b);
  tags.push_back(std::move(background));

  uint16_t lastId = 0;
  if (!BuildClip(movie.clip, ClipContext{}, lastId, tags, error)) return false;
  auto placement = std::make_unique<swftk::CSwfPlaceObject2>();
  placement->characterId = lastId;
  placement->depth = 1;
  placement->name = movie.clipName;
  placement->matrix = std::make_unique<swftk::CSwfMatrix>();
  placement->matrix->SetTranslate(ToTwips(movie.clipPosition.x), ToTwips(movie.clipPosition.y));
  tags.push_back(std::move(placement));
  tags.push_back(std::make_unique<swftk::CSwfShowFrame>());
  tags.push_back(std::make_unique<swftk::CSwfEnd>());
  return true;
}

}  // namespace effectc
