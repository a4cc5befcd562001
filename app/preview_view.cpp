#include "app/preview_view.h"

#include <QImage>
#include <QPainter>
#include <cmath>

#include "player/image.h"

namespace zarn::app {

CKV_ZarnPreviewView::CKV_ZarnPreviewView(QWidget* parent) : QWidget(parent) {
  setAttribute(Qt::WA_OpaquePaintEvent);
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

void CKV_ZarnPreviewView::paintEvent(QPaintEvent*) {
  const qreal ratio = devicePixelRatioF();
  const int width = std::max(1, static_cast<int>(std::lround(this->width() * ratio)));
  const int height = std::max(1, static_cast<int>(std::lround(this->height() * ratio)));
  QPainter painter(this);
  const std::unique_ptr<player::CKV_Image> image = player::CKV_Image::Create(width, height);
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

}  // namespace zarn::app
