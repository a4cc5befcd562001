#pragma once

#include <functional>
#include <memory>
#include <optional>

#include "gui/colour.h"
#include "gui/gui_control.h"

namespace gui {

struct CKV_Surface;

// Asks the user for a colour, starting at the given one; none when cancelled.
using KV_ColourPicker = std::function<std::optional<KV_ColorRef>(KV_ColorRef initial)>;

// The colour dialog: a non-native QColorDialog over the drawing context's window.
std::optional<KV_ColorRef> PickColourWithDialog(KV_ColorRef initial);

// A colour swatch cut to the shape of a template in the skin: white template pixels show the
// skin, all others show the colour. A click opens the colour dialog.
class CKV_GuiControl_ColorChooser : public CKV_GuiControl {
 public:
  CKV_GuiControl_ColorChooser();
  ~CKV_GuiControl_ColorChooser() override;

  // False when a surface cannot be made.
  bool Setup(const KV_Rect& rect, int32_t id, KV_ColorRef colour, std::function<void()> onChange,
             KV_SkinPos templatePos);

  void SetColour(KV_ColorRef colour);
  KV_ColorRef GetColour() const { return ToColorRef(colour_); }
  // Replaces the colour dialog (tests pick without one).
  void SetPicker(KV_ColourPicker picker) { picker_ = std::move(picker); }

  bool OnClick(KV_Point p) override;
  bool SetHover(bool hover) override;
  void Redraw() override { Draw(); }

 private:
  void Draw();

  KV_Colour16 colour_{0xFFFF, 0xFFFF, 0xFFFF};
  KV_SkinPos template_;
  std::function<void()> onChange_;
  std::unique_ptr<CKV_Surface> swatch_;
  std::unique_ptr<CKV_Surface> mask_;
  KV_ColourPicker picker_ = PickColourWithDialog;
};

}  // namespace gui
