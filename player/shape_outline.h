#pragma once

#include <cstdint>
#include <vector>

#include "player/paint_style.h"

namespace swftk {
class CSwfShape;
class CSwfShapeWithStyle;
class CSwfStyleChangeShapeRecord;
}  // namespace swftk

namespace player {

struct PathPoint {
  double x = 0;
  double y = 0;

  bool operator==(const PathPoint&) const = default;
};

// Subpaths in twips: a move starts one, a line takes one point, a quadratic curve two
// (control, then anchor).
struct ShapePath {
  enum class Verb : uint8_t { kMove, kLine, kQuad };

  std::vector<Verb> verbs;
  std::vector<PathPoint> points;

  bool Empty() const { return verbs.empty(); }
};

// Edges a fill shares with a fill drawn after it. Two antialiased fills that meet there would
// each cover part of the edge pixels and let the background show through; painting the edges
// with the earlier fill first keeps the seam shut under the later one.
struct SharedEdges {
  uint32_t laterFill = 0;
  ShapePath path;
};

// One fill or one stroke, drawn in the order of the outline's items.
struct DrawItem {
  enum class Kind : uint8_t { kFill, kStroke };

  Kind kind = Kind::kFill;
  // Index into the outline's fills or lines.
  uint32_t style = 0;
  ShapePath path;
  // A stroke whose end meets its start is joined there instead of capped.
  bool closed = false;
  // For fills: edges shared with fills drawn later, by the later fill.
  std::vector<SharedEdges> sharedEdges;
};

// A shape as a player draws it: each fill style's region as closed subpaths filled with the
// even-odd rule, then the strokes, layer by layer (new styles start a new layer).
struct ShapeOutline {
  std::vector<FillStyle> fills;
  std::vector<LineStyle> lines;
  std::vector<DrawItem> items;
};

// An outline given by positions instead of records, as a morph between two shapes gives it:
// a style step moves the pen and picks styles (1-based, 0 for none), an edge step draws to
// its point, through its control for a curve.
struct OutlineStep {
  enum class Kind : uint8_t { kStyle, kLine, kQuad };

  Kind kind = Kind::kStyle;
  bool moves = false;
  bool setsFill0 = false;
  bool setsFill1 = false;
  bool setsLine = false;
  uint32_t fill0 = 0;
  uint32_t fill1 = 0;
  uint32_t line = 0;
  PathPoint control;
  PathPoint point;
};

// The outline of a shape with its styles.
ShapeOutline BuildShapeOutline(const swftk::CSwfShapeWithStyle& shape);
// The step of a style-change record: its move (to an absolute point) and its style picks.
OutlineStep StyleStepOf(const swftk::CSwfStyleChangeShapeRecord& change);
// The outline of steps drawn with the given styles, in one layer.
ShapeOutline BuildOutline(std::vector<FillStyle> fills, std::vector<LineStyle> lines,
                          const std::vector<OutlineStep>& steps);
// The outline of a glyph: one fill, painted in the text's colour.
ShapeOutline BuildGlyphOutline(const swftk::CSwfShape& glyph);

}  // namespace player
