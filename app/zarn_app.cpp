#include "app/zarn_app.h"

#include <QGuiApplication>
#include <QScreen>
#include <QSettings>

#include "app/main_window.h"
#include "app/message_box.h"
#include "app/preferences_store.h"
#include "app/preview_dialog.h"
#include "app/splash_window.h"
#include "gui/skin_window.h"

namespace zarn::app {
namespace {

// How much of a window's corner must lie on some screen for a stored position to be used.
constexpr int kVisibleCorner = 40;
const QPoint kFallbackOffset{50, 50};

// The stored corner when a screen shows it, else a place on the main screen.
QPoint OnSomeScreen(ScreenPoint stored) {
  const QRect corner(stored.x, stored.y, kVisibleCorner, kVisibleCorner);
  for (const QScreen* screen : QGuiApplication::screens()) {
    if (screen->availableGeometry().contains(corner)) return {stored.x, stored.y};
  }
  return QGuiApplication::primaryScreen()->availableGeometry().topLeft() + kFallbackOffset;
}

}  // namespace

CZarn_winApp::CZarn_winApp(QSettings& store, const AppFolders& folders)
    : store_(store), folders_(folders) {}

CZarn_winApp::~CZarn_winApp() = default;

CKV_ZarnPreviewDialog* CZarn_winApp::PreviewWindow() const {
  return preview_;
}

bool CZarn_winApp::Fail(const char* message) {
  // Nothing the start-up made may stand in front of its message.
  if (splash_) splash_->close();
  if (main_ && main_->Window() != nullptr) main_->Window()->hide();
  ShowError(message);
  return false;
}

bool CZarn_winApp::InitInstance() {
  gui::RegisterSkinClass("KVZarn");
  if (!LoadPreferences(store_, preferences_)) return Fail(kPreferencesFailed);
  const QPoint mainAt = OnSomeScreen(preferences_.mainWindow);
  preferences_.mainWindow = {mainAt.x(), mainAt.y()};

  splash_ = std::make_unique<CKV_ZarnSplash>();
  if (!splash_->Show(folders_.Data("kalvsp.wui").string())) return Fail(kSplashFailed);

  main_ = std::make_unique<CKV_ZarnMainWindow>(preferences_, store_, folders_);
  if (!main_->Build(splash_.get())) return Fail(kMainWindowFailed);
  splash_.reset();

  preview_ = new CKV_ZarnPreviewDialog(*main_, folders_, main_->Window());
  if (preview_ == nullptr) return Fail(kPreviewFailed);
  main_->LinkPreview(preview_);
  preview_->move(OnSomeScreen(preferences_.previewWindow));

  main_->Window()->raise();
  main_->Window()->activateWindow();
  return true;
}

}  // namespace zarn::app
