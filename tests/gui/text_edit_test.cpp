#include "gui/text_edit.h"

#include <gtest/gtest.h>

#include <QApplication>
#include <QLineEdit>
#include <QMouseEvent>
#include <QPlainTextEdit>
#include <cmath>
#include <limits>

#include "gui/button.h"
#include "gui/control_group.h"
#include "tests/gui/skin_fixture.h"

namespace {

class TextEditTest : public zarn::test::SkinFixture {
 protected:
  gui::CKV_GuiControl_TextEdit* AddEdit(gui::KV_Rect rect, bool singleLine,
                                        std::optional<gui::KV_Cover> cover = std::nullopt) {
    auto edit = std::make_unique<gui::CKV_GuiControl_TextEdit>();
    EXPECT_TRUE(edit->Setup(rect, 5, true, singleLine, cover));
    auto* raw = edit.get();
    group.Add(std::move(edit));
    return raw;
  }

  static void Send(QWidget* target, QEvent::Type type, QPoint at) {
    QMouseEvent event(type, at, target->mapToGlobal(at), Qt::LeftButton,
                      type == QEvent::MouseButtonRelease ? Qt::NoButton : Qt::LeftButton,
                      Qt::NoModifier);
    QApplication::sendEvent(target, &event);
  }

  static QWidget* MouseArea(gui::CKV_GuiControl_TextEdit* edit) {
    auto* text = qobject_cast<QPlainTextEdit*>(edit->EditWidget());
    return text ? text->viewport() : edit->EditWidget();
  }

  gui::CKV_ControlGroup group;
};

TEST_F(TextEditTest, LiesOverItsRectangleInNinePointBoldArial) {
  auto* edit = AddEdit({20, 30, 80, 45}, true);
  QWidget* field = edit->EditWidget();
  ASSERT_NE(field, nullptr);
  EXPECT_EQ(field->parentWidget(), controlsWindow.get());
  EXPECT_EQ(field->geometry(), QRect(20, 30, 60, 15));
  EXPECT_EQ(field->font().pixelSize(), 12);
  EXPECT_TRUE(field->font().bold());
  EXPECT_NE(qobject_cast<QLineEdit*>(field), nullptr);
  EXPECT_NE(qobject_cast<QPlainTextEdit*>(AddEdit({0, 50, 100, 90}, false)->EditWidget()), nullptr);
}

TEST_F(TextEditTest, AClickIntoTheFieldArmsItSoTheArmedButtonNoLongerFires) {
  int clicks = 0;
  auto button = std::make_unique<gui::CKV_GuiControl_Button>();
  button->Setup({120, 10, 160, 30}, 1, [&] { ++clicks; }, {2, 0, 0});
  auto* raw = button.get();
  group.Add(std::move(button));
  auto* edit = AddEdit({20, 30, 80, 45}, true);
  group.OnMouseDown({130, 20});
  EXPECT_TRUE(group.IsArmed(raw));

  Send(MouseArea(edit), QEvent::MouseButtonPress, {5, 5});
  Send(MouseArea(edit), QEvent::MouseButtonRelease, {5, 5});
  EXPECT_TRUE(group.IsArmed(edit));
  EXPECT_TRUE(edit->NeedsTick());
  EXPECT_FALSE(raw->IsArmed());
  group.OnMouseUp({130, 20});
  EXPECT_EQ(clicks, 0);
}

TEST_F(TextEditTest, LeavingTheFieldRestoresTheArrowCursor) {
  auto* edit = AddEdit({20, 30, 80, 45}, false);
  controlsWindow->setCursor(Qt::PointingHandCursor);
  Send(MouseArea(edit), QEvent::MouseMove, {5, 5});
  EXPECT_EQ(controlsWindow->cursor().shape(), Qt::PointingHandCursor);
  Send(MouseArea(edit), QEvent::MouseMove, {-3, 5});
  EXPECT_EQ(controlsWindow->cursor().shape(), Qt::ArrowCursor);
}

// The cover lies at (10, 20) in the window and (150, 0) in the skin, 40 x 20.
TEST_F(TextEditTest, HiddenShowsItsCoverAndTakesNoPressHoverOrEdit) {
  PaintSkin(0, 0, 150, 100, 0x224466);
  PaintSkin(150, 0, 40, 20, 0x777777);
  auto* edit = AddEdit({14, 22, 48, 38}, true, gui::KV_Cover{10, 20, 150, 0, 40, 20});
  edit->SetText("keep", false);
  edit->SetShown(false);
  QWidget* field = edit->EditWidget();
  EXPECT_FALSE(field->isEnabled());
  EXPECT_FALSE(field->isVisibleTo(controlsWindow.get()));
  EXPECT_EQ(BackPixel(10, 20), 0x777777u);
  EXPECT_EQ(BackPixel(49, 39), 0x777777u);
  EXPECT_EQ(BackPixel(50, 40), 0u);

  EXPECT_FALSE(group.OnMouseDown({20, 30}));
  EXPECT_FALSE(group.IsArmed(edit));
  edit->SetArmed(true);
  EXPECT_FALSE(edit->IsArmed());
  edit->SetHover(true);
  EXPECT_FALSE(edit->IsHovered());
  edit->SelectAll();
  edit->ClearSelection();
  EXPECT_EQ(edit->GetText(), "keep");

  edit->SetShown(true);
  EXPECT_TRUE(field->isEnabled());
  EXPECT_TRUE(field->isVisibleTo(controlsWindow.get()));
  EXPECT_EQ(BackPixel(10, 20), 0x224466u);
  EXPECT_TRUE(group.OnMouseDown({20, 30}));
  EXPECT_TRUE(group.IsArmed(edit));
}

TEST_F(TextEditTest, ReadsNumbersTheWayTheCLibraryDoes) {
  auto* edit = AddEdit({20, 30, 80, 45}, true);
  const struct {
    const char* text;
    int32_t whole;
    double number;
  } cases[] = {
      {"  42abc", 42, 42}, {"abc", 0, 0},
      {"-7", -7, -7},      {"12.9", 12, 12.9},
      {" 3.5e1x", 3, 35},  {"", 0, 0},
      {"+8", 8, 8},        {"99999999999", std::numeric_limits<int32_t>::max(), 99999999999.0}};
  for (const auto& test : cases) {
    SCOPED_TRACE(test.text);
    edit->SetText(test.text, false);
    EXPECT_EQ(edit->GetInt(), test.whole);
    EXPECT_DOUBLE_EQ(edit->GetFloat(), test.number);
  }
  const struct {
    double value;
    const char* text;
  } floats[] = {{12.9, "12"}, {-3.7, "-3"}, {std::nan(""), "0"}, {1e20, "2147483647"}};
  for (const auto& test : floats) {
    edit->SetFloatAsInt(test.value, true);
    EXPECT_EQ(edit->GetText(), test.text);
  }
  edit->SetInt(-15, false);
  EXPECT_EQ(edit->GetText(), "-15");
}

TEST_F(TextEditTest, CutsLongTextsAndRunsTheEditCommands) {
  auto* line = AddEdit({20, 30, 80, 45}, true);
  line->SetText(std::string(300, 'x'), false);
  EXPECT_EQ(line->GetText(), std::string(255, 'x'));
  line->SetText("h\xC3\xA9llo", false);
  line->SelectAll();
  line->Copy();
  line->ClearSelection();
  EXPECT_EQ(line->GetText(), "");
  line->Undo();
  EXPECT_EQ(line->GetText(), "h\xC3\xA9llo");
  line->SelectAll();
  line->Cut();
  line->Paste();
  line->Paste();
  EXPECT_EQ(line->GetText(), "h\xC3\xA9lloh\xC3\xA9llo");

  auto* text = AddEdit({0, 50, 100, 90}, false);
  text->SetText("one\ntwo", false);
  text->SelectAll();
  auto* field = static_cast<QPlainTextEdit*>(text->EditWidget());
  EXPECT_EQ(field->textCursor().selectedText().size(), 7);
  text->ClearSelection();
  EXPECT_EQ(text->GetText(), "");
}

}  // namespace
