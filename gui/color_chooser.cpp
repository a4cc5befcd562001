#include "gui/color_chooser.h"

#include <QColorDialog>

#include "gui/cursors.h"
#include "gui/drawing_context.h"
#include "gui/surface.h"

namespace gui {

CKV_GuiControl_ColorChooser::CKV_GuiControl_ColorChooser() = default;

CKV_GuiControl_ColorChooser::~CKV_GuiControl_ColorChooser() = default;

bool CKV_GuiControl_ColorChooser::Setup(const KV_Rect& rect, int32_t id, KV_ColorRef colour,
                                        std::function<void()> onChange, KV_SkinPos templatePos) {
  const bool ready = Init(rect, id);
  if (!CreateSurface(swatch_, width_, height_, 32)) return false;
  template_ = templatePos;
  colour_ = ToColour16(colour);
  Draw();
  onChange_ = std::move(onChange);
  if (!CreateSurface(mask_, width_, height_, 1)) return false;
  if (const CKV_Surface* skin = DrawingContext().skin) {
    CopyBlock(*mask_, 0, 0, width_, height_, *skin, template_.x, template_.y);
  }
  Draw();
  return ready;
}

void CKV_GuiControl_ColorChooser::SetColour(KV_ColorRef colour) {
  colour_ = ToColour16(colour);
  Draw();
}

void CKV_GuiControl_ColorChooser::Draw() {
  const KV_DrawingContext& context = DrawingContext();
  if (!swatch_ || !context.skin || !context.backBuffer) return;
  const KV_ColorRef colour = GetColour();
  FillSurface(*swatch_, QColor(colour & 0xFF, (colour >> 8) & 0xFF, (colour >> 16) & 0xFF));
  // The work area just right of the template: where the mask is white the skin keeps its
  // pixels, elsewhere the colour shows.
  CKV_Surface& skin = *context.skin;
  const int32_t workX = template_.x + width_;
  const int32_t workY = template_.y;
  if (mask_) {
    CopyBlock(skin, workX, workY, width_, height_, *swatch_, 0, 0, KV_RasterOp::kXor);
    CopyBlock(skin, workX, workY, width_, height_, *mask_, 0, 0, KV_RasterOp::kAnd);
    CopyBlock(skin, workX, workY, width_, height_, *swatch_, 0, 0, KV_RasterOp::kXor);
  }
  CopyFromSkin(workX, workY);
}

bool CKV_GuiControl_ColorChooser::OnClick(KV_Point p) {
  if (!Contains(p)) return false;
  if (!picker_) return true;
  if (const std::optional<KV_ColorRef> chosen = picker_(GetColour())) {
    SetColour(*chosen);
    if (onChange_) onChange_();
  }
  return true;
}

bool CKV_GuiControl_ColorChooser::SetHover(bool hover) {
  if (hover) {
    SetHandCursor();
  } else {
    SetArrowCursor();
  }
  return true;
}

std::optional<KV_ColorRef> PickColourWithDialog(KV_ColorRef initial) {
  const QColor start(initial & 0xFF, (initial >> 8) & 0xFF, (initial >> 16) & 0xFF);
  const QColor chosen = QColorDialog::getColor(start, DrawingContext().window, QString(),
                                               QColorDialog::DontUseNativeDialog);
  if (!chosen.isValid()) return std::nullopt;
  return static_cast<KV_ColorRef>(chosen.red() | chosen.green() << 8 | chosen.blue() << 16);
}

}  // namespace gui
