#include "gui/checkbox.h"

namespace gui {

bool CKV_GuiControl_Checkbox::Setup(const KV_Rect& rect, int32_t id, bool checked,
                                    std::function<void(bool)> onToggle, const KV_Strip& strip) {
  Init(rect, id);
  checked_ = checked;
  onToggle_ = std::move(onToggle);
  strip_ = strip;
  checkedY_ = strip.y + height_ * strip.frames;
  restingCheckedY_ = strip.y + 2 * height_ * strip.frames;
  Draw();
  return true;
}

void CKV_GuiControl_Checkbox::Tick() {
  AdvanceFrame(strip_.frames);
  CopyFromSkin(strip_.x, (checked_ ? checkedY_ : strip_.y) + height_ * frame_);
}

void CKV_GuiControl_Checkbox::Draw() {
  if (checked_) {
    CopyFromSkin(strip_.x, restingCheckedY_);
  } else {
    CopyFromSkin(x_, y_);
  }
}

bool CKV_GuiControl_Checkbox::OnClick(KV_Point p) {
  if (!Contains(p)) return false;
  if (!armed_) return true;
  checked_ = !checked_;
  if (onToggle_) onToggle_(checked_);
  Draw();
  return true;
}

}  // namespace gui
