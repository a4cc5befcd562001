#include "player/shape_cache.h"

#include <cairo.h>

#include <cmath>
#include <list>
#include <unordered_map>

#include "player/cairo_handles.h"
#include "player/outline_painter.h"
#include "player/pixel_box.h"

namespace player {
namespace {

struct SurfaceKey {
  const ShapeOutline* shape = nullptr;
  double a = 0;
  double b = 0;
  double c = 0;
  double d = 0;
  // The fraction of a pixel past the whole pixels it is painted at.
  double phaseX = 0;
  double phaseY = 0;
  ColorTransform colorTransform;
  bool maskMode = false;

  bool operator==(const SurfaceKey&) const = default;
};

struct SurfaceKeyHash {
  size_t operator()(const SurfaceKey& key) const {
    size_t hash = std::hash<const void*>()(key.shape);
    for (const double term : {key.a, key.b, key.c, key.d, key.phaseX, key.phaseY})
      hash = hash * 31 + std::hash<double>()(term);
    const ColorTransform& ct = key.colorTransform;
    for (const int32_t term : {ct.redMult, ct.greenMult, ct.blueMult, ct.alphaMult, ct.redAdd,
                               ct.greenAdd, ct.blueAdd, ct.alphaAdd})
      hash = hash * 31 + static_cast<size_t>(term);
    return hash * 2 + key.maskMode;
  }
};

// What an entry costs besides its pixels, so that shapes too large to keep, remembered as
// such, count against the budget too.
constexpr size_t kEntryBytes = 256;

// Splits a device coordinate into whole pixels and the exact fraction past them. Unlike
// letters, shapes keep their phase exactly: a hairline's pixel follows from where its path
// lies to the last fraction of a pixel. Still shapes and whole-pixel moves draw it again.
void SplitPhase(double value, int& whole, double& phase) {
  const double floor = std::floor(value);
  whole = static_cast<int>(floor);
  phase = value - floor;
}

// A rasterised shape and where its top-left pixel lies from the shape's whole-pixel origin;
// a null surface marks a shape too large to keep.
struct Raster {
  SurfacePtr surface;
  int left = 0;
  int top = 0;
  size_t bytes = kEntryBytes;
};

Raster Rasterise(const ShapeOutline& shape, const SurfaceKey& key,
                 const CKV_CharacterTable& characters) {
  const Transform2D local{key.a, key.b, key.c, key.d, key.phaseX, key.phaseY};
  PixelBox box;
  if (!ShapePixelBox(shape, local, box)) return {};
  const double width = box.Width();
  const double height = box.Height();
  if (width * height > CKV_ShapeCache::kMaxSurfacePixels) return {};
  // A mask is all coverage, with no colour to keep.
  SurfacePtr surface(
      cairo_image_surface_create(key.maskMode ? CAIRO_FORMAT_A8 : CAIRO_FORMAT_ARGB32,
                                 static_cast<int>(width), static_cast<int>(height)));
  if (cairo_surface_status(surface.get()) != CAIRO_STATUS_SUCCESS) return {};
  {
    const ContextPtr cr(cairo_create(surface.get()));
    CKV_OutlinePainter(cr.get(), characters, key.maskMode)
        .Paint(shape, Transform2D::Translation(-box.left, -box.top) * local, key.colorTransform);
  }
  cairo_surface_flush(surface.get());
  const size_t bytes =
      kEntryBytes + static_cast<size_t>(cairo_image_surface_get_stride(surface.get())) *
                        static_cast<size_t>(height);
  return {std::move(surface), static_cast<int>(box.left), static_cast<int>(box.top), bytes};
}

}  // namespace

// Most recently painted first; the map finds a key's place in the list.
struct CKV_ShapeCache::Surfaces {
  using Entry = std::pair<SurfaceKey, Raster>;
  std::list<Entry> byUse;
  std::unordered_map<SurfaceKey, std::list<Entry>::iterator, SurfaceKeyHash> byKey;
  size_t bytes = 0;

  void Trim() {
    while (bytes > kByteBudget && byUse.size() > 1) {
      bytes -= byUse.back().second.bytes;
      byKey.erase(byUse.back().first);
      byUse.pop_back();
    }
  }
};

CKV_ShapeCache::CKV_ShapeCache() : surfaces_(std::make_unique<Surfaces>()) {}

CKV_ShapeCache::~CKV_ShapeCache() = default;

size_t CKV_ShapeCache::Size() const {
  return surfaces_->byUse.size();
}

size_t CKV_ShapeCache::Bytes() const {
  return surfaces_->bytes;
}

bool CKV_ShapeCache::Paint(cairo_t* cr, const ShapeOutline& shape, const Transform2D& device,
                           const ColorTransform& colorTransform, bool maskMode,
                           const CKV_CharacterTable& characters) {
  // A mask paints every part opaque, whatever its colours.
  SurfaceKey key{&shape,   device.a, device.b, device.c,
                 device.d, 0,        0,        maskMode ? ColorTransform{} : colorTransform,
                 maskMode};
  int wholeX = 0;
  int wholeY = 0;
  SplitPhase(device.tx, wholeX, key.phaseX);
  SplitPhase(device.ty, wholeY, key.phaseY);
  Surfaces& surfaces = *surfaces_;
  auto found = surfaces.byKey.find(key);
  if (found != surfaces.byKey.end()) {
    surfaces.byUse.splice(surfaces.byUse.begin(), surfaces.byUse, found->second);
  } else {
    surfaces.byUse.emplace_front(key, Rasterise(shape, key, characters));
    found = surfaces.byKey.emplace(key, surfaces.byUse.begin()).first;
    surfaces.bytes += surfaces.byUse.front().second.bytes;
    surfaces.Trim();
  }
  const Raster& raster = found->second->second;
  if (!raster.surface) return false;
  cairo_save(cr);
  cairo_identity_matrix(cr);
  cairo_set_source_surface(cr, raster.surface.get(), wholeX + raster.left, wholeY + raster.top);
  cairo_paint(cr);
  cairo_restore(cr);
  return true;
}

}  // namespace player
