#include "gui/skin_window.h"

#include <QApplication>
#include <QCloseEvent>
#include <QDir>
#include <QMenuBar>
#include <QMouseEvent>
#include <QPainter>
#include <QScreen>
#include <QTimer>
#include <QVBoxLayout>

#include "gui/control_group.h"
#include "gui/cursors.h"
#include "gui/surface.h"

namespace gui {

namespace {

constexpr size_t kMaxStartDirectory = 255;

struct SkinClass {
  bool registered = false;
  std::string name = "KV_XPLATFORM_APP";
  std::string startDirectory;
};

SkinClass& Class() {
  static SkinClass skinClass;
  return skinClass;
}

KV_Point ToPoint(const QPointF& position) {
  return {static_cast<int32_t>(position.x()), static_cast<int32_t>(position.y())};
}

}  // namespace

// The client area: paints the back buffer and routes the mouse to the control group.
class CKV_SkinWindow::ClientArea : public QWidget {
 public:
  ClientArea(QWidget* parent, int32_t width, int32_t height) : QWidget(parent) {
    setFixedSize(width, height);
    setMouseTracking(true);
    setAttribute(Qt::WA_OpaquePaintEvent);
  }

  const CKV_Surface* backBuffer = nullptr;
  CKV_ControlGroup* group = nullptr;

 protected:
  void paintEvent(QPaintEvent* event) override {
    QPainter painter(this);
    if (backBuffer) {
      painter.drawImage(event->rect(), backBuffer->image, event->rect());
    } else {
      painter.fillRect(event->rect(), Qt::black);
    }
  }

  void mouseMoveEvent(QMouseEvent* event) override { Move(ToPoint(event->position())); }

  void mousePressEvent(QMouseEvent* event) override {
    if (event->button() == Qt::LeftButton && group) group->OnMouseDown(ToPoint(event->position()));
  }

  void mouseReleaseEvent(QMouseEvent* event) override {
    if (event->button() == Qt::LeftButton && group) group->OnMouseUp(ToPoint(event->position()));
  }

  void leaveEvent(QEvent*) override { Leave(); }

  bool event(QEvent* event) override {
    // The implicit grab ends without a release: counts as a move to (0, 0).
    if (event->type() == QEvent::UngrabMouse) Move({0, 0});
    return QWidget::event(event);
  }

 private:
  void Move(KV_Point p) {
    if (!group) return;
    if (rect().contains(p.x, p.y)) {
      inside_ = true;
      group->OnMouseMove(p);
    } else {
      Leave();
    }
  }

  void Leave() {
    if (!inside_) return;
    inside_ = false;
    if (group) group->OnMouseLeave();
    SetArrowCursor();
  }

  bool inside_ = false;
};

CKV_SkinWindow::CKV_SkinWindow(int32_t clientWidth, int32_t clientHeight, bool withMenuBar) {
  auto* layout = new QVBoxLayout(this);
  layout->setContentsMargins(0, 0, 0, 0);
  layout->setSpacing(0);
  layout->setSizeConstraint(QLayout::SetFixedSize);
  if (withMenuBar) {
    menuBar_ = new QMenuBar(this);
    // The menu bar matches the skins' dark look.
    menuBar_->setStyleSheet(QStringLiteral(
        "QMenuBar { background: #131824; color: #DDE3EE; border-bottom: 1px solid #283145; }"
        "QMenuBar::item { padding: 3px 8px; background: transparent; }"
        "QMenuBar::item:selected { background: #232B3D; color: #2EC4B6; }"
        "QMenu { background: #1A202E; color: #DDE3EE; border: 1px solid #283145; }"
        "QMenu::item { padding: 4px 22px 4px 16px; }"
        "QMenu::item:selected { background: #1C8F86; color: #0A171A; }"
        "QMenu::item:disabled { color: #566073; }"
        "QMenu::separator { height: 1px; background: #283145; margin: 4px 8px; }"));
    layout->setMenuBar(menuBar_);
  }
  client_ = new ClientArea(this, clientWidth, clientHeight);
  layout->addWidget(client_);
  ticks_ = new QTimer(this);
  ticks_->setTimerType(Qt::CoarseTimer);
  QObject::connect(ticks_, &QTimer::timeout, this, [this] {
    if (!client_->group) return;
    client_->group->OnTick();
    client_->group->AnyNeedsTick();
  });
}

CKV_SkinWindow::~CKV_SkinWindow() = default;

QWidget* CKV_SkinWindow::Client() const {
  return client_;
}

void CKV_SkinWindow::SetBackBuffer(const CKV_Surface* backBuffer) {
  client_->backBuffer = backBuffer;
  client_->update();
}

const CKV_Surface* CKV_SkinWindow::BackBuffer() const {
  return client_->backBuffer;
}

void CKV_SkinWindow::SetControlGroup(CKV_ControlGroup* group) {
  client_->group = group;
}

CKV_ControlGroup* CKV_SkinWindow::ControlGroup() const {
  return client_->group;
}

void CKV_SkinWindow::StartTicks(int32_t milliseconds) {
  ticks_->start(milliseconds);
}

void CKV_SkinWindow::StopTicks() {
  ticks_->stop();
}

void CKV_SkinWindow::closeEvent(QCloseEvent* event) {
  if (!closeHandler_) {
    QWidget::closeEvent(event);
    return;
  }
  event->ignore();
  closeHandler_();
}

bool RegisterSkinClass(const std::string& name) {
  if (!QApplication::instance()) return false;
  SkinClass& skinClass = Class();
  skinClass.name = name.substr(0, kMaxClassName);
  skinClass.startDirectory = QDir::currentPath().toStdString().substr(0, kMaxStartDirectory);
  skinClass.registered = true;
  return true;
}

const std::string& SkinClassName() {
  return Class().name;
}

const std::string& StartDirectory() {
  return Class().startDirectory;
}

bool CreateSkinWindow(std::unique_ptr<CKV_SkinWindow>& window, int32_t x, int32_t y, int32_t width,
                      int32_t height, const std::string& title, uint32_t flags) {
  if (!Class().registered || width <= 0 || height <= 0 || width > kMaxSurfaceSide ||
      height > kMaxSurfaceSide) {
    return false;
  }
  auto made = std::make_unique<CKV_SkinWindow>(width, height, (flags & kSkinMenuBar) != 0);
  made->setObjectName(QString::fromStdString(Class().name));
  made->setWindowTitle(QString::fromStdString(title));
  Qt::WindowFlags windowFlags = Qt::Window | Qt::CustomizeWindowHint;
  if (flags & (kSkinMinimizeBox | kSkinSystemMenu)) windowFlags |= Qt::WindowTitleHint;
  if (flags & kSkinMinimizeBox) windowFlags |= Qt::WindowMinimizeButtonHint;
  if (flags & kSkinSystemMenu) windowFlags |= Qt::WindowSystemMenuHint | Qt::WindowCloseButtonHint;
  // Neither a caption nor a border: a bare pop-up.
  if (!(flags & (kSkinMinimizeBox | kSkinSystemMenu | kSkinBorder))) {
    windowFlags |= Qt::FramelessWindowHint;
  }
  made->setWindowFlags(windowFlags);
  if (flags & kSkinSizingBorder) made->layout()->setSizeConstraint(QLayout::SetMinimumSize);
  made->move(x, y);
  if (flags & kSkinVisible) made->show();
  window = std::move(made);
  return true;
}

bool DestroySkinWindow(std::unique_ptr<CKV_SkinWindow>& window) {
  if (!window) return false;
  window.reset();
  return true;
}

void ShowSkinWindow(QWidget& window, bool show) {
  window.setVisible(show);
}

void CentreWindow(QWidget& window, const QWidget* reference) {
  QRect area;
  if (reference) {
    area = reference->frameGeometry();
  } else if (const QScreen* screen =
                 window.screen() ? window.screen() : QApplication::primaryScreen()) {
    area = screen->geometry();
  }
  const QRect frame = window.frameGeometry();
  window.move(area.left() + (area.width() >> 1) - (frame.width() >> 1),
              area.top() + (area.height() >> 1) - (frame.height() >> 1));
}

QRect GetSkinWindowRect(const QWidget& window) {
  return window.frameGeometry();
}

}  // namespace gui
