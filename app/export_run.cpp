#include "app/export_run.h"

#include <QFileInfo>
#include <QProgressDialog>
#include <QTemporaryDir>

#include "app/message_box.h"
#include "engine/build_movie_file.h"
#include "media/movie_export.h"
#include "player/movie_loader.h"

namespace zarn::app {
namespace {

// Exports shorter than this finish without a progress dialog.
constexpr int kMomentMs = 500;

}  // namespace

void ShowExportError(const QString& path, std::string_view reason) {
  const QString message =
      QString("The movie cannot be exported to %1:").arg(QFileInfo(path).fileName());
  ShowCaptionedError(kExportCaption, message.toStdString(), reason);
}

bool ExportMovieFile(const engine::MovieSettings& settings, const std::string& effectPath,
                     const media::ExportOptions& options, glyphs::CKV_FontService& fonts,
                     QWidget* owner, const std::function<void(QWidget&)>& hook) {
  const QString path = QString::fromStdString(options.path);
  const QTemporaryDir folder;
  if (!folder.isValid()) {
    ShowExportError(path,
                    "no temporary folder for the movie: " + folder.errorString().toStdString());
    return false;
  }
  // The movie in the template's own Flash version, as the player plays it.
  const std::string movie = folder.filePath("movie.swf").toStdString();
  if (!engine::BuildMovieFile(settings, {effectPath, movie, false, 0}, fonts, MessageBoxSink()))
    return false;
  const player::MovieLoadResult loaded = player::LoadMovieFile(movie);
  if (!loaded.movie) {
    ShowExportError(path, loaded.error);
    return false;
  }

  QProgressDialog progress(QString("Exporting %1 ...").arg(QFileInfo(path).fileName()), "Cancel", 0,
                           1, owner);
  progress.setWindowTitle(kExportCaption);
  // Modal to every window, so that no Save As or preview starts inside the export.
  progress.setWindowModality(Qt::ApplicationModal);
  progress.setMinimumDuration(kMomentMs);
  bool handedOver = false;
  // A modal progress dialog takes the events waiting at each frame, Cancel among them.
  const media::ExportProgress onFrame = [&](uint32_t done, uint32_t total) {
    if (progress.maximum() != static_cast<int>(total)) progress.setMaximum(static_cast<int>(total));
    progress.setValue(static_cast<int>(done));
    if (hook && !handedOver) {
      handedOver = true;
      hook(progress);
    }
    return !progress.wasCanceled();
  };
  std::string error;
  if (media::ExportMovie(loaded.movie, options, onFrame, error)) return true;
  if (!progress.wasCanceled()) ShowExportError(path, error);
  return false;
}

}  // namespace zarn::app
