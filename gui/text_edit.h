#pragma once

#include <cstdint>
#include <memory>
#include <optional>
#include <string>
#include <string_view>

#include "gui/gui_control.h"

class QWidget;

namespace gui {

class CKV_ZarnEditControl;

// A native single- or multi-line text field laid over the control's rectangle in 9-point bold
// Arial. A click into it arms the control in its group, so edit commands follow the field the
// user last clicked. Hidden, it shows its cover and takes no press and no edit command.
class CKV_GuiControl_TextEdit : public CKV_GuiControl {
 public:
  // Texts are cut to this many characters.
  static constexpr int32_t kMaxText = 255;

  CKV_GuiControl_TextEdit();
  ~CKV_GuiControl_TextEdit() override;

  // The field becomes a child of the drawing context's window; false without one.
  bool Setup(const KV_Rect& rect, int32_t id, bool shown, bool singleLine,
             std::optional<KV_Cover> cover);

  // UTF-8.
  std::string GetText() const;
  // Leading white space skipped, then as many characters as make a number; 0 when none do.
  int32_t GetInt() const;
  double GetFloat() const;
  void SetText(std::string_view text, bool updateNow);
  void SetInt(int32_t value, bool updateNow);
  void SetFloatAsInt(double value, bool updateNow);

  void Undo();
  void Cut();
  void Copy();
  void Paste();
  void ClearSelection();
  void SelectAll();
  void Repaint();

  // The native field, for focus and tests.
  QWidget* EditWidget() const;

  void SetShown(bool shown) override;
  bool HitTestPress(KV_Point p) override;
  bool SetHover(bool hover) override;
  bool NeedsTick() override { return armed_; }
  void Redraw() override {}
  void SetArmed(bool armed) override;

 private:
  template <typename Action>
  void ApplyToField(Action action);

  std::optional<KV_Cover> cover_;
  bool singleLine_ = true;
  std::unique_ptr<CKV_ZarnEditControl> edit_;
};

}  // namespace gui
