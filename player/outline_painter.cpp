#include "player/outline_painter.h"

#include <algorithm>
#include <cmath>
#include <memory>
#include <vector>

#include "player/bitmap_character.h"
#include "player/cairo_handles.h"
#include "player/character_table.h"
#include "player/glyph_cache.h"
#include "player/shape_cache.h"

namespace player {
namespace {

// Beyond these, coordinates leave the range cairo computes in; nothing there can be seen.
constexpr double kSmallestDeterminant = 1e-14;
constexpr double kLargestTerm = 1e9;

cairo_matrix_t CairoMatrix(const Transform2D& t) {
  cairo_matrix_t matrix;
  cairo_matrix_init(&matrix, t.a, t.b, t.c, t.d, t.tx, t.ty);
  return matrix;
}

void AddStop(cairo_pattern_t* pattern, double offset, Rgba color) {
  cairo_pattern_add_color_stop_rgba(pattern, offset, color.r / 255.0, color.g / 255.0,
                                    color.b / 255.0, color.a / 255.0);
}

uint8_t Unpremultiply(uint32_t channel, uint32_t alpha) {
  return static_cast<uint8_t>(alpha == 0 ? 0 : std::min<uint32_t>(255, channel * 255 / alpha));
}

// A copy of a bitmap's pixels with a colour transform applied.
SurfacePtr TransformedCopy(const CKV_BitmapCharacter& bitmap, const ColorTransform& transform) {
  SurfacePtr surface(cairo_image_surface_create(CAIRO_FORMAT_ARGB32, bitmap.width, bitmap.height));
  if (cairo_surface_status(surface.get()) != CAIRO_STATUS_SUCCESS) return nullptr;
  cairo_surface_flush(surface.get());
  uint8_t* data = cairo_image_surface_get_data(surface.get());
  const int stride = cairo_image_surface_get_stride(surface.get());
  for (int y = 0; y < bitmap.height; ++y) {
    auto* row = reinterpret_cast<uint32_t*>(data + static_cast<ptrdiff_t>(y) * stride);
    for (int x = 0; x < bitmap.width; ++x) {
      const uint32_t p = bitmap.pixels[static_cast<size_t>(y) * bitmap.width + x];
      const uint32_t a = p >> 24;
      const Rgba out =
          transform.Apply({Unpremultiply(p >> 16 & 255, a), Unpremultiply(p >> 8 & 255, a),
                           Unpremultiply(p & 255, a), static_cast<uint8_t>(a)});
      const auto scaled = [&out](uint8_t c) { return uint32_t{c} * out.a / 255; };
      row[x] = uint32_t{out.a} << 24 | scaled(out.r) << 16 | scaled(out.g) << 8 | scaled(out.b);
    }
  }
  cairo_surface_mark_dirty(surface.get());
  return surface;
}

// The bitmap's own pixels, borrowed: nothing draws into the surface.
SurfacePtr BorrowedSurface(const CKV_BitmapCharacter& bitmap) {
  auto* data = reinterpret_cast<unsigned char*>(const_cast<uint32_t*>(bitmap.pixels.data()));
  return SurfacePtr(cairo_image_surface_create_for_data(data, CAIRO_FORMAT_ARGB32, bitmap.width,
                                                        bitmap.height, bitmap.width * 4));
}

}  // namespace

void SetCairoMatrix(cairo_t* cr, const Transform2D& device) {
  const cairo_matrix_t matrix = CairoMatrix(device);
  cairo_set_matrix(cr, &matrix);
}

void AppendPath(cairo_t* cr, const ShapePath& path, bool closeSubpaths) {
  size_t p = 0;
  PathPoint current;
  for (size_t i = 0; i < path.verbs.size(); ++i) {
    switch (path.verbs[i]) {
      case ShapePath::Verb::kMove:
        if (closeSubpaths && i > 0) cairo_close_path(cr);
        current = path.points[p++];
        cairo_move_to(cr, current.x, current.y);
        break;
      case ShapePath::Verb::kLine:
        current = path.points[p++];
        cairo_line_to(cr, current.x, current.y);
        break;
      case ShapePath::Verb::kQuad: {
        // The cubic that traces the same parabola.
        const PathPoint control = path.points[p++];
        const PathPoint anchor = path.points[p++];
        cairo_curve_to(cr, current.x + 2.0 / 3.0 * (control.x - current.x),
                       current.y + 2.0 / 3.0 * (control.y - current.y),
                       anchor.x + 2.0 / 3.0 * (control.x - anchor.x),
                       anchor.y + 2.0 / 3.0 * (control.y - anchor.y), anchor.x, anchor.y);
        current = anchor;
        break;
      }
    }
  }
  if (closeSubpaths && !path.verbs.empty()) cairo_close_path(cr);
}

bool CKV_OutlinePainter::Drawable(const Transform2D& device) {
  for (const double term : {device.a, device.b, device.c, device.d, device.tx, device.ty})
    if (!std::isfinite(term) || std::abs(term) > kLargestTerm) return false;
  return std::abs(device.Determinant()) >= kSmallestDeterminant;
}

void CKV_OutlinePainter::SetSolid(Rgba color) {
  if (maskMode_) color = {0, 0, 0, 255};
  cairo_set_source_rgba(cr_, color.r / 255.0, color.g / 255.0, color.b / 255.0, color.a / 255.0);
}

bool CKV_OutlinePainter::SetFillSource(const FillStyle& fill,
                                       const ColorTransform& colorTransform) {
  if (maskMode_ || fill.kind == FillStyle::Kind::kSolid) {
    const Rgba color = colorTransform.Apply(fill.color);
    SetSolid(color);
    return maskMode_ || color.a > 0;
  }
  if (fill.kind == FillStyle::Kind::kBitmap) return SetBitmapSource(fill, colorTransform);
  if (fill.stops.empty()) return false;
  Transform2D toGradient;
  if (!fill.matrix.Invert(toGradient)) {
    // A gradient squashed flat shows its last colour.
    SetSolid(colorTransform.Apply(fill.stops.back().color));
    return true;
  }
  constexpr double kHalf = FillStyle::kGradientHalfSize;
  PatternPtr pattern(fill.kind == FillStyle::Kind::kLinearGradient
                         ? cairo_pattern_create_linear(-kHalf, 0, kHalf, 0)
                         : cairo_pattern_create_radial(0, 0, 0, 0, 0, kHalf));
  for (const GradientStop& stop : fill.stops)
    AddStop(pattern.get(), stop.offset, colorTransform.Apply(stop.color));
  cairo_pattern_set_extend(pattern.get(), CAIRO_EXTEND_PAD);
  const cairo_matrix_t matrix = CairoMatrix(toGradient);
  cairo_pattern_set_matrix(pattern.get(), &matrix);
  cairo_set_source(cr_, pattern.get());
  return true;
}

bool CKV_OutlinePainter::SetBitmapSource(const FillStyle& fill,
                                         const ColorTransform& colorTransform) {
  const CKV_Character* character = characters_.Find(fill.bitmapId);
  Transform2D toBitmap;
  if (!character || character->Kind() != CharacterKind::kBitmap || !fill.matrix.Invert(toBitmap))
    return false;
  const auto& bitmap = static_cast<const CKV_BitmapCharacter&>(*character);
  SurfacePtr surface = colorTransform.IsIdentity() ? BorrowedSurface(bitmap)
                                                   : TransformedCopy(bitmap, colorTransform);
  if (!surface || cairo_surface_status(surface.get()) != CAIRO_STATUS_SUCCESS) return false;
  PatternPtr pattern(cairo_pattern_create_for_surface(surface.get()));
  cairo_pattern_set_extend(pattern.get(), fill.repeat ? CAIRO_EXTEND_REPEAT : CAIRO_EXTEND_PAD);
  cairo_pattern_set_filter(pattern.get(), CAIRO_FILTER_GOOD);
  const cairo_matrix_t matrix = CairoMatrix(toBitmap);
  cairo_pattern_set_matrix(pattern.get(), &matrix);
  // The context holds its own reference to the pattern and through it to the surface.
  cairo_set_source(cr_, pattern.get());
  return true;
}

bool CKV_OutlinePainter::Opaque(const FillStyle& fill, const ColorTransform& colorTransform) const {
  if (maskMode_) return true;
  switch (fill.kind) {
    case FillStyle::Kind::kSolid:
      return colorTransform.Apply(fill.color).a == 255;
    case FillStyle::Kind::kLinearGradient:
    case FillStyle::Kind::kRadialGradient:
      return std::all_of(fill.stops.begin(), fill.stops.end(), [&](const GradientStop& stop) {
        return colorTransform.Apply(stop.color).a == 255;
      });
    case FillStyle::Kind::kBitmap:
      break;
  }
  return false;
}

// Under a later fill that hides them, the shared edges are painted a pixel wide with the
// current fill's paint. Behind a translucent fill they would show, so those stay as they are.
void CKV_OutlinePainter::CloseSeams(const DrawItem& item, const ShapeOutline& outline,
                                    const Transform2D& device,
                                    const ColorTransform& colorTransform) {
  if (item.sharedEdges.empty() || !Opaque(outline.fills[item.style], colorTransform)) return;
  cairo_set_line_width(cr_, 1.0 / device.LargestScale());
  for (const SharedEdges& edges : item.sharedEdges) {
    if (edges.laterFill >= outline.fills.size() ||
        !Opaque(outline.fills[edges.laterFill], colorTransform))
      continue;
    StrokePath(edges.path, false);
  }
}

void CKV_OutlinePainter::StrokePath(const ShapePath& path, bool closed) {
  cairo_new_path(cr_);
  AppendPath(cr_, path, false);
  if (closed) cairo_close_path(cr_);
  cairo_stroke(cr_);
}

void CKV_OutlinePainter::Stroke(const DrawItem& item, const LineStyle& line,
                                const Transform2D& device, const ColorTransform& colorTransform) {
  SetSolid(colorTransform.Apply(line.color));
  const double onePixel = 1.0 / device.LargestScale();
  if (line.width >= onePixel) {
    cairo_set_line_width(cr_, line.width);
    StrokePath(item.path, item.closed);
    return;
  }
  // A line thinner than a pixel is a hairline: one whole pixel wide however far it is scaled
  // down, in the pixel whose right or lower edge its path runs along or crosses, as real
  // players draw it. A hairline around a fill on whole pixels so covers the fill's last column
  // and row but stays out of the pixels before its first ones.
  ShapePath snapped = item.path;
  for (PathPoint& point : snapped.points) {
    const double x = device.a * point.x + device.c * point.y + device.tx;
    const double y = device.b * point.x + device.d * point.y + device.ty;
    point = {std::ceil(x) - 0.5, std::ceil(y) - 0.5};
  }
  cairo_identity_matrix(cr_);
  cairo_set_line_width(cr_, 1.0);
  StrokePath(snapped, item.closed);
  SetCairoMatrix(cr_, device);
}

void CKV_OutlinePainter::Paint(const ShapeOutline& outline, const Transform2D& device,
                               const ColorTransform& colorTransform) {
  if (!Drawable(device)) return;
  SetCairoMatrix(cr_, device);
  cairo_set_fill_rule(cr_, CAIRO_FILL_RULE_EVEN_ODD);
  cairo_set_line_cap(cr_, CAIRO_LINE_CAP_ROUND);
  cairo_set_line_join(cr_, CAIRO_LINE_JOIN_ROUND);
  for (const DrawItem& item : outline.items) {
    if (item.kind == DrawItem::Kind::kStroke) {
      if (item.style < outline.lines.size())
        Stroke(item, outline.lines[item.style], device, colorTransform);
      continue;
    }
    if (item.style >= outline.fills.size() ||
        !SetFillSource(outline.fills[item.style], colorTransform))
      continue;
    cairo_new_path(cr_);
    AppendPath(cr_, item.path, true);
    cairo_fill(cr_);
    CloseSeams(item, outline, device, colorTransform);
  }
}

void CKV_OutlinePainter::PaintKept(const ShapeOutline& outline, const Transform2D& device,
                                   const ColorTransform& colorTransform) {
  if (!Drawable(device)) return;
  if (shapeCache_ &&
      shapeCache_->Paint(cr_, outline, device, colorTransform, maskMode_, characters_))
    return;
  Paint(outline, device, colorTransform);
}

void CKV_OutlinePainter::PaintGlyph(const ShapeOutline& outline, const Transform2D& device,
                                    Rgba color) {
  if (!Drawable(device)) return;
  SetCairoMatrix(cr_, device);
  cairo_set_fill_rule(cr_, CAIRO_FILL_RULE_EVEN_ODD);
  SetSolid(color);
  if (glyphCache_ && glyphCache_->Paint(cr_, outline, device)) return;
  cairo_new_path(cr_);
  for (const DrawItem& item : outline.items)
    if (item.kind == DrawItem::Kind::kFill) AppendPath(cr_, item.path, true);
  cairo_fill(cr_);
}

}  // namespace player
