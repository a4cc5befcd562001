#pragma once

#include <QString>
#include <QWidget>

#include "media/export_format.h"
#include "media/export_options.h"

class QCheckBox;
class QLabel;
class QLineEdit;
class QSpinBox;

namespace zarn::app {

// The options of a video or animated image, below the Save As dialog's own controls while such
// a file type is chosen: the size it is drawn at (from the vectors), a transparent background,
// the passes of a looping movie, and a page that plays the export, with the files it brings.
class CKV_ZarnExportPanel : public QWidget {
 public:
  // The size starts at the movie's.
  CKV_ZarnExportPanel(QWidget* parent, int movieWidth, int movieHeight);

  // A GIF is written in one pass, so its loops stay at one.
  void SetFormat(media::ExportFormat format);
  // The export's file name (with the type's extension): the page's name follows it until the
  // user types one, and the note tells the files the page brings or why there can be no page.
  void SetMovieName(const QString& fileName);
  // The export of the movie to path with what the panel holds.
  media::ExportOptions Options(const QString& path) const;
  bool WritesPage() const;
  QString PageName() const;

  QSpinBox* WidthBox() const { return width_; }
  QSpinBox* HeightBox() const { return height_; }
  QSpinBox* LoopsBox() const { return loops_; }
  QCheckBox* TransparentBox() const { return transparent_; }
  QCheckBox* PageBox() const { return page_; }
  QLineEdit* PageNameEdit() const { return pageName_; }
  QLabel* PageNote() const { return pageNote_; }

  static constexpr int kHeight = 200;

 private:
  QSpinBox* width_ = nullptr;
  QSpinBox* height_ = nullptr;
  QSpinBox* loops_ = nullptr;
  QCheckBox* transparent_ = nullptr;
  QCheckBox* page_ = nullptr;
  QLabel* pageNameLabel_ = nullptr;
  QLineEdit* pageName_ = nullptr;
  QLabel* pageNote_ = nullptr;
  QString movieName_;
  bool pageNameTyped_ = false;

  void ShowPageNote();
};

}  // namespace zarn::app
