#pragma once

#include <cstdint>

namespace gui {

// A point in a window's client coordinates.
struct KV_Point {
  int32_t x = 0;
  int32_t y = 0;
};

// Left, top, right, bottom in client coordinates; right and bottom lie just outside.
struct KV_Rect {
  int32_t left = 0;
  int32_t top = 0;
  int32_t right = 0;
  int32_t bottom = 0;
};

// A place in the skin image.
struct KV_SkinPos {
  int32_t x = 0;
  int32_t y = 0;
};

// A column of equally sized animation frames in the skin: frame k lies at
// (x, y + k * control height).
struct KV_Strip {
  int32_t frames = 0;
  int32_t x = 0;
  int32_t y = 0;
};

}  // namespace gui
