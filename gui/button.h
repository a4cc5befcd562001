#pragma once

#include <functional>

#include "gui/gui_control.h"

namespace gui {

// An image button: its resting look is part of the window's background; while hovered it
// plays its strip in a loop, the strip below it while pressed, and a release on it while
// armed calls the click callback.
class CKV_GuiControl_Button : public CKV_GuiControl {
 public:
  bool Setup(const KV_Rect& rect, int32_t id, std::function<void()> onClick, const KV_Strip& strip);

  bool SetHover(bool hover) override { return HoverWithHandCursor(hover); }
  void Tick() override;
  bool OnClick(KV_Point p) override;

 private:
  std::function<void()> onClick_;
  KV_Strip strip_;
  int32_t pressedY_ = 0;
};

}  // namespace gui
