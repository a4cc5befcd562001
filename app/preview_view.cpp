#include "app/preview_view.h"

#include <QImage>
#include <QMouseEvent>
#include <QPainter>
#include <cmath>

#include "player/image.h"

namespace zarn::app {

CKV_ZarnPreviewView::CKV_ZarnPreviewView(QWidget* parent) : QWidget(parent) {
  setAttribute(Qt::WA_OpaquePaintEvent);
  setMouseTracking(true);
  timer_.setTimerType(Qt::PreciseTimer);
  connect(&timer_, &QTimer::timeout, this, [this] { Step(); });
}

void CKV_ZarnPreviewView::Restart() {
  const double rate = control_.FrameRate();
  timer_.setInterval(rate > 0 ? static_cast<int>(std::lround(1000.0 / rate)) : 1000);
  clock_.restart();
  if (isVisible()) timer_.start();
  update();
}

void CKV_ZarnPreviewView::Step() {
  const double elapsed = static_cast<double>(clock_.nsecsElapsed()) / 1e9;
  clock_.restart();
  if (control_.Advance(elapsed) > 0) update();
}

QSize CKV_ZarnPreviewView::DeviceSize() const {
  const qreal ratio = devicePixelRatioF();
  return {std::max(1, static_cast<int>(std::lround(width() * ratio))),
          std::max(1, static_cast<int>(std::lround(height() * ratio)))};
}

void CKV_ZarnPreviewView::paintEvent(QPaintEvent*) {
  const qreal ratio = devicePixelRatioF();
  const QSize size = DeviceSize();
  QPainter painter(this);
  const std::unique_ptr<player::CKV_Image> image =
      player::CKV_Image::Create(size.width(), size.height());
  if (!image) {
    painter.fillRect(rect(), Qt::black);
    return;
  }
  control_.Draw(*image, ratio);
  QImage frame(image->Data(), image->Width(), image->Height(), image->Stride(),
               QImage::Format_ARGB32_Premultiplied);
  frame.setDevicePixelRatio(ratio);
  painter.drawImage(0, 0, frame);
}

void CKV_ZarnPreviewView::showEvent(QShowEvent*) {
  clock_.restart();
  timer_.start();
}

void CKV_ZarnPreviewView::hideEvent(QHideEvent*) {
  timer_.stop();
}

void CKV_ZarnPreviewView::mouseMoveEvent(QMouseEvent* event) {
  Route(*event, &player::CKV_PreviewControl::MouseMove);
}

void CKV_ZarnPreviewView::mousePressEvent(QMouseEvent* event) {
  if (event->button() == Qt::LeftButton) Route(*event, &player::CKV_PreviewControl::MouseDown);
}

void CKV_ZarnPreviewView::mouseReleaseEvent(QMouseEvent* event) {
  if (event->button() == Qt::LeftButton) Route(*event, &player::CKV_PreviewControl::MouseUp);
}

void CKV_ZarnPreviewView::Route(const QMouseEvent& event, MouseCall call) {
  // The output size the next drawing will have, so that a press before the first paint or
  // after a resize lands where the person sees it.
  const QSize size = DeviceSize();
  const qreal ratio = devicePixelRatioF();
  control_.SetOutputSize(size.width() / ratio, size.height() / ratio);
  (control_.*call)(event.position().x(), event.position().y());
  // The movie may have been replaced by a handler; the hand follows what is under the pointer.
  setCursor(control_.IsOverButton() ? Qt::PointingHandCursor : Qt::ArrowCursor);
  update();
}

}  // namespace zarn::app
