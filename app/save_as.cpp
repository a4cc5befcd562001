#include "app/save_as.h"

#include <QDir>
#include <QFileInfo>
#include <QStandardPaths>

#include "app/export_run.h"
#include "app/message_box.h"
#include "app/save_dialog.h"
#include "engine/build_movie_file.h"

namespace zarn::app {
namespace {

// The dialog starts from the stored choices with the movie's size and background colour.
engine::HtmlOptions StartingPage(const StoredHtmlOptions& stored,
                                 const engine::MovieSettings& settings) {
  engine::HtmlOptions choices;
  choices.resizable = stored.resizable;
  choices.autoPlay = stored.autoPlay;
  choices.align = stored.align;
  choices.quality = stored.quality;
  return engine::PageOptionsFor(settings, choices);
}

// Builds the Flash movie the dialog asked for, after the page when it asked for one.
void SaveFlashMovie(const SaveAsRequest& request, const CKV_ZarnSaveDialog& dialog,
                    glyphs::CKV_FontService& fonts) {
  const std::string movie = dialog.MoviePath().toStdString();
  const engine::ErrorSink sink = MessageBoxSink();
  // The page comes first and stays whether or not the movie can be built.
  if (dialog.WritesPage()) {
    engine::WriteHtmlPage(dialog.PageOptions(), engine::EmbedName(movie),
                          dialog.PagePath().toStdString(), sink);
  }
  // The engine decides the version from the template's and the one the file type asks for.
  engine::BuildMovieFile(request.settings,
                         {request.effectPath, movie, false, dialog.AskedFlashVersion()}, fonts,
                         sink);
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
  if (dialog.result() != QDialog::Accepted || dialog.MoviePath().isEmpty()) return;

  request.folder = QFileInfo(dialog.MoviePath()).absolutePath();
  if (const std::optional<media::ExportOptions> options = dialog.ExportOptions()) {
    ExportMovieFile(settings, request.effectPath, *options, fonts, request.owner, hook);
  } else {
    SaveFlashMovie(request, dialog, fonts);
  }
  ++request.movieCounter;
}

}  // namespace zarn::app
