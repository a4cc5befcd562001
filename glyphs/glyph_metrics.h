#pragma once

#include <cstdint>
#include <span>

#include "glyphs/glyph_source.h"

namespace glyphs {

// The ink box of an outline: the tight bounds of its edges and curves (not of its off-curve
// controls), widened to whole device units. An empty outline has an empty box at the pen.
GlyphMetrics MeasureOutline(std::span<const OutlinePolygon> polygons, int32_t advance);

// A, B and C widths of a glyph with these metrics and this advance.
AbcWidths AbcFromMetrics(const GlyphMetrics& metrics, int32_t advance);

}  // namespace glyphs
