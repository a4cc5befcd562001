#pragma once

#include <vector>

#include "glyphs/glyph_source.h"

namespace glyphs {

// A font fills its outline by the non-zero rule, so parts of a glyph may overlap (the ring
// over the A of "Å", the cedilla cut into the c of "ç"); a SWF glyph is filled edge by edge,
// where every edge toggles the fill and an overlap turns into a hole. When the polygons would
// fill differently by the two rules, this replaces them by their union, curves kept, on the
// same whole-unit grid; otherwise, and when the union cannot be formed, it leaves them as
// they are. Returns whether it changed them.
bool RemoveOverlaps(std::vector<OutlinePolygon>& polygons);

}  // namespace glyphs
