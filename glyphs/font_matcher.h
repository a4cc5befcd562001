#pragma once

#include <optional>
#include <string>

#include "glyphs/font_request.h"

namespace glyphs {

// A scalable font file and the face inside it.
struct MatchedFace {
  std::string file;
  int index = 0;
};

// Finds the face the Windows font mapper would take for the request's face name, weight and
// italic byte: the named family when it is installed, otherwise a metric-compatible substitute
// ("Arial" gives Liberation Sans), otherwise the system's default sans-serif face.
// Empty when no scalable font is installed at all.
std::optional<MatchedFace> MatchFace(const FontRequest& request);

}  // namespace glyphs
