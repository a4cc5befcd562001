// The Save As dialog: file types, the HTML panel, its rules and its questions.
#include "app/save_dialog.h"

#include <gtest/gtest.h>

#include <QCheckBox>
#include <QComboBox>
#include <QFileInfo>
#include <QLineEdit>
#include <QSpinBox>

#include "app/export_panel.h"
#include "tests/app/app_fixture.h"

namespace zarn::app::test {
namespace {

class SaveDialog : public ::testing::Test, public CaughtMessages {
 protected:
  SaveDialog() {
    start.width = 500;
    start.height = 150;
    start.red = 255;
    start.green = 128;
    start.autoPlay = false;
    start.align = engine::HtmlOptions::kRight;
    start.quality = engine::HtmlOptions::kLow;
  }
  std::unique_ptr<CKV_ZarnSaveDialog> Dialog(bool html, int version = 3) {
    return std::make_unique<CKV_ZarnSaveDialog>(html, start, QString::fromStdString(dir.Path()),
                                                "Untitled0.swf", version);
  }
  // Types the name and presses Save.
  bool Confirm(CKV_ZarnSaveDialog& dialog, const std::string& name) {
    dialog.selectFile(QString::fromStdString(dir.File(name)));
    dialog.accept();
    return dialog.result() == QDialog::Accepted;
  }

  zarn::test::TempDir dir;
  engine::HtmlOptions start;
};

TEST_F(SaveDialog, OffersFlash3OnlyForFlash3EffectsThenTheVideos) {
  const QStringList three = Dialog(false, 3)->nameFilters();
  ASSERT_EQ(three.size(), 8);
  EXPECT_EQ(three.mid(0, 3),
            QStringList({kFlash3Filter, kFlash4Filter, "MP4 Video, H.264 (*.mp4)"}));
  EXPECT_EQ(three.last(), "Animated GIF Image (*.gif)");
  EXPECT_EQ(Dialog(false, 4)->nameFilters(), three.mid(1));
  EXPECT_EQ(Dialog(false, 5)->nameFilters(), three.mid(1));
  EXPECT_EQ(Dialog(false)->HtmlPanel(), nullptr);
}

TEST_F(SaveDialog, AVideoTypeShowsItsPanelInPlaceOfThePageAndDecidesTheFile) {
  const auto dialog = Dialog(true);
  dialog->show();
  EXPECT_FALSE(dialog->ExportPanel()->isVisible());
  dialog->selectNameFilter("WebM Video, VP9 (*.webm)");
  EXPECT_TRUE(dialog->ExportPanel()->isVisible());
  EXPECT_FALSE(dialog->HtmlPanel()->isVisible());
  EXPECT_EQ(QFileInfo(dialog->selectedFiles().value(0)).fileName(), "Untitled0.webm");
  EXPECT_TRUE(dialog->ExportPanel()->LoopsBox()->isEnabled());
  // A GIF plays once.
  dialog->selectNameFilter("Animated GIF Image (*.gif)");
  EXPECT_FALSE(dialog->ExportPanel()->LoopsBox()->isEnabled());
  dialog->selectNameFilter(kFlash4Filter);
  EXPECT_FALSE(dialog->ExportPanel()->isVisible());
  EXPECT_TRUE(dialog->HtmlPanel()->isVisible());
  EXPECT_EQ(QFileInfo(dialog->selectedFiles().value(0)).fileName(), "Untitled0.swf");
  // A format without alpha refuses transparency; the type decides the extension.
  dialog->selectNameFilter("MP4 Video, H.264 (*.mp4)");
  dialog->ExportPanel()->TransparentBox()->click();
  EXPECT_FALSE(Confirm(*dialog, "clip"));
  EXPECT_EQ(errors,
            QStringList({"The movie cannot be exported to clip.mp4:\nMP4 (H.264) cannot "
                         "hold a transparent background; use .webm, .mov, .webp or .apng"}));
  dialog->ExportPanel()->TransparentBox()->click();
  ASSERT_TRUE(Confirm(*dialog, "clip.webm"));
  EXPECT_EQ(dialog->MoviePath().toStdString(), dir.File("clip.webm.mp4"));
  EXPECT_FALSE(dialog->ExportOptions()->transparent);
}

TEST_F(SaveDialog, HtmlPanelStartsFromTheGivenOptionsAndConfirmingTakesItAndCountsPages) {
  const int counter = CKV_ZarnSaveDialog::PageCounter();
  const auto dialog = Dialog(true);
  EXPECT_EQ(dialog->HtmlNameEdit()->text(), QString("Untitled%1.html").arg(counter));
  EXPECT_EQ(dialog->HeightEdit()->text(), "150");
  EXPECT_FALSE(dialog->AutoPlayBox()->isChecked());
  EXPECT_EQ(dialog->QualityList()->currentText(), "Low");
  EXPECT_EQ(dialog->AlignList()->currentText(), "Right");
  EXPECT_EQ(dialog->ColourButton()->Colour(), QColor(255, 128, 0));
  // Not resizable greys the size out.
  dialog->ResizableBox()->setChecked(false);
  EXPECT_FALSE(dialog->WidthEdit()->isEnabled());
  EXPECT_FALSE(dialog->HeightEdit()->isEnabled());
  dialog->ResizableBox()->setChecked(true);
  EXPECT_TRUE(dialog->WidthEdit()->isEnabled());

  dialog->HtmlNameEdit()->setText("page.html");
  dialog->WidthEdit()->setText("320abc");
  dialog->QualityList()->setCurrentIndex(0);
  dialog->AlignList()->setCurrentIndex(0);
  dialog->ColourButton()->SetPicker([](const QColor&) { return QColor(1, 2, 3); });
  dialog->ColourButton()->click();
  ASSERT_TRUE(Confirm(*dialog, "movie.swf"));
  const engine::HtmlOptions& page = dialog->PageOptions();
  EXPECT_EQ(page.width, 320);
  EXPECT_EQ(page.quality, engine::HtmlOptions::kBest);
  EXPECT_EQ(page.align, engine::HtmlOptions::kCenter);
  EXPECT_EQ(page.red + page.green + page.blue, 6);
  EXPECT_EQ(page.htmlFileName, "page.html");
  EXPECT_EQ(dialog->PagePath().toStdString(), dir.File("page.html"));
  EXPECT_EQ(CKV_ZarnSaveDialog::PageCounter(), counter + 1);
  // Without the panel a confirmed name counts too.
  ASSERT_TRUE(Confirm(*Dialog(false), "other.swf"));
  EXPECT_EQ(CKV_ZarnSaveDialog::PageCounter(), counter + 2);
  EXPECT_TRUE(questions.isEmpty());
}

TEST_F(SaveDialog, AnEmptyPageNameIsRefusedAndExistingFilesAreReplacedOnlyWhenTheUserAgrees) {
  zarn::test::WriteFileBytes(dir.File("page.html"), {1});
  zarn::test::WriteFileBytes(dir.File("movie.swf"), {1});
  const auto dialog = Dialog(true);
  dialog->HtmlNameEdit()->setText("  ");
  answer = true;
  EXPECT_FALSE(Confirm(*dialog, "other.swf"));
  EXPECT_EQ(errors, QStringList{"Please enter a name for the HTML page.\n"});
  dialog->HtmlNameEdit()->setText("page.html");
  answer = false;
  EXPECT_FALSE(Confirm(*dialog, "movie.swf"));
  ASSERT_EQ(questions.size(), 1);
  EXPECT_TRUE(questions[0].endsWith("movie.swf already exists.\nDo you want to replace it?"));
  answer = true;
  EXPECT_TRUE(Confirm(*dialog, "movie.swf"));
  ASSERT_EQ(questions.size(), 3);
  EXPECT_EQ(questions[2], "Save HTML: " + QString::fromStdString(dir.File("page.html")) +
                              " already exists.\nDo you want to replace it?");
}

}  // namespace
}  // namespace zarn::app::test
