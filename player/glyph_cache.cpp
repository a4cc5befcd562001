#include "player/glyph_cache.h"

#include <cairo.h>

#include <cmath>
#include <tuple>
#include <unordered_map>

#include "player/cairo_handles.h"
#include "player/outline_painter.h"
#include "player/pixel_box.h"

namespace player {
namespace {

// Positions are kept to a sixteenth of a pixel, which no eye tells apart.
constexpr double kPhases = 16.0;

struct MaskKey {
  const ShapeOutline* glyph = nullptr;
  double a = 0;
  double b = 0;
  double c = 0;
  double d = 0;
  int phaseX = 0;
  int phaseY = 0;

  bool operator==(const MaskKey&) const = default;
};

struct MaskKeyHash {
  size_t operator()(const MaskKey& key) const {
    size_t hash = std::hash<const void*>()(key.glyph);
    for (const double term : {key.a, key.b, key.c, key.d})
      hash = hash * 31 + std::hash<double>()(term);
    return hash * 31 + static_cast<size_t>(key.phaseX * 16 + key.phaseY);
  }
};

// A mask and where its top-left pixel lies from the glyph's whole-pixel origin; a null mask
// marks a glyph too large to keep.
struct Mask {
  SurfacePtr surface;
  int left = 0;
  int top = 0;
};

// Splits a device coordinate into whole pixels and a phase in sixteenths.
void Split(double value, int& whole, int& phase) {
  const double floor = std::floor(value);
  whole = static_cast<int>(floor);
  phase = static_cast<int>(std::lround((value - floor) * kPhases));
  if (phase == static_cast<int>(kPhases)) {
    ++whole;
    phase = 0;
  }
}

Mask MakeMask(const ShapeOutline& glyph, const MaskKey& key) {
  const Transform2D local{key.a, key.b, key.c, key.d, key.phaseX / kPhases, key.phaseY / kPhases};
  PixelBox box;
  if (!ShapePixelBox(glyph, local, box)) return {};
  const double width = box.Width();
  const double height = box.Height();
  if (width * height > CKV_GlyphCache::kMaxMaskPixels) return {};
  SurfacePtr surface(cairo_image_surface_create(CAIRO_FORMAT_A8, static_cast<int>(width),
                                                static_cast<int>(height)));
  const ContextPtr cr(cairo_create(surface.get()));
  SetCairoMatrix(cr.get(), Transform2D::Translation(-box.left, -box.top) * local);
  cairo_set_fill_rule(cr.get(), CAIRO_FILL_RULE_EVEN_ODD);
  for (const DrawItem& item : glyph.items)
    if (item.kind == DrawItem::Kind::kFill) AppendPath(cr.get(), item.path, true);
  cairo_fill(cr.get());
  cairo_surface_flush(surface.get());
  return {std::move(surface), static_cast<int>(box.left), static_cast<int>(box.top)};
}

bool OutsideClip(cairo_t* cr, const ShapeOutline& glyph, const Transform2D& device) {
  PixelBox box;
  if (!ShapePixelBox(glyph, device, box)) return true;
  cairo_save(cr);
  cairo_identity_matrix(cr);
  double left = 0;
  double top = 0;
  double right = 0;
  double bottom = 0;
  cairo_clip_extents(cr, &left, &top, &right, &bottom);
  cairo_restore(cr);
  return box.right <= left || box.left >= right || box.bottom <= top || box.top >= bottom;
}

}  // namespace

struct CKV_GlyphCache::Masks {
  std::unordered_map<MaskKey, Mask, MaskKeyHash> byKey;
};

CKV_GlyphCache::CKV_GlyphCache() : masks_(std::make_unique<Masks>()) {}

CKV_GlyphCache::~CKV_GlyphCache() = default;

size_t CKV_GlyphCache::Size() const {
  return masks_->byKey.size();
}

bool CKV_GlyphCache::Paint(cairo_t* cr, const ShapeOutline& glyph, const Transform2D& device) {
  MaskKey key{&glyph, device.a, device.b, device.c, device.d, 0, 0};
  int wholeX = 0;
  int wholeY = 0;
  Split(device.tx, wholeX, key.phaseX);
  Split(device.ty, wholeY, key.phaseY);
  auto found = masks_->byKey.find(key);
  if (found == masks_->byKey.end()) {
    // A glyph wholly outside the area being drawn shows nothing: no mask is made for it.
    if (OutsideClip(cr, glyph, device)) return true;
    if (masks_->byKey.size() >= kCapacity) masks_->byKey.clear();
    found = masks_->byKey.emplace(key, MakeMask(glyph, key)).first;
  }
  const Mask& mask = found->second;
  if (!mask.surface) return false;
  cairo_save(cr);
  cairo_identity_matrix(cr);
  cairo_mask_surface(cr, mask.surface.get(), wholeX + mask.left, wholeY + mask.top);
  cairo_restore(cr);
  return true;
}

}  // namespace player
