#include "gui/font_chooser.h"

#include "gui/drawing_context.h"
#include "gui/surface.h"

namespace gui {

namespace {

// The summary starts this far right of the control's left edge.
constexpr int32_t kTextIndent = 10;

}  // namespace

bool CKV_GuiControl_FontChooser::Setup(const KV_Rect& rect, int32_t id,
                                       std::function<void()> onChange) {
  const bool ready = Init(rect, id);
  onChange_ = std::move(onChange);
  Draw();
  return ready;
}

void CKV_GuiControl_FontChooser::SetFont(std::string_view face, int32_t size, uint16_t styleFlags,
                                         uint32_t mask) {
  if (mask & kSetFace) selection_.SetFaceName(face);
  if (mask & kSetSize) selection_.size = size;
  if (mask & kSetStyle) selection_.styleFlags = styleFlags;
  Draw();
}

void CKV_GuiControl_FontChooser::Draw() {
  CopyFromSkin(x_, y_);
  CKV_Surface* backBuffer = DrawingContext().backBuffer;
  if (!backBuffer) return;
  DrawSurfaceText(*backBuffer, {x_ + kTextIndent, y_, x_ + width_, y_ + height_},
                  QString::fromStdString(FontSummary(selection_)), backBuffer->font,
                  backBuffer->textColour);
  PresentSelf();
}

bool CKV_GuiControl_FontChooser::OnClick(KV_Point p) {
  if (!Contains(p)) return false;
  if (armed_ && selection_.Choose(picker_)) {
    Draw();
    if (onChange_) onChange_();
  }
  return true;
}

}  // namespace gui
