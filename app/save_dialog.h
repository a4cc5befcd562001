#pragma once

#include <QColor>
#include <QFileDialog>
#include <QPushButton>
#include <functional>
#include <optional>

#include "engine/html_page.h"
#include "media/export_format.h"
#include "media/export_options.h"

class QCheckBox;
class QComboBox;
class QLabel;
class QLineEdit;

namespace zarn::app {

class CKV_ZarnExportPanel;

inline constexpr const char* kFlash3Filter = "Macromedia Flash Player 3.0 (*.swf)";
inline constexpr const char* kFlash4Filter = "Macromedia Flash Player 4.0 (*.swf)";

// The file types offered for an effect of the given version: Flash 4 only from version 4 on,
// then the videos and animated images.
QStringList MovieFilters(int effectVersion);
// The video or animated image a file type stands for; none for the Flash types.
std::optional<media::ExportFormat> ExportFormatOfFilter(const QString& filter);

// A 40 x 40 square of the page colour; a click asks for another colour.
class CKV_ZarnColorButton : public QPushButton {
 public:
  using Picker = std::function<std::optional<QColor>(const QColor& initial)>;

  explicit CKV_ZarnColorButton(QWidget* parent);
  QColor Colour() const { return colour_; }
  void SetColour(const QColor& colour);
  void SetPicker(Picker picker) { picker_ = std::move(picker); }

 protected:
  void paintEvent(QPaintEvent* event) override;

 private:
  QColor colour_;
  Picker picker_;
};

// The Save As dialog: Qt's own (not the desktop's) file dialog, so that the HTML options can sit
// below its standard controls when the main window's HTML export box is checked.
class CKV_ZarnSaveDialog : public QFileDialog {
 public:
  // start: the page options to begin with (stored flags, align and quality; the movie's size
  // and background colour).
  CKV_ZarnSaveDialog(bool exportHtml, const engine::HtmlOptions& start, const QString& folder,
                     const QString& movieName, int effectVersion);

  // The confirmed file: as typed, with the extension of a video or animated image type added
  // when the name does not end in it.
  QString MoviePath() const { return moviePath_; }
  // The video or animated image to write instead of a Flash movie; none for a Flash type.
  std::optional<media::ExportOptions> ExportOptions() const;
  // The Flash version the chosen type asks for (3 or 4).
  int AskedFlashVersion() const;
  // Whether a page goes with the movie: HTML export is on and a Flash type was chosen.
  bool WritesPage() const { return exportHtml_ && !ChosenExport(); }
  // What the user confirmed; the page's file name is bare.
  const engine::HtmlOptions& PageOptions() const { return page_; }
  // The page's full path, beside the movie.
  QString PagePath() const { return pagePath_; }
  // The number the next proposed page name carries; it counts every confirmed name.
  static int PageCounter();

  QWidget* HtmlPanel() const { return panel_; }
  QLineEdit* HtmlNameEdit() const { return htmlName_; }
  QCheckBox* ResizableBox() const { return resizable_; }
  QLineEdit* WidthEdit() const { return width_; }
  QLineEdit* HeightEdit() const { return height_; }
  QCheckBox* AutoPlayBox() const { return autoPlay_; }
  QComboBox* QualityList() const { return quality_; }
  QComboBox* AlignList() const { return align_; }
  CKV_ZarnColorButton* ColourButton() const { return colour_; }
  CKV_ZarnExportPanel* ExportPanel() const { return exportPanel_; }

  void accept() override;

 private:
  void AddHtmlPanel();
  void AddExportPanel(int movieWidth, int movieHeight);
  void EnableSizeFields();
  // Shows the panel the chosen type needs and gives the typed name that type's extension.
  void FollowFileType(const QString& filter);
  std::optional<media::ExportFormat> ChosenExport() const;
  // False when the page's name is refused; the dialog then stays open.
  bool TakePageOptions(const QString& moviePath);

  bool exportHtml_ = false;
  engine::HtmlOptions page_;
  QString pagePath_;
  QString moviePath_;
  QWidget* panel_ = nullptr;
  QLineEdit* htmlName_ = nullptr;
  QCheckBox* resizable_ = nullptr;
  QLabel* widthLabel_ = nullptr;
  QLineEdit* width_ = nullptr;
  QLabel* heightLabel_ = nullptr;
  QLineEdit* height_ = nullptr;
  QCheckBox* autoPlay_ = nullptr;
  QComboBox* quality_ = nullptr;
  QComboBox* align_ = nullptr;
  CKV_ZarnColorButton* colour_ = nullptr;
  CKV_ZarnExportPanel* exportPanel_ = nullptr;
};

}  // namespace zarn::app
