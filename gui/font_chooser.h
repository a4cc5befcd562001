#pragma once

#include <functional>
#include <string>

#include "gui/font_selection.h"
#include "gui/gui_control.h"

namespace gui {

inline constexpr uint32_t kSetFace = 0x01;
inline constexpr uint32_t kSetSize = 0x02;
inline constexpr uint32_t kSetStyle = 0x04;

// A one-line summary of the chosen font; a click while armed opens the font dialog.
class CKV_GuiControl_FontChooser : public CKV_GuiControl {
 public:
  bool Setup(const KV_Rect& rect, int32_t id, std::function<void()> onChange);

  // The mask tells which of face, size and style to take; then draws.
  void SetFont(std::string_view face, int32_t size, uint16_t styleFlags, uint32_t mask);
  const std::string& GetFaceName() const { return selection_.faceName; }
  int32_t GetPointSize() const { return selection_.size; }
  uint16_t GetStyleFlags() const { return selection_.styleFlags; }
  CKV_FontSelection& Selection() { return selection_; }
  // Replaces the font dialog (tests pick without one).
  void SetPicker(KV_FontPicker picker) { picker_ = std::move(picker); }

  bool OnClick(KV_Point p) override;
  bool SetHover(bool hover) override { return HoverWithHandCursor(hover); }
  void Redraw() override {}

 private:
  void Draw();

  CKV_FontSelection selection_;
  std::function<void()> onChange_;
  KV_FontPicker picker_ = PickFontWithDialog;
};

}  // namespace gui
