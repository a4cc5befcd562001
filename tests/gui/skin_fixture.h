#pragma once

// A window, a back buffer and a skin surface set as the drawing context, with helpers to paint
// the skin and read pixels back.

#include <gtest/gtest.h>

#include <QWidget>
#include <memory>

#include "gui/drawing_context.h"
#include "gui/surface.h"

namespace zarn::test {

class SkinFixture : public ::testing::Test {
 protected:
  void SetUp() override { MakeContext(200, 100, 200, 100); }
  void TearDown() override {
    // The next test sets its own context; nothing may point at this one's surfaces.
    controlsWindow.reset();
  }

  void MakeContext(int skinWidth, int skinHeight, int windowWidth, int windowHeight) {
    controlsWindow = std::make_unique<QWidget>();
    controlsWindow->resize(windowWidth, windowHeight);
    ASSERT_TRUE(gui::CreateSurface(backBuffer, windowWidth, windowHeight, 32));
    ASSERT_TRUE(gui::CreateSurface(skin, skinWidth, skinHeight, 32));
    ASSERT_TRUE(gui::SetDrawingContext(controlsWindow.get(), backBuffer.get(), skin.get()));
  }

  // Paints a rectangle of the skin in one colour (0xRRGGBB).
  void PaintSkin(int x, int y, int width, int height, uint32_t rgb) {
    for (int row = y; row < y + height; ++row) {
      for (int column = x; column < x + width; ++column) {
        skin->image.setPixel(column, row, 0xFF000000 | rgb);
      }
    }
  }

  uint32_t BackPixel(int x, int y) const { return backBuffer->image.pixel(x, y) & 0xFFFFFF; }
  uint32_t SkinPixel(int x, int y) const { return skin->image.pixel(x, y) & 0xFFFFFF; }

  std::unique_ptr<QWidget> controlsWindow;
  std::unique_ptr<gui::CKV_Surface> backBuffer;
  std::unique_ptr<gui::CKV_Surface> skin;
};

}  // namespace zarn::test
