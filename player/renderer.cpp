#include "player/renderer.h"

#include <cairo.h>

#include <algorithm>
#include <cmath>
#include <memory>

#include "player/cairo_handles.h"
#include "player/device_font.h"
#include "player/edit_text_character.h"
#include "player/edit_text_instance.h"
#include "player/font_character.h"
#include "player/image.h"
#include "player/instance.h"
#include "player/morph_shape_character.h"
#include "player/movie.h"
#include "player/outline_painter.h"
#include "player/pixel_box.h"
#include "player/player.h"
#include "player/shape_character.h"
#include "player/text_character.h"
#include "swftk/units.h"

namespace player {
namespace {

bool Invisible(const ColorTransform& colorTransform) {
  return colorTransform.alphaMult <= 0 && colorTransform.alphaAdd <= 0;
}

// Walks a display tree and paints it.
class StageDrawer {
 public:
  StageDrawer(cairo_t* cr, const CKV_Player& player, const Transform2D& stageToDevice)
      : cr_(cr),
        movie_(player.Movie()),
        deviceFonts_(player.DeviceFonts()),
        glyphCache_(player.GlyphCache()),
        shapeCache_(player.ShapeCache()),
        stageToDevice_(stageToDevice) {}

  void DrawList(const DisplayList& list, const Transform2D& transform,
                const ColorTransform& colorTransform, bool mask) {
    DrawRange(list.begin(), list.end(), transform, colorTransform, mask);
  }

 private:
  using Iterator = DisplayList::const_iterator;

  // An object with a clip depth is not drawn: it masks the objects above it up to that depth.
  void DrawRange(Iterator it, Iterator end, const Transform2D& transform,
                 const ColorTransform& colorTransform, bool mask) {
    while (it != end) {
      const auto& [depth, entry] = *it;
      ++it;
      if (entry.placement.clipDepth == 0) {
        DrawEntry(entry, transform, colorTransform, mask);
        continue;
      }
      Iterator maskedEnd = it;
      while (maskedEnd != end && maskedEnd->first <= entry.placement.clipDepth) ++maskedEnd;
      DrawMasked(entry, it, maskedEnd, transform, colorTransform, mask);
      it = maskedEnd;
    }
  }

  void DrawMasked(const DisplayEntry& clip, Iterator first, Iterator end,
                  const Transform2D& transform, const ColorTransform& colorTransform, bool mask) {
    if (first == end) return;
    cairo_save(cr_);
    ClipToShapeBox(clip, transform);
    cairo_identity_matrix(cr_);
    cairo_push_group(cr_);
    DrawRange(first, end, transform, colorTransform, mask);
    cairo_identity_matrix(cr_);
    const PatternPtr content(cairo_pop_group(cr_));
    cairo_push_group_with_content(cr_, CAIRO_CONTENT_ALPHA);
    DrawEntry(clip, transform, colorTransform, true);
    cairo_identity_matrix(cr_);
    const PatternPtr coverage(cairo_pop_group(cr_));
    cairo_set_source(cr_, content.get());
    cairo_mask(cr_, coverage.get());
    cairo_restore(cr_);
  }

  // Nothing shows outside a clipping shape, so its content and coverage need only the pixels
  // the shape can touch rather than the whole image.
  void ClipToShapeBox(const DisplayEntry& clip, const Transform2D& transform) {
    const CKV_Character* character = clip.instance ? clip.instance->Character() : nullptr;
    if (!character || character->Kind() != CharacterKind::kShape) return;
    const Transform2D device = stageToDevice_ * transform * clip.placement.matrix;
    PixelBox box;
    if (!CKV_OutlinePainter::Drawable(device) ||
        !ShapePixelBox(static_cast<const CKV_ShapeCharacter*>(character)->outline, device, box))
      return;
    cairo_identity_matrix(cr_);
    cairo_new_path(cr_);
    cairo_rectangle(cr_, box.left, box.top, box.Width(), box.Height());
    cairo_clip(cr_);
  }

  void DrawEntry(const DisplayEntry& entry, const Transform2D& parentTransform,
                 const ColorTransform& parentColor, bool mask) {
    if (!entry.instance || !entry.visible) return;
    const Transform2D transform = parentTransform * entry.placement.matrix;
    const ColorTransform colorTransform = parentColor * entry.placement.colorTransform;
    if (!mask && Invisible(colorTransform)) return;
    DrawInstance(*entry.instance, entry.placement.ratio, transform, colorTransform, mask);
  }

  void DrawInstance(const CKV_Instance& instance, uint16_t ratio, const Transform2D& transform,
                    const ColorTransform& colorTransform, bool mask) {
    if (const DisplayList* children = instance.Children()) {
      DrawList(*children, transform, colorTransform, mask);
      return;
    }
    const CKV_Character* character = instance.Character();
    if (!character) return;
    CKV_OutlinePainter painter(cr_, movie_.characters, mask, &glyphCache_, &shapeCache_);
    const Transform2D device = stageToDevice_ * transform;
    switch (character->Kind()) {
      case CharacterKind::kShape:
        painter.PaintKept(static_cast<const CKV_ShapeCharacter*>(character)->outline, device,
                          colorTransform);
        break;
      case CharacterKind::kMorphShape:
        painter.Paint(*static_cast<const CKV_MorphShapeCharacter*>(character)->OutlineAt(ratio),
                      device, colorTransform);
        break;
      case CharacterKind::kText:
        for (const PlacedGlyph& glyph : static_cast<const CKV_TextCharacter*>(character)->glyphs)
          painter.PaintGlyph(*glyph.outline, device * glyph.transform,
                             colorTransform.Apply(glyph.color));
        break;
      case CharacterKind::kEditText:
        DrawField(static_cast<const CKV_EditTextInstance&>(instance), device, colorTransform,
                  painter);
        break;
      default:
        break;
    }
  }

  // A text field shows only what lies inside its bounds.
  void DrawField(const CKV_EditTextInstance& instance, const Transform2D& device,
                 const ColorTransform& colorTransform, CKV_OutlinePainter& painter) {
    if (!CKV_OutlinePainter::Drawable(device)) return;
    const CKV_EditTextCharacter& field = instance.Field();
    const TwipsRect& box = field.bounds;
    cairo_save(cr_);
    if (field.border) DrawBorder(box, device, colorTransform, painter.MaskMode());
    SetCairoMatrix(cr_, device);
    cairo_new_path(cr_);
    cairo_rectangle(cr_, box.xMin, box.yMin, box.xMax - box.xMin, box.yMax - box.yMin);
    cairo_clip(cr_);
    if (const std::shared_ptr<const CKV_FontCharacter> font = FieldFont(field)) {
      // Device fonts may go while the player lives, so their glyphs are not kept as masks.
      CKV_OutlinePainter direct(cr_, movie_.characters, painter.MaskMode());
      CKV_OutlinePainter& glyphPainter = field.useOutlines ? painter : direct;
      for (const PlacedGlyph& glyph : instance.Glyphs(font))
        glyphPainter.PaintGlyph(*glyph.outline, device * glyph.transform,
                                colorTransform.Apply(glyph.color));
    }
    cairo_restore(cr_);
  }

  // A white box with a black line one pixel wide around it, the line on whole pixels when the
  // field is not turned.
  void DrawBorder(const TwipsRect& box, const Transform2D& device,
                  const ColorTransform& colorTransform, bool mask) {
    const auto setColor = [this, &colorTransform, mask](Rgba color) {
      color = mask ? Rgba{0, 0, 0, 255} : colorTransform.Apply(color);
      cairo_set_source_rgba(cr_, color.r / 255.0, color.g / 255.0, color.b / 255.0,
                            color.a / 255.0);
    };
    SetCairoMatrix(cr_, device);
    cairo_new_path(cr_);
    cairo_rectangle(cr_, box.xMin, box.yMin, box.xMax - box.xMin, box.yMax - box.yMin);
    setColor({255, 255, 255, 255});
    cairo_fill_preserve(cr_);
    cairo_identity_matrix(cr_);
    if (device.b == 0 && device.c == 0) {
      const double x0 = device.a * box.xMin + device.tx;
      const double x1 = device.a * box.xMax + device.tx;
      const double y0 = device.d * box.yMin + device.ty;
      const double y1 = device.d * box.yMax + device.ty;
      const double left = std::floor(std::min(x0, x1)) + 0.5;
      const double top = std::floor(std::min(y0, y1)) + 0.5;
      const double right = std::ceil(std::max(x0, x1)) - 0.5;
      const double bottom = std::ceil(std::max(y0, y1)) - 0.5;
      cairo_new_path(cr_);
      cairo_rectangle(cr_, left, top, right - left, bottom - top);
    }
    setColor({0, 0, 0, 255});
    cairo_set_line_width(cr_, 1.0);
    cairo_stroke(cr_);
  }

  // The embedded outlines when the field asks for them, otherwise the installed font of the
  // same name. Embedded fonts live as long as the movie, so they are handed out unowned.
  std::shared_ptr<const CKV_FontCharacter> FieldFont(const CKV_EditTextCharacter& field) {
    const CKV_FontCharacter* embedded = field.font;
    if (field.useOutlines) {
      if (!embedded || embedded->glyphs.empty()) return nullptr;
      return {std::shared_ptr<const CKV_FontCharacter>(), embedded};
    }
    return embedded ? deviceFonts_.Find(embedded->name, embedded->bold, embedded->italic)
                    : deviceFonts_.Find("_serif", false, false);
  }

  cairo_t* cr_;
  const CKV_Movie& movie_;
  CKV_DeviceFonts& deviceFonts_;
  CKV_GlyphCache& glyphCache_;
  CKV_ShapeCache& shapeCache_;
  Transform2D stageToDevice_;
};

}  // namespace

bool StageImageSize(const CKV_Movie& movie, double scale, int& width, int& height,
                    std::string& error) {
  const double stageWidth = (movie.stage.xMax - movie.stage.xMin) / double{swftk::kTwipsPerPixel};
  const double stageHeight = (movie.stage.yMax - movie.stage.yMin) / double{swftk::kTwipsPerPixel};
  if (!(stageWidth > 0) || !(stageHeight > 0)) {
    error = "the movie's stage is empty";
    return false;
  }
  if (!std::isfinite(scale) || !(scale > 0)) {
    error = "the scale must be a positive number";
    return false;
  }
  const double w = std::round(stageWidth * scale);
  const double h = std::round(stageHeight * scale);
  if (w > CKV_Image::kMaxSide || h > CKV_Image::kMaxSide) {
    error = "the stage would be " + std::to_string(static_cast<long long>(w)) + " x " +
            std::to_string(static_cast<long long>(h)) +
            " pixels at this scale; images above 8192 x 8192 pixels are refused";
    return false;
  }
  width = std::max(1, static_cast<int>(w));
  height = std::max(1, static_cast<int>(h));
  return true;
}

void PaintBackground(CKV_Image& image, Rgba color) {
  const ContextPtr cr(cairo_create(image.Surface()));
  cairo_set_source_rgb(cr.get(), color.r / 255.0, color.g / 255.0, color.b / 255.0);
  cairo_set_operator(cr.get(), CAIRO_OPERATOR_SOURCE);
  cairo_paint(cr.get());
}

void DrawDisplayList(const CKV_Player& player, CKV_Image& image, const Transform2D& stageToImage) {
  const ContextPtr cr(cairo_create(image.Surface()));
  StageDrawer(cr.get(), player, stageToImage)
      .DrawList(*player.Root().Children(), Transform2D{}, ColorTransform{}, false);
}

void RenderFrame(const CKV_Player& player, CKV_Image& image) {
  PaintBackground(image, player.Background());
  const TwipsRect& stage = player.Movie().stage;
  const double stageWidth = stage.xMax - stage.xMin;
  const double stageHeight = stage.yMax - stage.yMin;
  if (!(stageWidth > 0) || !(stageHeight > 0)) return;
  const double sx = image.Width() / stageWidth;
  const double sy = image.Height() / stageHeight;
  DrawDisplayList(player, image, {sx, 0, 0, sy, -stage.xMin * sx, -stage.yMin * sy});
}

}  // namespace player
