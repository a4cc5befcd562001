#include "gui/scroll_list.h"

#include <gtest/gtest.h>

#include "gui/button.h"
#include "gui/control_group.h"
#include "tests/gui/skin_fixture.h"

namespace {

using gui::KV_ListZone;

// A 120 x 200 list at the window's corner: rows 100 wide and 20 high, a scroll bar 20 wide with
// 20-pixel arrows and a 20-pixel thumb, two animation frames.
constexpr gui::KV_ListLayout kLayout{100, 20, 130, 0, 20, 2, 20, 160, 0, 180, 0, 200, 0, 20};
constexpr uint32_t kBackground = 0x101010;
constexpr int kBar = 110;  // an x inside the scroll bar

class ScrollListTest : public zarn::test::SkinFixture {
 protected:
  void SetUp() override {
    MakeContext(260, 220, 200, 220);
    PaintSkin(0, 0, 130, 220, kBackground);
    for (int look = 0; look < 3; ++look) {
      PaintSkin(130, 20 * look, 30, 20, (0x20u + 0x10u * look) << 16);
      PaintSkin(130, 60 + 20 * look, 30, 20, (0x20u + 0x10u * look) << 8);
    }
    for (int frame = 0; frame < 4; ++frame) {
      PaintSkin(160, 20 * frame, 20, 20, (frame < 2 ? 0x50u : 0x60u - 2) + frame);
      PaintSkin(180, 20 * frame, 20, 20, (frame < 2 ? 0x70u : 0x80u - 2) + frame);
      PaintSkin(200, 20 * (frame + 1), 20, 20, (frame < 2 ? 0xB0u : 0xC0u - 2) + frame);
    }
    PaintSkin(200, 0, 20, 20, 0xA0);
  }

  // Fills the list with count items (kind 1 for every third) and resets it.
  gui::CKV_GuiControl_ScrollList* MakeList(int count) {
    auto made = std::make_unique<gui::CKV_GuiControl_ScrollList>();
    EXPECT_TRUE(made->Setup(
        {0, 0, 120, 200}, 26, [this](int32_t item) { picked.push_back(item); }, kLayout));
    for (int i = 0; i < count; ++i) made->AddItem("effect " + std::to_string(i + 1), i % 3 == 2);
    made->Reset();
    list = made.get();
    group.Add(std::move(made));
    return list;
  }

  void Click(gui::KV_Point p) {
    group.OnMouseDown(p);
    group.OnMouseUp(p);
  }

  gui::CKV_ControlGroup group;
  gui::CKV_GuiControl_ScrollList* list = nullptr;
  std::vector<int32_t> picked;
};

TEST_F(ScrollListTest, TwentyItemsInTenRowsScrollToElevenAndSelectOnlyTheirOwnNumbers) {
  MakeList(20);
  EXPECT_EQ(list->VisibleRows(), 10);
  EXPECT_EQ(list->LastPossibleFirst(), 11);
  EXPECT_FLOAT_EQ(list->ThumbStep(), 14.0f);
  EXPECT_FLOAT_EQ(list->ThumbTop(), 20.0f);
  EXPECT_EQ(list->SelectedItem(), 1);
  for (const int index : {-1, -2, -1000, 20, 21}) EXPECT_FALSE(list->SelectItem(index));
  EXPECT_EQ(list->SelectedItem(), 1);
}

TEST_F(ScrollListTest, ClickingARowSelectsItsNumber) {
  MakeList(20);
  ASSERT_TRUE(list->SelectItem(3));
  EXPECT_EQ(list->FirstVisible(), 4);
  EXPECT_FLOAT_EQ(list->ThumbTop(), 20.0f + 3 * 14.0f);
  Click({50, 2 * 20 + 5});
  Click({50, 200});  // the inclusive bottom edge is no row
  EXPECT_EQ(picked, (std::vector<int32_t>{6}));
  EXPECT_EQ(list->SelectedItem(), 6);
  // Row looks: the selected row (item 6, kind 1) and a normal kind-0 row (item 4).
  EXPECT_EQ(BackPixel(2, 2 * 20 + 2), 0x004000u);
  EXPECT_EQ(BackPixel(2, 2), 0x200000u);
  EXPECT_EQ(BackPixel(kBar, 20 + 3 * 14 + 5), 0xA0u);
}

TEST_F(ScrollListTest, HeldDownArrowScrollsOneRowATickAndStopsAtTheEnd) {
  MakeList(20);
  auto other = std::make_unique<gui::CKV_GuiControl_Button>();
  other->Setup({150, 200, 190, 215}, 1, nullptr, {2, 0, 0});
  group.Add(std::move(other));
  group.OnMouseMove({kBar, 195});
  group.OnMouseDown({kBar, 195});
  EXPECT_EQ(list->FirstVisible(), 2);
  EXPECT_TRUE(list->IsAutoScrolling());
  group.OnTick();
  EXPECT_EQ(list->FirstVisible(), 3);
  // Released over another control, the list stops scrolling all the same.
  group.OnMouseUp({170, 210});
  EXPECT_FALSE(list->IsAutoScrolling());
  group.OnTick();
  EXPECT_EQ(list->FirstVisible(), 3);

  group.OnMouseMove({kBar, 195});
  group.OnMouseDown({kBar, 195});
  for (int tick = 0; tick < 20; ++tick) group.OnTick();
  EXPECT_EQ(list->FirstVisible(), 11);
  EXPECT_FLOAT_EQ(list->ThumbTop(), 160.0f);
  group.OnMouseUp({kBar, 195});
  group.OnMouseMove({kBar, 5});
  group.OnMouseDown({kBar, 5});
  EXPECT_EQ(list->FirstVisible(), 10);
  group.OnMouseUp({kBar, 5});
  EXPECT_FALSE(list->IsAutoScrolling());
}

TEST_F(ScrollListTest, TrackPagesFiveRowsOrFewerAtTheEnds) {
  MakeList(20);
  const struct {
    int y;
    int first;
    float thumb;
    KV_ListZone zone;
  } steps[] = {{100, 6, 90, KV_ListZone::kTrackBelow},   {150, 11, 160, KV_ListZone::kTrackBelow},
               {160, 11, 160, KV_ListZone::kTrackBelow}, {50, 6, 90, KV_ListZone::kTrackAbove},
               {50, 1, 20, KV_ListZone::kTrackAbove},    {90, 6, 90, KV_ListZone::kTrackBelow}};
  for (const auto& step : steps) {
    SCOPED_TRACE(step.y);
    Click({kBar, step.y});
    EXPECT_EQ(list->FirstVisible(), step.first);
    EXPECT_FLOAT_EQ(list->ThumbTop(), step.thumb);
    EXPECT_EQ(list->Zone(), step.zone);
  }
  EXPECT_TRUE(picked.empty());
}

TEST_F(ScrollListTest, DraggingTheThumbScrollsAndClampsAtBothEnds) {
  MakeList(20);
  group.OnMouseMove({kBar, 30});
  group.OnMouseDown({kBar, 30});
  EXPECT_EQ(list->Zone(), KV_ListZone::kThumb);
  group.OnMouseMove({kBar, 58});
  EXPECT_EQ(list->FirstVisible(), 3);
  EXPECT_FLOAT_EQ(list->ThumbTop(), 48.0f);
  EXPECT_EQ(BackPixel(kBar, 50), 0xC0u - 2 + 2);  // the pressed thumb frame
  EXPECT_EQ(BackPixel(kBar, 25), kBackground);    // erased where it was
  group.OnMouseMove({kBar, 500});
  EXPECT_EQ(list->FirstVisible(), 11);
  EXPECT_FLOAT_EQ(list->ThumbTop(), 160.0f);
  group.OnMouseMove({kBar, -50});
  EXPECT_EQ(list->FirstVisible(), 1);
  EXPECT_FLOAT_EQ(list->ThumbTop(), 20.0f);
  group.OnMouseUp({kBar, -50});
  group.OnMouseMove({kBar, 120});
  EXPECT_FLOAT_EQ(list->ThumbTop(), 20.0f);
  // A drag that leaves the window ends there: the list no longer claims every point.
  group.OnMouseDown({kBar, 30});
  group.OnMouseLeave();
  group.OnMouseUp({150, 210});
  EXPECT_FALSE(list->HitTestHover({150, 210}));
}

TEST_F(ScrollListTest, HoverAnimatesTheZoneUnderThePointerAndRestoresTheLastOne) {
  MakeList(20);
  group.OnMouseMove({kBar, 5});
  EXPECT_EQ(BackPixel(kBar, 5), 0x51u);  // frames advance before they are drawn
  group.OnTick();
  EXPECT_EQ(BackPixel(kBar, 5), 0x50u);
  group.OnMouseMove({kBar, 30});
  EXPECT_EQ(BackPixel(kBar, 5), kBackground);
  EXPECT_EQ(BackPixel(kBar, 30), 0xB1u);
  group.OnMouseMove({50, 45});
  EXPECT_EQ(list->HoveredRow(), 3);
  EXPECT_EQ(BackPixel(2, 45), 0x003000u);  // item 3 is of kind 1
  group.OnMouseMove({190, 210});
  EXPECT_EQ(list->HoveredRow(), 0);
  EXPECT_EQ(BackPixel(2, 45), 0x002000u);
}

TEST_F(ScrollListTest, WithEveryItemInViewNothingScrolls) {
  MakeList(5);
  EXPECT_EQ(list->LastPossibleFirst(), 1);
  EXPECT_FLOAT_EQ(list->ThumbStep(), 0.0f);
  for (const int y : {5, 195, 30, 100, 60}) Click({kBar, y});
  group.OnMouseDown({kBar, 30});
  group.OnMouseMove({kBar, 150});
  group.OnMouseUp({kBar, 150});
  for (int tick = 0; tick < 3; ++tick) group.OnTick();
  EXPECT_TRUE(list->SelectItem(4));
  EXPECT_EQ(list->FirstVisible(), 1);
  EXPECT_FLOAT_EQ(list->ThumbTop(), 20.0f);
  // Below the last item and on the bottom edge nothing is selected.
  Click({50, 5 * 20 + 5});
  Click({50, 200});
  EXPECT_TRUE(picked.empty());
  EXPECT_EQ(list->SelectedItem(), 5);
  Click({50, 4 * 20});
  EXPECT_EQ(picked, (std::vector<int32_t>{5}));
}

TEST_F(ScrollListTest, AnEmptyListHasNoSelectionAndTakesOnlyItsOwnPresses) {
  MakeList(0);
  EXPECT_EQ(list->SelectedItem(), 0);
  EXPECT_FALSE(list->SelectItem(0));
  EXPECT_TRUE(list->HitTestPress({50, 50}));
  EXPECT_FALSE(list->HitTestPress({150, 50}));
  EXPECT_TRUE(picked.empty());
}

}  // namespace
