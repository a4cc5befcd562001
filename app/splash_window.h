#pragma once

#include <QImage>
#include <QString>
#include <QWidget>
#include <memory>
#include <string>

namespace zarn::app {

// The program's version as both windows show it.
QString VersionText();

// A borderless window showing the skin "kalvsp.wui" with texts over it. Every text is kept and
// drawn again at each paint, so an expose never erases it.
class CKV_ZarnSkinPanel : public QWidget {
 public:
  struct Text {
    QPoint at;
    QString text;
    QColor colour;
  };

  // False when the skin cannot be read.
  bool LoadSkin(const std::string& path);
  void SetFont(const QFont& font) { textFont_ = font; }
  // Sets text number slot, at its place, and repaints at once.
  void SetText(size_t slot, const Text& text);
  const Text& TextAt(size_t slot) const { return texts_.at(slot); }

 protected:
  explicit CKV_ZarnSkinPanel(Qt::WindowFlags flags);
  void paintEvent(QPaintEvent* event) override;

 private:
  QImage skin_;
  QFont textFont_;
  std::vector<Text> texts_;
};

// The splash shown while the program starts: the version and two status lines that the
// effects scan fills.
class CKV_ZarnSplash : public CKV_ZarnSkinPanel {
 public:
  CKV_ZarnSplash();
  // Loads the skin, centres the window on the screen and shows it; false on failure.
  bool Show(const std::string& skinPath);
  void StatusLine1(const QString& text);
  void StatusLine2(const QString& text);
};

// "About Kalvoren Zarn": the skin, the version and the credits, until a left press anywhere
// (the mouse is held; Esc and other buttons do nothing).
class CKV_ZarnAboutBox : public CKV_ZarnSkinPanel {
 public:
  explicit CKV_ZarnAboutBox(QWidget* owner);
  bool Load(const std::string& skinPath);
  // Returns after the left press; does nothing when the skin cannot be read.
  static void Run(QWidget* owner, const std::string& skinPath);

 protected:
  void mousePressEvent(QMouseEvent* event) override;
  void keyPressEvent(QKeyEvent* event) override;

 private:
  bool done_ = false;
};

}  // namespace zarn::app
