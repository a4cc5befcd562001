#pragma once

#include <functional>

#include "gui/gui_control.h"

namespace gui {

// A check box: the unchecked strip, the checked strip below it and the resting-checked image
// below that; a release on it while armed toggles it and calls back with the new state.
class CKV_GuiControl_Checkbox : public CKV_GuiControl {
 public:
  // Draws the control once.
  bool Setup(const KV_Rect& rect, int32_t id, bool checked, std::function<void(bool)> onToggle,
             const KV_Strip& strip);

  bool IsChecked() const { return checked_; }

  bool SetHover(bool hover) override { return HoverWithHandCursor(hover); }
  void Tick() override;
  void Redraw() override { Draw(); }
  bool OnClick(KV_Point p) override;

 private:
  void Draw();

  bool checked_ = false;
  KV_Strip strip_;
  int32_t checkedY_ = 0;
  int32_t restingCheckedY_ = 0;
  std::function<void(bool)> onToggle_;
};

}  // namespace gui
