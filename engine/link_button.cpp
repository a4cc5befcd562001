#include "engine/link_button.h"

#include <memory>

#include "engine/placement.h"
#include "swftk/actions.h"
#include "swftk/button.h"
#include "swftk/define_shape.h"
#include "swftk/units.h"
#include "swftk/writer.h"

namespace engine {
namespace {

constexpr uint32_t kHitAreaColour = 0xFFFFFF;

using swftk::CSwfStraightEdgeShapeRecord;

// One side of an upright rectangle: horizontal when dy is 0, vertical otherwise.
std::unique_ptr<CSwfStraightEdgeShapeRecord> Edge(int32_t dx, int32_t dy) {
  auto edge = std::make_unique<CSwfStraightEdgeShapeRecord>();
  edge->Init(
      dx, dy,
      dy == 0 ? CSwfStraightEdgeShapeRecord::kHorizontal : CSwfStraightEdgeShapeRecord::kVertical);
  return edge;
}

// A filled rectangle from (0, 0) to the given size in pixels, drawn from its far corner. The
// colour is 0xRRGGBB.
void AddRectangleShape(swftk::CSwfWriter& writer, uint16_t id, int widthPx, int heightPx,
                       uint32_t colour) {
  const int32_t width = widthPx * swftk::kTwipsPerPixel;
  const int32_t height = heightPx * swftk::kTwipsPerPixel;
  auto tag = std::make_unique<swftk::CSwfDefineShape>(swftk::tagcode::kDefineShape);
  tag->SetCharacterId(id);
  *tag->bounds = swftk::CSwfRect(0, width, 0, height);

  swftk::CSwfShapeWithStyle& shape = *tag->shape;
  auto fill = std::make_unique<swftk::CSwfFillStyle>();
  fill->SetSolid(std::make_unique<swftk::CSwfColor>(static_cast<uint8_t>(colour / 65536),
                                                    static_cast<uint8_t>(colour / 256),
                                                    static_cast<uint8_t>(colour)),
                 0);
  shape.fillStyles = std::make_unique<swftk::CSwfFillStyleArray>();
  shape.fillStyles->styles.push_back(std::move(fill));
  shape.fillStyles->count = 1;

  auto start = std::make_unique<swftk::CSwfStyleChangeShapeRecord>();
  start->SetMoveTo(width, height, &shape);
  start->fillStyle1 = 1;
  start->UpdateFlags();
  shape.records.push_back(std::move(start));
  shape.records.push_back(Edge(-width, 0));
  shape.records.push_back(Edge(0, -height));
  shape.records.push_back(Edge(width, 0));
  shape.records.push_back(Edge(0, height));
  shape.records.push_back(std::make_unique<swftk::CSwfEndOfShapeRecord>());
  writer.AddTag(std::move(tag));
}

}  // namespace

uint16_t AddLinkButton(swftk::CSwfWriter& writer, uint16_t c, uint16_t depth, int movieWidth,
                       int movieHeight, const std::string& linkUrl, const std::string& linkTarget) {
  if (linkUrl.size() < 2) return c;
  const auto hitArea = static_cast<uint16_t>(c + 1);
  const auto buttonId = static_cast<uint16_t>(c + 2);
  AddRectangleShape(writer, hitArea, movieWidth, movieHeight, kHitAreaColour);

  auto button = std::make_unique<swftk::CSwfDefineButton2>();
  button->SetCharacterId(buttonId);
  auto record = std::make_unique<swftk::ButtonRecord>();
  record->states = swftk::ButtonRecord::kHitTest;
  record->characterId = hitArea;
  record->depth = hitArea;
  record->matrix = std::make_unique<swftk::CSwfMatrix>();
  record->colorTransform = std::make_unique<swftk::CSwfColorTransformAlpha>();
  button->AddRecord(std::move(record));
  auto action = std::make_unique<swftk::CSwfDoAction>();
  action->AddAction(std::make_unique<swftk::CSwfActionGetUrl>(linkUrl, linkTarget));
  button->AddAction(std::move(action));
  button->AddCondition(swftk::CSwfDefineButton2::kOverDownToOverUp);
  writer.AddTag(std::move(button));

  writer.AddTag(PlaceCharacter(buttonId, depth));
  return buttonId;
}

}  // namespace engine
