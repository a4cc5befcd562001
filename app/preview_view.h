#pragma once

#include <QElapsedTimer>
#include <QTimer>
#include <QWidget>
#include <memory>

#include "player/preview_control.h"

namespace zarn::app {

// The player's preview control as a Qt widget: a precise timer at the base movie's frame rate
// (stopped while hidden), the stage drawn at the screen's pixel ratio, and the mouse handed to
// the player in the same coordinates, with the hand over its buttons.
class CKV_ZarnPreviewView : public QWidget {
 public:
  explicit CKV_ZarnPreviewView(QWidget* parent);

  player::CKV_PreviewControl& Control() { return control_; }
  // Starts the clock again after a load, at the new movie's rate.
  void Restart();

 protected:
  void paintEvent(QPaintEvent* event) override;
  void showEvent(QShowEvent* event) override;
  void hideEvent(QHideEvent* event) override;
  void mouseMoveEvent(QMouseEvent* event) override;
  void mousePressEvent(QMouseEvent* event) override;
  void mouseReleaseEvent(QMouseEvent* event) override;

 private:
  void Step();
  // The drawing's size in device pixels; the control takes mouse positions in this size
  // divided by the ratio, as it draws.
  QSize DeviceSize() const;
  using MouseCall = void (player::CKV_PreviewControl::*)(double x, double y);
  // Hands a mouse event to the control, then shows the hand over a button.
  void Route(const QMouseEvent& event, MouseCall call);

  player::CKV_PreviewControl control_;
  QTimer timer_;
  QElapsedTimer clock_;
};

}  // namespace zarn::app
