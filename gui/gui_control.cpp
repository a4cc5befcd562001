#include "gui/gui_control.h"

#include <QWidget>

#include "gui/cursors.h"
#include "gui/drawing_context.h"
#include "gui/surface.h"

namespace gui {

bool CKV_GuiControl::Init(const KV_Rect& rect, int32_t id) {
  x_ = rect.left;
  y_ = rect.top;
  width_ = rect.right - rect.left;
  height_ = rect.bottom - rect.top;
  id_ = id;
  return true;
}

bool CKV_GuiControl::Contains(KV_Point p) const {
  return x_ <= p.x && p.x <= x_ + width_ && y_ <= p.y && p.y <= y_ + height_;
}

bool CKV_GuiControl::HitTestPress(KV_Point p) {
  return Contains(p);
}

bool CKV_GuiControl::HitTestHover(KV_Point p) {
  return Contains(p);
}

void CKV_GuiControl::Redraw() {
  CopyFromSkin(x_, y_);
}

void CKV_GuiControl::Present(const KV_Rect& target) {
  // The window paints from the back buffer, which holds the block at the same place.
  QWidget* window = DrawingContext().window;
  if (!window) return;
  window->update(target.left, target.top, target.right - target.left, target.bottom - target.top);
}

void CKV_GuiControl::PresentSelf() {
  Present(Rect());
}

void CKV_GuiControl::CopySkinTo(const KV_Rect& target, int32_t skinX, int32_t skinY) {
  const KV_DrawingContext& context = DrawingContext();
  if (!context.backBuffer || !context.skin) return;
  CopyBlock(*context.backBuffer, target.left, target.top, target.right - target.left,
            target.bottom - target.top, *context.skin, skinX, skinY);
  Present(target);
}

bool CKV_GuiControl::HoverWithHandCursor(bool hover) {
  if (hover && !hover_) {
    hover_ = true;
    SetHandCursor();
  } else if (!hover) {
    SetArrowCursor();
    hover_ = false;
  }
  return true;
}

void CKV_GuiControl::AdvanceFrame(int32_t frames) {
  frame_ = frame_ + 1 >= frames ? 0 : frame_ + 1;
}

}  // namespace gui
