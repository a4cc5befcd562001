#include "glyphs/truetype_helper.h"

#include <cmath>
#include <limits>

#include "swftk/shape.h"
#include "swftk/units.h"

namespace glyphs {

namespace {

using swftk::CSwfCurvedEdgeShapeRecord;
using swftk::CSwfStraightEdgeShapeRecord;
using swftk::CSwfStyleChangeShapeRecord;

// Fonts are always measured at this cell height: one device unit is one design unit.
// The kerning count of a DefineFont2 is 16 bits wide.
constexpr size_t kMaxKerningPairs = 0xFFFF;
constexpr uint8_t kInitialFont2Flags =
    swftk::CSwfDefineFont2::kHasLayout | swftk::CSwfDefineFont2::kAnsi;

struct FloatPoint {
  float x = 0;
  float y = 0;
};

// Whole part and fraction of a 16.16 value, added in double precision.
float FixedToFloat(Fixed16 value) {
  const auto whole = static_cast<int16_t>(static_cast<uint32_t>(value) >> 16);
  const auto fraction = static_cast<uint16_t>(value & 0xFFFF);
  return static_cast<float>(whole + fraction * (1.0 / swftk::kFixedOne));
}

FloatPoint ToFloat(const OutlinePoint& point) {
  return {FixedToFloat(point.x), FixedToFloat(point.y)};
}

// Towards zero; a value beyond the 32-bit range (only a divisor near zero gives one) stops at
// its end instead of being undefined.
int32_t Truncate(float value) {
  if (std::isnan(value)) return 0;
  constexpr float kLimit = 2147483520.0f;  // the largest float below 2^31
  if (value >= kLimit) return std::numeric_limits<int32_t>::max();
  if (value <= -kLimit) return std::numeric_limits<int32_t>::min();
  return static_cast<int32_t>(value);
}

}  // namespace

CSwfTrueTypeHelper::CSwfTrueTypeHelper(MessageSink messages) : messages_(std::move(messages)) {}

void CSwfTrueTypeHelper::ResetStaging() {
  stagedRecords.clear();
  kerningPairs.clear();
}

std::unique_ptr<swftk::CSwfShape> CSwfTrueTypeHelper::TakeShape() {
  auto shape = std::make_unique<swftk::CSwfShape>();
  shape->SetStyleBits(1, 0);
  for (auto& record : stagedRecords) {
    if (!record) continue;
    if (record->GetRecordType() == swftk::CSwfShapeRecord::kStyleChange) {
      static_cast<CSwfStyleChangeShapeRecord&>(*record).shape = shape.get();
    }
    shape->records.push_back(std::move(record));
  }
  stagedRecords.clear();
  return shape;
}

std::unique_ptr<swftk::CSwfDefineFont> CSwfTrueTypeHelper::BuildDefineFont(
    CKV_FontService& fonts, FontRequest request, std::string_view characters, uint16_t fontId) {
  request.lfHeight = swftk::kGlyphCellUnits;
  const std::shared_ptr<const CKV_GlyphSource> font = fonts.CreateFont(request);
  if (!font) return nullptr;

  auto tag = std::make_unique<swftk::CSwfDefineFont>();
  tag->characterId = fontId;
  for (const char c : characters) {
    swftk::CSwfRect bounds;
    float scale = 0;
    TextMetrics metrics;
    ExtractGlyph(*font, static_cast<uint8_t>(c), bounds, scale, metrics, false);
    tag->glyphs.push_back(TakeShape());
  }
  if (!tag->DeriveOffsets()) return nullptr;
  return tag;
}

std::unique_ptr<swftk::CSwfDefineFont2> CSwfTrueTypeHelper::BuildDefineFont2(
    CKV_FontService& fonts, FontRequest request, std::string_view characters, uint16_t fontId) {
  request.lfHeight = swftk::kGlyphCellUnits;
  const std::shared_ptr<const CKV_GlyphSource> font = fonts.CreateFont(request);
  if (!font) return nullptr;

  auto tag = std::make_unique<swftk::CSwfDefineFont2>();
  tag->name = request.GetFaceName();
  tag->characterId = fontId;
  tag->flags = kInitialFont2Flags;
  TextMetrics metrics;
  for (size_t i = 0; i < characters.size(); ++i) {
    const auto code = static_cast<uint8_t>(characters[i]);
    auto bounds = std::make_unique<swftk::CSwfRect>();
    float scale = 0;
    ExtractGlyph(*font, code, *bounds, scale, metrics, i == 0);
    const AbcWidths widths = font->GetAbcWidths(code);
    tag->codes.push_back(code);
    tag->glyphs.push_back(TakeShape());
    tag->advances.push_back(static_cast<int16_t>(widths.a + widths.b + widths.c));
    tag->bounds.push_back(std::move(bounds));
  }
  tag->kerning = std::move(kerningPairs);
  kerningPairs.clear();
  tag->ascent = static_cast<uint16_t>(metrics.ascent);
  tag->descent = static_cast<uint16_t>(metrics.descent);
  tag->leading = static_cast<uint16_t>(metrics.externalLeading);
  tag->flags |= swftk::CSwfDefineFont2::kHasLayout;
  if (request.lfItalic == 1) tag->flags |= swftk::CSwfDefineFont2::kItalic;
  if (request.lfWeight >= kWeightBold) tag->flags |= swftk::CSwfDefineFont2::kBold;
  return tag;
}

void CSwfTrueTypeHelper::ExtractGlyph(const CKV_GlyphSource& font, uint8_t code,
                                      swftk::CSwfRect& bounds, float& scale, TextMetrics& metrics,
                                      bool wantKerning) {
  stagedRecords.clear();
  metrics = font.GetTextMetrics();
  scale = 1.0f;

  GlyphOutline outline;
  if (font.GetGlyphOutline(code, outline)) {
    const GlyphMetrics& glyph = outline.metrics;
    if (glyph.originX + glyph.originY == 0) {
      bounds.xMin = bounds.xMax = bounds.yMin = bounds.yMax = 0;
    } else {
      bounds.xMin = glyph.originX;
      bounds.xMax = glyph.originX + static_cast<int32_t>(glyph.blackBoxX);
      bounds.yMin = -glyph.originY;
      bounds.yMax = static_cast<int32_t>(glyph.blackBoxY) - glyph.originY;
    }
    for (const OutlinePolygon& polygon : outline.polygons) {
      if (polygon.type == kPolygonType) StagePolygon(polygon);
    }
    stagedRecords.push_back(std::make_unique<swftk::CSwfEndOfShapeRecord>());
  } else if (messages_) {
    messages_("Error", "Couldn't get GlyphOutline", "");
  }

  if (!wantKerning) return;
  kerningPairs.clear();
  const std::vector<KerningAdjustment> pairs = font.GetKerningPairs();
  for (size_t i = 0; i < pairs.size() && i < kMaxKerningPairs; ++i) {
    kerningPairs.push_back({pairs[i].first, pairs[i].second, pairs[i].amount});
  }
}

void CSwfTrueTypeHelper::StagePolygon(const OutlinePolygon& polygon) {
  const FloatPoint start = ToFloat(polygon.start);
  const int32_t ix = Truncate(start.x);
  const int32_t iy = Truncate(start.y);
  auto move = std::make_unique<CSwfStyleChangeShapeRecord>();
  move->SetMoveTo(ix, -iy, nullptr);
  move->fillStyle1 = 1;
  move->lineStyle = 1;
  move->numFillBits = 1;
  move->numLineBits = 0;
  move->UpdateFlags();
  // Every contour starts with a move, also one that starts at the origin: without it the
  // contour would continue from the end of the previous one.
  move->flags |= CSwfStyleChangeShapeRecord::kMoveTo;
  stagedRecords.push_back(std::move(move));

  penX = ix;
  penY = -iy;
  contourStartX = static_cast<float>(ix);
  contourStartY = static_cast<float>(-iy);
  FloatPoint previous = start;
  for (const OutlineCurve& curve : polygon.curves) {
    const std::vector<OutlinePoint>& points = curve.points;
    if (curve.type == kCurveLine) {
      for (const OutlinePoint& point : points) {
        const FloatPoint next = ToFloat(point);
        AddLine(previous.x, previous.y, next.x, next.y, 1.0f);
        previous = next;
      }
    } else if (curve.type == kCurveQSpline) {
      // Between two controls the curve passes through their midpoint; the last point is on it.
      FloatPoint from = previous;
      for (size_t i = 0; i + 1 < points.size(); ++i) {
        const FloatPoint control = ToFloat(points[i]);
        FloatPoint to = ToFloat(points[i + 1]);
        if (i + 2 < points.size()) {
          to = {(control.x + to.x) * 0.5f, (control.y + to.y) * 0.5f};
        }
        AddCurve(from.x, from.y, control.x, control.y, to.x, to.y, 1.0f);
        from = to;
      }
      previous = from;
    }
  }
  // Back to the start from the pen, which also takes up the drift of the truncated deltas.
  AddLine(static_cast<float>(penX), static_cast<float>(-penY), static_cast<float>(ix),
          static_cast<float>(iy), 1.0f);
}

void CSwfTrueTypeHelper::AddLine(float x0, float y0, float x1, float y1, float divisor) {
  x0 /= divisor;
  y0 /= divisor;
  x1 /= divisor;
  y1 /= divisor;
  // Outline Y runs upwards, SWF Y downwards.
  const int32_t dx = Truncate(x1 - x0);
  const int32_t dy = Truncate(y0 - y1);
  auto edge = std::make_unique<CSwfStraightEdgeShapeRecord>();
  if (x0 == x1) {
    edge->Init(0, dy, CSwfStraightEdgeShapeRecord::kVertical);
    penY += dy;
  } else if (y0 == y1) {
    edge->Init(dx, 0, CSwfStraightEdgeShapeRecord::kHorizontal);
    penX += dx;
  } else {
    edge->Init(dx, dy, CSwfStraightEdgeShapeRecord::kGeneral);
    penX += dx;
    penY += dy;
  }
  stagedRecords.push_back(std::move(edge));
}

void CSwfTrueTypeHelper::AddCurve(float x0, float y0, float cx, float cy, float ax, float ay,
                                  float divisor) {
  x0 /= divisor;
  y0 /= divisor;
  cx /= divisor;
  cy /= divisor;
  ax /= divisor;
  ay /= divisor;
  const int32_t controlX = Truncate(cx - x0);
  const int32_t controlY = Truncate(y0 - cy);
  const int32_t anchorX = Truncate(ax - cx);
  const int32_t anchorY = Truncate(cy - ay);
  auto edge = std::make_unique<CSwfCurvedEdgeShapeRecord>();
  edge->Init(controlX, controlY, anchorX, anchorY);
  penX += controlX + anchorX;
  penY += controlY + anchorY;
  stagedRecords.push_back(std::move(edge));
}

}  // namespace glyphs
