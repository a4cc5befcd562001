// The splash's status lines and the About box's way of closing.
#include <QKeyEvent>
#include <QTimer>

#include "app/splash_window.h"
#include "tests/app/app_fixture.h"

namespace zarn::app::test {
namespace {

using Splash = AppTest;

// How many pixels of the picture have the colour.
int CountColour(const QImage& image, QRgb colour) {
  int count = 0;
  for (int y = 0; y < image.height(); ++y) {
    for (int x = 0; x < image.width(); ++x) count += (image.pixel(x, y) | 0xFF000000) == colour;
  }
  return count;
}

TEST_F(Splash, StatusLinesAreDrawnAtEveryPaintAndReplaceEachOther) {
  CKV_ZarnSplash splash;
  ASSERT_TRUE(splash.Show(data.File("kalvsp.wui")));
  EXPECT_EQ(splash.TextAt(0).text, "2.00");
  splash.StatusLine2("A rather long effect name");
  splash.StatusLine2("Short");
  EXPECT_EQ(splash.TextAt(2).text, "Short");
  const QRgb status = qRgb(128, 255, 255);
  // Painted from scratch twice, as an expose would: the text is there both times.
  const int first = CountColour(splash.grab().toImage(), status);
  EXPECT_GT(first, 10);
  EXPECT_EQ(CountColour(splash.grab().toImage(), status), first);
}

TEST_F(Splash, AboutClosesOnALeftPressOnly) {
  CKV_ZarnAboutBox* shown = nullptr;
  QStringList seen;
  QTimer::singleShot(50, [&] {
    for (QWidget* top : QApplication::topLevelWidgets()) {
      if (auto* about = dynamic_cast<CKV_ZarnAboutBox*>(top); about && about->isVisible()) {
        shown = about;
      }
    }
    if (shown == nullptr) return;
    seen << shown->windowTitle() << shown->TextAt(1).text;
    QTest::mouseClick(shown, Qt::RightButton);
    QTest::keyClick(shown, Qt::Key_Escape);
    QTimer::singleShot(50, [&] {
      seen << (shown->isVisible() ? "still shown" : "closed");
      QTest::mouseClick(shown, Qt::LeftButton);
    });
  });
  CKV_ZarnAboutBox::Run(nullptr, data.File("kalvsp.wui"));
  EXPECT_EQ(seen, QStringList({"About Kalvoren Zarn", "Zarn was created and", "still shown"}));
}

}  // namespace
}  // namespace zarn::app::test
