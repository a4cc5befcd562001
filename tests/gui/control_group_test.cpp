#include "gui/control_group.h"

#include <gtest/gtest.h>

#include <sstream>
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

// A group of probes and what they were asked.
struct Probes {
  ProbeControl* AddProbe(const std::string& name, gui::KV_Rect rect) {
    auto probe = std::make_unique<ProbeControl>(log, name);
    probe->Init(rect, static_cast<int32_t>(group.Count()) + 1);
    probes.push_back(probe.get());
    EXPECT_TRUE(group.Add(std::move(probe)));
    return probes.back();
  }

  // Runs steps such as "move 15 15", "down 15 15", "up 60 15", "tick", "leave", "activate B 55 15"
  // and "state" (each probe's armed and pressed flags); a pointer event the group leaves to the
  // window logs "<verb> unhandled".
  void Run(const std::string& steps) {
    std::istringstream in(steps);
    for (std::string step; std::getline(in, step, ',');) {
      std::istringstream words(step);
      std::string verb;
      KV_Point p{};
      words >> verb;
      if (verb == "activate") {
        std::string name;
        words >> name >> p.x >> p.y;
        group.Activate(p, probes[name == "B" ? 1 : 0]);
        continue;
      }
      words >> p.x >> p.y;
      bool handled = true;
      if (verb == "move") handled = group.OnMouseMove(p);
      if (verb == "down") handled = group.OnMouseDown(p);
      if (verb == "up") handled = group.OnMouseUp(p);
      if (verb == "tick") group.OnTick();
      if (verb == "leave") group.OnMouseLeave();
      if (verb == "state") {
        for (size_t i = 0; i < probes.size(); ++i)
          log.push_back(std::string(1, static_cast<char>('A' + i)) +
                        (group.IsArmed(probes[i]) ? " armed" : "") +
                        (probes[i]->IsPressed() ? " pressed" : ""));
      }
      if (!handled) log.push_back(verb + " unhandled");
    }
  }

  std::vector<std::string> log;
  std::vector<ProbeControl*> probes;
  gui::CKV_ControlGroup group;
};

using ControlGroupTest = zarn::test::SkinFixture;
using Log = std::vector<std::string>;

TEST(ControlGroup, CallsTheControlsInTheOrderOfThePointersEvents) {
  const struct {
    const char* name;
    gui::KV_Rect b;  // A is at (10, 10, 30, 20)
    const char* steps;
    Log log;
  } cases[] = {
      {"a press on one and a release on another clicks neither armed; no hover changes meanwhile",
       {50, 10, 70, 20},
       "move 15 15, down 15 15, move 60 15, up 60 15, state",
       {"A hover", "A arm", "A down", "A up", "B click-unarmed", "A armed", "B"}},
      {"a press on the background disarms",
       {50, 10, 70, 20},
       "down 15 15, up 15 15, state, down 100 90, up 100 90, state",
       {"A arm", "A down", "A up", "A click", "A armed", "B", "A disarm", "down unhandled",
        "up unhandled", "A", "B"}},
      {"edges are inside and the earlier of overlapping controls wins",
       {30, 20, 50, 40},
       "down 10 10, up 99 99, down 30 20, up 99 99, down 31 20, up 99 99, down 50 40, up 99 99, "
       "down 9 10",
       {"A arm", "A down", "A up", "up unhandled", "A arm", "A down", "A up", "up unhandled",
        "A disarm", "B arm", "B down", "B up", "up unhandled", "B arm", "B down", "B up",
        "up unhandled", "B disarm", "down unhandled"}},
      {"hover moves and leaves and ticks reach the hovered control",
       {50, 10, 70, 20},
       "move 15 15, tick, move 16 15, move 60 15, move 100 90, tick",
       {"A hover", "A tick", "A hover", "A unhover", "A redraw", "B hover", "B unhover", "B redraw",
        "move unhandled"}},
      {"leaving ends the press but keeps the armed control",
       {50, 10, 70, 20},
       "move 15 15, down 15 15, leave, state",
       {"A hover", "A arm", "A down", "A unhover", "A redraw", "A redraw", "A armed", "B"}},
      {"activating disarms the previous control and ends its press",
       {50, 10, 70, 20},
       "down 15 15, activate B 55 15, state, up 55 15",
       {"A arm", "A down", "A disarm", "A up", "B arm", "B down", "A", "B armed pressed", "B up",
        "B click"}},
  };
  for (const auto& c : cases) {
    Probes probes;
    probes.AddProbe("A", {10, 10, 30, 20});
    probes.AddProbe("B", c.b);
    probes.Run(c.steps);
    EXPECT_EQ(probes.log, c.log) << c.name;
  }
}

TEST(ControlGroup, FindsByIdAndDeletesEverything) {
  Probes probes;
  probes.AddProbe("A", {10, 10, 30, 20});
  auto* b = probes.AddProbe("B", {50, 10, 70, 20});
  gui::CKV_ControlGroup& group = probes.group;
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
  gui::CKV_ControlGroup group;
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
  gui::CKV_ControlGroup group;
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
