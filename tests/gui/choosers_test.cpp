#include <gtest/gtest.h>

#include "gui/color_chooser.h"
#include "gui/control_group.h"
#include "gui/font_chooser.h"
#include "tests/gui/skin_fixture.h"

namespace {

TEST(Colour, EveryEightBitChannelSurvivesSixteenBits) {
  for (uint32_t value = 0; value < 256; ++value) {
    for (int channel = 0; channel < 3; ++channel) {
      const gui::KV_ColorRef colour = value << (8 * channel);
      ASSERT_EQ(gui::ToColorRef(gui::ToColour16(colour)), colour);
    }
  }
  EXPECT_EQ(gui::ToColour16(0x00FF8001), (gui::KV_Colour16{257, 0x8080, 0xFFFF}));
}

using ChooserTest = zarn::test::SkinFixture;

// The template at (100, 0), its work area at (120, 0), both 20 x 10; the chooser at (10, 10).
TEST_F(ChooserTest, SwatchShowsTheColourWhereTheTemplateIsNotWhite) {
  const struct {
    const char* name;
    uint32_t templateColour;
    uint32_t expected;
  } cases[] = {{"all white keeps the frame", 0xFFFFFF, 0x445566},
               {"all black shows the colour", 0x000000, 0x302010},
               {"near white shows the colour", 0xFEFFFF, 0x302010}};
  for (const auto& test : cases) {
    SCOPED_TRACE(test.name);
    PaintSkin(100, 0, 20, 10, test.templateColour);
    PaintSkin(120, 0, 20, 10, 0x445566);
    gui::CKV_GuiControl_ColorChooser chooser;
    ASSERT_TRUE(chooser.Setup({10, 10, 30, 20}, 9, 0x102030, nullptr, {100, 0}));
    EXPECT_EQ(chooser.GetColour(), 0x102030u);
    for (const auto& [x, y] : {std::pair{10, 10}, {29, 19}, {20, 15}}) {
      EXPECT_EQ(BackPixel(x, y), test.expected);
    }
  }
  // A black hole in a white template: new colours show inside it only.
  PaintSkin(100, 0, 20, 10, 0xFFFFFF);
  PaintSkin(105, 3, 10, 4, 0x000000);
  PaintSkin(120, 0, 20, 10, 0x445566);
  gui::CKV_GuiControl_ColorChooser chooser;
  ASSERT_TRUE(chooser.Setup({10, 10, 30, 20}, 9, 0x0000FF, nullptr, {100, 0}));
  EXPECT_EQ(BackPixel(16, 14), 0xFF0000u);
  chooser.SetColour(0x00FF00);
  EXPECT_EQ(BackPixel(16, 14), 0x00FF00u);
  EXPECT_EQ(BackPixel(14, 14), 0x445566u);
  EXPECT_EQ(BackPixel(16, 12), 0x445566u);
}

TEST_F(ChooserTest, ClickPicksAColourAndCancelChangesNothing) {
  PaintSkin(100, 0, 20, 10, 0x000000);
  int changes = 0;
  gui::CKV_GuiControl_ColorChooser chooser;
  ASSERT_TRUE(chooser.Setup({10, 10, 30, 20}, 9, 0x000001, [&] { ++changes; }, {100, 0}));
  std::optional<gui::KV_ColorRef> answer = 0x00ABCDEF;
  gui::KV_ColorRef offered = 0;
  chooser.SetPicker([&](gui::KV_ColorRef initial) {
    offered = initial;
    return answer;
  });
  EXPECT_FALSE(chooser.OnClick({31, 15}));
  EXPECT_TRUE(chooser.OnClick({30, 20}));
  EXPECT_EQ(offered, 0x000001u);
  EXPECT_EQ(chooser.GetColour(), 0xABCDEFu);
  EXPECT_EQ(BackPixel(20, 15), 0xEFCDABu);
  answer.reset();
  EXPECT_TRUE(chooser.OnClick({20, 15}));
  EXPECT_EQ(chooser.GetColour(), 0xABCDEFu);
  EXPECT_EQ(changes, 1);
}

TEST(FontSelection, TakesTheDialogsChoiceAndSummarisesIt) {
  const struct {
    const char* name;
    gui::KV_FontChoice choice;
    int32_t size;
    uint16_t flags;
    int32_t height;
    const char* summary;
  } cases[] = {
      {"10.5 pt keeps whole points",
       {"Liberation Serif", 105, 400, false, "Regular"},
       10,
       0,
       -14,
       "Liberation Serif, Regular, 10 pt"},
      {"weight 800 is not bold",
       {"DejaVu Sans", 120, 800, true, "ExtraBold Oblique"},
       12,
       gui::kStyleItalic,
       -16,
       "DejaVu Sans, Italic, 12 pt"},
      {"bold", {"Arial", 90, 700, false, "Bold"}, 9, gui::kStyleBold, -12, "Arial, Bold, 9 pt"},
      {"bold italic",
       {"Arial", 120, 700, true, "Bold Italic"},
       12,
       gui::kStyleBold | gui::kStyleItalic,
       -16,
       "Arial, Bold and Italic, 12 pt"},
  };
  for (const auto& test : cases) {
    SCOPED_TRACE(test.name);
    gui::CKV_FontSelection selection;
    EXPECT_TRUE(selection.Choose([&](const gui::KV_FontChoice&) { return test.choice; }));
    EXPECT_EQ(selection.size, test.size);
    EXPECT_EQ(selection.styleFlags, test.flags);
    EXPECT_EQ(selection.faceName, test.choice.face);
    EXPECT_EQ(selection.styleName, test.choice.styleName);
    EXPECT_EQ(selection.font.GetFaceName(), test.choice.face);
    EXPECT_EQ(selection.font.lfWeight, test.choice.weight);
    EXPECT_EQ(selection.font.lfItalic, test.choice.italic ? 1 : 0);
    EXPECT_EQ(selection.font.lfHeight, test.height);
    EXPECT_EQ(gui::FontSummary(selection), test.summary);
  }
}

TEST(FontSelection, CancelKeepsEverythingAndLongNamesAreCut) {
  gui::CKV_FontSelection selection;
  gui::KV_FontChoice offered;
  EXPECT_FALSE(selection.Choose([&](const gui::KV_FontChoice& initial) {
    offered = initial;
    return std::nullopt;
  }));
  EXPECT_EQ(offered.face, "Arial");
  EXPECT_EQ(offered.pointTenths, 120);
  EXPECT_EQ(selection.faceName, "Arial");
  EXPECT_EQ(selection.size, 12);

  selection.Take({std::string(400, 'F'), 90, 400, false, std::string(300, 'S')});
  EXPECT_EQ(selection.faceName.size(), gui::CKV_FontSelection::kMaxName);
  EXPECT_EQ(selection.styleName.size(), gui::CKV_FontSelection::kMaxName);
  EXPECT_EQ(selection.font.GetFaceName().size(), 31u);
}

TEST_F(ChooserTest, FontChooserOpensOnlyWhenArmedAndDrawsItsSummary) {
  PaintSkin(0, 0, 200, 100, 0x000000);
  backBuffer->font = gui::SkinFont("Arial", 8, 700);
  backBuffer->textColour = Qt::white;
  gui::CKV_ControlGroup group;
  auto chooser = std::make_unique<gui::CKV_GuiControl_FontChooser>();
  int changes = 0;
  ASSERT_TRUE(chooser->Setup({0, 0, 190, 20}, 10, [&] { ++changes; }));
  int dialogs = 0;
  chooser->SetPicker([&](const gui::KV_FontChoice&) {
    ++dialogs;
    return gui::KV_FontChoice{"Arial", 120, 700, true, "Bold Italic"};
  });
  auto* raw = chooser.get();
  group.Add(std::move(chooser));
  EXPECT_TRUE(raw->OnClick({5, 5}));
  EXPECT_EQ(dialogs, 0);
  group.OnMouseDown({5, 5});
  group.OnMouseUp({5, 5});
  EXPECT_EQ(dialogs, 1);
  EXPECT_EQ(changes, 1);
  EXPECT_EQ(gui::FontSummary(raw->Selection()), "Arial, Bold and Italic, 12 pt");
  // The summary is drawn from x + 10 on, in the back buffer's colour.
  int lit = 0;
  int litLeft = 0;
  for (int y = 0; y < 20; ++y) {
    for (int x = 0; x < 190; ++x) {
      if (BackPixel(x, y) == 0) continue;
      ++lit;
      if (x < 10) ++litLeft;
    }
  }
  EXPECT_GT(lit, 100);
  EXPECT_EQ(litLeft, 0);
  raw->SetFont("Verdana", 9, gui::kStyleBold, gui::kSetSize);
  EXPECT_EQ(raw->GetFaceName(), "Arial");
  EXPECT_EQ(raw->GetPointSize(), 9);
  EXPECT_EQ(raw->GetStyleFlags(), gui::kStyleBold | gui::kStyleItalic);
}

}  // namespace
