#pragma once

#include <cstdint>
#include <memory>
#include <vector>

#include "effectc/effect_source.h"
#include "swftk/define_shape.h"

namespace effectc {

// One DefineShape3 (colours with alpha) drawing the figures in order, each with a fill style
// and a line style of its own. The bounds take in every point and half the widest stroke.
std::unique_ptr<swftk::CSwfDefineShape> BuildShape(const std::vector<Figure>& figures, uint16_t id);

}  // namespace effectc
