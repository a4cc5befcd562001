#pragma once

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
#include "swftk/place_object.h"
#include "swftk/sprite.h"

namespace player::test {

using Bytes = std::vector<uint8_t>;

// Draws a DefineShape3 edge by edge in absolute twips.
class ShapeBuilder {
 public:
  explicit ShapeBuilder(uint16_t id, uint16_t tagCode = swftk::tagcode::kDefineShape3);

  ShapeBuilder& SolidFill(Rgba color);
  ShapeBuilder& LinearGradient(const Transform2D& matrix, Rgba from, Rgba to);
  ShapeBuilder& RadialGradient(const Transform2D& matrix, Rgba from, Rgba to);
  ShapeBuilder& BitmapFill(uint16_t bitmapId, const Transform2D& matrix, bool repeat);
  ShapeBuilder& LineStyle(uint16_t width, Rgba color);
  // A style change; absent values stay as they are.
  ShapeBuilder& Select(std::optional<uint16_t> fill0, std::optional<uint16_t> fill1,
                       std::optional<uint16_t> line = std::nullopt);
  ShapeBuilder& MoveTo(int32_t x, int32_t y);
  ShapeBuilder& LineTo(int32_t x, int32_t y);
  ShapeBuilder& CurveTo(int32_t controlX, int32_t controlY, int32_t x, int32_t y);
  // A closed rectangle drawn clockwise on screen from its top-left corner.
  ShapeBuilder& Rectangle(int32_t x0, int32_t y0, int32_t x1, int32_t y1);
  std::unique_ptr<swftk::CSwfDefineShape> Build();

 private:
  void AddFill(std::unique_ptr<swftk::CSwfFillStyle> fill);
  std::unique_ptr<swftk::CSwfDefineShape> define_;
  int32_t x_ = 0;
  int32_t y_ = 0;
};

std::unique_ptr<swftk::CSwfMatrix> SwfMatrix(const Transform2D& transform);

// The optional parts of a placement, set by chaining: Options().At(m).ClipTo(3).
struct PlaceOptions {
  PlaceOptions& At(const Transform2D& m) {
    matrix = m;
    return *this;
  }
  PlaceOptions& Tint(const ColorTransform& c) {
    colorTransform = c;
    return *this;
  }
  PlaceOptions& Named(std::string n) {
    name = std::move(n);
    return *this;
  }
  PlaceOptions& ClipTo(uint16_t depth) {
    clipDepth = depth;
    return *this;
  }
  PlaceOptions& Moving() {
    move = true;
    return *this;
  }

  Transform2D matrix;
  std::optional<ColorTransform> colorTransform;
  std::string name;
  uint16_t clipDepth = 0;
  bool move = false;
};

inline PlaceOptions Options() {
  return PlaceOptions();
}

std::unique_ptr<swftk::CSwfPlaceObject2> Place(uint16_t characterId, uint16_t depth,
                                               const PlaceOptions& options = {});
std::unique_ptr<swftk::CSwfTag> Remove(uint16_t depth);
std::unique_ptr<swftk::CSwfTag> ShowFrame();
// A DoAction holding the given action bytes (without the final zero).
std::unique_ptr<swftk::CSwfTag> DoActionBytes(const Bytes& actions);
std::unique_ptr<swftk::CSwfTag> FrameLabel(const std::string& label);
// A tag the toolkit keeps as raw bytes.
std::unique_ptr<swftk::CSwfTag> RawTag(uint16_t code, Bytes body);
// A sprite of the given tags; ShowFrame tags count its frames.
std::unique_ptr<swftk::CSwfDefineSprite> Sprite(uint16_t id,
                                                std::vector<std::unique_ptr<swftk::CSwfTag>> tags);

// Action bytes.
Bytes ActionStop();
Bytes ActionPlay();
Bytes ActionGotoFrame(uint16_t zeroBasedFrame);
Bytes ActionGoToLabel(const std::string& label);
Bytes ActionNextFrame();
Bytes ActionPrevFrame();

// A whole movie built from tags; the stage is in pixels.
class TestMovie {
 public:
  TestMovie(int widthPx, int heightPx, Rgba background = {255, 255, 255, 255});

  TestMovie& Add(std::unique_ptr<swftk::CSwfTag> tag);
  TestMovie& Frame() { return Add(ShowFrame()); }
  Bytes Build(uint8_t version = 4) const;
  std::shared_ptr<const CKV_Movie> Load(uint8_t version = 4) const;

 private:
  int width_ = 0;
  int height_ = 0;
  std::vector<std::unique_ptr<swftk::CSwfTag>> tags_;
};

// The stage as the player shows it at a frame (counting from 1), one pixel per stage pixel
// times scale.
std::unique_ptr<CKV_Image> RenderFrameOf(std::shared_ptr<const CKV_Movie> movie, uint32_t frame,
                                         double scale = 1.0);
std::unique_ptr<CKV_Image> Render(const CKV_Player& player, double scale = 1.0);

// A pixel with its colour undone from premultiplication.
Rgba PixelAt(const CKV_Image& image, int x, int y);
// Largest difference of any channel.
int ColorDistance(Rgba a, Rgba b);

}  // namespace player::test
