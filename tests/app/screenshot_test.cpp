// Pictures of every window as a user sees it, written as PNG files for a person to look at:
// into $ZARN_SCREENSHOT_DIR, or "app-screenshots" in the working folder. With the build's own
// skins and effects when they have been made. Under Xvfb: QT_QPA_PLATFORM=xcb xvfb-run -a
// build/tests/app_tests --gtest_filter='Screenshots.*'
#include <QComboBox>
#include <QDir>
#include <QTimer>

#include "app/options_dialog.h"
#include "app/save_dialog.h"
#include "app/splash_window.h"
#include "tests/app/app_fixture.h"

namespace zarn::app::test {
namespace {

class Screenshots : public AppTest {
 protected:
  Screenshots() {
    // The real data, when the build has made it, over the plain test data.
    const std::filesystem::path built = ZARN_BUILD_DIR;
    const auto options = std::filesystem::copy_options::overwrite_existing |
                         std::filesystem::copy_options::recursive;
    std::error_code ignored;
    for (const char* name : {"kalvzarn.wui", "kalvsp.wui", "kalvprep.wui"}) {
      std::filesystem::copy(built / name, data.Path() / name, options, ignored);
    }
    for (const auto& entry : std::filesystem::directory_iterator(built / "effects", ignored)) {
      if (entry.path().extension() == ".kvx" || entry.path().extension() == ".swf") {
        std::filesystem::copy(entry.path(), data.Path() / "effects" / entry.path().filename(),
                              options, ignored);
      }
    }
    folder = qEnvironmentVariable("ZARN_SCREENSHOT_DIR", "app-screenshots");
    QDir().mkpath(folder);
  }
  void Save(QWidget& widget, const QString& name) {
    QApplication::processEvents();
    const QPixmap picture = widget.grab();
    ASSERT_FALSE(picture.isNull()) << name.toStdString();
    ASSERT_TRUE(picture.save(folder + "/" + name + ".png")) << name.toStdString();
  }

  QString folder;
};

TEST_F(Screenshots, EveryWindow) {
  Preferences p = DefaultPreferences();
  p.flags.autoPreview = false;
  // Played once, the movie rests on its last frame with every letter in place.
  p.flags.loopPreview = false;
  p.flags.exportHtml = true;
  // The cross needs the build's cross movie.
  p.flags.showCross = std::filesystem::exists(data.File("kalvprep.wui"));
  p.text = "Hello\r\nZarn";
  p.fontSize = 48;
  StorePrefs(p);

  CKV_ZarnSplash splash;
  ASSERT_TRUE(splash.Show(data.File("kalvsp.wui")));
  splash.StatusLine1("Loading Effects...");
  splash.StatusLine2("Drop and Bounce");
  Save(splash, "splash");
  splash.close();

  ASSERT_TRUE(Start());
  Save(*Main().Window(), "main-window");
  EXPECT_EQ(static_cast<gui::CKV_SkinWindow*>(Main().Window())->Client()->size(),
            QSize(kMainWidth, kMainHeight));

  Main().EffectList()->SelectItem(3);  // a Flash 3 effect
  Main().Preview();
  CKV_ZarnPreviewDialog& preview = *zarn->PreviewWindow();
  QTest::qWait(2500);
  Save(preview, "preview-playing");
  EXPECT_EQ(preview.size(), QSize(500, 150));

  CKV_ZarnOptionsDialog options(zarn->Prefs(), Main().Window());
  options.show();
  Save(options, "options");
  options.close();

  Main().SetSaveDialogHook([this](QWidget& dialog) {
    dialog.show();
    dialog.resize(dialog.sizeHint().width() + 100, dialog.height());
    Save(dialog, "save-as-html");
    auto& save = static_cast<CKV_ZarnSaveDialog&>(dialog);
    ASSERT_NE(save.HtmlPanel(), nullptr);
    save.selectNameFilter(MovieFilters(3).value(3));
    Save(dialog, "save-as-video");
    save.reject();
  });
  Main().SaveAs();

  CKV_ZarnAboutBox about(Main().Window());
  ASSERT_TRUE(about.Load(data.File("kalvsp.wui")));
  about.show();
  Save(about, "about");
  EXPECT_TRUE(errors.isEmpty()) << errors.join("|").toStdString();
}

}  // namespace
}  // namespace zarn::app::test
