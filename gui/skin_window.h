#pragma once

#include <QRect>
#include <QWidget>
#include <cstdint>
#include <functional>
#include <memory>
#include <string>

class QMenuBar;
class QTimer;

namespace gui {

struct CKV_Surface;
class CKV_ControlGroup;

// Style flags of CreateSkinWindow.
inline constexpr uint32_t kSkinVisible = 0x01;
inline constexpr uint32_t kSkinMinimizeBox = 0x02;
inline constexpr uint32_t kSkinSystemMenu = 0x04;
inline constexpr uint32_t kSkinBorder = 0x10;
inline constexpr uint32_t kSkinSizingBorder = 0x20;
inline constexpr uint32_t kSkinMenuBar = 0x40;

// A top-level skinned window: an optional menu bar above a client area of a fixed size that
// shows a back-buffer surface. Mouse input of the client area goes to a control group the way
// the main window routes it: moves inside to OnMouseMove, leaving to OnMouseLeave with the
// arrow cursor, presses to OnMouseDown, releases to OnMouseUp, and a lost grab counts as a
// move to (0, 0).
class CKV_SkinWindow : public QWidget {
 public:
  CKV_SkinWindow(int32_t clientWidth, int32_t clientHeight, bool withMenuBar);
  ~CKV_SkinWindow() override;

  // The client area: controls draw here and edit fields are its children.
  QWidget* Client() const;
  // Null unless made with kSkinMenuBar.
  QMenuBar* MenuBar() const { return menuBar_; }

  // What the client area shows; none shows black.
  void SetBackBuffer(const CKV_Surface* backBuffer);
  const CKV_Surface* BackBuffer() const;
  void SetControlGroup(CKV_ControlGroup* group);
  CKV_ControlGroup* ControlGroup() const;
  // Every period the group's OnTick runs, then AnyNeedsTick.
  void StartTicks(int32_t milliseconds);
  void StopTicks();
  // A close request runs the handler instead of closing the window.
  void SetCloseHandler(std::function<void()> handler) { closeHandler_ = std::move(handler); }

 protected:
  void closeEvent(QCloseEvent* event) override;

 private:
  class ClientArea;
  ClientArea* client_ = nullptr;
  QMenuBar* menuBar_ = nullptr;
  QTimer* ticks_ = nullptr;
  std::function<void()> closeHandler_;
};

// Registers the skinned window class once: keeps the name (cut to kMaxClassName characters)
// and the start directory. False without a running QApplication.
inline constexpr size_t kMaxClassName = 63;
bool RegisterSkinClass(const std::string& name);
const std::string& SkinClassName();
const std::string& StartDirectory();

// A window whose client area is width x height with its outer top-left corner at (x, y).
// False when no class is registered.
bool CreateSkinWindow(std::unique_ptr<CKV_SkinWindow>& window, int32_t x, int32_t y, int32_t width,
                      int32_t height, const std::string& title, uint32_t flags);
bool DestroySkinWindow(std::unique_ptr<CKV_SkinWindow>& window);
void ShowSkinWindow(QWidget& window, bool show);
// Centres the window on the reference, or on the screen without one, keeping its size.
void CentreWindow(QWidget& window, const QWidget* reference);
QRect GetSkinWindowRect(const QWidget& window);

}  // namespace gui
