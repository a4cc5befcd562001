#pragma once

#include <QString>
#include <QWidget>

#include "media/export_format.h"
#include "media/export_options.h"

class QCheckBox;
class QSpinBox;

namespace zarn::app {

// The options of a video or animated image, below the Save As dialog's own controls while such
// a file type is chosen: the size it is drawn at (from the vectors), a transparent background
// and the passes of a looping movie.
class CKV_ZarnExportPanel : public QWidget {
 public:
  // The size starts at the movie's.
  CKV_ZarnExportPanel(QWidget* parent, int movieWidth, int movieHeight);

  // A GIF is written in one pass, so its loops stay at one.
  void SetFormat(media::ExportFormat format);
  // The export of the movie to path with what the panel holds.
  media::ExportOptions Options(const QString& path) const;

  QSpinBox* WidthBox() const { return width_; }
  QSpinBox* HeightBox() const { return height_; }
  QSpinBox* LoopsBox() const { return loops_; }
  QCheckBox* TransparentBox() const { return transparent_; }

  static constexpr int kHeight = 100;

 private:
  QSpinBox* width_ = nullptr;
  QSpinBox* height_ = nullptr;
  QSpinBox* loops_ = nullptr;
  QCheckBox* transparent_ = nullptr;
};

}  // namespace zarn::app
