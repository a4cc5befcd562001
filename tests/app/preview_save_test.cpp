// The preview window's size rules and Save As from the main window.
#include <QCheckBox>
#include <QFileDialog>
#include <QLineEdit>
#include <QProgressDialog>
#include <QPushButton>
#include <QSpinBox>
#include <set>

#include "app/export_panel.h"
#include "app/preview_view.h"
#include "app/save_dialog.h"
#include "tests/app/app_fixture.h"
#include "tests/media/decoded_movie.h"

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
  // Saves through the dialog: the file type chosen, the rest filled in, the name typed, Save
  // pressed; an export's progress dialog is handed to onProgress.
  void SaveThrough(const std::string& name, const char* type, QStringList* proposed = nullptr,
                   const std::function<void(CKV_ZarnSaveDialog&)>& fill = {},
                   const std::function<void(QProgressDialog&)>& onProgress = {}) {
    Main().SetSaveDialogHook([=, this](QWidget& widget) {
      if (auto* progress = qobject_cast<QProgressDialog*>(&widget)) {
        if (onProgress) onProgress(*progress);
        return;
      }
      auto& dialog = static_cast<CKV_ZarnSaveDialog&>(widget);
      if (proposed) *proposed << QFileInfo(dialog.selectedFiles().value(0)).fileName();
      dialog.selectNameFilter(type);
      if (fill) fill(dialog);
      dialog.selectFile(QString::fromStdString(data.File(name)));
      dialog.accept();
    });
    Main().SaveAs();
  }
  std::set<std::filesystem::path> Listing() const {
    std::set<std::filesystem::path> names;
    for (const auto& entry : std::filesystem::directory_iterator(data.Path()))
      names.insert(entry.path().filename());
    return names;
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

TEST_F(PreviewAndSave, AFlash3EffectSavesAsTheChosenTypeAndNamesCount) {
  QStringList proposed;
  SaveThrough("three.swf", kFlash3Filter, &proposed);
  SaveThrough("four.swf", kFlash4Filter, &proposed);
  EXPECT_EQ(proposed, QStringList({"Untitled0.swf", "Untitled1.swf"}));
  ASSERT_TRUE(errors.isEmpty()) << errors.join("|").toStdString();
  EXPECT_EQ(zarn::test::ReadFileBytes(data.File("three.swf")).at(3), 3);
  EXPECT_EQ(zarn::test::ReadFileBytes(data.File("four.swf")).at(3), 4);
}

TEST_F(PreviewAndSave, WritesThePageBesideTheMovie) {
  Click(control::kExportHtml);
  SaveThrough("movie.swf", kFlash4Filter, nullptr,
              [](CKV_ZarnSaveDialog& dialog) { dialog.HtmlNameEdit()->setText("page.html"); });
  EXPECT_TRUE(std::filesystem::exists(data.File("movie.swf")));
  const zarn::test::Bytes page = zarn::test::ReadFileBytes(data.File("page.html"));
  const std::string text(page.begin(), page.end());
  EXPECT_TRUE(text.starts_with("<BODY>\r\n<EMBED src=\"movie.swf\" WIDTH=\"500\" HEIGHT=\"150\""))
      << text;
  EXPECT_NE(text.find("BGCOLOR=\"#000000\""), std::string::npos);
}

TEST_F(PreviewAndSave, AVideoIsDrawnAtTheChosenSizeOverTransparency) {
  SaveThrough("clip", "WebM Video, VP9 (*.webm)", nullptr, [](CKV_ZarnSaveDialog& dialog) {
    CKV_ZarnExportPanel& panel = *dialog.ExportPanel();
    for (QSpinBox* box : {panel.WidthBox(), panel.HeightBox()}) {
      box->selectAll();
      QTest::keyClicks(box, box == panel.WidthBox() ? "250" : "76");
    }
    QTest::mouseClick(panel.TransparentBox(), Qt::LeftButton);
  });
  ASSERT_TRUE(errors.isEmpty()) << errors.join("|").toStdString();
  media::test::DecodedMovie movie;
  std::string error;
  ASSERT_TRUE(media::test::DecodeMovie(data.File("clip.webm"), movie, error)) << error;
  EXPECT_EQ(movie.width, 250);
  EXPECT_EQ(movie.height, 76);
  EXPECT_EQ(movie.pixelFormat, "yuva420p");
  ASSERT_GT(movie.frames.size(), 1U);
  // The background is left out; the letters stand opaque in it while they play.
  uint8_t corner = 0;
  uint8_t strongest = 0;
  for (size_t frame = 0; frame < movie.frames.size(); ++frame) {
    corner = std::max(corner, movie.Pixel(frame, 0, 0)[3]);
    for (size_t i = 3; i < movie.frames[frame].size(); i += 4)
      strongest = std::max(strongest, movie.frames[frame][i]);
  }
  EXPECT_EQ(corner, 0);
  EXPECT_EQ(strongest, 255);
  EXPECT_EQ(Main().MovieCounter(), 1);
}

TEST_F(PreviewAndSave, CancelInEitherDialogLeavesNoFileAndTheWindowFree) {
  const auto before = Listing();
  Main().SetSaveDialogHook([](QWidget& dialog) { static_cast<QDialog&>(dialog).reject(); });
  Main().SaveAs();
  EXPECT_EQ(Main().MovieCounter(), 0);
  EXPECT_EQ(Listing(), before);
  // Save pressed counts the name; Cancel in the progress dialog drops the export's file.
  bool cancelled = false;
  SaveThrough("clip.mp4", "MP4 Video, H.264 (*.mp4)", nullptr, {}, [&](QProgressDialog& progress) {
    progress.show();
    QTest::mouseClick(progress.findChild<QPushButton*>(), Qt::LeftButton);
    cancelled = progress.wasCanceled();
  });
  EXPECT_TRUE(cancelled);
  EXPECT_EQ(Main().MovieCounter(), 1);
  EXPECT_EQ(Listing(), before);
  EXPECT_TRUE(errors.isEmpty()) << errors.join("|").toStdString();
  EXPECT_EQ(QApplication::activeModalWidget(), nullptr);
  EXPECT_TRUE(Main().Window()->isEnabled());
}

}  // namespace
}  // namespace zarn::app::test
