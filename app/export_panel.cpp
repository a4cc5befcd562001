#include "app/export_panel.h"

#include <QCheckBox>
#include <QLabel>
#include <QSpinBox>

#include "app/panel_layout.h"

namespace zarn::app {
namespace {

constexpr int kWidth = 420;
// The export draws at most this many pixels a side and writes at most this many passes.
constexpr int kMaxSide = 8192;
constexpr int kMaxLoops = 1000;

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
}

void CKV_ZarnExportPanel::SetFormat(media::ExportFormat format) {
  const bool onePass = format == media::ExportFormat::kGif;
  if (onePass) loops_->setValue(1);
  loops_->setEnabled(!onePass);
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
