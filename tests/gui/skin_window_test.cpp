#include "gui/skin_window.h"

#include <gtest/gtest.h>

#include <QApplication>
#include <QDir>
#include <QMenuBar>
#include <QMouseEvent>
#include <QScreen>

#include "gui/button.h"
#include "gui/control_group.h"
#include "gui/drawing_context.h"
#include "gui/surface.h"

namespace {

class SkinWindowTest : public ::testing::Test {
 protected:
  void SetUp() override { ASSERT_TRUE(gui::RegisterSkinClass("KVZarn")); }
};

TEST_F(SkinWindowTest, FlagsChooseTheFrameMenuAndVisibilityAndTheHandlerDecidesOnClosing) {
  const struct {
    uint32_t flags;
    bool menu;
    bool visible;
    bool frameless;
    bool minimize;
  } cases[] = {{0x00, false, false, true, false},
               {0x01, false, true, true, false},
               {0x56, true, false, false, true},
               {0x14, false, false, false, false}};
  for (const auto& test : cases) {
    SCOPED_TRACE(test.flags);
    std::unique_ptr<gui::CKV_SkinWindow> window;
    ASSERT_TRUE(gui::CreateSkinWindow(window, 30, 40, 300, 200, "Kalvoren Zarn", test.flags));
    EXPECT_EQ(window->Client()->size(), QSize(300, 200));
    EXPECT_EQ(window->MenuBar() != nullptr, test.menu);
    EXPECT_EQ(window->isVisible(), test.visible);
    EXPECT_EQ(window->windowFlags().testFlag(Qt::FramelessWindowHint), test.frameless);
    EXPECT_EQ(window->windowFlags().testFlag(Qt::WindowMinimizeButtonHint), test.minimize);
    EXPECT_EQ(window->windowTitle(), "Kalvoren Zarn");
    EXPECT_EQ(window->objectName(), "KVZarn");
    EXPECT_EQ(gui::GetSkinWindowRect(*window).topLeft(), QPoint(30, 40));
    // Close requests go to the handler, which decides.
    int requests = 0;
    window->SetCloseHandler([&] { ++requests; });
    EXPECT_FALSE(window->close());
    EXPECT_EQ(requests, 1);
    EXPECT_EQ(window->isVisible(), test.visible);
    EXPECT_TRUE(gui::DestroySkinWindow(window));
    EXPECT_FALSE(gui::DestroySkinWindow(window));
  }
  std::unique_ptr<gui::CKV_SkinWindow> window;
  EXPECT_FALSE(gui::CreateSkinWindow(window, 0, 0, 0, 10, "", 0));
  // The class name is bounded; the start directory is where the program started.
  EXPECT_TRUE(gui::RegisterSkinClass(std::string(500, 'K')));
  EXPECT_EQ(gui::SkinClassName(), std::string(gui::kMaxClassName, 'K'));
  EXPECT_TRUE(gui::RegisterSkinClass("KVZarn"));
  EXPECT_EQ(gui::SkinClassName(), "KVZarn");
  EXPECT_EQ(gui::StartDirectory(), QDir::currentPath().toStdString());
}

TEST_F(SkinWindowTest, CentresOnTheReferenceKeepingItsSize) {
  QWidget reference;
  reference.setGeometry(100, 50, 401, 301);
  std::unique_ptr<gui::CKV_SkinWindow> window;
  ASSERT_TRUE(gui::CreateSkinWindow(window, 0, 0, 101, 61, "About", 0));
  window->adjustSize();
  gui::CentreWindow(*window, &reference);
  EXPECT_EQ(window->pos(), QPoint(100 + 200 - 50, 50 + 150 - 30));
  EXPECT_EQ(window->size(), QSize(101, 61));
  // Without a reference, on the screen.
  gui::CentreWindow(*window, nullptr);
  const QRect screen = window->screen()->geometry();
  EXPECT_EQ(window->pos(), QPoint(screen.left() + (screen.width() >> 1) - 50,
                                  screen.top() + (screen.height() >> 1) - 30));
}

void SendMouse(QWidget* target, QEvent::Type type, QPoint at) {
  QMouseEvent event(type, at, target->mapToGlobal(at), Qt::LeftButton,
                    type == QEvent::MouseButtonRelease ? Qt::NoButton : Qt::LeftButton,
                    Qt::NoModifier);
  QApplication::sendEvent(target, &event);
}

TEST_F(SkinWindowTest, PaintsTheBackBufferAndRoutesTheMouseToItsGroup) {
  std::unique_ptr<gui::CKV_SkinWindow> window;
  ASSERT_TRUE(gui::CreateSkinWindow(window, 0, 0, 60, 40, "Test", 0));
  std::unique_ptr<gui::CKV_Surface> backBuffer;
  std::unique_ptr<gui::CKV_Surface> skin;
  ASSERT_TRUE(gui::CreateSurface(backBuffer, 60, 40, 32));
  ASSERT_TRUE(gui::CreateSurface(skin, 100, 40, 32));
  gui::FillSurface(*backBuffer, QColor(200, 10, 20));
  gui::FillSurface(*skin, QColor(0, 0, 255));
  ASSERT_TRUE(gui::SetDrawingContext(window->Client(), backBuffer.get(), skin.get()));
  EXPECT_FALSE(gui::SetDrawingContext(window->Client(), nullptr, skin.get()));
  window->SetBackBuffer(backBuffer.get());
  EXPECT_EQ(window->Client()->grab().toImage().pixel(5, 5), qRgb(200, 10, 20));

  gui::CKV_ControlGroup group;
  int clicks = 0;
  auto button = std::make_unique<gui::CKV_GuiControl_Button>();
  button->Setup({10, 10, 30, 20}, 1, [&] { ++clicks; }, {2, 60, 0});
  auto* raw = button.get();
  group.Add(std::move(button));
  window->SetControlGroup(&group);
  QWidget* client = window->Client();
  SendMouse(client, QEvent::MouseMove, {15, 15});
  EXPECT_TRUE(raw->IsHovered());
  SendMouse(client, QEvent::MouseButtonPress, {15, 15});
  SendMouse(client, QEvent::MouseButtonRelease, {16, 15});
  EXPECT_EQ(clicks, 1);
  // Moving out of the client area leaves the group.
  SendMouse(client, QEvent::MouseMove, {80, 15});
  EXPECT_FALSE(raw->IsHovered());
  // A lost grab counts as a move to (0, 0), where no control is.
  SendMouse(client, QEvent::MouseMove, {15, 15});
  EXPECT_TRUE(raw->IsHovered());
  QEvent ungrab(QEvent::UngrabMouse);
  QApplication::sendEvent(client, &ungrab);
  EXPECT_FALSE(raw->IsHovered());
}

}  // namespace
