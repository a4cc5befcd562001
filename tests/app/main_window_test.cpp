// The main window driven through its controls: automatic preview, the covers, the edit
// commands and the keys.
#include <QClipboard>
#include <QLineEdit>

#include "app/options_dialog.h"
#include "gui/checkbox.h"
#include "tests/app/app_fixture.h"

namespace zarn::app::test {
namespace {

class MainWindow : public AppTest {
 protected:
  void StartWith(bool autoPreview) {
    Preferences p = DefaultPreferences();
    p.flags.autoPreview = autoPreview;
    p.flags.showCross = false;
    StorePrefs(p);
    ASSERT_TRUE(Start());
  }
  bool Shown(int id) { return Edit(id).IsShown() && Edit(id).EditWidget()->isVisible(); }
};

TEST_F(MainWindow, ChangesPreviewOnlyWhileAutomaticPreviewIsOn) {
  StartWith(false);
  Click(control::kLoopPreview);
  Click(control::kAllAtOnce);
  Main().EffectList()->SelectItem(1);
  EXPECT_FALSE(PreviewBuilt());
  Click(control::kPreview);
  EXPECT_TRUE(PreviewBuilt());
  EXPECT_TRUE(zarn->PreviewWindow()->isVisible());
  ForgetPreview();
  // Checking automatic preview previews at once; every change then previews.
  Click(control::kAutoPreview);
  EXPECT_TRUE(PreviewBuilt());
  ForgetPreview();
  Click(control::kLoopPreview);
  EXPECT_TRUE(PreviewBuilt());
  ForgetPreview();
  Click(control::kProtect);
  EXPECT_FALSE(PreviewBuilt());
  Click(control::kAutoPreview);
  EXPECT_FALSE(PreviewBuilt());
  EXPECT_TRUE(errors.isEmpty()) << errors.join("|").toStdString();
}

TEST_F(MainWindow, CoversHideTheFrameDelayAndTheLinkEdits) {
  StartWith(false);
  EXPECT_TRUE(Shown(control::kFrameDelay));
  EXPECT_FALSE(Shown(control::kLinkUrl));
  EXPECT_FALSE(Shown(control::kLinkTarget));
  Click(control::kAllAtOnce);
  EXPECT_FALSE(Shown(control::kFrameDelay));
  Click(control::kLink);
  EXPECT_TRUE(Shown(control::kLinkUrl));
  EXPECT_TRUE(Shown(control::kLinkTarget));
  EXPECT_EQ(Edit(control::kLinkUrl).GetText(), kDefaultLinkAddress);
  Click(control::kAllAtOnce);
  EXPECT_TRUE(Shown(control::kFrameDelay));
  // The record's sizes bound what can be typed.
  auto* url = qobject_cast<QLineEdit*>(Edit(control::kLinkUrl).EditWidget());
  auto* target = qobject_cast<QLineEdit*>(Edit(control::kLinkTarget).EditWidget());
  ASSERT_TRUE(url && target);
  EXPECT_EQ(url->maxLength(), 127);
  EXPECT_EQ(target->maxLength(), 63);
}

TEST_F(MainWindow, EditCommandsActOnTheEditClickedLastAndClearEmptiesTheText) {
  StartWith(false);
  Main().Edit(CKV_ZarnMainWindow::EditCommand::kSelectAll);  // nothing armed: nothing happens
  Edit(control::kLetterSpace).SetText("42", false);
  QTest::mouseClick(Edit(control::kLetterSpace).EditWidget(), Qt::LeftButton);
  Main().Edit(CKV_ZarnMainWindow::EditCommand::kSelectAll);
  Main().Edit(CKV_ZarnMainWindow::EditCommand::kCut);
  EXPECT_EQ(Edit(control::kLetterSpace).GetText(), "");
  EXPECT_EQ(QGuiApplication::clipboard()->text(), "42");
  QTest::mouseClick(Edit(control::kLineSpace).EditWidget(), Qt::LeftButton);
  Main().Edit(CKV_ZarnMainWindow::EditCommand::kSelectAll);
  Main().Edit(CKV_ZarnMainWindow::EditCommand::kPaste);
  EXPECT_EQ(Edit(control::kLineSpace).GetText(), "42");
  Main().Edit(CKV_ZarnMainWindow::EditCommand::kUndo);
  EXPECT_EQ(Edit(control::kLineSpace).GetText(), "0");
  Main().Edit(CKV_ZarnMainWindow::EditCommand::kSelectAll);
  Main().Edit(CKV_ZarnMainWindow::EditCommand::kDelete);
  EXPECT_EQ(Edit(control::kLineSpace).GetText(), "");
  EXPECT_EQ(Edit(control::kLetterSpace).GetText(), "");
  // Clear empties the text, which the engine refuses at the next preview.
  Click(control::kClear);
  EXPECT_EQ(Edit(control::kText).GetText(), "");
  Click(control::kPreview);
  EXPECT_EQ(errors, QStringList{"Please enter some text.\n"});
}

TEST_F(MainWindow, KeysDoNothingUnderAModalDialogAndSaveWorksFromThePreviewWindow) {
  StartWith(false);
  CKV_ZarnOptionsDialog options(zarn->Prefs(), Main().Window());
  options.show();
  QApplication::setActiveWindow(&options);
  QTest::keyClick(&options, Qt::Key_P, Qt::ControlModifier);
  EXPECT_FALSE(PreviewBuilt());
  options.close();
  QApplication::setActiveWindow(Main().Window());
  QTest::keyClick(Main().Window(), Qt::Key_P, Qt::ControlModifier);
  EXPECT_TRUE(PreviewBuilt());
  int dialogs = 0;
  Main().SetSaveDialogHook([&dialogs](QWidget& dialog) {
    ++dialogs;
    static_cast<QDialog&>(dialog).reject();
  });
  QWidget* preview = zarn->PreviewWindow();
  preview->activateWindow();
  QApplication::setActiveWindow(preview);
  QTest::keyClick(preview, Qt::Key_S, Qt::ControlModifier);
  EXPECT_EQ(dialogs, 1);
}

}  // namespace
}  // namespace zarn::app::test
