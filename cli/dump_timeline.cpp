// The dump of the display list and control tags: placements, removals, labels, background
// and the sprite header (the sprite's own tags are listed below it by the caller).
#include "cli/dump_format.h"
#include "cli/dump_tags.h"
#include "swftk/control_tags.h"
#include "swftk/place_object.h"
#include "swftk/sprite.h"

namespace zarn::cli {
namespace {

void AddField(std::string& summary, const std::string& field) {
  if (!summary.empty()) summary += ", ";
  summary += field;
}

std::string DescribePlaceObject2(const swftk::CSwfPlaceObject2& place) {
  std::string summary = "depth " + std::to_string(place.depth);
  if (place.move) AddField(summary, "move");
  if (place.characterId != 0) AddField(summary, "id " + std::to_string(place.characterId));
  if (!place.name.empty()) AddField(summary, "name " + Quoted(place.name));
  if (place.ratio != 0) AddField(summary, "ratio " + std::to_string(place.ratio));
  if (place.clipDepth != 0) AddField(summary, "clip depth " + std::to_string(place.clipDepth));
  if (place.matrix) AddField(summary, FormatMatrix(*place.matrix));
  if (place.colorTransformAlpha)
    AddField(summary, FormatColorTransform(*place.colorTransformAlpha));
  return summary;
}

std::string DescribePlaceObject(const swftk::CSwfPlaceObject& place) {
  std::string summary =
      "depth " + std::to_string(place.depth) + ", id " + std::to_string(place.characterId);
  if (place.matrix) AddField(summary, FormatMatrix(*place.matrix));
  if (place.colorTransform) AddField(summary, FormatColorTransform(*place.colorTransform));
  return summary;
}

}  // namespace

bool DescribeTimelineTag(const swftk::CSwfTag& tag, TagDescription& description) {
  std::string& summary = description.summary;
  if (const auto* place2 = dynamic_cast<const swftk::CSwfPlaceObject2*>(&tag)) {
    summary = DescribePlaceObject2(*place2);
  } else if (const auto* place = dynamic_cast<const swftk::CSwfPlaceObject*>(&tag)) {
    summary = DescribePlaceObject(*place);
  } else if (const auto* remove2 = dynamic_cast<const swftk::CSwfRemoveObject2*>(&tag)) {
    summary = "depth " + std::to_string(remove2->depth);
  } else if (const auto* remove = dynamic_cast<const swftk::CSwfRemoveObject*>(&tag)) {
    summary =
        "depth " + std::to_string(remove->depth) + ", id " + std::to_string(remove->characterId);
  } else if (const auto* background = dynamic_cast<const swftk::CSwfSetBackgroundColor*>(&tag)) {
    summary = "color " + FormatColor(background->color);
  } else if (const auto* label = dynamic_cast<const swftk::CSwfFrameLabel*>(&tag)) {
    summary = "label " + Quoted(label->label);
  } else if (const auto* sprite = dynamic_cast<const swftk::CSwfDefineSprite*>(&tag)) {
    summary = "id " + std::to_string(sprite->characterId) + ", " +
              Counted(sprite->frameCount, "frame", "frames");
  } else {
    return false;
  }
  return true;
}

}  // namespace zarn::cli
