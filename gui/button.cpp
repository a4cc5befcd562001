#include "gui/button.h"

namespace gui {

bool CKV_GuiControl_Button::Setup(const KV_Rect& rect, int32_t id, std::function<void()> onClick,
                                  const KV_Strip& strip) {
  Init(rect, id);
  onClick_ = std::move(onClick);
  strip_ = strip;
  pressedY_ = strip.y + height_ * strip.frames;
  return true;
}

void CKV_GuiControl_Button::Tick() {
  const int32_t sourceY = (pressed_ ? pressedY_ : strip_.y) + height_ * frame_;
  AdvanceFrame(strip_.frames);
  CopyFromSkin(strip_.x, sourceY);
}

bool CKV_GuiControl_Button::OnClick(KV_Point p) {
  if (!Contains(p)) return false;
  if (armed_ && onClick_) onClick_();
  return true;
}

}  // namespace gui
