#pragma once

#include <cairo.h>

#include <memory>

namespace player {

// Owners of cairo objects, which let go of their reference when they go.
struct CairoSurfaceRelease {
  void operator()(cairo_surface_t* surface) const { cairo_surface_destroy(surface); }
};
struct CairoPatternRelease {
  void operator()(cairo_pattern_t* pattern) const { cairo_pattern_destroy(pattern); }
};
struct CairoContextRelease {
  void operator()(cairo_t* cr) const { cairo_destroy(cr); }
};

using SurfacePtr = std::unique_ptr<cairo_surface_t, CairoSurfaceRelease>;
using PatternPtr = std::unique_ptr<cairo_pattern_t, CairoPatternRelease>;
using ContextPtr = std::unique_ptr<cairo_t, CairoContextRelease>;

}  // namespace player
