// The position cross in the preview window, dragged with the mouse as a person drags it.
#include <QMouseEvent>

#include "app/preview_view.h"
#include "tests/app/app_fixture.h"

namespace zarn::app::test {
namespace {

class PositionCross : public AppTest {
 protected:
  void SetUp() override {
    const std::filesystem::path cross = std::filesystem::path(ZARN_BUILD_DIR) / "kalvprep.wui";
    ASSERT_TRUE(std::filesystem::exists(cross)) << "the build makes the cross movie";
    std::filesystem::copy_file(cross, data.File("kalvprep.wui"));
  }
  void StartWith(bool autoPreview) {
    Preferences p = DefaultPreferences();
    p.flags.showCross = true;
    p.flags.autoPreview = autoPreview;
    // Away from where the cross movie itself puts the clip.
    p.originX = 60;
    p.originY = 30;
    StorePrefs(p);
    ASSERT_TRUE(Start());
    Click(control::kPreview);
    ASSERT_TRUE(Preview().isVisible()) << errors.join("|").toStdString();
    ASSERT_TRUE(errors.isEmpty()) << errors.join("|").toStdString();
  }
  CKV_ZarnPreviewDialog& Preview() { return *zarn->PreviewWindow(); }
  CKV_ZarnPreviewView& View() { return Preview().View(); }
  // Positions between pixels, as a tablet or a scaled screen gives them.
  void Mouse(QEvent::Type type, QPointF at) {
    if (type != QEvent::MouseMove) held_ = type == QEvent::MouseButtonPress;
    const Qt::MouseButton button = type == QEvent::MouseMove ? Qt::NoButton : Qt::LeftButton;
    QMouseEvent event(type, at, View().mapToGlobal(at), button,
                      held_ ? Qt::LeftButton : Qt::NoButton, {});
    QApplication::sendEvent(&View(), &event);
  }
  void Drag(QPointF from, QPointF to) {
    Mouse(QEvent::MouseMove, from);
    Mouse(QEvent::MouseButtonPress, from);
    Mouse(QEvent::MouseMove, to);
    Mouse(QEvent::MouseButtonRelease, to);
  }
  std::pair<std::string, std::string> PositionEdits() {
    return {Edit(control::kOriginX).GetText(), Edit(control::kOriginY).GetText()};
  }
  double Cross(int index) { return View().Control().TGetPropertyNum("/cross", index).value_or(-1); }

  bool held_ = false;
};

TEST_F(PositionCross, DraggingItSetsTheTextPositionCutTowardZeroAndRebuilds) {
  StartWith(true);
  EXPECT_EQ(Cross(0), 60);
  EXPECT_EQ(Cross(1), 30);
  Mouse(QEvent::MouseMove, {60, 30});
  EXPECT_EQ(View().cursor().shape(), Qt::PointingHandCursor);
  ForgetPreview();
  Drag({60, 30}, {120, 40.7});
  EXPECT_EQ(PositionEdits(), std::make_pair(std::string("120"), std::string("40")));
  // The automatic preview made the movie again with the cross at the new place.
  EXPECT_TRUE(PreviewBuilt());
  EXPECT_EQ(Cross(0), 120);
  EXPECT_EQ(Cross(1), 40);
  EXPECT_NE(View().Control().Level(10), nullptr);
  Mouse(QEvent::MouseMove, {300, 120});
  EXPECT_EQ(View().cursor().shape(), Qt::ArrowCursor);
  EXPECT_TRUE(errors.isEmpty()) << errors.join("|").toStdString();
}

TEST_F(PositionCross, WithoutAutomaticPreviewOnlyTheEditsChange) {
  StartWith(false);
  ForgetPreview();
  Drag({60, 30}, {70.9, 90.2});
  EXPECT_EQ(PositionEdits(), std::make_pair(std::string("70"), std::string("90")));
  EXPECT_FALSE(PreviewBuilt());
}

TEST_F(PositionCross, AReleaseInPlaceChangesNothingAndBuildsNothing) {
  StartWith(true);
  ForgetPreview();
  Drag({60, 30}, {60.4, 30.6});
  EXPECT_EQ(PositionEdits(), std::make_pair(std::string("60"), std::string("30")));
  EXPECT_FALSE(PreviewBuilt());
}

}  // namespace
}  // namespace zarn::app::test
