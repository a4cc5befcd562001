#pragma once

#include <nlohmann/json.hpp>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "effectc/effect_source.h"
#include "effectc/json_fields.h"

namespace effectc {

// "#RRGGBB" or "#RRGGBBAA".
std::optional<Rgba> ParseColor(std::string_view text);

// A drawing: an array of figures, each one primitive ("rect", "ellipse", "line", "star" or
// "polygon") with an optional "fill" and "stroke".
bool ParseDrawing(const nlohmann::json& array, const std::string& where, SourceFault& fault,
                  std::vector<Figure>& out);

}  // namespace effectc
