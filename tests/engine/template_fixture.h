#pragma once

// Effect templates built with the toolkit, and requests for them, for the engine's tests, the
// command line's and the benchmarks. Header only, so that every one of them can use it.

#include <cstdint>
#include <fstream>
#include <memory>
#include <string>
#include <vector>

#include "engine/movie_request.h"
#include "engine/movie_settings.h"
#include "glyphs/font_service.h"
#include "swftk/actions.h"
#include "swftk/control_tags.h"
#include "swftk/define_shape.h"
#include "swftk/edit_text.h"
#include "swftk/header.h"
#include "swftk/place_object.h"
#include "swftk/sprite.h"
#include "swftk/writer.h"

namespace engine::test {

using Bytes = std::vector<uint8_t>;

inline std::unique_ptr<swftk::CSwfMatrix> Matrix(int32_t scaleX, int32_t scaleY, int32_t tx,
                                                 int32_t ty, int32_t rotate0 = 0,
                                                 int32_t rotate1 = 0) {
  auto matrix = std::make_unique<swftk::CSwfMatrix>();
  matrix->Set(scaleX, scaleY, rotate0, rotate1, tx, ty, 0);
  return matrix;
}

// A placement; character 0 with move set changes what already stands at the depth.
inline std::unique_ptr<swftk::CSwfPlaceObject2> Place(
    uint16_t character, uint16_t depth, std::string name = {},
    std::unique_ptr<swftk::CSwfMatrix> matrix = {}, bool move = false) {
  auto placement = std::make_unique<swftk::CSwfPlaceObject2>();
  placement->characterId = character;
  placement->depth = depth;
  placement->name = std::move(name);
  placement->matrix = std::move(matrix);
  placement->move = move;
  return placement;
}

inline std::unique_ptr<swftk::CSwfShowFrame> Frame() {
  return std::make_unique<swftk::CSwfShowFrame>();
}
inline std::unique_ptr<swftk::CSwfRemoveObject2> Remove(uint16_t depth) {
  return std::make_unique<swftk::CSwfRemoveObject2>(0, depth);
}

// A list of tags from owners of any tag class.
template <class... T>
swftk::TagList Tags(std::unique_ptr<T>... tags) {
  swftk::TagList list;
  (list.push_back(std::move(tags)), ...);
  return list;
}

// A template file: characters get the ids 1, 2, 3 ... in the order they are added, and every
// tag lands on the root timeline in the order of the calls.
class TemplateBuilder {
 public:
  // A DoAction: push name, push value, set variable.
  TemplateBuilder& Variable(const std::string& name, const std::string& value) {
    auto action = std::make_unique<swftk::CSwfDoAction>();
    action->AddAction(std::make_unique<swftk::CSwfActionPush>(name));
    action->AddAction(std::make_unique<swftk::CSwfActionPush>(value));
    action->AddAction(std::make_unique<swftk::CSwfActionSetVariable>());
    tags_.push_back(std::move(action));
    return *this;
  }

  // A 100 × 100 twip square of the given red level.
  uint16_t AddShape(uint16_t code = swftk::tagcode::kDefineShape, uint8_t red = 255) {
    auto define = std::make_unique<swftk::CSwfDefineShape>(code);
    define->characterId = nextId_;
    define->bounds = std::make_unique<swftk::CSwfRect>(0, 100, 0, 100);
    swftk::CSwfShapeWithStyle& shape = *define->shape;
    shape.fillStyles = std::make_unique<swftk::CSwfFillStyleArray>();
    auto fill = std::make_unique<swftk::CSwfFillStyle>();
    if (code == swftk::tagcode::kDefineShape3) {
      fill->SetSolid(std::make_unique<swftk::CSwfColorAlpha>(red, 0, 0, 255), 1);
    } else {
      fill->SetSolid(std::make_unique<swftk::CSwfColor>(red, 0, 0), 0);
    }
    shape.fillStyles->styles.push_back(std::move(fill));
    shape.fillStyles->count = 1;
    auto start = std::make_unique<swftk::CSwfStyleChangeShapeRecord>();
    start->SetMoveTo(100, 100, &shape);
    start->fillStyle1 = 1;
    start->UpdateFlags();
    shape.records.push_back(std::move(start));
    auto edge = std::make_unique<swftk::CSwfStraightEdgeShapeRecord>();
    edge->Init(-100, 0, swftk::CSwfStraightEdgeShapeRecord::kHorizontal);
    shape.records.push_back(std::move(edge));
    shape.records.push_back(std::make_unique<swftk::CSwfEndOfShapeRecord>());
    return Define(std::move(define));
  }

  // A sprite whose frame count is the number of its ShowFrames; an End is added when missing.
  uint16_t AddSprite(swftk::TagList tags) {
    auto sprite = std::make_unique<swftk::CSwfDefineSprite>(nextId_, 0);
    for (auto& tag : tags) {
      if (tag->GetTagCode() == swftk::tagcode::kShowFrame) ++sprite->frameCount;
      sprite->tags.push_back(std::move(tag));
    }
    if (sprite->tags.empty() || sprite->tags.back()->GetTagCode() != swftk::tagcode::kEnd)
      sprite->tags.push_back(std::make_unique<swftk::CSwfEnd>());
    return Define(std::move(sprite));
  }

  uint16_t AddEditText(uint16_t fontHeight, const swftk::CSwfRect& bounds) {
    auto field = std::make_unique<swftk::CSwfDefineEditText>();
    field->Init(nextId_, nullptr, "text");
    field->bounds = std::make_unique<swftk::CSwfRect>(bounds);
    field->SetFont(1, fontHeight);
    return Define(std::move(field));
  }

  void AddRootTag(std::unique_ptr<swftk::CSwfTag> tag) { tags_.push_back(std::move(tag)); }

  // The file; a template stored as ".kvx" may leave out its four signature bytes.
  Bytes Build(bool withSignature = true) const {
    swftk::CSwfWriter writer;
    for (const auto& tag : tags_) writer.AddTagRef(*tag);
    swftk::CSwfEnd end;
    if (tags_.empty() || tags_.back()->GetTagCode() != swftk::tagcode::kEnd) writer.AddTagRef(end);
    swftk::CSwfHeader header;
    header.Setup(550, 400, 12.0F, 0, 4);
    Bytes file;
    writer.Build(file, &header);
    if (!withSignature) file.erase(file.begin(), file.begin() + 4);
    return file;
  }

  void Save(const std::string& path, bool withSignature = true) const {
    const Bytes file = Build(withSignature);
    std::ofstream out(path, std::ios::binary);
    out.write(reinterpret_cast<const char*>(file.data()),
              static_cast<std::streamsize>(file.size()));
  }

 private:
  uint16_t Define(std::unique_ptr<swftk::CSwfCharacterTag> tag) {
    tags_.push_back(std::move(tag));
    return nextId_++;
  }

  swftk::TagList tags_;
  uint16_t nextId_ = 1;
};

// The ids of the usual template's characters.
struct StandardIds {
  uint16_t shape = 1;
  uint16_t letter = 2;
  uint16_t effect = 3;
  uint16_t editText = 0;
};

// The usual template: shape 1; letter sprite 2 showing it; effect sprite 3 of four frames
// that places "letter" scaled to a half at (100, 200), grows it to full size in two moves and
// removes it in the fourth frame; the root places the effect as "effect" at depth 1. With
// editText, a text field of font height 400 follows as character 4.
inline StandardIds AddStandardTemplate(TemplateBuilder& builder, bool editText = false) {
  StandardIds ids;
  ids.shape = builder.AddShape();
  ids.letter =
      builder.AddSprite(Tags(Place(ids.shape, 1, {}, Matrix(65536, 65536, 0, 0)), Frame()));
  ids.effect = builder.AddSprite(
      Tags(Place(ids.letter, 1, "letter", Matrix(32768, 32768, 100, 200)), Frame(),
           Place(0, 1, {}, Matrix(49152, 49152, 100, 200), true), Frame(),
           Place(0, 1, {}, Matrix(65536, 65536, 100, 200), true), Frame(), Remove(1), Frame()));
  if (editText) ids.editText = builder.AddEditText(400, swftk::CSwfRect(-40, 440, -20, 580));
  builder.AddRootTag(Place(ids.effect, 1, "effect", Matrix(65536, 65536, 0, 0)));
  builder.AddRootTag(Frame());
  return ids;
}

// A request that passes every check: 500 × 150 at 12 fps, white 36-point text "abc" at
// (50, 50) on black, a frame delay of 1, plain staggered letters.
inline MovieRequest ValidRequest(const std::string& effectPath, const std::string& outputPath,
                                 glyphs::CKV_FontService& fonts,
                                 const std::string& face = "Fake Sans") {
  MovieRequest request;
  request.effectPath = effectPath;
  request.outputPath = outputPath;
  request.movieWidth = 500;
  request.movieHeight = 150;
  request.frameRate = 12.0F;
  request.textColor = 0x00FFFFFF;
  request.backgroundColor = 0x00000000;
  request.fontSizeTenths = 360;
  request.text = "abc";
  request.window = &fonts;
  request.logFont.SetFaceName(face);
  request.logFont.lfWeight = 400;
  request.originX = 50;
  request.originY = 50;
  request.frameDelay = 1;
  return request;
}

// Settings that pass every check: "abc" in 36 points at (50, 60) on a 500 × 150 movie at
// 12 fps, a frame delay of 2, a link that is not switched on.
inline MovieSettings ValidSettings(const std::string& face = "Fake Sans") {
  MovieSettings settings;
  settings.text = "abc";
  settings.linkUrl = "http://example.org/";
  settings.linkTarget = "_blank";
  settings.movieWidth = 500;
  settings.movieHeight = 150;
  settings.originX = 50;
  settings.originY = 60;
  settings.frameDelay = 2;
  settings.frameRate = 12.0F;
  settings.textColor = 0x00336699;
  settings.backgroundColor = 0x00102030;
  settings.fontSize = 36;
  settings.font.SetFaceName(face);
  return settings;
}

}  // namespace engine::test
