#include "app/export_panel.h"

#include <QCheckBox>
#include <QFileInfo>
#include <QLabel>
#include <QLineEdit>
#include <QSpinBox>

#include "app/panel_layout.h"
#include "media/web_page.h"

namespace zarn::app {
namespace {

constexpr int kWidth = 420;
// The export draws at most this many pixels a side and writes at most this many passes.
constexpr int kMaxSide = 8192;
constexpr int kMaxLoops = 1000;
constexpr int kMaxPageName = 255;

QString BareName(const std::string& path) {
  return QFileInfo(QString::fromStdString(path)).fileName();
}

QSpinBox* NumberBox(QWidget* parent, int value, int maximum) {
  auto* box = new QSpinBox(parent);
  box->setRange(1, maximum);
  box->setValue(value);
  return box;
}

}  // namespace

CKV_ZarnExportPanel::CKV_ZarnExportPanel(QWidget* parent, int movieWidth, int movieHeight)
    : QWidget(parent) {
  setObjectName("exportOptions");
  setFixedSize(kWidth, kHeight);
  Place(new QLabel("Export Video Options:", this), 10, 0, 160, 20)->adjustSize();
  PlaceLabelBefore(new QLabel("Width:", this), 20, 30, 90, 50);
  width_ = Place(NumberBox(this, movieWidth, kMaxSide), 100, 30, 180, 50);
  PlaceLabelBefore(new QLabel("Height:", this), 20, 60, 90, 80);
  height_ = Place(NumberBox(this, movieHeight, kMaxSide), 100, 60, 180, 80);
  PlaceLabelBefore(new QLabel("Loops:", this), 200, 30, 250, 50);
  loops_ = Place(NumberBox(this, 1, kMaxLoops), 260, 30, 320, 50);
  loops_->setToolTip("How many times a looping movie plays through");
  transparent_ = Place(new QCheckBox("Transparent background", this), 200, 60, 410, 80);
  page_ = Place(new QCheckBox("Also write a page that plays it", this), 10, 95, 410, 115);
  pageNameLabel_ = PlaceLabelBefore(new QLabel("Page File Name:", this), 20, 125, 120, 145);
  pageName_ = Place(new QLineEdit(this), 130, 125, 330, 143);
  pageName_->setMaxLength(kMaxPageName);
  pageNote_ = Place(new QLabel(this), 20, 150, 410, 195);
  pageNote_->setWordWrap(true);
  pageNote_->setAlignment(Qt::AlignLeft | Qt::AlignTop);
  connect(pageName_, &QLineEdit::textEdited, this, [this] { pageNameTyped_ = true; });
  connect(page_, &QCheckBox::toggled, this, [this] { ShowPageNote(); });
  connect(transparent_, &QCheckBox::toggled, this, [this] { ShowPageNote(); });
  ShowPageNote();
}

void CKV_ZarnExportPanel::SetFormat(media::ExportFormat format) {
  const bool onePass = format == media::ExportFormat::kGif;
  if (onePass) loops_->setValue(1);
  loops_->setEnabled(!onePass);
  ShowPageNote();
}

void CKV_ZarnExportPanel::SetMovieName(const QString& fileName) {
  movieName_ = fileName;
  if (!pageNameTyped_) pageName_->setText(QFileInfo(fileName).completeBaseName() + ".html");
  ShowPageNote();
}

bool CKV_ZarnExportPanel::WritesPage() const {
  return page_->isChecked();
}

QString CKV_ZarnExportPanel::PageName() const {
  return pageName_->text();
}

void CKV_ZarnExportPanel::ShowPageNote() {
  const bool page = page_->isChecked();
  for (QWidget* widget : std::initializer_list<QWidget*>{pageNameLabel_, pageName_, pageNote_})
    widget->setEnabled(page);
  media::WebPageFiles files;
  std::string reason;
  if (!media::WebPageFilesFor(Options(movieName_), files, reason)) {
    pageNote_->setText(
        QString("No page can play this export: %1.").arg(QString::fromStdString(reason)));
  } else if (files.video) {
    pageNote_->setText(QString("The page plays a video; %1 and %2 are also written beside it.")
                           .arg(BareName(files.movies[1]), BareName(files.poster)));
  } else {
    pageNote_->setText("The page shows the animated image itself.");
  }
}

media::ExportOptions CKV_ZarnExportPanel::Options(const QString& path) const {
  media::ExportOptions options;
  options.path = path.toStdString();
  options.width = width_->value();
  options.height = height_->value();
  options.transparent = transparent_->isChecked();
  options.loops = static_cast<uint32_t>(loops_->value());
  return options;
}

}  // namespace zarn::app
