#include "app/preview_dialog.h"

#include <QCloseEvent>
#include <QDesktopServices>
#include <QResizeEvent>
#include <QUrl>
#include <cmath>
#include <optional>

#include "app/main_window.h"
#include "app/message_box.h"
#include "app/preview_view.h"
#include "engine/colorref.h"
#include "engine/input_limits.h"
#include "engine/zarn_helper.h"

namespace zarn::app {
namespace {

constexpr int kCrossLevel = 0;
constexpr int kMovieLevel = 10;
constexpr const char* kCross = "/cross";
constexpr int kPropertyX = 0;
constexpr int kPropertyY = 1;

// A clip coordinate cut toward zero, when it is a text position the edits can hold.
std::optional<int> TextCoordinate(std::optional<double> value) {
  if (!value || !std::isfinite(*value)) return std::nullopt;
  const double whole = std::trunc(*value);
  if (whole < engine::kMinPosition || whole > engine::kMaxPosition) return std::nullopt;
  return static_cast<int>(whole);
}

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
  control.SetFsCommandHandler([this](const std::string&, const std::string&) { OnFsCommand(); });
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
  crossShown_ = request.cross && LoadWithCross(request);
  if (!request.cross) control.LoadMovie(kCrossLevel, movie);
  if (!isVisible()) show();
  control.SetBackgroundColor(static_cast<int32_t>(engine::RedOf(request.background) << 16 |
                                                  engine::GreenOf(request.background) << 8 |
                                                  engine::BlueOf(request.background)));
  view_->Restart();
}

bool CKV_ZarnPreviewDialog::LoadWithCross(const MovieShow& request) {
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
    return false;
  }
  control.TSetPropertyNum(kCross, kPropertyX, request.textX);
  control.TSetPropertyNum(kCross, kPropertyY, request.textY);
  control.LoadMovie(kMovieLevel, movie);
  return true;
}

void CKV_ZarnPreviewDialog::OnFsCommand() {
  if (!crossShown_) return;
  player::CKV_PreviewControl& control = view_->Control();
  const std::optional<int> x = TextCoordinate(control.TGetPropertyNum(kCross, kPropertyX));
  const std::optional<int> y = TextCoordinate(control.TGetPropertyNum(kCross, kPropertyY));
  if (!x || !y) return;
  // A release without a move would otherwise rebuild the same movie again.
  const engine::MovieSettings& now = main_.CollectSettings();
  if (*x == now.originX && *y == now.originY) return;
  main_.SetTextPosition(*x, *y);
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
