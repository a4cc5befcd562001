#include "sample_movie.h"

#include <memory>

#include "swftk/actions.h"
#include "swftk/button.h"
#include "swftk/control_tags.h"
#include "swftk/define_shape.h"
#include "swftk/edit_text.h"
#include "swftk/font.h"
#include "swftk/place_object.h"
#include "swftk/sprite.h"
#include "swftk/writer.h"

namespace zarn::cli::test {
namespace {

using namespace swftk;

// Shape 3: a filled and outlined 200 x 100 outline of two lines and a curve.
std::unique_ptr<CSwfDefineShape> Shape() {
  auto define = std::make_unique<CSwfDefineShape>(tagcode::kDefineShape3);
  define->characterId = 3;
  define->bounds = std::make_unique<CSwfRect>(0, 200, 0, 100);
  CSwfShapeWithStyle& shape = *define->shape;
  shape.fillStyles = std::make_unique<CSwfFillStyleArray>();
  shape.fillStyles->Init(1);
  auto fill = std::make_unique<CSwfFillStyle>();
  fill->SetSolid(std::make_unique<CSwfColorAlpha>(255, 0, 0, 255), 1);
  shape.fillStyles->styles.push_back(std::move(fill));
  shape.fillStyles->count = 1;
  shape.lineStyles = std::make_unique<CSwfLineStyleArray>();
  shape.lineStyles->Init(1);
  auto line = std::make_unique<CSwfLineStyle>();
  line->Init(20, std::make_unique<CSwfColorAlpha>(0, 0, 0, 255), 1);
  shape.lineStyles->styles.push_back(std::move(line));
  shape.lineStyles->count = 1;
  shape.SetStyleBits(1, 1);

  auto start = std::make_unique<CSwfStyleChangeShapeRecord>();
  start->SetMoveTo(0, 100, &shape);
  start->fillStyle1 = 1;
  start->lineStyle = 1;
  start->UpdateFlags();
  shape.records.push_back(std::move(start));
  auto across = std::make_unique<CSwfStraightEdgeShapeRecord>();
  across->Init(200, 0, CSwfStraightEdgeShapeRecord::kHorizontal);
  shape.records.push_back(std::move(across));
  auto up = std::make_unique<CSwfStraightEdgeShapeRecord>();
  up->Init(0, -100, CSwfStraightEdgeShapeRecord::kVertical);
  shape.records.push_back(std::move(up));
  auto back = std::make_unique<CSwfCurvedEdgeShapeRecord>();
  back->Init(-100, 0, -100, 100);
  shape.records.push_back(std::move(back));
  shape.records.push_back(std::make_unique<CSwfEndOfShapeRecord>());
  return define;
}

// Font 4: two empty glyphs with layout.
std::unique_ptr<CSwfDefineFont2> Font() {
  auto font = std::make_unique<CSwfDefineFont2>();
  font->characterId = 4;
  font->name = "Liberation Sans";
  font->flags = CSwfDefineFont2::kHasLayout | CSwfDefineFont2::kAnsi | CSwfDefineFont2::kBold;
  for (const uint16_t code : {'A', 'B'}) {
    auto glyph = std::make_unique<CSwfShape>();
    glyph->records.push_back(std::make_unique<CSwfEndOfShapeRecord>());
    font->glyphs.push_back(std::move(glyph));
    font->codes.push_back(code);
    font->advances.push_back(600);
    font->bounds.push_back(std::make_unique<CSwfRect>(0, 600, -700, 0));
  }
  font->ascent = 900;
  font->descent = 200;
  return font;
}

// Text field 5 showing the variable "text" in font 4.
std::unique_ptr<CSwfDefineEditText> EditText() {
  auto edit = std::make_unique<CSwfDefineEditText>();
  edit->Init(5, std::make_unique<CSwfColorAlpha>(0, 0, 0, 255), "text");
  edit->bounds = std::make_unique<CSwfRect>(0, 2000, 0, 400);
  edit->SetFont(4, 240);
  edit->SetInitialText("A");
  return edit;
}

// Sprite 1: one frame placing character 2 as "letter".
std::unique_ptr<CSwfDefineSprite> Sprite() {
  auto sprite = std::make_unique<CSwfDefineSprite>(1, 0);
  auto letter = std::make_unique<CSwfPlaceObject2>();
  letter->depth = 1;
  letter->characterId = 2;
  letter->name = "letter";
  std::unique_ptr<CSwfTag> tag = std::move(letter);
  sprite->AddTag(tag);
  tag = std::make_unique<CSwfShowFrame>();
  sprite->AddTag(tag);
  tag = std::make_unique<CSwfEnd>();
  sprite->AddTag(tag);
  return sprite;
}

// Button 6: shape 3 as its hit area, a link on release.
std::unique_ptr<CSwfDefineButton2> Button() {
  auto button = std::make_unique<CSwfDefineButton2>();
  button->characterId = 6;
  auto record = std::make_unique<ButtonRecord>();
  record->states = ButtonRecord::kHitTest;
  record->characterId = 3;
  record->depth = 1;
  record->matrix = std::make_unique<CSwfMatrix>();
  record->colorTransform = std::make_unique<CSwfColorTransformAlpha>();
  button->AddRecord(std::move(record));
  auto link = std::make_unique<CSwfDoAction>();
  link->AddAction(std::make_unique<CSwfActionGetUrl>("http://example.com/", "_blank"));
  button->AddAction(std::move(link));
  button->AddCondition(CSwfDefineButton2::kOverDownToOverUp);
  return button;
}

// Sprite 1 placed as "effect", scaled, moved and half transparent.
std::unique_ptr<CSwfPlaceObject2> Placement() {
  auto place = std::make_unique<CSwfPlaceObject2>();
  place->depth = 3;
  place->characterId = 1;
  place->name = "effect";
  place->matrix = std::make_unique<CSwfMatrix>();
  place->matrix->Set(98304, 98304, 0, 0, 200, 300, CSwfMatrix::kHasScale);
  place->colorTransformAlpha = std::make_unique<CSwfColorTransformAlpha>();
  place->colorTransformAlpha->redMult = 256;
  place->colorTransformAlpha->greenMult = 256;
  place->colorTransformAlpha->blueMult = 256;
  place->colorTransformAlpha->alphaMult = 128;
  return place;
}

std::unique_ptr<CSwfDoAction> Actions() {
  auto actions = std::make_unique<CSwfDoAction>();
  actions->AddAction(std::make_unique<CSwfActionPush>("name"));
  actions->AddAction(std::make_unique<CSwfActionPush>("Effect"));
  actions->AddAction(std::make_unique<CSwfActionSetVariable>());
  actions->AddAction(std::make_unique<CSwfActionGotoFrame>(4));
  // SetTarget "ab", which the toolkit keeps raw.
  actions->AddAction(std::make_unique<CSwfActionUnknown>(0x8B, std::vector<uint8_t>{'a', 'b', 0}));
  return actions;
}

}  // namespace

std::vector<uint8_t> SampleMovie() {
  CSwfWriter writer;
  auto background = std::make_unique<CSwfSetBackgroundColor>();
  background->SetColor(0x10, 0x20, 0x30);
  writer.AddTag(std::move(background));
  writer.AddTag(std::make_unique<CSwfFrameLabel>("intro"));
  writer.AddTag(Shape());
  writer.AddTag(Font());
  writer.AddTag(EditText());
  writer.AddTag(Sprite());
  writer.AddTag(Button());
  writer.AddTag(Placement());
  writer.AddTag(Actions());
  auto metadata = std::make_unique<CSwfTagUnknown>(77, 3);
  metadata->data = {'a', 'b', 'c'};
  writer.AddTag(std::move(metadata));
  writer.AddTag(std::make_unique<CSwfShowFrame>());
  writer.AddTag(std::make_unique<CSwfRemoveObject2>(1, 3));
  writer.AddTag(std::make_unique<CSwfShowFrame>());
  writer.AddTag(std::make_unique<CSwfEnd>());

  CSwfHeader header;
  header.Setup(550, 400, 24.0F, 0, 5);
  std::vector<uint8_t> movie;
  writer.Build(movie, &header);
  return movie;
}

}  // namespace zarn::cli::test
