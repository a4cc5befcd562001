// The main window's controls built on the real skin and used with the mouse. With
// ZARN_GUI_SHOTS=FOLDER the test also writes what the window shows at each step as PNG files.

#include <gtest/gtest.h>

#include <QApplication>
#include <QMenuBar>
#include <QMouseEvent>
#include <cstdlib>
#include <vector>

#include "gui/button.h"
#include "gui/checkbox.h"
#include "gui/color_chooser.h"
#include "gui/control_group.h"
#include "gui/cursors.h"
#include "gui/drawing_context.h"
#include "gui/font_chooser.h"
#include "gui/scroll_list.h"
#include "gui/skin_image.h"
#include "gui/skin_window.h"
#include "gui/surface.h"
#include "gui/text_edit.h"
#include "res/skins/main_skin_layout.h"

namespace {

gui::KV_Point Centre(const skins::Box& box) {
  return {(box.left + box.right) / 2, (box.top + box.bottom) / 2};
}

class DemoWindow : public ::testing::Test {
 protected:
  void SetUp() override {
    ASSERT_TRUE(gui::RegisterSkinClass("KVZarn"));
    gui::LoadToolkitCursors();
    gui::CKV_SkinImage image;
    ASSERT_TRUE(image.Load(std::string(ZARN_BINARY_DIR) + "/kalvzarn.wui"));
    ASSERT_TRUE(gui::CreateSurface(skin, static_cast<int32_t>(image.width),
                                   static_cast<int32_t>(image.height), 32));
    image.DrawTo(0, 0, *skin);
    ASSERT_TRUE(gui::CreateSurface(backBuffer, skins::kWindowWidth, skins::kWindowHeight, 32));
    gui::CopyBlock(*backBuffer, 0, 0, skins::kWindowWidth, skins::kWindowHeight, *skin, 0, 0);
    backBuffer->font = gui::SkinFont("Arial", 8, 700);
    ASSERT_TRUE(gui::CreateSkinWindow(window, 40, 40, skins::kWindowWidth, skins::kWindowHeight,
                                      "Kalvoren Zarn", 0x56));
    window->MenuBar()->addMenu("&File");
    window->MenuBar()->addMenu("&Edit");
    window->MenuBar()->addMenu("&Help");
    window->SetBackBuffer(backBuffer.get());
    window->SetControlGroup(&group);
    ASSERT_TRUE(gui::SetDrawingContext(window->Client(), backBuffer.get(), skin.get()));
    BuildControls();
    gui::DrawSurfaceText(*backBuffer, {170, 105, 230, 120}, "23 fx", backBuffer->font, Qt::white);
    window->show();
  }

  void TearDown() override {
    group.DeleteAll();
    window.reset();
  }

  void BuildControls() {
    auto effectList = std::make_unique<gui::CKV_GuiControl_ScrollList>();
    effectList->Setup(
        skins::kEffectList, skins::kEffectListId,
        [this](int32_t item) { selections.push_back(item); }, skins::kEffectListLayout);
    for (int index = 0; index < 23; ++index) {
      const bool flash3 = index % 4 != 3;
      effectList->AddItem((flash3 ? "F3-Effect " : "F4-Effect ") + std::to_string(index + 1),
                          flash3 ? 0 : 1);
    }
    list = effectList.get();
    group.Add(std::move(effectList));
    list->Reset();
    for (const auto& place : skins::kButtons) {
      auto button = std::make_unique<gui::CKV_GuiControl_Button>();
      button->Setup(
          place.box, place.id, [this, place] { pressed.push_back(place.id); }, place.strip);
      group.Add(std::move(button));
    }
    for (const auto& place : skins::kEdits) {
      auto edit = std::make_unique<gui::CKV_GuiControl_TextEdit>();
      std::optional<gui::KV_Cover> cover;
      if (place.hasCover) cover = place.cover;
      ASSERT_TRUE(edit->Setup(place.box, place.id, true, place.singleLine, cover));
      edits.push_back(edit.get());
      group.Add(std::move(edit));
    }
    edits[0]->SetText("Hello,\nanimated world!", false);
    const char* numbers[] = {"2", "4", "20", "40", "500", "150", "12", "3", "", ""};
    for (size_t i = 1; i < edits.size(); ++i) edits[i]->SetText(numbers[i - 1], false);
    edits[9]->SetText("https://example.org/", false);
    edits[10]->SetText("_blank", false);
    for (const auto& place : skins::kCheckboxes) {
      auto box = std::make_unique<gui::CKV_GuiControl_Checkbox>();
      const int id = place.id;
      box->Setup(
          place.box, id, id == 18 || id == 15, [this, id](bool on) { OnToggle(id, on); },
          skins::kCheckboxStrip);
      group.Add(std::move(box));
    }
    for (const auto& [box, id, colour] :
         {std::tuple{skins::kTextColour, skins::kTextColourId, 0x2040E0u},
          std::tuple{skins::kBackgroundColour, skins::kBackgroundColourId, 0xFFFFFFu}}) {
      auto chooser = std::make_unique<gui::CKV_GuiControl_ColorChooser>();
      ASSERT_TRUE(chooser->Setup(box, id, colour, nullptr, skins::kSwatchTemplate));
      chooser->SetPicker(
          [](gui::KV_ColorRef) { return std::optional<gui::KV_ColorRef>(0x30C8F0); });
      group.Add(std::move(chooser));
    }
    auto font = std::make_unique<gui::CKV_GuiControl_FontChooser>();
    font->Setup(skins::kFontChooser, skins::kFontChooserId, nullptr);
    font->SetPicker([](const gui::KV_FontChoice&) {
      return std::optional<gui::KV_FontChoice>({"Arial", 240, 700, true, "Bold Italic"});
    });
    fontChooser = font.get();
    group.Add(std::move(font));
  }

  void OnToggle(int id, bool on) {
    if (id == 24) edits[8]->SetShown(!on);
    if (id == 15) {
      edits[9]->SetShown(on);
      edits[10]->SetShown(on);
    }
  }

  void Send(QEvent::Type type, gui::KV_Point p) {
    QWidget* client = window->Client();
    QMouseEvent event(
        type, QPointF(p.x, p.y), client->mapToGlobal(QPointF(p.x, p.y)), Qt::LeftButton,
        type == QEvent::MouseButtonRelease ? Qt::NoButton : Qt::LeftButton, Qt::NoModifier);
    QApplication::sendEvent(client, &event);
  }

  void Click(gui::KV_Point p) {
    Send(QEvent::MouseMove, p);
    Send(QEvent::MouseButtonPress, p);
    Send(QEvent::MouseButtonRelease, p);
  }

  void Ticks(int count) {
    for (int i = 0; i < count; ++i) {
      group.OnTick();
      group.AnyNeedsTick();
    }
  }

  uint32_t BackPixel(int x, int y) const { return backBuffer->image.pixel(x, y) & 0xFFFFFF; }
  uint32_t SkinPixel(int x, int y) const { return skin->image.pixel(x, y) & 0xFFFFFF; }

  void Shot(const char* name) {
    const char* folder = std::getenv("ZARN_GUI_SHOTS");
    if (!folder) return;
    QApplication::processEvents();
    window->grab().save(QString("%1/%2.png").arg(folder, name));
  }

  std::unique_ptr<gui::CKV_Surface> skin;
  std::unique_ptr<gui::CKV_Surface> backBuffer;
  std::unique_ptr<gui::CKV_SkinWindow> window;
  gui::CKV_ControlGroup group;
  gui::CKV_GuiControl_ScrollList* list = nullptr;
  gui::CKV_GuiControl_FontChooser* fontChooser = nullptr;
  std::vector<gui::CKV_GuiControl_TextEdit*> edits;
  std::vector<int32_t> selections;
  std::vector<int32_t> pressed;
};

TEST_F(DemoWindow, EveryControlWorksWithTheMouse) {
  Shot("1-rest");
  // Hovering Preview plays its strip; releasing on it previews.
  const auto& preview = skins::kButtons[0];
  Send(QEvent::MouseMove, Centre(preview.box));
  Ticks(3);
  EXPECT_EQ(BackPixel(preview.box.left + 20, preview.box.top + 4),
            SkinPixel(preview.strip.x + 20, preview.strip.y + 2 * preview.box.Height() + 4));
  Shot("2-hover-preview");
  Send(QEvent::MouseButtonPress, Centre(preview.box));
  Send(QEvent::MouseButtonRelease, Centre(preview.box));
  EXPECT_EQ(pressed, (std::vector<int32_t>{1}));

  // The list: a row, then the track below the thumb, then hover on the down arrow.
  Click({60, skins::kEffectList.top + 2 * 22 + 8});
  EXPECT_EQ(selections, (std::vector<int32_t>{3}));
  Click({205, 300});
  EXPECT_EQ(list->FirstVisible(), 6);
  Send(QEvent::MouseMove, {60, skins::kEffectList.top + 4 * 22 + 8});
  EXPECT_EQ(list->HoveredRow(), 10);
  Shot("3-list");

  // All letters at once hides the delay behind its cover; the link box shows its fields.
  const auto& allAtOnce = skins::kCheckboxes[6].box;
  Click(Centre(allAtOnce));
  EXPECT_FALSE(edits[8]->IsShown());
  const auto& cover = skins::kEdits[8].cover;
  EXPECT_EQ(BackPixel(cover.x + 10, cover.y + 8), SkinPixel(cover.skinX + 10, cover.skinY + 8));
  Click(Centre(skins::kCheckboxes[7].box));
  EXPECT_FALSE(edits[9]->IsShown());
  Shot("4-covers");

  // The text colour through its picker, the font through its dialog.
  Click(Centre(skins::kTextColour));
  Click(Centre(skins::kFontChooser));
  EXPECT_EQ(fontChooser->GetPointSize(), 24);
  Send(QEvent::MouseMove, Centre(skins::kCheckboxes[1].box));
  Ticks(2);
  Shot("5-choosers");
  // The swatch shows the new colour inside its frame.
  const auto& swatch = skins::kTextColour;
  EXPECT_EQ(BackPixel(swatch.left + 10, swatch.top + 9), 0xF0C830u);
}

}  // namespace
