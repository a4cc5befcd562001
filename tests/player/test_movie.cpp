#include "test_movie.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <cstdlib>

#include "player/movie_loader.h"
#include "player/renderer.h"
#include "swftk/actions.h"
#include "swftk/control_tags.h"
#include "swftk/reader.h"
#include "swftk/shape.h"
#include "swftk/writer.h"

namespace player::test {
namespace {

using namespace swftk;

std::unique_ptr<CSwfColor> SwfColor(Rgba color, bool alpha) {
  if (alpha) return std::make_unique<CSwfColorAlpha>(color.r, color.g, color.b, color.a);
  return std::make_unique<CSwfColor>(color.r, color.g, color.b);
}

int32_t Fixed(double value) {
  return static_cast<int32_t>(std::lround(value * 65536.0));
}

}  // namespace

std::unique_ptr<CSwfMatrix> SwfMatrix(const Transform2D& t) {
  auto matrix = std::make_unique<CSwfMatrix>();
  matrix->Set(Fixed(t.a), Fixed(t.d), Fixed(t.b), Fixed(t.c), static_cast<int32_t>(t.tx),
              static_cast<int32_t>(t.ty),
              CSwfMatrix::kHasScale | (t.b != 0 || t.c != 0 ? CSwfMatrix::kHasRotate : 0));
  return matrix;
}

ShapeBuilder::ShapeBuilder(uint16_t id, uint16_t tagCode)
    : define_(std::make_unique<CSwfDefineShape>(tagCode)) {
  define_->characterId = id;
  CSwfShapeWithStyle& shape = *define_->shape;
  shape.fillStyles = std::make_unique<CSwfFillStyleArray>();
  shape.fillStyles->Init(shape.hasAlpha);
  shape.lineStyles = std::make_unique<CSwfLineStyleArray>();
  shape.lineStyles->Init(shape.hasAlpha);
}

void ShapeBuilder::AddFill(std::unique_ptr<CSwfFillStyle> fill) {
  fill->hasAlpha = define_->shape->hasAlpha;
  define_->shape->fillStyles->styles.push_back(std::move(fill));
  ++define_->shape->fillStyles->count;
}

ShapeBuilder& ShapeBuilder::SolidFill(Rgba color) {
  auto fill = std::make_unique<CSwfFillStyle>();
  const uint8_t alpha = define_->shape->hasAlpha;
  fill->SetSolid(SwfColor(color, alpha != 0), alpha);
  AddFill(std::move(fill));
  return *this;
}

ShapeBuilder& ShapeBuilder::LinearGradient(const Transform2D& matrix, Rgba from, Rgba to) {
  const uint8_t alpha = define_->shape->hasAlpha;
  auto gradient = std::make_unique<CSwfGradient>();
  gradient->hasAlpha = alpha;
  for (const auto& [ratio, color] : {std::pair{0, from}, std::pair{255, to}}) {
    auto record = std::make_unique<CSwfGradientRecord>();
    record->Init(static_cast<uint8_t>(ratio), SwfColor(color, alpha != 0), alpha);
    gradient->records.push_back(std::move(record));
  }
  auto fill = std::make_unique<CSwfFillStyle>();
  fill->SetGradient(CSwfFillStyle::kLinearGradient, SwfMatrix(matrix), std::move(gradient));
  AddFill(std::move(fill));
  return *this;
}

ShapeBuilder& ShapeBuilder::RadialGradient(const Transform2D& matrix, Rgba from, Rgba to) {
  LinearGradient(matrix, from, to);
  define_->shape->fillStyles->styles.back()->fillType = CSwfFillStyle::kRadialGradient;
  return *this;
}

ShapeBuilder& ShapeBuilder::BitmapFill(uint16_t bitmapId, const Transform2D& matrix, bool repeat) {
  auto fill = std::make_unique<CSwfFillStyle>();
  fill->SetBitmap(repeat ? CSwfFillStyle::kRepeatingBitmap : CSwfFillStyle::kClippedBitmap,
                  bitmapId, SwfMatrix(matrix));
  AddFill(std::move(fill));
  return *this;
}

ShapeBuilder& ShapeBuilder::LineStyle(uint16_t width, Rgba color) {
  const uint8_t alpha = define_->shape->hasAlpha;
  auto line = std::make_unique<CSwfLineStyle>();
  line->Init(width, SwfColor(color, alpha != 0), alpha);
  define_->shape->lineStyles->styles.push_back(std::move(line));
  ++define_->shape->lineStyles->count;
  return *this;
}

ShapeBuilder& ShapeBuilder::Select(std::optional<uint16_t> fill0, std::optional<uint16_t> fill1,
                                   std::optional<uint16_t> line) {
  CSwfShapeWithStyle& shape = *define_->shape;
  uint8_t flags = 0;
  if (fill0) flags |= CSwfStyleChangeShapeRecord::kFillStyle0;
  if (fill1) flags |= CSwfStyleChangeShapeRecord::kFillStyle1;
  if (line) flags |= CSwfStyleChangeShapeRecord::kLineStyle;
  auto change = std::make_unique<CSwfStyleChangeShapeRecord>();
  change->Init(flags, &shape);
  change->fillStyle0 = fill0.value_or(0);
  change->fillStyle1 = fill1.value_or(0);
  change->lineStyle = line.value_or(0);
  shape.records.push_back(std::move(change));
  return *this;
}

ShapeBuilder& ShapeBuilder::MoveTo(int32_t x, int32_t y) {
  CSwfShapeWithStyle& shape = *define_->shape;
  auto change = std::make_unique<CSwfStyleChangeShapeRecord>();
  change->Init(CSwfStyleChangeShapeRecord::kMoveTo, &shape);
  change->moveDeltaX = x;
  change->moveDeltaY = y;
  shape.records.push_back(std::move(change));
  x_ = x;
  y_ = y;
  return *this;
}

ShapeBuilder& ShapeBuilder::LineTo(int32_t x, int32_t y) {
  auto edge = std::make_unique<CSwfStraightEdgeShapeRecord>();
  edge->Init(x - x_, y - y_, CSwfStraightEdgeShapeRecord::kGeneral);
  define_->shape->records.push_back(std::move(edge));
  x_ = x;
  y_ = y;
  return *this;
}

ShapeBuilder& ShapeBuilder::CurveTo(int32_t controlX, int32_t controlY, int32_t x, int32_t y) {
  auto edge = std::make_unique<CSwfCurvedEdgeShapeRecord>();
  edge->Init(controlX - x_, controlY - y_, x - controlX, y - controlY);
  define_->shape->records.push_back(std::move(edge));
  x_ = x;
  y_ = y;
  return *this;
}

ShapeBuilder& ShapeBuilder::Rectangle(int32_t x0, int32_t y0, int32_t x1, int32_t y1) {
  return MoveTo(x0, y0).LineTo(x1, y0).LineTo(x1, y1).LineTo(x0, y1).LineTo(x0, y0);
}

std::unique_ptr<CSwfDefineShape> ShapeBuilder::Build() {
  define_->shape->records.push_back(std::make_unique<CSwfEndOfShapeRecord>());
  // Bounds do not steer drawing; any rectangle that is written serves.
  define_->bounds = std::make_unique<CSwfRect>(0, 20, 0, 20);
  return std::move(define_);
}

std::unique_ptr<CSwfPlaceObject2> Place(uint16_t characterId, uint16_t depth,
                                        const PlaceOptions& options) {
  auto place = std::make_unique<CSwfPlaceObject2>();
  place->characterId = characterId;
  place->depth = depth;
  place->move = options.move;
  place->matrix = SwfMatrix(options.matrix);
  place->name = options.name;
  place->clipDepth = options.clipDepth;
  if (options.colorTransform) {
    const ColorTransform& c = *options.colorTransform;
    auto transform = std::make_unique<CSwfColorTransformAlpha>();
    transform->redMult = c.redMult;
    transform->greenMult = c.greenMult;
    transform->blueMult = c.blueMult;
    transform->alphaMult = c.alphaMult;
    transform->redAdd = c.redAdd;
    transform->greenAdd = c.greenAdd;
    transform->blueAdd = c.blueAdd;
    transform->alphaAdd = c.alphaAdd;
    place->colorTransformAlpha = std::move(transform);
  }
  return place;
}

std::unique_ptr<CSwfTag> Remove(uint16_t depth) {
  return std::make_unique<CSwfRemoveObject2>(0, depth);
}

std::unique_ptr<CSwfTag> ShowFrame() {
  return std::make_unique<CSwfShowFrame>();
}

std::unique_ptr<CSwfTag> DoActionBytes(const Bytes& actions) {
  Bytes body = actions;
  body.push_back(0);
  return RawTag(tagcode::kDoAction, std::move(body));
}

std::unique_ptr<CSwfTag> FrameLabel(const std::string& label) {
  return std::make_unique<CSwfFrameLabel>(label);
}

std::unique_ptr<CSwfTag> RawTag(uint16_t code, Bytes body) {
  auto tag = std::make_unique<CSwfTagUnknown>(code, static_cast<uint32_t>(body.size()));
  tag->data = std::move(body);
  return tag;
}

std::unique_ptr<CSwfDefineSprite> Sprite(uint16_t id, std::vector<std::unique_ptr<CSwfTag>> tags) {
  auto sprite = std::make_unique<CSwfDefineSprite>(id, 0);
  for (auto& tag : tags) sprite->tags.push_back(std::move(tag));
  for (const auto& tag : sprite->tags)
    if (tag->GetTagCode() == tagcode::kShowFrame) ++sprite->frameCount;
  return sprite;
}

Bytes ActionStop() {
  return {actioncode::kStop};
}
Bytes ActionPlay() {
  return {actioncode::kPlay};
}
Bytes ActionNextFrame() {
  return {actioncode::kNextFrame};
}
Bytes ActionPrevFrame() {
  return {actioncode::kPrevFrame};
}
Bytes ActionGotoFrame(uint16_t zeroBasedFrame) {
  return {actioncode::kGotoFrame, 2, 0, static_cast<uint8_t>(zeroBasedFrame & 0xFF),
          static_cast<uint8_t>(zeroBasedFrame >> 8)};
}
Bytes ActionGoToLabel(const std::string& label) {
  const auto length = static_cast<uint16_t>(label.size() + 1);
  Bytes bytes;
  bytes.reserve(3 + length);
  bytes.push_back(actioncode::kGoToLabel);
  bytes.push_back(static_cast<uint8_t>(length & 0xFF));
  bytes.push_back(static_cast<uint8_t>(length >> 8));
  for (const char c : label) bytes.push_back(static_cast<uint8_t>(c));
  bytes.push_back(0);
  return bytes;
}

TestMovie::TestMovie(int widthPx, int heightPx, Rgba background)
    : width_(widthPx), height_(heightPx) {
  auto color = std::make_unique<CSwfSetBackgroundColor>();
  color->SetColor(background.r, background.g, background.b);
  tags_.push_back(std::move(color));
}

TestMovie& TestMovie::Add(std::unique_ptr<CSwfTag> tag) {
  tags_.push_back(std::move(tag));
  return *this;
}

Bytes TestMovie::Build(uint8_t version) const {
  CSwfWriter writer;
  for (const auto& tag : tags_) writer.AddTagRef(*tag);
  CSwfEnd end;
  writer.AddTagRef(end);
  CSwfHeader header;
  header.Setup(width_, height_, 12.0F, 0, version);
  Bytes bytes;
  writer.Build(bytes, &header);
  return bytes;
}

std::shared_ptr<const CKV_Movie> TestMovie::Load(uint8_t version) const {
  MovieLoadResult loaded = LoadMovieBytes(Build(version));
  EXPECT_TRUE(loaded.movie) << loaded.error;
  return loaded.movie;
}

std::unique_ptr<CKV_Image> Render(const CKV_Player& player, double scale) {
  int width = 0;
  int height = 0;
  std::string error;
  if (!StageImageSize(player.Movie(), scale, width, height, error)) {
    ADD_FAILURE() << error;
    return nullptr;
  }
  std::unique_ptr<CKV_Image> image = CKV_Image::Create(width, height);
  RenderFrame(player, *image);
  return image;
}

std::unique_ptr<CKV_Image> RenderFrameOf(std::shared_ptr<const CKV_Movie> movie, uint32_t frame,
                                         double scale) {
  CKV_Player player(std::move(movie));
  for (uint32_t f = 1; f < frame; ++f) player.Advance();
  return Render(player, scale);
}

Rgba PixelAt(const CKV_Image& image, int x, int y) {
  const uint32_t p = image.Pixel(x, y);
  const uint32_t a = p >> 24;
  const auto channel = [a](uint32_t c) {
    return static_cast<uint8_t>(a == 0 ? 0 : std::min<uint32_t>(255, (c * 255 + a / 2) / a));
  };
  return {channel(p >> 16 & 255), channel(p >> 8 & 255), channel(p & 255), static_cast<uint8_t>(a)};
}

int ColorDistance(Rgba a, Rgba b) {
  return std::max(
      {std::abs(a.r - b.r), std::abs(a.g - b.g), std::abs(a.b - b.b), std::abs(a.a - b.a)});
}

}  // namespace player::test
