#pragma once

#include <cairo.h>

#include "player/shape_outline.h"
#include "player/transform.h"

namespace player {

class CKV_CharacterTable;
class CKV_GlyphCache;
class CKV_ShapeCache;

// Paints shape outlines into a cairo context. In mask mode every fill and stroke paints
// opaque, for clipping layers.
class CKV_OutlinePainter {
 public:
  // Glyphs and kept shapes go through the caches when they are given.
  CKV_OutlinePainter(cairo_t* cr, const CKV_CharacterTable& characters, bool maskMode,
                     CKV_GlyphCache* glyphCache = nullptr, CKV_ShapeCache* shapeCache = nullptr)
      : cr_(cr),
        characters_(characters),
        maskMode_(maskMode),
        glyphCache_(glyphCache),
        shapeCache_(shapeCache) {}

  // The device transform maps the outline's twips to pixels.
  void Paint(const ShapeOutline& outline, const Transform2D& device,
             const ColorTransform& colorTransform);
  // The same for an outline that lives as long as the shape cache, a shape character's.
  void PaintKept(const ShapeOutline& outline, const Transform2D& device,
                 const ColorTransform& colorTransform);
  // A glyph in one colour.
  void PaintGlyph(const ShapeOutline& outline, const Transform2D& device, Rgba color);

  bool MaskMode() const { return maskMode_; }
  // False when the transform squashes the outline to nothing or holds values cairo refuses.
  static bool Drawable(const Transform2D& device);

 private:
  void SetSolid(Rgba color);
  // Sets the fill's paint as the source; false when it paints nothing.
  bool SetFillSource(const FillStyle& fill, const ColorTransform& colorTransform);
  bool SetBitmapSource(const FillStyle& fill, const ColorTransform& colorTransform);
  bool Opaque(const FillStyle& fill, const ColorTransform& colorTransform) const;
  void CloseSeams(const DrawItem& item, const ShapeOutline& outline, const Transform2D& device,
                  const ColorTransform& colorTransform);
  void StrokePath(const ShapePath& path, bool closed);
  void Stroke(const DrawItem& item, const LineStyle& line, const Transform2D& device,
              const ColorTransform& colorTransform);

  cairo_t* cr_;
  const CKV_CharacterTable& characters_;
  bool maskMode_ = false;
  CKV_GlyphCache* glyphCache_ = nullptr;
  CKV_ShapeCache* shapeCache_ = nullptr;
};

// Sets the context's matrix to a transform from twips to pixels.
void SetCairoMatrix(cairo_t* cr, const Transform2D& device);
// Appends a path in the context's user space.
void AppendPath(cairo_t* cr, const ShapePath& path, bool closeSubpaths);

}  // namespace player
