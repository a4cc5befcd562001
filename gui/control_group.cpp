#include "gui/control_group.h"

#include <algorithm>

#include "gui/gui_control.h"

namespace gui {

CKV_ControlGroup::~CKV_ControlGroup() {
  DeleteAll();
}

bool CKV_ControlGroup::Add(std::unique_ptr<CKV_GuiControl> control) {
  if (!control) return false;
  control->SetOwner(this);
  controls_.push_back(std::move(control));
  return true;
}

bool CKV_ControlGroup::DeleteAll() {
  if (controls_.empty()) return false;
  hovered_ = armed_ = target_ = pressed_ = nullptr;
  while (!controls_.empty()) controls_.pop_back();
  return true;
}

CKV_GuiControl* CKV_ControlGroup::FindById(int32_t id) const {
  const auto found = std::find_if(controls_.begin(), controls_.end(),
                                  [id](const auto& control) { return control->Id() == id; });
  return found == controls_.end() ? nullptr : found->get();
}

bool CKV_ControlGroup::IsArmed(const CKV_GuiControl* control) const {
  return control && control == armed_;
}

void CKV_ControlGroup::Activate(KV_Point p, CKV_GuiControl* control) {
  if (control) PressOn(p, control);
}

void CKV_ControlGroup::PressOn(KV_Point p, CKV_GuiControl* control) {
  if (armed_ && armed_ != control) armed_->SetArmed(false);
  if (target_ && target_ != control) target_->OnMouseUp(p);
  // A control pressed before an activation would otherwise keep its pressed look.
  if (pressed_ && pressed_ != control) pressed_->SetPressed(false);
  control->SetPressed(true);
  pressed_ = control;
  control->SetArmed(true);
  armed_ = control;
  control->OnMouseDown(p);
  target_ = control;
}

void CKV_ControlGroup::Unhover() {
  if (!hovered_) return;
  hovered_->SetHover(false);
  hovered_->Redraw();
  hovered_ = nullptr;
}

bool CKV_ControlGroup::OnMouseMove(KV_Point p) {
  // While a control is pressed, no other control gets hover changes.
  if (pressed_) {
    if (pressed_->HitTestHover(p) && target_) target_->OnDrag(p);
    return true;
  }
  for (const auto& control : controls_) {
    if (!control->HitTestHover(p)) continue;
    if (target_) {
      control->OnDrag(p);
    } else {
      if (hovered_ && hovered_ != control.get()) Unhover();
      hovered_ = control.get();
      hovered_->SetHover(true);
    }
    return true;
  }
  Unhover();
  return false;
}

bool CKV_ControlGroup::OnMouseDown(KV_Point p) {
  for (const auto& control : controls_) {
    if (!control->HitTestPress(p)) continue;
    PressOn(p, control.get());
    return true;
  }
  if (pressed_) pressed_->SetPressed(false);
  pressed_ = nullptr;
  if (armed_) armed_->SetArmed(false);
  armed_ = nullptr;
  if (target_) target_->OnMouseUp(p);
  target_ = nullptr;
  return false;
}

bool CKV_ControlGroup::OnMouseUp(KV_Point p) {
  if (pressed_) pressed_->SetPressed(false);
  pressed_ = nullptr;
  if (target_) target_->OnMouseUp(p);
  target_ = nullptr;
  for (const auto& control : controls_) {
    if (control->OnClick(p)) return true;
  }
  Unhover();
  return false;
}

void CKV_ControlGroup::OnMouseLeave() {
  Unhover();
  if (target_) target_->Redraw();
  target_ = nullptr;
  if (pressed_) pressed_->SetPressed(false);
  pressed_ = nullptr;
}

void CKV_ControlGroup::OnTick() {
  if (hovered_) hovered_->Tick();
}

bool CKV_ControlGroup::AnyNeedsTick() const {
  return std::any_of(controls_.begin(), controls_.end(),
                     [](const auto& control) { return control->NeedsTick(); });
}

}  // namespace gui
