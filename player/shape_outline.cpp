#include "player/shape_outline.h"

#include <algorithm>
#include <functional>
#include <map>
#include <unordered_map>
#include <utility>

#include "swftk/shape.h"

namespace player {
namespace {

using swftk::CSwfShapeRecord;
using swftk::CSwfStyleChangeShapeRecord;

struct RunPoint {
  PathPoint point;
  bool control = false;
};

// Consecutive edges drawn with one style, from the pen position where the style was taken up.
using Run = std::vector<RunPoint>;

struct PointHash {
  size_t operator()(const PathPoint& p) const {
    return std::hash<double>()(p.x) * 31 + std::hash<double>()(p.y);
  }
};

void AppendRun(const Run& run, ShapePath& path) {
  path.verbs.push_back(ShapePath::Verb::kMove);
  path.points.push_back(run.front().point);
  for (size_t i = 1; i < run.size(); ++i) {
    if (run[i].control && i + 1 < run.size()) {
      path.verbs.push_back(ShapePath::Verb::kQuad);
      path.points.push_back(run[i].point);
      path.points.push_back(run[i + 1].point);
      ++i;
    } else {
      path.verbs.push_back(ShapePath::Verb::kLine);
      path.points.push_back(run[i].point);
    }
  }
}

// Links a fill style's runs end to start into closed subpaths. The edges of a fill arrive in
// any order, so runs are found by their start points; a chain that cannot be closed is left
// for the fill to close with a straight line.
ShapePath JoinFillRuns(const std::vector<Run>& runs) {
  std::unordered_map<PathPoint, std::vector<size_t>, PointHash> byStart;
  for (size_t i = runs.size(); i-- > 0;) byStart[runs[i].front().point].push_back(i);
  std::vector<bool> used(runs.size(), false);
  const auto takeRunStartingAt = [&](const PathPoint& point) -> const Run* {
    const auto found = byStart.find(point);
    if (found == byStart.end()) return nullptr;
    std::vector<size_t>& candidates = found->second;
    while (!candidates.empty()) {
      const size_t index = candidates.back();
      candidates.pop_back();
      if (!used[index]) {
        used[index] = true;
        return &runs[index];
      }
    }
    return nullptr;
  };

  ShapePath path;
  for (size_t i = 0; i < runs.size(); ++i) {
    if (used[i]) continue;
    used[i] = true;
    Run chain = runs[i];
    while (!(chain.back().point == chain.front().point)) {
      const Run* next = takeRunStartingAt(chain.back().point);
      if (!next) break;
      chain.insert(chain.end(), next->begin() + 1, next->end());
    }
    AppendRun(chain, path);
  }
  return path;
}

class OutlineBuilder {
 public:
  explicit OutlineBuilder(ShapeOutline& out) : out_(out) {}

  void StartLayer(const swftk::CSwfFillStyleArray* fills, const swftk::CSwfLineStyleArray* lines) {
    fillBase_ = static_cast<uint32_t>(out_.fills.size());
    lineBase_ = static_cast<uint32_t>(out_.lines.size());
    if (fills)
      for (const auto& style : fills->styles) out_.fills.push_back(FillStyle::FromSwf(*style));
    if (lines)
      for (const auto& style : lines->styles) out_.lines.push_back(LineStyle::FromSwf(*style));
    pendingFills_.assign(out_.fills.size() - fillBase_, {});
    pendingLines_.assign(out_.lines.size() - lineBase_, {});
    pendingSeams_.assign(pendingFills_.size(), {});
  }

  void StartLayer(std::vector<FillStyle> fills, std::vector<LineStyle> lines) {
    out_.fills = std::move(fills);
    out_.lines = std::move(lines);
    StartLayerWithOutlineStyles();
  }

  // A layer with the given styles already in the outline.
  void StartLayerWithOutlineStyles() {
    fillBase_ = lineBase_ = 0;
    pendingFills_.assign(out_.fills.size(), {});
    pendingLines_.assign(out_.lines.size(), {});
    pendingSeams_.assign(pendingFills_.size(), {});
  }

  void Build(const swftk::CSwfShape& shape) {
    for (const auto& record : shape.records) {
      switch (record->GetRecordType()) {
        case CSwfShapeRecord::kStyleChange:
          ChangeStyle(static_cast<const CSwfStyleChangeShapeRecord&>(*record));
          break;
        case CSwfShapeRecord::kStraightEdge: {
          const auto& edge = static_cast<const swftk::CSwfStraightEdgeShapeRecord&>(*record);
          EdgeTo(nullptr, {pen_.x + edge.deltaX, pen_.y + edge.deltaY});
          break;
        }
        case CSwfShapeRecord::kCurvedEdge: {
          const auto& curve = static_cast<const swftk::CSwfCurvedEdgeShapeRecord&>(*record);
          const PathPoint control{pen_.x + curve.controlDeltaX, pen_.y + curve.controlDeltaY};
          EdgeTo(&control, {control.x + curve.anchorDeltaX, control.y + curve.anchorDeltaY});
          break;
        }
        default:
          break;
      }
    }
    FinishLayer();
  }

  void Build(const std::vector<OutlineStep>& steps) {
    for (const OutlineStep& step : steps) {
      if (step.kind == OutlineStep::Kind::kStyle) {
        SelectStyles(step);
      } else {
        EdgeTo(step.kind == OutlineStep::Kind::kQuad ? &step.control : nullptr, step.point);
      }
    }
    FinishLayer();
  }

 private:
  struct ActiveRun {
    uint32_t style = 0;  // 1-based within the layer; 0 draws nothing
    Run run{RunPoint{}};
  };

  void ChangeStyle(const CSwfStyleChangeShapeRecord& change) {
    OutlineStep step = StyleStepOf(change);
    if (step.moves) {
      pen_ = step.point;
      FlushAll();
      step.moves = false;
    }
    if (change.flags & CSwfStyleChangeShapeRecord::kNewStyles) {
      FinishLayer();
      StartLayer(change.fillStyles.get(), change.lineStyles.get());
      // Indices into the old styles mean nothing in the new layer.
      fill0_.style = fill1_.style = line_.style = 0;
    }
    SelectStyles(step);
  }

  void SelectStyles(const OutlineStep& step) {
    if (step.moves) {
      pen_ = step.point;
      FlushAll();
    }
    const auto fillCount = static_cast<uint32_t>(pendingFills_.size());
    const auto lineCount = static_cast<uint32_t>(pendingLines_.size());
    // An index past the styles of the layer draws nothing.
    const auto checked = [](uint32_t index, uint32_t count) { return index <= count ? index : 0; };
    if (step.setsFill1) {
      FlushFill(fill1_, false);
      fill1_.style = checked(step.fill1, fillCount);
    }
    if (step.setsFill0) {
      FlushFill(fill0_, true);
      fill0_.style = checked(step.fill0, fillCount);
    }
    if (step.setsLine) {
      FlushLine();
      line_.style = checked(step.line, lineCount);
    }
  }

  void EdgeTo(const PathPoint* control, const PathPoint& anchor) {
    const PathPoint start = pen_;
    if (control) AddPoint(*control, true);
    AddPoint(anchor, false);
    NoteSharedEdge(start, control);
  }

  void AddPoint(const PathPoint& point, bool control) {
    pen_ = point;
    for (ActiveRun* active : {&fill1_, &fill0_, &line_})
      if (active->style > 0) active->run.push_back({point, control});
  }

  // An edge between two different fills goes to the one drawn first, which is the one of the
  // lower style index.
  void NoteSharedEdge(const PathPoint& start, const PathPoint* control) {
    if (fill0_.style == 0 || fill1_.style == 0 || fill0_.style == fill1_.style) return;
    const uint32_t earlier = std::min(fill0_.style, fill1_.style) - 1;
    const uint32_t later = std::max(fill0_.style, fill1_.style) - 1;
    ShapePath& path = pendingSeams_[earlier][later];
    path.verbs.push_back(ShapePath::Verb::kMove);
    path.points.push_back(start);
    if (control) {
      path.verbs.push_back(ShapePath::Verb::kQuad);
      path.points.push_back(*control);
    } else {
      path.verbs.push_back(ShapePath::Verb::kLine);
    }
    path.points.push_back(pen_);
  }

  // Fill style 1 lies right of the edges as drawn, fill style 0 left of them: reversing the
  // latter puts every fill on the same side, so the runs of one style link up end to start.
  void FlushFill(ActiveRun& active, bool reverse) {
    if (active.style > 0 && active.run.size() > 1) {
      if (reverse) std::reverse(active.run.begin(), active.run.end());
      pendingFills_[active.style - 1].push_back(std::move(active.run));
    }
    active.run = Run{RunPoint{pen_, false}};
  }

  void FlushLine() {
    if (line_.style > 0 && line_.run.size() > 1)
      pendingLines_[line_.style - 1].push_back(std::move(line_.run));
    line_.run = Run{RunPoint{pen_, false}};
  }

  void FlushAll() {
    FlushFill(fill1_, false);
    FlushFill(fill0_, true);
    FlushLine();
  }

  // Fills in the order of their styles, then the strokes in the order of theirs.
  void FinishLayer() {
    FlushAll();
    for (uint32_t i = 0; i < pendingFills_.size(); ++i) {
      if (pendingFills_[i].empty()) continue;
      DrawItem fill;
      fill.style = fillBase_ + i;
      fill.path = JoinFillRuns(pendingFills_[i]);
      for (auto& [later, path] : pendingSeams_[i])
        fill.sharedEdges.push_back({fillBase_ + later, std::move(path)});
      out_.items.push_back(std::move(fill));
    }
    for (uint32_t i = 0; i < pendingLines_.size(); ++i) {
      for (const Run& run : pendingLines_[i]) {
        DrawItem stroke;
        stroke.kind = DrawItem::Kind::kStroke;
        stroke.style = lineBase_ + i;
        AppendRun(run, stroke.path);
        stroke.closed = run.front().point == run.back().point;
        out_.items.push_back(std::move(stroke));
      }
    }
    pendingFills_.clear();
    pendingLines_.clear();
    pendingSeams_.clear();
  }

  ShapeOutline& out_;
  uint32_t fillBase_ = 0;
  uint32_t lineBase_ = 0;
  std::vector<std::vector<Run>> pendingFills_;
  std::vector<std::vector<Run>> pendingLines_;
  // By the earlier fill, then the later one.
  std::vector<std::map<uint32_t, ShapePath>> pendingSeams_;
  ActiveRun fill0_;
  ActiveRun fill1_;
  ActiveRun line_;
  PathPoint pen_;
};

}  // namespace

OutlineStep StyleStepOf(const swftk::CSwfStyleChangeShapeRecord& change) {
  using Record = CSwfStyleChangeShapeRecord;
  OutlineStep step;
  step.moves = (change.flags & Record::kMoveTo) != 0;
  if (step.moves)
    step.point = {static_cast<double>(change.moveDeltaX), static_cast<double>(change.moveDeltaY)};
  step.setsFill0 = (change.flags & Record::kFillStyle0) != 0;
  step.setsFill1 = (change.flags & Record::kFillStyle1) != 0;
  step.setsLine = (change.flags & Record::kLineStyle) != 0;
  step.fill0 = change.fillStyle0;
  step.fill1 = change.fillStyle1;
  step.line = change.lineStyle;
  return step;
}

ShapeOutline BuildShapeOutline(const swftk::CSwfShapeWithStyle& shape) {
  ShapeOutline outline;
  OutlineBuilder builder(outline);
  builder.StartLayer(shape.fillStyles.get(), shape.lineStyles.get());
  builder.Build(shape);
  return outline;
}

ShapeOutline BuildOutline(std::vector<FillStyle> fills, std::vector<LineStyle> lines,
                          const std::vector<OutlineStep>& steps) {
  ShapeOutline outline;
  OutlineBuilder builder(outline);
  builder.StartLayer(std::move(fills), std::move(lines));
  builder.Build(steps);
  return outline;
}

ShapeOutline BuildGlyphOutline(const swftk::CSwfShape& glyph) {
  ShapeOutline outline;
  outline.fills.push_back(FillStyle::Solid({0, 0, 0, 255}));
  OutlineBuilder builder(outline);
  builder.StartLayerWithOutlineStyles();
  builder.Build(glyph);
  return outline;
}

}  // namespace player
