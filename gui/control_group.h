#pragma once

#include <cstdint>
#include <memory>
#include <vector>

#include "gui/geometry.h"

namespace gui {

class CKV_GuiControl;

// The controls of one skinned window: routes the window's mouse events and timer ticks to
// them and tracks which control is hovered, armed, pressed and the mouse-down target.
class CKV_ControlGroup {
 public:
  CKV_ControlGroup() = default;
  CKV_ControlGroup(const CKV_ControlGroup&) = delete;
  CKV_ControlGroup& operator=(const CKV_ControlGroup&) = delete;
  ~CKV_ControlGroup();

  // Appends the control and becomes its owner; false for none.
  bool Add(std::unique_ptr<CKV_GuiControl> control);
  // Deletes every control, the last added first; false when there were none.
  bool DeleteAll();
  CKV_GuiControl* FindById(int32_t id) const;
  bool IsArmed(const CKV_GuiControl* control) const;
  CKV_GuiControl* ArmedControl() const { return armed_; }
  // Makes the control armed, pressed and the mouse-down target, as a press on it would.
  void Activate(KV_Point p, CKV_GuiControl* control);

  bool OnMouseMove(KV_Point p);
  bool OnMouseDown(KV_Point p);
  bool OnMouseUp(KV_Point p);
  void OnMouseLeave();
  void OnTick();
  bool AnyNeedsTick() const;

  size_t Count() const { return controls_.size(); }

 private:
  void Unhover();
  void PressOn(KV_Point p, CKV_GuiControl* control);

  std::vector<std::unique_ptr<CKV_GuiControl>> controls_;
  CKV_GuiControl* hovered_ = nullptr;
  CKV_GuiControl* armed_ = nullptr;
  CKV_GuiControl* target_ = nullptr;
  CKV_GuiControl* pressed_ = nullptr;
};

}  // namespace gui
