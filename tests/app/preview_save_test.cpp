// The preview window's size rules and Save As from the main window.
#include <QFileDialog>
#include <QLineEdit>

#include "app/preview_view.h"
#include "app/save_dialog.h"
#include "tests/app/app_fixture.h"

namespace zarn::app::test {
namespace {

class PreviewAndSave : public AppTest {
 protected:
  void SetUp() override {
    Preferences p = DefaultPreferences();
    p.flags.showCross = false;
    p.flags.autoPreview = false;
    StorePrefs(p);
    ASSERT_TRUE(Start());
  }
  CKV_ZarnPreviewDialog& Preview() { return *zarn->PreviewWindow(); }
  // Saves through the dialog: the name typed, the file type chosen, Save pressed.
  void SaveThrough(const std::string& name, const char* filter, QStringList* proposed = nullptr) {
    Main().SetSaveDialogHook([=, this](QWidget& widget) {
      auto& dialog = static_cast<QFileDialog&>(widget);
      if (proposed) *proposed << QFileInfo(dialog.selectedFiles().value(0)).fileName();
      dialog.selectNameFilter(filter);
      dialog.selectFile(QString::fromStdString(data.File(name)));
      static_cast<QDialog&>(dialog).accept();
    });
    Main().SaveAs();
  }
};

// Counts the size changes a window goes through.
class ResizeCounter : public QObject {
 public:
  int count = 0;

 protected:
  bool eventFilter(QObject*, QEvent* event) override {
    count += event->type() == QEvent::Resize;
    return false;
  }
};

TEST_F(PreviewAndSave, TheWindowsInsideIsTheMovieAndFollowsTheUser) {
  Click(control::kPreview);
  ASSERT_TRUE(Preview().isVisible()) << errors.join("|").toStdString();
  EXPECT_EQ(Preview().size(), QSize(500, 150));
  ResizeCounter counter;
  Preview().installEventFilter(&counter);
  Click(control::kPreview);
  EXPECT_EQ(counter.count, 0);
  // The user drags the frame: the movie takes the size and is made again.
  ForgetPreview();
  Preview().resize(400, 300);
  EXPECT_EQ(Edit(control::kMovieWidth).GetText(), "400");
  EXPECT_EQ(Edit(control::kMovieHeight).GetText(), "300");
  EXPECT_TRUE(PreviewBuilt());
  // Minimised, hidden and tiny sizes are no sizes for the movie.
  Preview().showMinimized();
  Preview().resize(0, 0);
  EXPECT_EQ(Edit(control::kMovieWidth).GetText(), "400");
  Preview().showNormal();
  Preview().close();
  EXPECT_FALSE(Preview().isVisible());
  Preview().resize(220, 120);
  EXPECT_EQ(Edit(control::kMovieWidth).GetText(), "400");
  Click(control::kPreview);
  EXPECT_TRUE(Preview().isVisible());
  EXPECT_EQ(Preview().size(), QSize(400, 300));
}

TEST_F(PreviewAndSave, WithoutTheCrossMovieTheMoviePlaysAloneAndTheLossIsToldOnce) {
  Click(control::kShowCross);  // the test data has no cross movie
  Click(control::kPreview);
  Click(control::kPreview);
  EXPECT_TRUE(Preview().isVisible());
  ASSERT_EQ(errors.size(), 1);
  EXPECT_TRUE(errors[0].startsWith("File Error\n")) << errors[0].toStdString();
  const player::CKV_Player* level0 = Preview().View().Control().Level(0);
  EXPECT_NE(level0, nullptr);
  EXPECT_EQ(Preview().View().Control().Level(10), nullptr);
}

TEST_F(PreviewAndSave, CancelWritesNothingAndCountsNothing) {
  Main().SetSaveDialogHook([](QWidget& dialog) { static_cast<QDialog&>(dialog).reject(); });
  Main().SaveAs();
  EXPECT_EQ(Main().MovieCounter(), 0);
  EXPECT_FALSE(std::filesystem::exists(data.File("Untitled0.swf")));
}

TEST_F(PreviewAndSave, AFlash3EffectSavesAsTheChosenTypeAndNamesCount) {
  QStringList proposed;
  SaveThrough("three.swf", kFlash3Filter, &proposed);
  SaveThrough("four.swf", kFlash4Filter, &proposed);
  EXPECT_EQ(proposed, QStringList({"Untitled0.swf", "Untitled1.swf"}));
  ASSERT_TRUE(errors.isEmpty()) << errors.join("|").toStdString();
  EXPECT_EQ(zarn::test::ReadFileBytes(data.File("three.swf")).at(3), 3);
  EXPECT_EQ(zarn::test::ReadFileBytes(data.File("four.swf")).at(3), 4);
  EXPECT_TRUE(errors.isEmpty()) << errors.join("|").toStdString();
}

TEST_F(PreviewAndSave, WritesThePageBesideTheMovie) {
  Click(control::kExportHtml);
  Main().SetSaveDialogHook([this](QWidget& widget) {
    auto& dialog = static_cast<CKV_ZarnSaveDialog&>(widget);
    dialog.HtmlNameEdit()->setText("page.html");
    dialog.selectFile(QString::fromStdString(data.File("movie.swf")));
    dialog.accept();
  });
  Main().SaveAs();
  EXPECT_TRUE(std::filesystem::exists(data.File("movie.swf")));
  const zarn::test::Bytes page = zarn::test::ReadFileBytes(data.File("page.html"));
  const std::string text(page.begin(), page.end());
  EXPECT_TRUE(text.starts_with("<BODY>\r\n<EMBED src=\"movie.swf\" WIDTH=\"500\" HEIGHT=\"150\""))
      << text;
  EXPECT_NE(text.find("BGCOLOR=\"#000000\""), std::string::npos);
}

}  // namespace
}  // namespace zarn::app::test
