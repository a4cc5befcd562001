#include "app/save_as.h"

#include <QDir>
#include <QFileInfo>
#include <QStandardPaths>

#include "app/message_box.h"
#include "app/save_dialog.h"
#include "engine/build_movie_file.h"
#include "engine/colorref.h"

namespace zarn::app {
namespace {

// The dialog starts from the stored choices with the movie's size and background colour.
engine::HtmlOptions StartingPage(const StoredHtmlOptions& stored,
                                 const engine::MovieSettings& settings) {
  engine::HtmlOptions page;
  page.width = settings.movieWidth;
  page.height = settings.movieHeight;
  page.red = engine::RedOf(settings.backgroundColor);
  page.green = engine::GreenOf(settings.backgroundColor);
  page.blue = engine::BlueOf(settings.backgroundColor);
  page.resizable = stored.resizable;
  page.autoPlay = stored.autoPlay;
  page.align = stored.align;
  page.quality = stored.quality;
  return page;
}

}  // namespace

void RunSaveAs(SaveAsRequest& request, glyphs::CKV_FontService& fonts,
               const std::function<void(QWidget&)>& hook) {
  if (request.folder.isEmpty()) {
    request.folder = QStandardPaths::writableLocation(QStandardPaths::DocumentsLocation);
    if (!QDir(request.folder).exists()) request.folder = QDir::homePath();
  }
  const engine::MovieSettings& settings = request.settings;
  CKV_ZarnSaveDialog dialog(settings.flags.exportHtml, StartingPage(request.html, settings),
                            request.folder, QString("Untitled%1.swf").arg(request.movieCounter),
                            request.effectVersion);
  if (hook) {
    hook(dialog);
  } else {
    dialog.exec();
  }
  if (dialog.result() != QDialog::Accepted || dialog.selectedFiles().isEmpty()) return;

  const QString movie = dialog.selectedFiles().first();
  request.folder = QFileInfo(movie).absolutePath();
  int version = request.effectVersion;
  if (version < 4) version = dialog.selectedNameFilter() == kFlash3Filter ? 3 : 4;
  const engine::ErrorSink sink = MessageBoxSink();
  // The page comes first and stays whether or not the movie can be built.
  if (settings.flags.exportHtml) {
    engine::WriteHtmlPage(dialog.PageOptions(), QFileInfo(movie).fileName().toStdString(),
                          dialog.PagePath().toStdString(), sink);
  }
  engine::BuildMovieFile(settings, {request.effectPath, movie.toStdString(), false, version}, fonts,
                         sink);
  ++request.movieCounter;
}

}  // namespace zarn::app
