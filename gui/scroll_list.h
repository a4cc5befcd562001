#pragma once

#include <cstdint>
#include <functional>
#include <string>
#include <string_view>
#include <vector>

#include "gui/gui_control.h"

namespace gui {

// Where the pointer is over the list.
enum class KV_ListZone : int32_t {
  kNone = 0,
  kRows = 1,
  kUpArrow = 2,
  kDownArrow = 3,
  kThumb = 4,
  kTrackAbove = 5,
  kTrackBelow = 6
};

// A list of numbered rows with its own scroll bar: clicking a row selects it and calls back
// with its 1-based number; holding an arrow scrolls one row per tick; the thumb drags.
class CKV_GuiControl_ScrollList : public CKV_GuiControl {
 public:
  static constexpr int32_t kPageRows = 5;

  bool Setup(const KV_Rect& rect, int32_t id, std::function<void(int32_t)> onSelect,
             const KV_ListLayout& layout);
  // Appends an item numbered by a running counter from 1; kind picks its row images.
  void AddItem(std::string_view name, int32_t kind);
  // After filling: shows the first item, selects it and draws.
  void Reset();
  // Selects the zero-based item and scrolls it towards the top; false when out of range.
  bool SelectItem(int32_t index);

  int32_t ItemCount() const { return static_cast<int32_t>(items_.size()); }
  // 1-based; 0 when the list is empty.
  int32_t SelectedItem() const { return items_.empty() ? 0 : selected_; }
  int32_t FirstVisible() const { return first_; }
  int32_t VisibleRows() const { return visibleRows_; }
  int32_t LastPossibleFirst() const { return lastFirst_; }
  int32_t HoveredRow() const { return hoveredRow_; }
  KV_ListZone Zone() const { return zone_; }
  bool IsAutoScrolling() const { return autoScroll_; }
  float ThumbTop() const { return thumbTop_; }
  float ThumbStep() const { return step_; }

  bool HitTestPress(KV_Point p) override;
  bool HitTestHover(KV_Point p) override;
  bool OnClick(KV_Point p) override;
  bool SetHover(bool hover) override;
  void Redraw() override;
  void Tick() override;
  bool OnMouseDown(KV_Point p) override;
  bool OnMouseUp(KV_Point p) override;
  bool OnDrag(KV_Point p) override;

 private:
  struct Item {
    int32_t kind = 0;
    std::string number;
    std::string name;
  };

  bool CanScroll() const { return ItemCount() > visibleRows_; }
  int32_t Bottom() const { return y_ + height_; }
  int32_t BarX() const { return x_ + layout_.listWidth; }
  float ThumbMin() const;
  float ThumbMax() const;
  // Moves the first visible item by rows (clamped) and the thumb with it.
  void ScrollBy(int32_t rows);
  void DrawRows();
  void DrawThumb(int32_t skinY);
  // Restores a zone's resting look.
  void RestoreZone(KV_ListZone zone);
  void AnimateZone();

  std::function<void(int32_t)> onSelect_;
  KV_ListLayout layout_;
  std::vector<Item> items_;
  int32_t counter_ = 0;
  int32_t visibleRows_ = 0;
  int32_t first_ = 1;
  int32_t lastFirst_ = 1;
  int32_t selected_ = 1;
  int32_t hoveredRow_ = 0;
  float thumbTop_ = 0;
  float previousThumbTop_ = 0;
  float step_ = 0;
  int32_t kindStride_ = 0;
  int32_t grabOffset_ = 0;
  KV_ListZone zone_ = KV_ListZone::kNone;
  KV_ListZone previousZone_ = KV_ListZone::kNone;
  bool autoScroll_ = false;
  bool scrollDown_ = false;
};

}  // namespace gui
