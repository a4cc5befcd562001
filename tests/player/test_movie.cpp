#include "test_movie.h"

#include <gtest/gtest.h>
#include <zlib.h>

#include <algorithm>
#include <cmath>
#include <cstdlib>

#include "player/movie_loader.h"
#include "player/renderer.h"
#include "swftk/actions.h"
#include "swftk/control_tags.h"
#include "swftk/shape.h"
#include "swftk/stream.h"
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

ShapeBuilder::ShapeBuilder(uint16_t id)
    : define_(std::make_unique<CSwfDefineShape>(tagcode::kDefineShape3)) {
  define_->characterId = id;
  CSwfShapeWithStyle& shape = *define_->shape;
  shape.fillStyles = std::make_unique<CSwfFillStyleArray>();
  shape.fillStyles->Init(1);
  shape.lineStyles = std::make_unique<CSwfLineStyleArray>();
  shape.lineStyles->Init(1);
  fills_ = shape.fillStyles.get();
  lines_ = shape.lineStyles.get();
  shape_ = &shape;
}

ShapeBuilder::ShapeBuilder() : glyph_(std::make_unique<CSwfShape>()) {
  glyph_->SetStyleBits(1, 0);
  shape_ = glyph_.get();
}

ShapeBuilder& ShapeBuilder::Add(std::unique_ptr<CSwfShapeRecord> record) {
  shape_->records.push_back(std::move(record));
  return *this;
}

void ShapeBuilder::AddFill(std::unique_ptr<CSwfFillStyle> fill) {
  fill->hasAlpha = 1;
  fills_->styles.push_back(std::move(fill));
  ++fills_->count;
}

ShapeBuilder& ShapeBuilder::SolidFill(Rgba color) {
  auto fill = std::make_unique<CSwfFillStyle>();
  fill->SetSolid(SwfColor(color, true), 1);
  AddFill(std::move(fill));
  return *this;
}

ShapeBuilder& ShapeBuilder::LinearGradient(const Transform2D& matrix, Rgba from, Rgba to) {
  auto gradient = std::make_unique<CSwfGradient>();
  gradient->hasAlpha = 1;
  for (const auto& [ratio, color] : {std::pair{0, from}, std::pair{255, to}}) {
    auto record = std::make_unique<CSwfGradientRecord>();
    record->Init(static_cast<uint8_t>(ratio), SwfColor(color, true), 1);
    gradient->records.push_back(std::move(record));
  }
  auto fill = std::make_unique<CSwfFillStyle>();
  fill->SetGradient(CSwfFillStyle::kLinearGradient, SwfMatrix(matrix), std::move(gradient));
  AddFill(std::move(fill));
  return *this;
}

ShapeBuilder& ShapeBuilder::RadialGradient(const Transform2D& matrix, Rgba from, Rgba to) {
  LinearGradient(matrix, from, to);
  fills_->styles.back()->fillType = CSwfFillStyle::kRadialGradient;
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
  auto line = std::make_unique<CSwfLineStyle>();
  line->Init(width, SwfColor(color, true), 1);
  lines_->styles.push_back(std::move(line));
  ++lines_->count;
  return *this;
}

ShapeBuilder& ShapeBuilder::NewStyles() {
  auto change = std::make_unique<CSwfStyleChangeShapeRecord>();
  change->Init(CSwfStyleChangeShapeRecord::kNewStyles, shape_);
  change->fillStyles = std::make_unique<CSwfFillStyleArray>();
  change->fillStyles->Init(1);
  change->lineStyles = std::make_unique<CSwfLineStyleArray>();
  change->lineStyles->Init(1);
  fills_ = change->fillStyles.get();
  lines_ = change->lineStyles.get();
  return Add(std::move(change));
}

ShapeBuilder& ShapeBuilder::Select(int fill0, int fill1, int line) {
  auto change = std::make_unique<CSwfStyleChangeShapeRecord>();
  change->Init((fill0 >= 0 ? CSwfStyleChangeShapeRecord::kFillStyle0 : 0) |
                   (fill1 >= 0 ? CSwfStyleChangeShapeRecord::kFillStyle1 : 0) |
                   (line >= 0 ? CSwfStyleChangeShapeRecord::kLineStyle : 0),
               shape_);
  change->fillStyle0 = static_cast<uint16_t>(std::max(fill0, 0));
  change->fillStyle1 = static_cast<uint16_t>(std::max(fill1, 0));
  change->lineStyle = static_cast<uint16_t>(std::max(line, 0));
  return Add(std::move(change));
}

ShapeBuilder& ShapeBuilder::MoveTo(int32_t x, int32_t y) {
  auto change = std::make_unique<CSwfStyleChangeShapeRecord>();
  change->Init(CSwfStyleChangeShapeRecord::kMoveTo, shape_);
  change->moveDeltaX = x_ = startX_ = x;
  change->moveDeltaY = y_ = startY_ = y;
  return Add(std::move(change));
}

ShapeBuilder& ShapeBuilder::LineTo(int32_t x, int32_t y) {
  auto edge = std::make_unique<CSwfStraightEdgeShapeRecord>();
  edge->Init(x - x_, y - y_, CSwfStraightEdgeShapeRecord::kGeneral);
  x_ = x;
  y_ = y;
  return Add(std::move(edge));
}

ShapeBuilder& ShapeBuilder::CurveTo(int32_t controlX, int32_t controlY, int32_t x, int32_t y) {
  auto edge = std::make_unique<CSwfCurvedEdgeShapeRecord>();
  edge->Init(controlX - x_, controlY - y_, x - controlX, y - controlY);
  x_ = x;
  y_ = y;
  return Add(std::move(edge));
}

ShapeBuilder& ShapeBuilder::Close() {
  return x_ == startX_ && y_ == startY_ ? *this : LineTo(startX_, startY_);
}

ShapeBuilder& ShapeBuilder::Rectangle(int32_t x0, int32_t y0, int32_t x1, int32_t y1) {
  return MoveTo(x0, y0).LineTo(x1, y0).LineTo(x1, y1).LineTo(x0, y1).LineTo(x0, y0);
}

std::unique_ptr<CSwfDefineShape> ShapeBuilder::Build() {
  Add(std::make_unique<CSwfEndOfShapeRecord>());
  // Bounds do not steer drawing; any rectangle that is written serves.
  define_->bounds = std::make_unique<CSwfRect>(0, 20, 0, 20);
  return std::move(define_);
}

std::unique_ptr<CSwfShape> ShapeBuilder::BuildGlyph() {
  Add(std::make_unique<CSwfEndOfShapeRecord>());
  return std::move(glyph_);
}

std::unique_ptr<CSwfDefineShape> FilledRect(uint16_t id, Rgba color, int32_t x0, int32_t y0,
                                            int32_t x1, int32_t y1) {
  auto shape = ShapeBuilder(id).SolidFill(color).Select(-1, 1).Rectangle(x0, y0, x1, y1).Build();
  // Sizes and hit areas read the bounds.
  shape->bounds = std::make_unique<CSwfRect>(x0, x1, y0, y1);
  return shape;
}

ColorTransform Tint(std::array<int32_t, 4> mult, std::array<int32_t, 4> add) {
  return {mult[0], mult[1], mult[2], mult[3], add[0], add[1], add[2], add[3]};
}

std::unique_ptr<CSwfPlaceObject2> Place(uint16_t characterId, uint16_t depth,
                                        const Transform2D& matrix,
                                        std::optional<ColorTransform> tint, uint16_t clipDepth) {
  auto place = std::make_unique<CSwfPlaceObject2>();
  place->characterId = characterId;
  place->depth = depth;
  place->matrix = SwfMatrix(matrix);
  place->clipDepth = clipDepth;
  if (tint) {
    auto t = std::make_unique<CSwfColorTransformAlpha>();
    std::tie(t->redMult, t->greenMult, t->blueMult, t->alphaMult) =
        std::tie(tint->redMult, tint->greenMult, tint->blueMult, tint->alphaMult);
    std::tie(t->redAdd, t->greenAdd, t->blueAdd, t->alphaAdd) =
        std::tie(tint->redAdd, tint->greenAdd, tint->blueAdd, tint->alphaAdd);
    place->colorTransformAlpha = std::move(t);
  }
  return place;
}

std::unique_ptr<CSwfPlaceObject2> Move(uint16_t depth, const Transform2D& matrix,
                                       uint16_t characterId) {
  auto place = Place(characterId, depth, matrix);
  place->move = true;
  return place;
}

std::unique_ptr<CSwfTag> Remove(uint16_t depth) {
  return std::make_unique<CSwfRemoveObject2>(0, depth);
}

std::unique_ptr<CSwfTag> ShowFrame() {
  return std::make_unique<CSwfShowFrame>();
}

std::unique_ptr<CSwfTag> DoAction(Bytes actions) {
  actions.push_back(0);
  return RawTag(tagcode::kDoAction, std::move(actions));
}

std::unique_ptr<CSwfTag> FrameLabel(const std::string& label) {
  return std::make_unique<CSwfFrameLabel>(label);
}

std::unique_ptr<CSwfTag> RawTag(uint16_t code, Bytes body) {
  auto tag = std::make_unique<CSwfTagUnknown>(code, static_cast<uint32_t>(body.size()));
  tag->data = std::move(body);
  return tag;
}

std::unique_ptr<CSwfDefineSprite> Sprite(uint16_t id, Tags tags) {
  auto sprite = std::make_unique<CSwfDefineSprite>(id, 0);
  for (auto& tag : tags) {
    if (tag->GetTagCode() == tagcode::kShowFrame) ++sprite->frameCount;
    sprite->tags.push_back(std::move(tag));
  }
  return sprite;
}

Bytes ActionGotoFrame(uint16_t zeroBasedFrame) {
  return {actioncode::kGotoFrame, 2, 0, static_cast<uint8_t>(zeroBasedFrame & 0xFF),
          static_cast<uint8_t>(zeroBasedFrame >> 8)};
}

Bytes ActionGoToLabel(const std::string& label) {
  const auto length = static_cast<uint16_t>(label.size() + 1);
  Bytes bytes{actioncode::kGoToLabel, static_cast<uint8_t>(length & 0xFF),
              static_cast<uint8_t>(length >> 8)};
  for (const char c : label) bytes.push_back(static_cast<uint8_t>(c));
  bytes.push_back(0);
  return bytes;
}

Bytes Deflate(const Bytes& data) {
  uLongf size = compressBound(static_cast<uLong>(data.size()));
  Bytes out(size);
  EXPECT_EQ(compress(out.data(), &size, data.data(), static_cast<uLong>(data.size())), Z_OK);
  out.resize(size);
  return out;
}

Bytes LosslessBody(uint8_t format, uint16_t width, uint16_t height, const Bytes& pixelData,
                   int colorCount) {
  Bytes body{7, 0, format};
  for (const uint16_t side : {width, height}) {
    body.push_back(static_cast<uint8_t>(side));
    body.push_back(static_cast<uint8_t>(side >> 8));
  }
  if (colorCount >= 0) body.push_back(static_cast<uint8_t>(colorCount - 1));
  const Bytes packed = Deflate(pixelData);
  body.insert(body.end(), packed.begin(), packed.end());
  return body;
}

std::unique_ptr<CSwfShape> GlyphShape(const std::vector<GlyphRect>& rects) {
  ShapeBuilder glyph;
  glyph.Select(1, -1);
  for (const GlyphRect& r : rects) glyph.Rectangle(r.x0, r.y0, r.x1, r.y1);
  return glyph.BuildGlyph();
}

std::unique_ptr<CSwfDefineFont> DefineFont(uint16_t id,
                                           std::vector<std::unique_ptr<CSwfShape>> glyphs) {
  auto font = std::make_unique<CSwfDefineFont>();
  font->SetGlyphs(std::move(glyphs), id);
  return font;
}

std::unique_ptr<CSwfDefineFont2> DefineFont2(uint16_t id, const std::vector<Font2Glyph>& glyphs,
                                             uint16_t ascent, uint16_t descent) {
  auto font = std::make_unique<CSwfDefineFont2>();
  font->characterId = id;
  font->name = "Test";
  font->flags = CSwfDefineFont2::kHasLayout | CSwfDefineFont2::kAnsi;
  font->ascent = ascent;
  font->descent = descent;
  for (const Font2Glyph& glyph : glyphs) {
    font->glyphs.push_back(GlyphShape(glyph.rects));
    font->codes.push_back(glyph.code);
    font->advances.push_back(glyph.advance);
    font->bounds.push_back(std::make_unique<CSwfRect>());
  }
  return font;
}

std::unique_ptr<CSwfDefineText> DefineText(uint16_t id, uint16_t tagCode,
                                           const std::vector<TextRun>& runs) {
  auto text = std::make_unique<CSwfDefineText>();
  text->Init(id, std::make_unique<CSwfRect>(0, 20, 0, 20), std::make_unique<CSwfMatrix>(), 8, 16,
             tagCode);
  const bool alpha = tagCode == tagcode::kDefineText2;
  for (const TextRun& run : runs) {
    auto style = std::make_unique<CSwfTextStyleChangeRecord>();
    style->Set(1, SwfColor(run.color, alpha), run.x, run.y, run.height);
    style->SetHasAlpha(alpha ? 1 : 0);
    text->records.push_back(std::move(style));
    auto glyphs = std::make_unique<CSwfTextGlyphRecord>();
    glyphs->glyphBits = 8;
    glyphs->advanceBits = 16;
    for (const auto& [index, advance] : run.glyphs) glyphs->entries.push_back({index, advance});
    text->records.push_back(std::move(glyphs));
  }
  return text;
}

std::unique_ptr<CSwfDefineEditText> EditText(uint16_t id, Rgba color, int32_t x0, int32_t y0,
                                             int32_t x1, int32_t y1, uint16_t height,
                                             const std::string& text) {
  auto field = std::make_unique<CSwfDefineEditText>();
  field->Init(id, std::make_unique<CSwfColorAlpha>(color.r, color.g, color.b, color.a), "v");
  field->bounds = std::make_unique<CSwfRect>(x0, x1, y0, y1);
  field->SetFont(1, height);
  field->SetInitialText(text);
  field->flags |= CSwfDefineEditText::kUseOutlines;
  return field;
}

TestMovie::TestMovie(int widthPx, int heightPx, Rgba background)
    : width_(widthPx), height_(heightPx) {
  auto color = std::make_unique<CSwfSetBackgroundColor>();
  color->SetColor(background.r, background.g, background.b);
  tags_.push_back(std::move(color));
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

int PlayAndDraw(std::shared_ptr<const CKV_Movie> movie, double scale, int frames) {
  int width = 0;
  int height = 0;
  std::string error;
  const bool drawable = StageImageSize(*movie, scale, width, height, error);
  CKV_Player player(std::move(movie));
  int drawn = 0;
  for (int frame = 0; frame < frames; ++frame, player.Advance()) {
    if (!drawable) continue;
    auto image = CKV_Image::Create(width, height);
    if (!image) {
      ADD_FAILURE() << "no image of " << width << " x " << height;
      break;
    }
    RenderFrame(player, *image);
    ++drawn;
  }
  return drawn;
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
