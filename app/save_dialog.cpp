#include "app/save_dialog.h"

#include <QCheckBox>
#include <QColorDialog>
#include <QComboBox>
#include <QFileInfo>
#include <QGridLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPainter>
#include <algorithm>

#include "app/message_box.h"
#include "engine/movie_settings.h"

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

template <class Widget>
Widget* Place(Widget* widget, int left, int top, int right, int bottom) {
  widget->setGeometry(left, top, right - left, bottom - top);
  return widget;
}

// A label for the control on its right: its text ends at the right edge, and a text wider
// than the place grows to the left.
QLabel* PlaceLabelBefore(QLabel* label, int left, int top, int right, int bottom) {
  label->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
  return Place(label, std::min(left, right - label->sizeHint().width()), top, right, bottom);
}

int ReadNumber(const QLineEdit* edit) {
  return engine::FieldToInt(edit->text().left(kMaxPageName).toStdString());
}

}  // namespace

QStringList MovieFilters(int effectVersion) {
  if (effectVersion >= 4) return {kFlash4Filter};
  return {kFlash3Filter, kFlash4Filter};
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
  setDefaultSuffix("swf");
  setNameFilters(MovieFilters(effectVersion));
  selectFile(movieName);
  setWindowModality(Qt::ApplicationModal);
  if (exportHtml_) AddHtmlPanel();
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
  // The movie's question comes first, as the name was typed for the movie.
  if (QFileInfo::exists(files.first()) && !AskToReplace(windowTitle(), files.first())) return;
  ++Counter();
  if (exportHtml_ && !TakePageOptions(files.first())) return;
  QFileDialog::accept();
}

}  // namespace zarn::app
