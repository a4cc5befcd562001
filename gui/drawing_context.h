#pragma once

class QWidget;

namespace gui {

struct CKV_Surface;

// The window that skinned controls present to, its back buffer and the skin surface they
// copy their looks from; toolkit-wide, set by the window that owns the controls.
struct KV_DrawingContext {
  QWidget* window = nullptr;
  CKV_Surface* backBuffer = nullptr;
  CKV_Surface* skin = nullptr;
};

// True only when all three are given; otherwise nothing changes.
bool SetDrawingContext(QWidget* window, CKV_Surface* backBuffer, CKV_Surface* skin);
const KV_DrawingContext& DrawingContext();

}  // namespace gui
