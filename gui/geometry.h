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

  constexpr int32_t Width() const { return right - left; }
  constexpr int32_t Height() const { return bottom - top; }
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

// The image a hidden text edit shows: its place in the window and in the skin.
struct KV_Cover {
  int32_t x = 0;
  int32_t y = 0;
  int32_t skinX = 0;
  int32_t skinY = 0;
  int32_t width = 0;
  int32_t height = 0;
};

// Where the list's pictures lie in the skin and how big they are, in the order the owner
// gives them.
struct KV_ListLayout {
  int32_t listWidth = 0;  // rows span x .. x + listWidth; the scroll bar starts there
  int32_t rowHeight = 0;
  int32_t rowSkinX = 0;  // row images: kind k at rowSkinY + 3 * k * rowHeight, then the
  int32_t rowSkinY = 0;  // hovered and the selected look one and two rows below
  int32_t barWidth = 0;
  int32_t frames = 0;  // of the arrow and thumb animations
  int32_t arrowHeight = 0;
  int32_t upSkinX = 0;
  int32_t upSkinY = 0;
  int32_t downSkinX = 0;
  int32_t downSkinY = 0;
  int32_t thumbSkinX = 0;  // the resting thumb; its hover frames follow below it, then the
  int32_t thumbSkinY = 0;  // pressed frames
  int32_t thumbHeight = 0;
};

}  // namespace gui
