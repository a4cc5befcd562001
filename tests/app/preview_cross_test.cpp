// The position cross in the preview window, dragged with the mouse as a person drags it.
#include <QMouseEvent>

#include "app/preview_view.h"
#include "tests/app/app_fixture.h"

using engine::test::Frame;
using engine::test::Place;
using engine::test::Tags;

namespace zarn::app::test {
namespace {

// A Flash 4 effect whose letters each raise an FSCommand of their own as they start.
void SaveSignallingEffect(const std::string& path) {
  engine::test::TemplateBuilder builder;
  builder.Variable("name", "Signal").Variable("version", "4");
  const uint16_t letter = builder.AddSprite(Tags(Place(builder.AddShape(), 1), Frame()));
  auto signal = std::make_unique<swftk::CSwfDoAction>();
  signal->AddAction(std::make_unique<swftk::CSwfActionGetUrl>("FSCommand:signal", ""));
  const uint16_t effect =
      builder.AddSprite(Tags(Place(letter, 1, "letter"), std::move(signal), Frame(), Frame()));
  builder.AddEditText(400, swftk::CSwfRect(-40, 440, -20, 580));
  builder.AddRootTag(Place(effect, 1, "effect"));
  builder.AddRootTag(Frame());
  builder.Save(path);
}

class PositionCross : public AppTest {
 protected:
  void SetUp() override {
    const std::filesystem::path cross = std::filesystem::path(ZARN_BUILD_DIR) / "kalvprep.wui";
    ASSERT_TRUE(std::filesystem::exists(cross)) << "the build makes the cross movie";
    std::filesystem::copy_file(cross, data.File("kalvprep.wui"));
  }
  void StartWith(bool autoPreview, int effect = 0) {
    Preferences p = DefaultPreferences();
    p.flags.showCross = true;
    p.flags.autoPreview = autoPreview;
    p.selectedEffect = effect;
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

TEST_F(PositionCross, DraggingItSetsTheTextPositionCutTowardZeroAndRebuildsOnAMove) {
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
  // A release in place changes nothing and builds nothing.
  ForgetPreview();
  Drag({120, 40}, {120.4, 40.6});
  EXPECT_EQ(PositionEdits(), std::make_pair(std::string("120"), std::string("40")));
  EXPECT_FALSE(PreviewBuilt());
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

TEST_F(PositionCross, AnEffectsOwnFsCommandMovesNothingWhileTheCrossIsHidden) {
  SaveSignallingEffect(data.File("effects/signal.swf"));
  StartWith(true, 2);
  // Shown, the cross is read at any FSCommand: one the effect raises finds it where it was put.
  ASSERT_TRUE(View().Control().TSetPropertyNum("/cross", 0, 90));
  View().Control().Advance(0.5);
  EXPECT_EQ(PositionEdits(), std::make_pair(std::string("90"), std::string("30")));
  // Hidden, there is no cross to read: the effect's FSCommands move nothing and build nothing.
  Click(control::kShowCross);
  ASSERT_EQ(View().Control().Level(10), nullptr);
  ForgetPreview();
  View().Control().Advance(0.5);
  EXPECT_EQ(PositionEdits(), std::make_pair(std::string("90"), std::string("30")));
  EXPECT_FALSE(PreviewBuilt());
  EXPECT_TRUE(errors.isEmpty()) << errors.join("|").toStdString();
}

}  // namespace
}  // namespace zarn::app::test
