#include "app/splash_window.h"

#include <QEventLoop>
#include <QGuiApplication>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QPainter>
#include <QScreen>

#include "gui/skin_image.h"
#include "gui/surface.h"

namespace zarn::app {
namespace {

constexpr int kMajorVersion = 2;
constexpr int kMinorVersion = 0;
const QPoint kVersionAt{540, 75};
const QColor kWhite{255, 255, 255};
const QColor kStatusColour{128, 255, 255};
constexpr int kStatusWidth = 300;
constexpr int kStatusHeight = 20;
const QPoint kStatus1At{20, 180};
const QPoint kStatus2At{20, 200};
constexpr size_t kVersionSlot = 0;

// Two sentences, one in each group of three lines.
constexpr const char* kCredits[] = {
    "Zarn was created and", "is looked after by a", "small team of makers.",
    "With thanks to every", "tester and user who",  "helped shape it.",
};
constexpr int kCreditTops[] = {180, 192, 204, 230, 242, 254};

void CentreOn(QWidget& window, const QWidget* reference) {
  const QRect area = reference != nullptr ? reference->frameGeometry()
                                          : QGuiApplication::primaryScreen()->availableGeometry();
  QRect frame = window.frameGeometry();
  frame.moveCenter(area.center());
  window.move(frame.topLeft());
}

}  // namespace

QString VersionText() {
  return QString::asprintf("%d.%02d", kMajorVersion, kMinorVersion);
}

CKV_ZarnSkinPanel::CKV_ZarnSkinPanel(Qt::WindowFlags flags)
    : QWidget(nullptr, flags | Qt::FramelessWindowHint) {
  setAttribute(Qt::WA_OpaquePaintEvent);
}

bool CKV_ZarnSkinPanel::LoadSkin(const std::string& path) {
  gui::CKV_SkinImage image;
  std::unique_ptr<gui::CKV_Surface> surface;
  if (!image.Load(path) || !gui::CreateSurface(surface, static_cast<int32_t>(image.width),
                                               static_cast<int32_t>(image.height), 32)) {
    return false;
  }
  image.DrawTo(0, 0, *surface);
  skin_ = surface->image;
  setFixedSize(skin_.size());
  return true;
}

void CKV_ZarnSkinPanel::SetText(size_t slot, const Text& text) {
  if (texts_.size() <= slot) texts_.resize(slot + 1);
  texts_[slot] = text;
  // The start-up runs without the event loop: show the change now.
  if (isVisible()) repaint();
}

void CKV_ZarnSkinPanel::paintEvent(QPaintEvent*) {
  QPainter painter(this);
  painter.drawImage(0, 0, skin_);
  painter.setFont(textFont_);
  for (const Text& text : texts_) {
    painter.setPen(text.colour);
    painter.drawText(QRect(text.at, QSize(width() - text.at.x(), kStatusHeight)),
                     Qt::AlignLeft | Qt::AlignTop | Qt::TextSingleLine, text.text);
  }
}

CKV_ZarnSplash::CKV_ZarnSplash() : CKV_ZarnSkinPanel(Qt::SplashScreen) {
  setWindowTitle("Splash");
  SetFont(gui::SkinFont("Arial", 9, 700));
}

bool CKV_ZarnSplash::Show(const std::string& skinPath) {
  if (!LoadSkin(skinPath)) return false;
  SetText(kVersionSlot, {kVersionAt, VersionText(), kWhite});
  CentreOn(*this, nullptr);
  show();
  repaint();
  return true;
}

void CKV_ZarnSplash::StatusLine1(const QString& text) {
  SetText(1, {kStatus1At, text.left(kStatusWidth), kStatusColour});
}

void CKV_ZarnSplash::StatusLine2(const QString& text) {
  SetText(2, {kStatus2At, text.left(kStatusWidth), kStatusColour});
}

CKV_ZarnAboutBox::CKV_ZarnAboutBox(QWidget* owner) : CKV_ZarnSkinPanel(Qt::Dialog) {
  setWindowTitle("About Kalvoren Zarn");
  setWindowModality(Qt::ApplicationModal);
  SetFont(gui::SkinFont("Arial", 8, 600));
  if (owner != nullptr) setParent(owner, windowFlags());
}

bool CKV_ZarnAboutBox::Load(const std::string& skinPath) {
  if (!LoadSkin(skinPath)) return false;
  SetText(kVersionSlot, {kVersionAt, VersionText(), kWhite});
  for (size_t i = 0; i < std::size(kCredits); ++i) {
    SetText(i + 1, {QPoint(10, kCreditTops[i]), kCredits[i], kWhite});
  }
  return true;
}

void CKV_ZarnAboutBox::Run(QWidget* owner, const std::string& skinPath) {
  CKV_ZarnAboutBox box(owner);
  if (!box.Load(skinPath)) return;
  box.show();
  CentreOn(box, owner);
  box.setCursor(Qt::ArrowCursor);
  box.grabMouse();
  QEventLoop loop;
  while (!box.done_) loop.processEvents(QEventLoop::WaitForMoreEvents);
  box.releaseMouse();
}

void CKV_ZarnAboutBox::mousePressEvent(QMouseEvent* event) {
  if (event->button() == Qt::LeftButton) done_ = true;
}

void CKV_ZarnAboutBox::keyPressEvent(QKeyEvent* event) {
  event->accept();
}

}  // namespace zarn::app
