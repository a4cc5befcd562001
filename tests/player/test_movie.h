#pragma once

#include <array>
#include <cstdint>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "player/image.h"
#include "player/movie.h"
#include "player/player.h"
#include "player/transform.h"
#include "swftk/define_shape.h"
#include "swftk/edit_text.h"
#include "swftk/font.h"
#include "swftk/place_object.h"
#include "swftk/sprite.h"
#include "swftk/text.h"

namespace player::test {

using Bytes = std::vector<uint8_t>;
using Tags = std::vector<std::unique_ptr<swftk::CSwfTag>>;

constexpr Rgba kWhite{255, 255, 255, 255};
constexpr Rgba kBlack{0, 0, 0, 255};
constexpr Rgba kRed{255, 0, 0, 255};
constexpr Rgba kGreen{0, 255, 0, 255};
constexpr Rgba kBlue{0, 0, 255, 255};

template <class... T>
Tags TagList(std::unique_ptr<T>... tags) {
  Tags list;
  (list.push_back(std::move(tags)), ...);
  return list;
}

// Draws a DefineShape3, or a font glyph with its one fill, edge by edge in absolute units.
class ShapeBuilder {
 public:
  explicit ShapeBuilder(uint16_t id);
  // A glyph: no style arrays, fill style 0 only.
  ShapeBuilder();

  ShapeBuilder& SolidFill(Rgba color);
  ShapeBuilder& LinearGradient(const Transform2D& matrix, Rgba from, Rgba to);
  ShapeBuilder& RadialGradient(const Transform2D& matrix, Rgba from, Rgba to);
  ShapeBuilder& BitmapFill(uint16_t bitmapId, const Transform2D& matrix, bool repeat);
  ShapeBuilder& LineStyle(uint16_t width, Rgba color);
  // Styles added from here on form a new layer, numbered from 1 again.
  ShapeBuilder& NewStyles();
  // A style change; negative numbers leave a style as it is.
  ShapeBuilder& Select(int fill0, int fill1, int line = -1);
  ShapeBuilder& MoveTo(int32_t x, int32_t y);
  ShapeBuilder& LineTo(int32_t x, int32_t y);
  ShapeBuilder& CurveTo(int32_t controlX, int32_t controlY, int32_t x, int32_t y);
  // Back to where the last move went, unless already there.
  ShapeBuilder& Close();
  // A closed rectangle drawn clockwise on screen from its top-left corner.
  ShapeBuilder& Rectangle(int32_t x0, int32_t y0, int32_t x1, int32_t y1);
  std::unique_ptr<swftk::CSwfDefineShape> Build();
  std::unique_ptr<swftk::CSwfShape> BuildGlyph();

 private:
  ShapeBuilder& Add(std::unique_ptr<swftk::CSwfShapeRecord> record);
  void AddFill(std::unique_ptr<swftk::CSwfFillStyle> fill);

  std::unique_ptr<swftk::CSwfDefineShape> define_;
  std::unique_ptr<swftk::CSwfShape> glyph_;
  swftk::CSwfShape* shape_ = nullptr;
  swftk::CSwfFillStyleArray* fills_ = nullptr;
  swftk::CSwfLineStyleArray* lines_ = nullptr;
  int32_t x_ = 0, y_ = 0, startX_ = 0, startY_ = 0;
};

// A shape of one solid rectangle, in twips.
std::unique_ptr<swftk::CSwfDefineShape> FilledRect(uint16_t id, Rgba color, int32_t x0, int32_t y0,
                                                   int32_t x1, int32_t y1);
std::unique_ptr<swftk::CSwfMatrix> SwfMatrix(const Transform2D& transform);

// A colour transform from its multipliers (256 keeps a channel) and additions, RGBA.
ColorTransform Tint(std::array<int32_t, 4> mult, std::array<int32_t, 4> add = {});
std::unique_ptr<swftk::CSwfPlaceObject2> Place(uint16_t characterId, uint16_t depth,
                                               const Transform2D& matrix = {},
                                               std::optional<ColorTransform> tint = std::nullopt,
                                               uint16_t clipDepth = 0);
// Moves the object at a depth, changing its character when one is given.
std::unique_ptr<swftk::CSwfPlaceObject2> Move(uint16_t depth, const Transform2D& matrix = {},
                                              uint16_t characterId = 0);
std::unique_ptr<swftk::CSwfTag> Remove(uint16_t depth);
std::unique_ptr<swftk::CSwfTag> ShowFrame();
// A DoAction holding the given action bytes (without the final zero).
std::unique_ptr<swftk::CSwfTag> DoAction(Bytes actions);
std::unique_ptr<swftk::CSwfTag> FrameLabel(const std::string& label);
// A tag the toolkit keeps as raw bytes.
std::unique_ptr<swftk::CSwfTag> RawTag(uint16_t code, Bytes body);
// A sprite of the given tags; ShowFrame tags count its frames.
std::unique_ptr<swftk::CSwfDefineSprite> Sprite(uint16_t id, Tags tags);
Bytes ActionGotoFrame(uint16_t zeroBasedFrame);
Bytes ActionGoToLabel(const std::string& label);

Bytes Deflate(const Bytes& data);
// A DefineBitsLossless body for bitmap 7: format, size, the colour count of mapped formats
// (none when negative), then the pixel data deflated.
Bytes LosslessBody(uint8_t format, uint16_t width, uint16_t height, const Bytes& pixelData,
                   int colorCount = -1);

// Glyph outlines: rectangles in em units (y up is negative), each a closed contour with fill
// style 0 as font glyphs have it.
struct GlyphRect {
  int32_t x0, y0, x1, y1;
};
std::unique_ptr<swftk::CSwfShape> GlyphShape(const std::vector<GlyphRect>& rects);
// DefineFont with glyph offsets computed from the glyphs.
std::unique_ptr<swftk::CSwfDefineFont> DefineFont(
    uint16_t id, std::vector<std::unique_ptr<swftk::CSwfShape>> glyphs);
struct Font2Glyph {
  uint16_t code = 0;
  std::vector<GlyphRect> rects;
  int16_t advance = 0;
};
std::unique_ptr<swftk::CSwfDefineFont2> DefineFont2(uint16_t id,
                                                    const std::vector<Font2Glyph>& glyphs,
                                                    uint16_t ascent, uint16_t descent);
// One line of glyphs of font 1: (glyph index, advance) pairs from the pen position given.
struct TextRun {
  Rgba color;
  int16_t x = 0;
  int16_t y = 0;
  uint16_t height = 0;
  std::vector<std::pair<int, int>> glyphs;
};
std::unique_ptr<swftk::CSwfDefineText> DefineText(uint16_t id, uint16_t tagCode,
                                                  const std::vector<TextRun>& runs);
// A text field using the outlines of font 1, drawn in the colour given.
std::unique_ptr<swftk::CSwfDefineEditText> EditText(uint16_t id, Rgba color, int32_t x0, int32_t y0,
                                                    int32_t x1, int32_t y1, uint16_t height,
                                                    const std::string& text);

// A whole movie built from tags; the stage is in pixels.
class TestMovie {
 public:
  TestMovie(int widthPx, int heightPx, Rgba background = kWhite);

  template <class... T>
  TestMovie& Add(std::unique_ptr<T>... tags) {
    (tags_.push_back(std::move(tags)), ...);
    return *this;
  }
  TestMovie& Frame() { return Add(ShowFrame()); }
  Bytes Build(uint8_t version = 4) const;
  std::shared_ptr<const CKV_Movie> Load(uint8_t version = 4) const;

 private:
  int width_ = 0;
  int height_ = 0;
  Tags tags_;
};

// The stage as the player shows it at a frame (counting from 1).
std::unique_ptr<CKV_Image> RenderFrameOf(std::shared_ptr<const CKV_Movie> movie, uint32_t frame,
                                         double scale = 1.0);
std::unique_ptr<CKV_Image> Render(const CKV_Player& player, double scale = 1.0);
// Plays the first frames, drawing each when the stage fits an image; the frames drawn.
int PlayAndDraw(std::shared_ptr<const CKV_Movie> movie, double scale, int frames);

// A pixel with its colour undone from premultiplication.
Rgba PixelAt(const CKV_Image& image, int x, int y);
// Largest difference of any channel.
int ColorDistance(Rgba a, Rgba b);

}  // namespace player::test
