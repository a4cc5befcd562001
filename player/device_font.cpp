#include "player/device_font.h"

#include <algorithm>

#include "glyphs/font_request.h"
#include "glyphs/font_service.h"
#include "glyphs/system_font_service.h"
#include "player/font_character.h"
#include "swftk/units.h"

namespace player {
namespace {

constexpr uint16_t kFirstCode = 32;

std::string FaceFor(const std::string& name) {
  if (name == "_sans" || name.empty()) return "Arial";
  if (name == "_serif") return "Times New Roman";
  if (name == "_typewriter") return "Courier New";
  return name;
}

PathPoint ToEm(const glyphs::OutlinePoint& point) {
  // Outlines have y upwards; glyphs on the stage have it downwards.
  return {point.x / double{swftk::kFixedOne}, -point.y / double{swftk::kFixedOne}};
}

// A native outline as one closed subpath per polygon. Between two quadratic controls of a
// spline the curve passes through their midpoint.
ShapeOutline OutlineOf(const glyphs::GlyphOutline& outline) {
  DrawItem fill;
  ShapePath& path = fill.path;
  for (const glyphs::OutlinePolygon& polygon : outline.polygons) {
    path.verbs.push_back(ShapePath::Verb::kMove);
    path.points.push_back(ToEm(polygon.start));
    for (const glyphs::OutlineCurve& curve : polygon.curves) {
      if (curve.type != glyphs::kCurveQSpline) {
        for (const glyphs::OutlinePoint& point : curve.points) {
          path.verbs.push_back(ShapePath::Verb::kLine);
          path.points.push_back(ToEm(point));
        }
        continue;
      }
      for (size_t i = 0; i + 1 < curve.points.size(); ++i) {
        const PathPoint control = ToEm(curve.points[i]);
        const PathPoint next = ToEm(curve.points[i + 1]);
        const bool last = i + 2 == curve.points.size();
        path.verbs.push_back(ShapePath::Verb::kQuad);
        path.points.push_back(control);
        path.points.push_back(last ? next
                                   : PathPoint{(control.x + next.x) / 2, (control.y + next.y) / 2});
      }
    }
  }
  ShapeOutline shape;
  shape.fills.push_back(FillStyle::Solid({0, 0, 0, 255}));
  if (!path.Empty()) shape.items.push_back(std::move(fill));
  return shape;
}

}  // namespace

CKV_DeviceFonts::CKV_DeviceFonts(std::shared_ptr<glyphs::CKV_FontService> service)
    : service_(std::move(service)) {}

std::shared_ptr<const CKV_FontCharacter> CKV_DeviceFonts::Make(const std::string& name, bool bold,
                                                               bool italic) const {
  glyphs::FontRequest request;
  request.lfHeight = -static_cast<int32_t>(CKV_FontCharacter::kEmSquare);
  request.lfWeight = bold ? glyphs::kWeightBold : glyphs::kWeightNormal;
  request.lfItalic = italic ? 1 : 0;
  request.SetFaceName(FaceFor(name));
  const std::shared_ptr<const glyphs::CKV_GlyphSource> source = service_->CreateFont(request);
  if (!source) return nullptr;
  auto font = std::make_shared<CKV_FontCharacter>(name, bold, italic);
  const glyphs::TextMetrics metrics = source->GetTextMetrics();
  font->hasLayout = true;
  font->ascent = metrics.ascent;
  font->descent = metrics.descent;
  for (uint16_t code = kFirstCode; code <= 255; ++code) {
    const auto byte = static_cast<uint8_t>(code);
    glyphs::GlyphOutline outline;
    if (!source->GetGlyphOutline(byte, outline)) continue;
    const glyphs::AbcWidths widths = source->GetAbcWidths(byte);
    font->glyphs.push_back(OutlineOf(outline));
    font->codes.push_back(code);
    font->advances.push_back(widths.a + widths.b + widths.c);
    font->glyphRight.push_back(widths.a + widths.b);
  }
  return font;
}

std::shared_ptr<const CKV_FontCharacter> CKV_DeviceFonts::Find(const std::string& name, bool bold,
                                                               bool italic) {
  const std::lock_guard lock(mutex_);
  ++clock_;
  const std::tuple<std::string, bool, bool> key{name, bold, italic};
  for (Entry& entry : entries_) {
    if (entry.key == key) {
      entry.lastUse = clock_;
      return entry.font;
    }
  }
  if (entries_.size() == kCapacity) {
    entries_.erase(
        std::min_element(entries_.begin(), entries_.end(),
                         [](const Entry& a, const Entry& b) { return a.lastUse < b.lastUse; }));
  }
  entries_.push_back({key, Make(name, bold, italic), clock_});
  return entries_.back().font;
}

std::shared_ptr<CKV_DeviceFonts> MakeSystemDeviceFonts() {
  return std::make_shared<CKV_DeviceFonts>(std::make_shared<glyphs::CKV_SystemFontService>());
}

}  // namespace player
