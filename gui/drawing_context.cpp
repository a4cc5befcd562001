#include "gui/drawing_context.h"

namespace gui {

namespace {

KV_DrawingContext& Context() {
  static KV_DrawingContext context;
  return context;
}

}  // namespace

bool SetDrawingContext(QWidget* window, CKV_Surface* backBuffer, CKV_Surface* skin) {
  if (!window || !backBuffer || !skin) return false;
  Context() = {window, backBuffer, skin};
  return true;
}

const KV_DrawingContext& DrawingContext() {
  return Context();
}

}  // namespace gui
