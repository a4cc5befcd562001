#include "gui/control_group.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "gui/button.h"
#include "gui/checkbox.h"
#include "tests/gui/skin_fixture.h"

namespace {

using gui::KV_Point;

// Records the group's calls to it; accepts presses and clicks inside its rectangle.
class ProbeControl : public gui::CKV_GuiControl {
 public:
  ProbeControl(std::vector<std::string>& log, std::string name)
      : log_(log), name_(std::move(name)) {}

  bool SetHover(bool hover) override { return Note(hover ? "hover" : "unhover"); }
  void Redraw() override { Note("redraw"); }
  void SetArmed(bool armed) override {
    CKV_GuiControl::SetArmed(armed);
    Note(armed ? "arm" : "disarm");
  }
  bool OnMouseDown(KV_Point) override { return Note("down"); }
  bool OnMouseUp(KV_Point) override { return Note("up"); }
  bool OnDrag(KV_Point) override { return Note("drag"); }
  bool OnClick(KV_Point p) override {
    if (!Contains(p)) return false;
    return Note(IsArmed() ? "click" : "click-unarmed");
  }
  void Tick() override { Note("tick"); }

 private:
  bool Note(const std::string& what) {
    log_.push_back(name_ + " " + what);
    return true;
  }
  std::vector<std::string>& log_;
  std::string name_;
};

class ControlGroupTest : public zarn::test::SkinFixture {
 protected:
  ProbeControl* AddProbe(const std::string& name, gui::KV_Rect rect) {
    auto probe = std::make_unique<ProbeControl>(log, name);
    probe->Init(rect, static_cast<int32_t>(group.Count()) + 1);
    ProbeControl* raw = probe.get();
    EXPECT_TRUE(group.Add(std::move(probe)));
    return raw;
  }
  std::vector<std::string> TakeLog() { return std::exchange(log, {}); }

  std::vector<std::string> log;
  gui::CKV_ControlGroup group;
};

using Log = std::vector<std::string>;

TEST_F(ControlGroupTest, PressOnOneAndReleaseOnAnotherClicksNeitherArmed) {
  AddProbe("A", {10, 10, 30, 20});
  AddProbe("B", {50, 10, 70, 20});
  group.OnMouseMove({15, 15});
  EXPECT_TRUE(group.OnMouseDown({15, 15}));
  EXPECT_EQ(TakeLog(), (Log{"A hover", "A arm", "A down"}));
  // While A is pressed, moving over B changes no hover and drags nothing (A no longer holds it).
  group.OnMouseMove({60, 15});
  EXPECT_EQ(TakeLog(), Log{});
  EXPECT_TRUE(group.OnMouseUp({60, 15}));
  EXPECT_EQ(TakeLog(), (Log{"A up", "B click-unarmed"}));
}

TEST_F(ControlGroupTest, PressOnTheBackgroundDisarms) {
  auto* a = AddProbe("A", {10, 10, 30, 20});
  group.OnMouseDown({15, 15});
  group.OnMouseUp({15, 15});
  EXPECT_TRUE(group.IsArmed(a));
  TakeLog();
  EXPECT_FALSE(group.OnMouseDown({100, 90}));
  EXPECT_EQ(TakeLog(), (Log{"A disarm"}));
  EXPECT_FALSE(group.IsArmed(a));
  EXPECT_FALSE(group.OnMouseUp({100, 90}));
}

TEST_F(ControlGroupTest, EdgesAreInsideAndTheEarlierOfOverlappingControlsWins) {
  AddProbe("A", {10, 10, 30, 20});
  AddProbe("B", {30, 20, 50, 40});
  const struct {
    KV_Point p;
    const char* winner;
  } cases[] = {{{10, 10}, "A"}, {{30, 20}, "A"}, {{31, 20}, "B"}, {{50, 40}, "B"}, {{9, 10}, ""}};
  for (const auto& test : cases) {
    SCOPED_TRACE(test.winner);
    group.OnMouseDown(test.p);
    const Log seen = TakeLog();
    const std::string expected = std::string(test.winner) + " down";
    if (*test.winner) {
      EXPECT_EQ(seen.back(), expected);
    } else {
      EXPECT_TRUE(seen.empty() || seen.back().find("down") == std::string::npos);
    }
    group.OnMouseUp({200, 200});
    TakeLog();
  }
}

TEST_F(ControlGroupTest, HoverMovesAndLeavesAndTicksReachTheHoveredControl) {
  AddProbe("A", {10, 10, 30, 20});
  AddProbe("B", {50, 10, 70, 20});
  EXPECT_TRUE(group.OnMouseMove({15, 15}));
  group.OnTick();
  EXPECT_TRUE(group.OnMouseMove({16, 15}));
  EXPECT_TRUE(group.OnMouseMove({60, 15}));
  EXPECT_FALSE(group.OnMouseMove({100, 90}));
  group.OnTick();
  EXPECT_EQ(TakeLog(), (Log{"A hover", "A tick", "A hover", "A unhover", "A redraw", "B hover",
                            "B unhover", "B redraw"}));
}

TEST_F(ControlGroupTest, LeavingEndsThePressButKeepsTheArmedControl) {
  auto* a = AddProbe("A", {10, 10, 30, 20});
  group.OnMouseMove({15, 15});
  group.OnMouseDown({15, 15});
  TakeLog();
  group.OnMouseLeave();
  EXPECT_EQ(TakeLog(), (Log{"A unhover", "A redraw", "A redraw"}));
  EXPECT_FALSE(a->IsPressed());
  EXPECT_TRUE(group.IsArmed(a));
}

TEST_F(ControlGroupTest, ActivateDisarmsThePreviousControlAndEndsItsPress) {
  auto* a = AddProbe("A", {10, 10, 30, 20});
  auto* b = AddProbe("B", {50, 10, 70, 20});
  group.OnMouseDown({15, 15});
  TakeLog();
  group.Activate({55, 15}, b);
  EXPECT_EQ(TakeLog(), (Log{"A disarm", "A up", "B arm", "B down"}));
  EXPECT_TRUE(b->IsPressed());
  EXPECT_TRUE(group.IsArmed(b));
  EXPECT_FALSE(a->IsArmed());
}

TEST_F(ControlGroupTest, FindsByIdAndDeletesEverything) {
  AddProbe("A", {10, 10, 30, 20});
  auto* b = AddProbe("B", {50, 10, 70, 20});
  EXPECT_EQ(group.FindById(2), b);
  EXPECT_EQ(group.FindById(7), nullptr);
  EXPECT_FALSE(group.Add(nullptr));
  EXPECT_TRUE(group.DeleteAll());
  EXPECT_FALSE(group.DeleteAll());
  EXPECT_EQ(group.FindById(2), nullptr);
}

// Button strips: normal frame k painted (10 + k, 0, 0), pressed frame k (0, 10 + k, 0).
TEST_F(ControlGroupTest, ButtonLoopsItsStripWhileHoveredAndClicksWhenArmed) {
  constexpr int kFrames = 4;
  for (int frame = 0; frame < 2 * kFrames; ++frame) {
    const uint32_t colour = frame < kFrames ? (10u + frame) << 16 : (10u + frame - kFrames) << 8;
    PaintSkin(100, frame * 10, 20, 10, colour);
  }
  PaintSkin(0, 0, 100, 100, 0x123456);
  int clicks = 0;
  auto button = std::make_unique<gui::CKV_GuiControl_Button>();
  ASSERT_TRUE(button->Setup({10, 10, 30, 20}, 1, [&] { ++clicks; }, {kFrames, 100, 0}));
  auto* raw = button.get();
  group.Add(std::move(button));

  group.OnMouseMove({15, 15});
  std::vector<uint32_t> shown;
  for (int tick = 0; tick < 5; ++tick) {
    group.OnTick();
    shown.push_back(BackPixel(20, 15));
  }
  EXPECT_EQ(shown, (std::vector<uint32_t>{0x0A0000, 0x0B0000, 0x0C0000, 0x0D0000, 0x0A0000}));
  group.OnMouseDown({15, 15});
  group.OnTick();
  EXPECT_EQ(BackPixel(29, 19), 0x000B00u);
  group.OnMouseUp({30, 20});
  EXPECT_EQ(clicks, 1);
  // Unhovering restores the background, the button's resting look.
  group.OnMouseMove({90, 90});
  EXPECT_EQ(BackPixel(20, 15), 0x123456u);
  EXPECT_FALSE(raw->IsHovered());
  // A release on the button without a press on it calls nothing.
  group.OnMouseDown({90, 90});
  group.OnMouseUp({15, 15});
  EXPECT_EQ(clicks, 1);
}

// Check-box strips: unchecked frame k (20 + k, 0, 0), checked frame k (0, 20 + k, 0), resting
// checked (0, 0, 99).
TEST_F(ControlGroupTest, CheckboxAdvancesBeforeDrawingAndTogglesOncePerClick) {
  constexpr int kFrames = 4;
  for (int frame = 0; frame < kFrames; ++frame) {
    PaintSkin(100, frame * 10, 20, 10, (20u + frame) << 16);
    PaintSkin(100, (kFrames + frame) * 10, 20, 10, (20u + frame) << 8);
  }
  PaintSkin(100, 2 * kFrames * 10, 20, 10, 99);
  PaintSkin(0, 0, 100, 100, 0x123456);
  std::vector<bool> states;
  auto box = std::make_unique<gui::CKV_GuiControl_Checkbox>();
  ASSERT_TRUE(box->Setup({10, 10, 30, 20}, 1, false, [&](bool on) { states.push_back(on); },
                         {kFrames, 100, 0}));
  auto* raw = box.get();
  group.Add(std::move(box));
  EXPECT_EQ(BackPixel(20, 15), 0x123456u);

  group.OnMouseMove({15, 15});
  std::vector<uint32_t> shown;
  for (int tick = 0; tick < 5; ++tick) {
    group.OnTick();
    shown.push_back(BackPixel(20, 15));
  }
  EXPECT_EQ(shown, (std::vector<uint32_t>{0x150000, 0x160000, 0x170000, 0x140000, 0x150000}));
  group.OnMouseDown({15, 15});
  group.OnMouseUp({15, 15});
  EXPECT_TRUE(raw->IsChecked());
  EXPECT_EQ(BackPixel(20, 15), 99u);
  group.OnTick();
  EXPECT_EQ(BackPixel(20, 15), 0x001600u);
  group.OnMouseDown({15, 15});
  group.OnMouseUp({15, 15});
  EXPECT_EQ(states, (std::vector<bool>{true, false}));
  EXPECT_EQ(BackPixel(20, 15), 0x123456u);
}

}  // namespace
