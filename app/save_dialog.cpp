#include "app/save_dialog.h"

#include <QCheckBox>
#include <QColorDialog>
#include <QComboBox>
#include <QFileInfo>
#include <QGridLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPainter>
#include <array>

#include "app/export_panel.h"
#include "app/export_run.h"
#include "app/message_box.h"
#include "app/panel_layout.h"
#include "engine/movie_settings.h"
#include "media/movie_export.h"

namespace zarn::app {
namespace {

// The panel's height: the dialog grows by this much.
constexpr int kPanelHeight = 200;
constexpr int kPanelWidth = 420;
constexpr int kMaxPageName = 255;
constexpr const char* kSaveHtmlCaption = "Save HTML";

int& Counter() {
  static int counter = 0;
  return counter;
}

// "... already exists. Do you want to replace it?", asked for the movie and then for the page.
bool AskToReplace(const QString& caption, const QString& path) {
  return AskYesNo(nullptr, caption,
                  QString("%1 already exists.\nDo you want to replace it?").arg(path),
                  QuestionKind::kWarningDefaultNo);
}

// The videos and animated images, after the Flash types.
struct ExportType {
  const char* filter;
  const char* suffix;
};
constexpr std::array<ExportType, 6> kExportTypes{{
    {"MP4 Video, H.264 (*.mp4)", "mp4"},
    {"WebM Video, VP9 (*.webm)", "webm"},
    {"QuickTime Movie, ProRes 4444 (*.mov)", "mov"},
    {"Animated WebP Image (*.webp)", "webp"},
    {"Animated PNG Image (*.apng)", "apng"},
    {"Animated GIF Image (*.gif)", "gif"},
}};
constexpr const char* kFlashSuffix = "swf";

const ExportType* ExportTypeOf(const QString& filter) {
  for (const ExportType& type : kExportTypes)
    if (filter == type.filter) return &type;
  return nullptr;
}

std::optional<media::ExportFormat> FormatOfSuffix(const QString& suffix) {
  return media::ExportFormatOf("movie." + suffix.toStdString());
}

int ReadNumber(const QLineEdit* edit) {
  return engine::FieldToInt(edit->text().left(kMaxPageName).toStdString());
}

}  // namespace

QStringList MovieFilters(int effectVersion) {
  QStringList filters;
  if (effectVersion < 4) filters << kFlash3Filter;
  filters << kFlash4Filter;
  for (const ExportType& type : kExportTypes) filters << type.filter;
  return filters;
}

std::optional<media::ExportFormat> ExportFormatOfFilter(const QString& filter) {
  const ExportType* type = ExportTypeOf(filter);
  if (type == nullptr) return std::nullopt;
  return FormatOfSuffix(type->suffix);
}

CKV_ZarnColorButton::CKV_ZarnColorButton(QWidget* parent) : QPushButton(parent) {
  picker_ = [this](const QColor& initial) -> std::optional<QColor> {
    const QColor picked =
        QColorDialog::getColor(initial, window(), {}, QColorDialog::DontUseNativeDialog);
    return picked.isValid() ? std::optional(picked) : std::nullopt;
  };
  connect(this, &QPushButton::clicked, this, [this] {
    if (const std::optional<QColor> picked = picker_(colour_)) SetColour(*picked);
  });
}

void CKV_ZarnColorButton::SetColour(const QColor& colour) {
  colour_ = colour;
  update();
}

void CKV_ZarnColorButton::paintEvent(QPaintEvent*) {
  QPainter painter(this);
  painter.fillRect(QRect(0, 0, 40, 40), colour_);
}

int CKV_ZarnSaveDialog::PageCounter() {
  return Counter();
}

CKV_ZarnSaveDialog::CKV_ZarnSaveDialog(bool exportHtml, const engine::HtmlOptions& start,
                                       const QString& folder, const QString& movieName,
                                       int effectVersion)
    : QFileDialog(nullptr, {}, folder), exportHtml_(exportHtml), page_(start) {
  setOption(QFileDialog::DontUseNativeDialog);
  // Asked in accept, before the page's question.
  setOption(QFileDialog::DontConfirmOverwrite);
  setAcceptMode(QFileDialog::AcceptSave);
  setFileMode(QFileDialog::AnyFile);
  setDefaultSuffix(kFlashSuffix);
  setNameFilters(MovieFilters(effectVersion));
  selectFile(movieName);
  setWindowModality(Qt::ApplicationModal);
  if (exportHtml_) AddHtmlPanel();
  AddExportPanel(start.width, start.height);
  // The type list's own signal, as the dialog's tells only of a person's choice, not of
  // selectNameFilter's.
  if (auto* types = findChild<QComboBox*>("fileTypeCombo")) {
    connect(types, &QComboBox::currentTextChanged, this, &CKV_ZarnSaveDialog::FollowFileType);
  } else {
    connect(this, &QFileDialog::filterSelected, this, &CKV_ZarnSaveDialog::FollowFileType);
  }
}

void CKV_ZarnSaveDialog::AddExportPanel(int movieWidth, int movieHeight) {
  exportPanel_ = new CKV_ZarnExportPanel(this, movieWidth, movieHeight);
  if (auto* grid = qobject_cast<QGridLayout*>(layout())) {
    grid->addWidget(exportPanel_, grid->rowCount(), 0, 1, grid->columnCount());
  }
  exportPanel_->hide();
}

void CKV_ZarnSaveDialog::FollowFileType(const QString& filter) {
  const ExportType* type = ExportTypeOf(filter);
  const QString suffix = type != nullptr ? type->suffix : kFlashSuffix;
  setDefaultSuffix(suffix);
  // The Flash page embeds a Flash movie; a video has no such page.
  if (panel_ != nullptr) panel_->setVisible(type == nullptr);
  exportPanel_->setVisible(type != nullptr);
  if (type != nullptr) exportPanel_->SetFormat(*FormatOfSuffix(suffix));
  // The name typed so far takes the type's extension, when it carries one of ours.
  const QString typed = selectedFiles().value(0);
  const QFileInfo name(typed);
  if (typed.isEmpty() || name.isDir()) return;
  if (name.suffix().compare(kFlashSuffix, Qt::CaseInsensitive) == 0 ||
      FormatOfSuffix(name.suffix())) {
    selectFile(name.completeBaseName() + "." + suffix);
  }
}

std::optional<media::ExportFormat> CKV_ZarnSaveDialog::ChosenExport() const {
  return ExportFormatOfFilter(selectedNameFilter());
}

std::optional<media::ExportOptions> CKV_ZarnSaveDialog::ExportOptions() const {
  if (!ChosenExport()) return std::nullopt;
  return exportPanel_->Options(moviePath_);
}

int CKV_ZarnSaveDialog::AskedFlashVersion() const {
  return selectedNameFilter() == kFlash3Filter ? 3 : 4;
}

void CKV_ZarnSaveDialog::AddHtmlPanel() {
  panel_ = new QWidget(this);
  panel_->setObjectName("htmlOptions");
  panel_->setFixedSize(kPanelWidth, kPanelHeight);
  // The panel's top stands for the file-type list's bottom plus 10.
  const int b = -10;
  Place(new QLabel("Export HTML Options:", panel_), 10, b + 10, 160, b + 30)->adjustSize();
  PlaceLabelBefore(new QLabel("HTML File Name:", panel_), 20, b + 40, 120, b + 60);
  htmlName_ = Place(new QLineEdit(QString("Untitled%1.html").arg(Counter()), panel_), 130, b + 40,
                    330, b + 58);
  htmlName_->setMaxLength(kMaxPageName);
  resizable_ = Place(new QCheckBox("Resizable", panel_), 10, b + 90, 90, b + 110);
  resizable_->setChecked(page_.resizable);
  widthLabel_ = PlaceLabelBefore(new QLabel("SWF Width:", panel_), 100, b + 80, 170, b + 100);
  width_ = Place(new QLineEdit(QString::number(page_.width), panel_), 180, b + 80, 220, b + 100);
  heightLabel_ = PlaceLabelBefore(new QLabel("SWF Height:", panel_), 100, b + 110, 170, b + 130);
  height_ = Place(new QLineEdit(QString::number(page_.height), panel_), 180, b + 110, 220, b + 130);
  autoPlay_ = Place(new QCheckBox("Auto Play", panel_), 10, b + 155, 110, b + 175);
  autoPlay_->setChecked(page_.autoPlay);
  PlaceLabelBefore(new QLabel("Quality:", panel_), 250, b + 80, 300, b + 100);
  quality_ = Place(new QComboBox(panel_), 310, b + 80, 410, b + 100);
  quality_->addItems({"Best", "High", "Medium", "Auto High", "Auto Low", "Low"});
  quality_->setCurrentIndex(page_.quality - 1);
  PlaceLabelBefore(new QLabel("Align:", panel_), 250, b + 110, 300, b + 130);
  align_ = Place(new QComboBox(panel_), 310, b + 110, 410, b + 130);
  align_->addItems({"Center", "Left", "Right", "Top", "Bottom"});
  align_->setCurrentIndex(page_.align - 1);
  PlaceLabelBefore(new QLabel("Background Color:", panel_), 140, b + 158, 240, b + 178);
  colour_ = Place(new CKV_ZarnColorButton(panel_), 250, b + 148, 290, b + 188);
  colour_->SetColour(QColor(page_.red, page_.green, page_.blue));
  connect(resizable_, &QCheckBox::toggled, this, [this] { EnableSizeFields(); });
  EnableSizeFields();

  // Below every standard control of the dialog, across its whole width.
  if (auto* grid = qobject_cast<QGridLayout*>(layout())) {
    grid->addWidget(panel_, grid->rowCount(), 0, 1, grid->columnCount());
  }
  resize(width(), sizeHint().height() + kPanelHeight);
}

void CKV_ZarnSaveDialog::EnableSizeFields() {
  const bool resizable = resizable_->isChecked();
  for (QWidget* widget :
       std::initializer_list<QWidget*>{widthLabel_, width_, heightLabel_, height_}) {
    widget->setEnabled(resizable);
  }
}

bool CKV_ZarnSaveDialog::TakePageOptions(const QString& moviePath) {
  const QString name = htmlName_->text().left(kMaxPageName);
  if (name.trimmed().isEmpty()) {
    ShowCaptionedError(kSaveHtmlCaption, "Please enter a name for the HTML page.", {});
    return false;
  }
  page_.autoPlay = autoPlay_->isChecked();
  page_.resizable = resizable_->isChecked();
  const QColor colour = colour_->Colour();
  page_.red = static_cast<uint8_t>(colour.red());
  page_.green = static_cast<uint8_t>(colour.green());
  page_.blue = static_cast<uint8_t>(colour.blue());
  page_.width = ReadNumber(width_);
  page_.height = ReadNumber(height_);
  page_.align = align_->currentIndex() + 1;
  page_.quality = quality_->currentIndex() + 1;
  page_.htmlFileName = name.toStdString();
  pagePath_ = QFileInfo(moviePath).absoluteDir().filePath(name);
  return !QFileInfo::exists(pagePath_) || AskToReplace(kSaveHtmlCaption, pagePath_);
}

void CKV_ZarnSaveDialog::accept() {
  const QStringList files = selectedFiles();
  // A folder typed as the name opens it; that confirms nothing.
  if (files.isEmpty() || QFileInfo(files.first()).isDir()) {
    QFileDialog::accept();
    return;
  }
  moviePath_ = files.first();
  // The chosen type decides the format: "clip.webm" saved as MP4 becomes "clip.webm.mp4".
  const std::optional<media::ExportFormat> format = ChosenExport();
  if (format && media::ExportFormatOf(moviePath_.toStdString()) != format) {
    moviePath_ += "." + QString(ExportTypeOf(selectedNameFilter())->suffix);
  }
  if (const std::optional<media::ExportOptions> options = ExportOptions()) {
    std::string reason;
    if (!media::CheckExportOptions(*options, reason)) {
      ShowExportError(moviePath_, reason);
      return;
    }
  }
  // The movie's question comes first, as the name was typed for the movie.
  if (QFileInfo::exists(moviePath_) && !AskToReplace(windowTitle(), moviePath_)) return;
  ++Counter();
  if (WritesPage() && !TakePageOptions(moviePath_)) return;
  QFileDialog::accept();
}

}  // namespace zarn::app
