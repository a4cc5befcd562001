#include "app/preview_dialog.h"

#include <QCloseEvent>
#include <QDesktopServices>
#include <QResizeEvent>
#include <QUrl>

#include "app/main_window.h"
#include "app/message_box.h"
#include "app/preview_view.h"
#include "engine/colorref.h"
#include "engine/zarn_helper.h"

namespace zarn::app {
namespace {

constexpr int kCrossLevel = 0;
constexpr int kMovieLevel = 10;

}  // namespace

CKV_ZarnPreviewDialog::CKV_ZarnPreviewDialog(CKV_ZarnMainWindow& main, const AppFolders& folders,
                                             QWidget* owner)
    : QWidget(owner, Qt::Window), main_(main), folders_(folders) {
  setWindowTitle("Kalvoren Zarn | Preview");
  view_ = new CKV_ZarnPreviewView(this);
  view_->setGeometry(rect());
  player::CKV_PreviewControl& control = view_->Control();
  control.SetOpenAddressHandler(
      [](const std::string& address, const std::string&) { OpenAddress(address); });
}

void CKV_ZarnPreviewDialog::ShowMovie(const MovieShow& request) {
  if (request.width != lastWidth_ || request.height != lastHeight_) {
    lastWidth_ = request.width;
    lastHeight_ = request.height;
    resizing_ = true;
    resize(request.width, request.height);
    resizing_ = false;
    raise();
  }
  player::CKV_PreviewControl& control = view_->Control();
  const std::string movie = folders_.Work("preview.swf").string();
  if (request.cross) {
    LoadWithCross(request);
  } else {
    control.LoadMovie(kCrossLevel, movie);
  }
  if (!isVisible()) show();
  control.SetBackgroundColor(static_cast<int32_t>(engine::RedOf(request.background) << 16 |
                                                  engine::GreenOf(request.background) << 8 |
                                                  engine::BlueOf(request.background)));
  view_->Restart();
}

void CKV_ZarnPreviewDialog::LoadWithCross(const MovieShow& request) {
  player::CKV_PreviewControl& control = view_->Control();
  const std::string cross = folders_.Work("~klv0003.tmp").string();
  const std::string movie = folders_.Work("preview.swf").string();
  // A cross that cannot be made or played is told once; the movie then plays alone.
  const engine::ErrorSink once = [this](std::string_view caption, std::string_view text,
                                        std::string_view detail) {
    if (crossMissingReported_) return;
    crossMissingReported_ = true;
    ShowCaptionedError(caption, text, detail);
  };
  engine::CZarnHelper helper(once, engine::FileSync::kNoFlush);
  if (!helper.ResizeMovieFile(folders_.Data("kalvprep.wui").string(), cross, request.width,
                              request.height, request.frameRate) ||
      !control.LoadMovie(kCrossLevel, cross)) {
    once(engine::kErrorCaption, "File Error", cross + ": the position cross cannot be played");
    control.LoadMovie(kCrossLevel, movie);
    return;
  }
  control.LoadMovie(kMovieLevel, movie);
}

void CKV_ZarnPreviewDialog::OpenAddress(const std::string& address) {
  const QUrl url(QString::fromStdString(address));
  const QString scheme = url.scheme().toLower();
  if (url.isValid() && (scheme == "http" || scheme == "https" || scheme == "mailto")) {
    QDesktopServices::openUrl(url);
  }
}

void CKV_ZarnPreviewDialog::resizeEvent(QResizeEvent* event) {
  view_->setGeometry(rect());
  const QSize size = event->size();
  if (resizing_ || !isVisible() || isMinimized() || size.width() < 1 || size.height() < 1) {
    return;
  }
  if (size.width() == lastWidth_ && size.height() == lastHeight_) return;
  main_.SetMovieSize(size.width(), size.height());
}

void CKV_ZarnPreviewDialog::closeEvent(QCloseEvent* event) {
  event->ignore();
  hide();
  view_->Control().Stop();
}

void CKV_ZarnPreviewDialog::Destroy() {
  hide();
  view_->Control().Stop();
}

}  // namespace zarn::app
