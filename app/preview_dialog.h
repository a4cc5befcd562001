#pragma once

#include <QPoint>
#include <QWidget>
#include <string>

#include "app/app_folders.h"

namespace zarn::app {

class CKV_ZarnMainWindow;
class CKV_ZarnPreviewView;

// "Kalvoren Zarn | Preview": a resizable window whose inside is the movie's size, playing the
// preview with the position cross behind it. Resizing it resizes the movie; dragging the cross
// moves the text; closing it hides it and stops the movie.
class CKV_ZarnPreviewDialog : public QWidget {
 public:
  CKV_ZarnPreviewDialog(CKV_ZarnMainWindow& main, const AppFolders& folders, QWidget* owner);

  // What a preview shows besides the movie.
  struct MovieShow {
    int width = 0;
    int height = 0;
    bool cross = false;
    int textX = 0;
    int textY = 0;
    // 0x00BBGGRR.
    uint32_t background = 0;
    float frameRate = 12.0F;
  };
  void ShowMovie(const MovieShow& request);
  QPoint TopLeft() const { return frameGeometry().topLeft(); }
  void Destroy();

  CKV_ZarnPreviewView& View() const { return *view_; }

 protected:
  void resizeEvent(QResizeEvent* event) override;
  void closeEvent(QCloseEvent* event) override;

 private:
  // True when the cross plays at level 0 with the movie over it.
  bool LoadWithCross(const MovieShow& request);
  // The cross has been let go: its place, when it is one, becomes the text position.
  void OnFsCommand();
  static void OpenAddress(const std::string& address);

  CKV_ZarnMainWindow& main_;
  AppFolders folders_;
  CKV_ZarnPreviewView* view_ = nullptr;
  int lastWidth_ = 0;
  int lastHeight_ = 0;
  // Set while our own resize runs: its size events are not the user's.
  bool resizing_ = false;
  bool crossMissingReported_ = false;
  // Only the cross's own event may move the text; an effect's FSCommand without it must not.
  bool crossShown_ = false;
};

}  // namespace zarn::app
