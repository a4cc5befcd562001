// The start-up in its order, its four failure messages, and what exit stores.
#include <QLineEdit>

#include "app/splash_window.h"
#include "tests/app/app_fixture.h"

namespace zarn::app::test {
namespace {

using Startup = AppTest;

TEST_F(Startup, FirstStartStoresTheDefaultsAndShowsTheMainWindowOnly) {
  ASSERT_TRUE(Start());
  EXPECT_TRUE(errors.isEmpty()) << errors.join("|").toStdString();
  EXPECT_TRUE(Main().Window()->isVisible());
  EXPECT_EQ(Main().Window()->windowTitle(), "Kalvoren Zarn");
  EXPECT_FALSE(zarn->PreviewWindow()->isVisible());
  EXPECT_EQ(Store().value(kPreferencesKey).toByteArray().size(), 2036);
  for (QWidget* top : QApplication::topLevelWidgets()) {
    EXPECT_EQ(dynamic_cast<CKV_ZarnSplash*>(top) != nullptr && top->isVisible(), false);
  }
  // The library in byte order, with its count.
  ASSERT_EQ(Main().Effects().size(), 2U);
  EXPECT_EQ(Main().EffectList()->ItemCount(), 2);
  EXPECT_EQ(Main().EffectCountText(), "2 fx");
  EXPECT_EQ(Main().SelectedEffectPath(), data.File("effects/grow.kvx"));
}

TEST_F(Startup, EachFailingStepShowsItsMessageAndEndsTheStart) {
  struct Case {
    std::function<void(AppHarness&)> breakIt;
    QString message;
  };
  const Case cases[] = {
      {[](AppHarness& t) { std::filesystem::remove(t.data.File("kalvsp.wui")); },
       "Failed to init splash screen\n"},
      {[](AppHarness& t) { std::filesystem::remove(t.data.File("kalvzarn.wui")); },
       "Failed to init the main window\n"},
      {[](AppHarness& t) {
         zarn::test::WriteFileBytes(t.data.File("plain"), {1});
         t.store = std::make_unique<QSettings>(QString::fromStdString(t.data.File("plain/z.conf")),
                                               QSettings::IniFormat);
       },
       "Failed to load preferences\n"},
  };
  for (const Case& c : cases) {
    AppHarness t;
    c.breakIt(t);
    EXPECT_FALSE(t.Start());
    EXPECT_EQ(t.errors, QStringList{c.message});
    for (QWidget* top : QApplication::topLevelWidgets()) EXPECT_FALSE(top->isVisible());
  }
}

TEST_F(Startup, NoEffectsIsToldAndTheProgramGoesOn) {
  std::filesystem::remove(data.File("effects/grow.kvx"));
  ASSERT_TRUE(Start());
  EXPECT_EQ(errors, QStringList{"No effects were found\n"});
  EXPECT_EQ(Main().EffectList()->ItemCount(), 0);
  EXPECT_EQ(Main().EffectCountText(), "0 fx");
  EXPECT_EQ(Main().SelectedEffectPath(), "");
}

TEST_F(Startup, EveryMovieSettingSurvivesExitAndStart) {
  Preferences p = DefaultPreferences();
  p.confirmExit = false;
  p.frameRate = 12.5F;
  StorePrefs(p);
  ASSERT_TRUE(Start());
  EXPECT_EQ(Edit(control::kFrameRate).GetText(), "12");
  Edit(control::kText).SetText("Two\nlines", false);
  Edit(control::kFrameDelay).SetText("7", false);
  Edit(control::kOriginX).SetText("123", false);
  Edit(control::kMovieWidth).SetText("640", false);
  Click(control::kLoopMovie);
  Main().EffectList()->SelectItem(1);
  Main().ExitSequence();
  EXPECT_TRUE(Main().HasExited());
  const Preferences stored = StoredPrefs();
  EXPECT_EQ(stored.text, "Two\r\nlines");
  EXPECT_EQ(stored.frameDelay, 7);
  EXPECT_EQ(stored.originX, 123);
  EXPECT_EQ(stored.movieWidth, 640);
  EXPECT_EQ(stored.frameRate, 12.0F);
  EXPECT_TRUE(stored.flags.loopMovie);
  EXPECT_EQ(stored.selectedEffect, 1);

  ASSERT_TRUE(Start());
  EXPECT_EQ(Edit(control::kText).GetText(), "Two\nlines");
  EXPECT_EQ(Edit(control::kFrameDelay).GetText(), "7");
  EXPECT_EQ(Main().SelectedEffectPath(), data.File("effects/pop.swf"));
  EXPECT_TRUE(Main().CheckboxById(control::kLoopMovie)->IsChecked());
}

TEST_F(Startup, ExitAsksFirstAndKeepsMovieSettingsOnlyWhenToldTo) {
  Preferences p = DefaultPreferences();
  p.saveSettingsOnExit = false;
  StorePrefs(p);
  ASSERT_TRUE(Start());
  Edit(control::kText).SetText("Lost", false);
  Main().Window()->move(200, 150);
  answer = false;
  Main().ExitSequence();
  EXPECT_EQ(questions, QStringList{"Kalvoren Zarn | Exit Program: Quit Kalvoren Zarn?"});
  EXPECT_FALSE(Main().HasExited());
  EXPECT_EQ(StoredPrefs().mainWindow, p.mainWindow);
  answer = true;
  Main().ExitSequence();
  EXPECT_TRUE(Main().HasExited());
  const Preferences stored = StoredPrefs();
  EXPECT_EQ(stored.text, "Kalvoren Zarn");
  EXPECT_NE(stored.mainWindow, p.mainWindow);
  // A close request after the exit does not run it again.
  Main().Window()->close();
  EXPECT_EQ(questions.size(), 2);
}

TEST_F(Startup, StoredValuesThatCannotBeUsedAreNotTrusted) {
  Preferences p = DefaultPreferences();
  p.selectedEffect = 99;
  p.mainWindow = {-30000, 90000};
  StorePrefs(p);
  ASSERT_TRUE(Start());
  EXPECT_EQ(Main().SelectedEffectPath(), data.File("effects/grow.kvx"));
  EXPECT_TRUE(QGuiApplication::primaryScreen()->availableGeometry().contains(
      Main().Window()->frameGeometry().topLeft()));
}

}  // namespace
}  // namespace zarn::app::test
