#pragma once

#include <cstdint>

#include "gui/geometry.h"

namespace gui {

class CKV_ControlGroup;

// The base of every skinned control: a rectangle of a skinned window drawn by block copies
// from the skin surface into the back buffer, then presented to the window.
class CKV_GuiControl {
 public:
  CKV_GuiControl() = default;
  CKV_GuiControl(const CKV_GuiControl&) = delete;
  CKV_GuiControl& operator=(const CKV_GuiControl&) = delete;
  virtual ~CKV_GuiControl() = default;

  virtual bool Init(const KV_Rect& rect, int32_t id);
  virtual void SetShown(bool shown) { shown_ = shown; }
  // Edges included: x <= px <= x + width and y <= py <= y + height.
  virtual bool HitTestPress(KV_Point p);
  virtual bool HitTestHover(KV_Point p);
  virtual bool OnClick(KV_Point) { return false; }
  virtual bool SetHover(bool) { return false; }
  virtual bool NeedsTick() { return false; }
  // Restores the skin's look at the control's rectangle.
  virtual void Redraw();
  virtual void Tick() {}
  // Shows the back buffer's block at the rectangle.
  virtual void Present(const KV_Rect& target);
  virtual void SetArmed(bool armed) { armed_ = armed; }
  virtual bool OnMouseDown(KV_Point) { return false; }
  virtual bool OnMouseUp(KV_Point) { return false; }
  virtual bool OnDrag(KV_Point) { return false; }

  CKV_ControlGroup* Owner() const { return owner_; }
  void SetOwner(CKV_ControlGroup* owner) { owner_ = owner; }
  bool IsPressed() const { return pressed_; }
  void SetPressed(bool pressed) { pressed_ = pressed; }
  bool IsArmed() const { return armed_; }
  bool IsHovered() const { return hover_; }
  bool IsShown() const { return shown_; }
  int32_t Id() const { return id_; }
  int32_t Frame() const { return frame_; }
  KV_Rect Rect() const { return {x_, y_, x_ + width_, y_ + height_}; }

 protected:
  bool Contains(KV_Point p) const;
  // Presents the control's own rectangle.
  void PresentSelf();
  // Copies a block of the control's size from the skin at (skinX, skinY) over the control.
  void CopyFromSkin(int32_t skinX, int32_t skinY) { CopySkinTo(Rect(), skinX, skinY); }
  // Copies the skin at (skinX, skinY) into the back buffer at the target and presents it.
  void CopySkinTo(const KV_Rect& target, int32_t skinX, int32_t skinY);
  // The buttons' hover: the hand cursor while hovered, the arrow after.
  bool HoverWithHandCursor(bool hover);
  // Advances the frame, wrapping to 0 after frames - 1.
  void AdvanceFrame(int32_t frames);

  CKV_ControlGroup* owner_ = nullptr;
  bool pressed_ = false;
  int32_t x_ = 0;
  int32_t y_ = 0;
  int32_t width_ = 0;
  int32_t height_ = 0;
  int32_t id_ = 0;
  int32_t frame_ = 0;
  bool hover_ = false;
  bool armed_ = false;
  bool dragging_ = false;
  bool shown_ = true;
};

}  // namespace gui
