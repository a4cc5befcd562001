#pragma once

#include <QElapsedTimer>
#include <QTimer>
#include <QWidget>
#include <memory>

#include "player/preview_control.h"

namespace zarn::app {

// The player's preview control as a Qt widget: a precise timer at the base movie's frame rate
// (stopped while hidden) and the stage drawn at the screen's pixel ratio.
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

 private:
  void Step();

  player::CKV_PreviewControl control_;
  QTimer timer_;
  QElapsedTimer clock_;
};

}  // namespace zarn::app
