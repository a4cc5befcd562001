#include "gui/scroll_list.h"

#include <algorithm>

#include "gui/cursors.h"
#include "gui/drawing_context.h"
#include "gui/surface.h"

namespace gui {

namespace {

// Item numbers keep at most this many digits.
constexpr size_t kMaxNumberDigits = 7;
// Row texts sit this far above the row's bottom; numbers and names this far from its left.
constexpr int32_t kTextRise = 18;
constexpr int32_t kNumberIndent = 10;
constexpr int32_t kNameIndent = 40;

}  // namespace

bool CKV_GuiControl_ScrollList::Setup(const KV_Rect& rect, int32_t id,
                                      std::function<void(int32_t)> onSelect,
                                      const KV_ListLayout& layout) {
  const bool ready = Init(rect, id);
  onSelect_ = std::move(onSelect);
  layout_ = layout;
  return ready;
}

void CKV_GuiControl_ScrollList::AddItem(std::string_view name, int32_t kind) {
  ++counter_;
  items_.push_back({kind, std::to_string(counter_).substr(0, kMaxNumberDigits), std::string(name)});
}

void CKV_GuiControl_ScrollList::Reset() {
  first_ = 1;
  selected_ = 1;
  hoveredRow_ = 0;
  thumbTop_ = ThumbMin();
  previousThumbTop_ = thumbTop_;
  visibleRows_ = layout_.rowHeight > 0 ? height_ / layout_.rowHeight : 0;
  // Never below 1: with every item in view there is nothing to scroll.
  lastFirst_ = std::max(1, ItemCount() - visibleRows_ + 1);
  kindStride_ = 3 * layout_.rowHeight;
  step_ = CanScroll()
              ? static_cast<float>(height_ - 2 * layout_.arrowHeight - layout_.thumbHeight) /
                    static_cast<float>(ItemCount() - visibleRows_)
              : 0.0f;
  DrawRows();
}

bool CKV_GuiControl_ScrollList::SelectItem(int32_t index) {
  if (index < 0 || index >= ItemCount()) return false;
  selected_ = index + 1;
  ScrollBy(index);
  DrawRows();
  return true;
}

float CKV_GuiControl_ScrollList::ThumbMin() const {
  return static_cast<float>(y_ + layout_.arrowHeight);
}

float CKV_GuiControl_ScrollList::ThumbMax() const {
  return static_cast<float>(Bottom() - layout_.thumbHeight - layout_.arrowHeight);
}

void CKV_GuiControl_ScrollList::ScrollBy(int32_t rows) {
  if (!CanScroll()) return;
  const int32_t first = std::clamp(first_ + rows, 1, lastFirst_);
  thumbTop_ =
      std::clamp(thumbTop_ + static_cast<float>(first - first_) * step_, ThumbMin(), ThumbMax());
  first_ = first;
}

bool CKV_GuiControl_ScrollList::HitTestPress(KV_Point p) {
  if (!Contains(p)) return false;
  if (items_.empty()) return true;
  if (p.x > BarX()) {
    if (p.y < y_ + layout_.arrowHeight) {
      autoScroll_ = true;
      scrollDown_ = false;
      zone_ = KV_ListZone::kUpArrow;
      ScrollBy(-1);
    } else if (p.y > Bottom() - layout_.arrowHeight) {
      autoScroll_ = true;
      scrollDown_ = true;
      zone_ = KV_ListZone::kDownArrow;
      ScrollBy(1);
    } else if (thumbTop_ < p.y && p.y < thumbTop_ + layout_.thumbHeight) {
      zone_ = KV_ListZone::kThumb;
      OnMouseDown(p);
      return true;
    } else if (p.y >= thumbTop_) {
      zone_ = KV_ListZone::kTrackBelow;
      ScrollBy(kPageRows);
    } else {
      zone_ = KV_ListZone::kTrackAbove;
      ScrollBy(-kPageRows);
    }
  } else {
    zone_ = KV_ListZone::kRows;
    // The inclusive bottom edge and the space below the last item select nothing.
    const int32_t row = (p.y - y_) / layout_.rowHeight;
    const int32_t item = first_ + row;
    if (row < visibleRows_ && item <= ItemCount()) {
      selected_ = item;
      if (onSelect_) onSelect_(item);
    }
  }
  DrawRows();
  return true;
}

bool CKV_GuiControl_ScrollList::HitTestHover(KV_Point p) {
  if (dragging_) return true;
  previousZone_ = zone_;
  if (!Contains(p)) return false;
  const int32_t previousHover = hoveredRow_;
  if (p.x <= BarX()) {
    zone_ = KV_ListZone::kRows;
    const int32_t row = (p.y - y_) / layout_.rowHeight;
    const int32_t item = first_ + row;
    hoveredRow_ = row < visibleRows_ && item <= ItemCount() ? item : 0;
    Tick();
    if (hoveredRow_ != previousHover) DrawRows();
    return true;
  }
  hoveredRow_ = 0;
  if (previousHover != 0) DrawRows();
  if (p.y < y_ + layout_.arrowHeight) {
    zone_ = KV_ListZone::kUpArrow;
  } else if (p.y > Bottom() - layout_.arrowHeight) {
    zone_ = KV_ListZone::kDownArrow;
  } else if (thumbTop_ < p.y && p.y < thumbTop_ + layout_.thumbHeight) {
    zone_ = KV_ListZone::kThumb;
  } else {
    zone_ = KV_ListZone::kNone;
  }
  Tick();
  return true;
}

bool CKV_GuiControl_ScrollList::OnClick(KV_Point p) {
  if (!Contains(p)) return false;
  autoScroll_ = false;
  DrawRows();
  return true;
}

bool CKV_GuiControl_ScrollList::SetHover(bool hover) {
  if (hover) {
    SetHandCursor();
  } else {
    SetArrowCursor();
  }
  return true;
}

void CKV_GuiControl_ScrollList::Redraw() {
  RestoreZone(zone_);
  zone_ = KV_ListZone::kNone;
  autoScroll_ = false;
  // The pointer left the window mid-drag: the release will not reach the list.
  dragging_ = false;
  hoveredRow_ = 0;
  DrawRows();
}

void CKV_GuiControl_ScrollList::Tick() {
  if (autoScroll_) {
    ScrollBy(scrollDown_ ? 1 : -1);
    DrawRows();
  }
  if (zone_ != previousZone_) {
    RestoreZone(previousZone_);
    previousZone_ = zone_;
  }
  AnimateZone();
}

bool CKV_GuiControl_ScrollList::OnMouseDown(KV_Point p) {
  if (!CanScroll() || dragging_) return false;
  if (p.x > BarX() && thumbTop_ < p.y && p.y < thumbTop_ + layout_.thumbHeight) {
    grabOffset_ = static_cast<int32_t>(static_cast<float>(p.y) - thumbTop_);
    dragging_ = true;
  }
  return true;
}

bool CKV_GuiControl_ScrollList::OnMouseUp(KV_Point) {
  dragging_ = false;
  // Releasing anywhere ends a held arrow, even over another control.
  autoScroll_ = false;
  return true;
}

bool CKV_GuiControl_ScrollList::OnDrag(KV_Point p) {
  if (!dragging_) return false;
  const float top = static_cast<float>(p.y - grabOffset_);
  if (top < ThumbMin()) {
    if (first_ == 1) return true;
    first_ = 1;
    thumbTop_ = ThumbMin();
  } else if (top > ThumbMax()) {
    if (first_ == lastFirst_) return true;
    first_ = lastFirst_;
    thumbTop_ = ThumbMax();
  } else {
    thumbTop_ = top;
    const auto rows = static_cast<int32_t>((top - ThumbMin()) / step_);
    first_ = std::clamp(rows + 1, 1, lastFirst_);
  }
  DrawRows();
  DrawThumb(layout_.thumbSkinY + layout_.thumbHeight * (1 + layout_.frames));
  return true;
}

void CKV_GuiControl_ScrollList::DrawRows() {
  const KV_DrawingContext& context = DrawingContext();
  if (!context.backBuffer || !context.skin || layout_.rowHeight <= 0) return;
  CKV_Surface& backBuffer = *context.backBuffer;
  const int32_t rowHeight = layout_.rowHeight;
  for (int32_t row = 0; row < visibleRows_ && first_ + row <= ItemCount(); ++row) {
    const int32_t number = first_ + row;
    const Item& item = items_[static_cast<size_t>(number - 1)];
    int32_t skinY = layout_.rowSkinY + item.kind * kindStride_;
    if (number == selected_) {
      skinY += 2 * rowHeight;
    } else if (number == hoveredRow_) {
      skinY += rowHeight;
    }
    const int32_t top = y_ + row * rowHeight;
    CopyBlock(backBuffer, x_, top, layout_.listWidth, rowHeight, *context.skin, layout_.rowSkinX,
              skinY);
    const int32_t textTop = top + rowHeight - kTextRise;
    const int32_t right = x_ + layout_.listWidth;
    DrawSurfaceText(backBuffer, {x_ + kNumberIndent, textTop, right, textTop + rowHeight},
                    QString::fromStdString(item.number), backBuffer.font, Qt::white);
    DrawSurfaceText(backBuffer, {x_ + kNameIndent, textTop, right, textTop + rowHeight},
                    QString::fromStdString(item.name), backBuffer.font, Qt::white);
  }
  Present({x_, y_, BarX(), Bottom()});
  // Erase the thumb where it was, then draw it where it is.
  const auto previous = static_cast<int32_t>(previousThumbTop_);
  CopySkinTo({BarX(), previous, BarX() + layout_.barWidth, previous + layout_.thumbHeight}, BarX(),
             previous);
  DrawThumb(layout_.thumbSkinY);
  previousThumbTop_ = thumbTop_;
}

void CKV_GuiControl_ScrollList::DrawThumb(int32_t skinY) {
  const auto top = static_cast<int32_t>(thumbTop_);
  CopySkinTo({BarX(), top, BarX() + layout_.barWidth, top + layout_.thumbHeight},
             layout_.thumbSkinX, skinY);
}

void CKV_GuiControl_ScrollList::RestoreZone(KV_ListZone zone) {
  const int32_t bar = BarX();
  const int32_t arrow = layout_.arrowHeight;
  switch (zone) {
    case KV_ListZone::kUpArrow:
      CopySkinTo({bar, y_, bar + layout_.barWidth, y_ + arrow}, bar, y_);
      break;
    case KV_ListZone::kDownArrow:
      CopySkinTo({bar, Bottom() - arrow, bar + layout_.barWidth, Bottom()}, bar, Bottom() - arrow);
      break;
    case KV_ListZone::kThumb:
      DrawThumb(layout_.thumbSkinY);
      break;
    default:
      break;
  }
}

void CKV_GuiControl_ScrollList::AnimateZone() {
  const int32_t bar = BarX();
  const int32_t arrow = layout_.arrowHeight;
  const int32_t frameOffset = pressed_ ? layout_.frames : 0;
  switch (zone_) {
    case KV_ListZone::kUpArrow:
      AdvanceFrame(layout_.frames);
      CopySkinTo({bar, y_, bar + layout_.barWidth, y_ + arrow}, layout_.upSkinX,
                 layout_.upSkinY + arrow * (frameOffset + frame_));
      break;
    case KV_ListZone::kDownArrow:
      AdvanceFrame(layout_.frames);
      CopySkinTo({bar, Bottom() - arrow, bar + layout_.barWidth, Bottom()}, layout_.downSkinX,
                 layout_.downSkinY + arrow * (frameOffset + frame_));
      break;
    case KV_ListZone::kThumb:
      AdvanceFrame(layout_.frames);
      DrawThumb(layout_.thumbSkinY + layout_.thumbHeight * (1 + frameOffset + frame_));
      break;
    default:
      break;
  }
}

}  // namespace gui
