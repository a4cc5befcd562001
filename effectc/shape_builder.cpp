#include "effectc/shape_builder.h"

#include <algorithm>
#include <cmath>
#include <limits>
#include <numbers>

#include "effectc/pose_encoding.h"

namespace effectc {
namespace {

using swftk::CSwfStyleChangeShapeRecord;

// Gradients are drawn on a square of this many twips, centred on the origin.
constexpr double kGradientSquare = 32768.0;
constexpr uint8_t kWithAlpha = 1;

// A box in twips.
struct Box {
  double xMin = std::numeric_limits<double>::max();
  double yMin = std::numeric_limits<double>::max();
  double xMax = std::numeric_limits<double>::lowest();
  double yMax = std::numeric_limits<double>::lowest();

  void Add(Point p) {
    xMin = std::min(xMin, p.x);
    yMin = std::min(yMin, p.y);
    xMax = std::max(xMax, p.x);
    yMax = std::max(yMax, p.y);
  }
  bool Empty() const { return xMin > xMax; }
};

Point InTwips(Point p) {
  return {static_cast<double>(ToTwips(p.x)), static_cast<double>(ToTwips(p.y))};
}

Box FigureBox(const Figure& figure) {
  Box box;
  for (const Contour& contour : figure.contours) {
    box.Add(InTwips(contour.start));
    for (const PathSegment& segment : contour.segments) {
      if (segment.curved) box.Add(InTwips(segment.control));
      box.Add(InTwips(segment.to));
    }
  }
  return box;
}

std::unique_ptr<swftk::CSwfColor> ColorOf(const Rgba& c) {
  return std::make_unique<swftk::CSwfColorAlpha>(c.r, c.g, c.b, c.a);
}

// Maps the gradient square onto the box: a linear run along `angle` covers the box's extent in
// that direction, a radial one the ellipse inscribed in the box.
std::unique_ptr<swftk::CSwfMatrix> GradientMatrix(const Paint& paint, const Box& box) {
  const double width = std::max(box.xMax - box.xMin, 1.0);
  const double height = std::max(box.yMax - box.yMin, 1.0);
  const auto centreX = static_cast<int32_t>(std::lround((box.xMin + box.xMax) / 2));
  const auto centreY = static_cast<int32_t>(std::lround((box.yMin + box.yMax) / 2));
  if (paint.kind == Paint::Kind::kRadial) {
    return MakeMatrix(FixedTerms(width / kGradientSquare, 0, 0, height / kGradientSquare), centreX,
                      centreY);
  }
  const double angle = paint.angle * std::numbers::pi / 180.0;
  const double c = std::cos(angle);
  const double s = std::sin(angle);
  const double scale = (std::abs(width * c) + std::abs(height * s)) / kGradientSquare;
  return MakeMatrix(FixedTerms(scale * c, scale * s, -scale * s, scale * c), centreX, centreY);
}

std::unique_ptr<swftk::CSwfFillStyle> MakeFill(const Paint& paint, const Box& box) {
  auto style = std::make_unique<swftk::CSwfFillStyle>();
  if (paint.kind == Paint::Kind::kSolid) {
    style->SetSolid(ColorOf(paint.color), kWithAlpha);
    return style;
  }
  auto gradient = std::make_unique<swftk::CSwfGradient>();
  gradient->hasAlpha = kWithAlpha;
  for (const GradientStop& stop : paint.stops) {
    auto record = std::make_unique<swftk::CSwfGradientRecord>();
    record->Init(stop.ratio, ColorOf(stop.color), kWithAlpha);
    gradient->records.push_back(std::move(record));
  }
  const uint8_t type = paint.kind == Paint::Kind::kRadial ? swftk::CSwfFillStyle::kRadialGradient
                                                          : swftk::CSwfFillStyle::kLinearGradient;
  style->SetGradient(type, GradientMatrix(paint, box), std::move(gradient));
  style->hasAlpha = kWithAlpha;
  return style;
}

// Twice the area the outline encloses, positive when it runs clockwise on screen (y down).
double SignedArea(const effectc::Contour& contour) {
  double sum = 0;
  Point from = contour.start;
  for (const PathSegment& segment : contour.segments) {
    sum += from.x * segment.to.y - segment.to.x * from.y;
    from = segment.to;
  }
  return sum;
}

// Writes the outlines as edges between points rounded to twips, so that the pen never drifts
// and closed outlines end exactly where they began.
class OutlineWriter {
 public:
  explicit OutlineWriter(swftk::CSwfShapeWithStyle& shape) : shape_(shape) {}

  void Contour(const effectc::Contour& contour, uint16_t fill, uint16_t line) {
    pen_ = InTwips(contour.start);
    auto change = std::make_unique<CSwfStyleChangeShapeRecord>();
    change->hasAlpha = kWithAlpha;
    change->SetMoveTo(Whole(pen_.x), Whole(pen_.y), &shape_);
    // The fill lies to the right of a clockwise outline and to the left of the other kind.
    (SignedArea(contour) >= 0 ? change->fillStyle1 : change->fillStyle0) = fill;
    change->lineStyle = line;
    // Zero indices and a move to the origin still have to be written.
    change->flags = CSwfStyleChangeShapeRecord::kMoveTo | CSwfStyleChangeShapeRecord::kFillStyle0 |
                    CSwfStyleChangeShapeRecord::kFillStyle1 |
                    CSwfStyleChangeShapeRecord::kLineStyle;
    shape_.records.push_back(std::move(change));
    for (const PathSegment& segment : contour.segments) {
      const Point to = InTwips(segment.to);
      if (segment.curved) {
        const Point control = InTwips(segment.control);
        auto curve = std::make_unique<swftk::CSwfCurvedEdgeShapeRecord>();
        curve->Init(Whole(control.x - pen_.x), Whole(control.y - pen_.y), Whole(to.x - control.x),
                    Whole(to.y - control.y));
        shape_.records.push_back(std::move(curve));
      } else if (to.x != pen_.x || to.y != pen_.y) {
        auto edge = std::make_unique<swftk::CSwfStraightEdgeShapeRecord>();
        const uint8_t kind = to.x == pen_.x   ? swftk::CSwfStraightEdgeShapeRecord::kVertical
                             : to.y == pen_.y ? swftk::CSwfStraightEdgeShapeRecord::kHorizontal
                                              : swftk::CSwfStraightEdgeShapeRecord::kGeneral;
        edge->Init(Whole(to.x - pen_.x), Whole(to.y - pen_.y), kind);
        shape_.records.push_back(std::move(edge));
      }
      pen_ = to;
    }
  }

 private:
  static int32_t Whole(double twips) { return static_cast<int32_t>(twips); }

  swftk::CSwfShapeWithStyle& shape_;
  Point pen_;
};

}  // namespace

std::unique_ptr<swftk::CSwfDefineShape> BuildShape(const std::vector<Figure>& figures,
                                                   uint16_t id) {
  auto tag = std::make_unique<swftk::CSwfDefineShape>(swftk::tagcode::kDefineShape3);
  tag->characterId = id;
  swftk::CSwfShapeWithStyle& shape = *tag->shape;
  shape.fillStyles = std::make_unique<swftk::CSwfFillStyleArray>();
  shape.fillStyles->Init(kWithAlpha);
  shape.lineStyles = std::make_unique<swftk::CSwfLineStyleArray>();
  shape.lineStyles->Init(kWithAlpha);

  Box bounds;
  double halfStroke = 0;
  OutlineWriter outlines(shape);
  for (const Figure& figure : figures) {
    const Box box = FigureBox(figure);
    if (box.Empty()) continue;
    bounds.Add({box.xMin, box.yMin});
    bounds.Add({box.xMax, box.yMax});
    uint16_t fill = 0;
    if (figure.fill.kind != Paint::Kind::kNone) {
      shape.fillStyles->styles.push_back(MakeFill(figure.fill, box));
      fill = static_cast<uint16_t>(shape.fillStyles->styles.size());
    }
    uint16_t line = 0;
    if (figure.stroke) {
      auto style = std::make_unique<swftk::CSwfLineStyle>();
      const auto width = static_cast<uint16_t>(std::clamp(ToTwips(figure.stroke->width), 1, 65535));
      style->Init(width, ColorOf(figure.stroke->color), kWithAlpha);
      shape.lineStyles->styles.push_back(std::move(style));
      line = static_cast<uint16_t>(shape.lineStyles->styles.size());
      halfStroke = std::max(halfStroke, width / 2.0);
    }
    for (const Contour& contour : figure.contours) outlines.Contour(contour, fill, line);
  }
  shape.fillStyles->count = static_cast<uint16_t>(shape.fillStyles->styles.size());
  shape.lineStyles->count = static_cast<uint16_t>(shape.lineStyles->styles.size());
  shape.records.push_back(std::make_unique<swftk::CSwfEndOfShapeRecord>());
  if (!bounds.Empty()) {
    *tag->bounds = swftk::CSwfRect(static_cast<int32_t>(std::floor(bounds.xMin - halfStroke)),
                                   static_cast<int32_t>(std::ceil(bounds.xMax + halfStroke)),
                                   static_cast<int32_t>(std::floor(bounds.yMin - halfStroke)),
                                   static_cast<int32_t>(std::ceil(bounds.yMax + halfStroke)));
  }
  return tag;
}

}  // namespace effectc
