#include "player/morph_shape_character.h"

#include <cmath>

#include "swftk/morph_shape.h"

namespace player {
namespace {

using swftk::CSwfShapeRecord;
using swftk::CSwfStyleChangeShapeRecord;

// A morph plays a few dozen ratios; a movie scrubbed through all of them starts afresh.
constexpr size_t kCachedRatios = 256;

Rgba ColorOf(const swftk::CSwfColorAlpha& color) {
  return {color.red, color.green, color.blue, color.alpha};
}

double Mix(double a, double b, double t) {
  return a + (b - a) * t;
}

uint8_t MixByte(uint8_t a, uint8_t b, double t) {
  return static_cast<uint8_t>(std::lround(Mix(a, b, t)));
}

Rgba Mix(const Rgba& a, const Rgba& b, double t) {
  return {MixByte(a.r, b.r, t), MixByte(a.g, b.g, t), MixByte(a.b, b.b, t), MixByte(a.a, b.a, t)};
}

PathPoint Mix(const PathPoint& a, const PathPoint& b, double t) {
  return {Mix(a.x, b.x, t), Mix(a.y, b.y, t)};
}

Transform2D Mix(const Transform2D& a, const Transform2D& b, double t) {
  return {Mix(a.a, b.a, t), Mix(a.b, b.b, t),   Mix(a.c, b.c, t),
          Mix(a.d, b.d, t), Mix(a.tx, b.tx, t), Mix(a.ty, b.ty, t)};
}

FillStyle Mix(const FillStyle& a, const FillStyle& b, double t) {
  FillStyle fill = a;
  fill.color = Mix(a.color, b.color, t);
  fill.matrix = Mix(a.matrix, b.matrix, t);
  for (size_t i = 0; i < fill.stops.size() && i < b.stops.size(); ++i) {
    fill.stops[i].offset = Mix(a.stops[i].offset, b.stops[i].offset, t);
    fill.stops[i].color = Mix(a.stops[i].color, b.stops[i].color, t);
  }
  return fill;
}

// The start (atEnd false) or end fill of a morph fill.
FillStyle FillOf(const swftk::CSwfMorphFillStyle& style, bool atEnd) {
  FillStyle fill = FillStyle::OfType(style.fillType);
  if (style.fillType == swftk::CSwfFillStyle::kSolid)
    fill.color = ColorOf(atEnd ? style.endColor : style.startColor);
  if (style.IsGradient() || style.IsBitmap())
    fill.matrix = Transform2D::FromSwf(atEnd ? style.endMatrix : style.startMatrix);
  if (style.IsBitmap()) fill.bitmapId = style.bitmapId;
  for (const auto& stop : style.gradient) {
    fill.stops.push_back({(atEnd ? stop->endRatio : stop->startRatio) / 255.0,
                          ColorOf(atEnd ? stop->endColor : stop->startColor)});
  }
  return fill;
}

// Walks one edge list, giving each record as a step with absolute positions.
class StepReader {
 public:
  explicit StepReader(const swftk::CSwfShape& shape) : records_(shape.records) {}

  bool AtStyleChange() const {
    return next_ < records_.size() &&
           records_[next_]->GetRecordType() == CSwfShapeRecord::kStyleChange;
  }
  bool AtEdge() const {
    if (next_ >= records_.size()) return false;
    const int type = records_[next_]->GetRecordType();
    return type == CSwfShapeRecord::kStraightEdge || type == CSwfShapeRecord::kCurvedEdge;
  }
  // Moves to the next edge, taking the moves of the style changes on the way.
  void SkipToEdge() {
    while (next_ < records_.size() && !AtEdge()) {
      if (AtStyleChange()) {
        Take();
      } else {
        ++next_;
      }
    }
  }
  const PathPoint& Pen() const { return pen_; }

  OutlineStep Take() {
    OutlineStep step;
    const CSwfShapeRecord& record = *records_[next_++];
    switch (record.GetRecordType()) {
      case CSwfShapeRecord::kStyleChange:
        step = StyleStepOf(static_cast<const CSwfStyleChangeShapeRecord&>(record));
        if (step.moves) pen_ = step.point;
        break;
      case CSwfShapeRecord::kStraightEdge: {
        const auto& edge = static_cast<const swftk::CSwfStraightEdgeShapeRecord&>(record);
        step.kind = OutlineStep::Kind::kLine;
        step.point = {pen_.x + edge.deltaX, pen_.y + edge.deltaY};
        // A line drawn as a curve has its control halfway, for pairing with a curve.
        step.control = Mix(pen_, step.point, 0.5);
        break;
      }
      case CSwfShapeRecord::kCurvedEdge: {
        const auto& curve = static_cast<const swftk::CSwfCurvedEdgeShapeRecord&>(record);
        step.kind = OutlineStep::Kind::kQuad;
        step.control = {pen_.x + curve.controlDeltaX, pen_.y + curve.controlDeltaY};
        step.point = {step.control.x + curve.anchorDeltaX, step.control.y + curve.anchorDeltaY};
        break;
      }
      default:
        break;
    }
    if (step.kind == OutlineStep::Kind::kStyle) {
      step.point = pen_;
    } else {
      pen_ = step.point;
    }
    return step;
  }

  bool Done() const { return next_ >= records_.size(); }

 private:
  const std::vector<std::unique_ptr<CSwfShapeRecord>>& records_;
  size_t next_ = 0;
  PathPoint pen_;
};

}  // namespace

CKV_MorphShapeCharacter::CKV_MorphShapeCharacter(const swftk::CSwfDefineMorphShape& tag)
    : CKV_Character(tag.characterId, CharacterKind::kMorphShape) {
  const auto rectOf = [](const swftk::CSwfRect& rect) {
    return TwipsRect{static_cast<double>(rect.xMin), static_cast<double>(rect.yMin),
                     static_cast<double>(rect.xMax), static_cast<double>(rect.yMax)};
  };
  startBounds = rectOf(tag.startBounds);
  endBounds = rectOf(tag.endBounds);
  for (const auto& style : tag.fillStyles.styles) {
    startFills_.push_back(FillOf(*style, false));
    endFills_.push_back(FillOf(*style, true));
  }
  for (const auto& style : tag.lineStyles.styles) {
    startLines_.push_back({style->startWidth, ColorOf(style->startColor)});
    endLines_.push_back({style->endWidth, ColorOf(style->endColor)});
  }
  // The end edges hold the same edges as the start ones, and moves where the start moves;
  // an edge missing at the end stays where it starts.
  StepReader start(tag.startEdges);
  StepReader end(tag.endEdges);
  while (!start.Done()) {
    StepPair pair;
    if (start.AtStyleChange()) {
      pair.start = start.Take();
      pair.end = pair.start;
      if (end.AtStyleChange()) {
        const OutlineStep endStep = end.Take();
        pair.end.moves = pair.end.moves || endStep.moves;
      }
      pair.end.point = end.Pen();
    } else if (start.AtEdge()) {
      pair.start = start.Take();
      end.SkipToEdge();
      pair.end = end.AtEdge() ? end.Take() : pair.start;
      // A line morphing into a curve, or back, is drawn as a curve at both ends.
      if (pair.start.kind != pair.end.kind)
        pair.start.kind = pair.end.kind = OutlineStep::Kind::kQuad;
    } else {
      start.Take();
      continue;
    }
    steps_.push_back(pair);
  }
}

ShapeOutline CKV_MorphShapeCharacter::BuildAt(double t) const {
  std::vector<FillStyle> fills;
  for (size_t i = 0; i < startFills_.size(); ++i)
    fills.push_back(Mix(startFills_[i], endFills_[i], t));
  std::vector<LineStyle> lines;
  for (size_t i = 0; i < startLines_.size(); ++i) {
    lines.push_back(
        {static_cast<uint16_t>(std::lround(Mix(startLines_[i].width, endLines_[i].width, t))),
         Mix(startLines_[i].color, endLines_[i].color, t)});
  }
  std::vector<OutlineStep> steps;
  steps.reserve(steps_.size());
  for (const StepPair& pair : steps_) {
    OutlineStep step = pair.start;
    step.moves = pair.start.moves || pair.end.moves;
    step.control = Mix(pair.start.control, pair.end.control, t);
    step.point = Mix(pair.start.point, pair.end.point, t);
    steps.push_back(step);
  }
  return BuildOutline(std::move(fills), std::move(lines), steps);
}

std::shared_ptr<const ShapeOutline> CKV_MorphShapeCharacter::OutlineAt(uint16_t ratio) const {
  const std::lock_guard lock(cacheMutex_);
  if (const auto found = outlines_.find(ratio); found != outlines_.end()) return found->second;
  if (outlines_.size() >= kCachedRatios) outlines_.clear();
  auto outline = std::make_shared<const ShapeOutline>(BuildAt(ratio / 65535.0));
  outlines_.emplace(ratio, outline);
  return outline;
}

}  // namespace player
