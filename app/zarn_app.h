#pragma once

#include <QPointer>
#include <memory>

#include "app/app_folders.h"
#include "app/preferences_record.h"

class QSettings;

namespace zarn::app {

class CKV_ZarnMainWindow;
class CKV_ZarnPreviewDialog;
class CKV_ZarnSplash;

inline constexpr const char* kPreferencesFailed = "Failed to load preferences";
inline constexpr const char* kSplashFailed = "Failed to init splash screen";
inline constexpr const char* kMainWindowFailed = "Failed to init the main window";
inline constexpr const char* kPreviewFailed = "Failed to init the preview window";

// The application: the start-up in its fixed order, and the windows it brings up.
class CZarn_winApp {
 public:
  CZarn_winApp(QSettings& store, const AppFolders& folders);
  CZarn_winApp(const CZarn_winApp&) = delete;
  CZarn_winApp& operator=(const CZarn_winApp&) = delete;
  ~CZarn_winApp();

  // Preferences, splash, main window (with the effects scan), preview window; the first step
  // that fails shows its message and gives false, with every window it made removed.
  bool InitInstance();

  Preferences& Prefs() { return preferences_; }
  CKV_ZarnMainWindow* MainWindow() const { return main_.get(); }
  CKV_ZarnPreviewDialog* PreviewWindow() const;

 private:
  bool Fail(const char* message);

  QSettings& store_;
  AppFolders folders_;
  Preferences preferences_;
  std::unique_ptr<CKV_ZarnSplash> splash_;
  std::unique_ptr<CKV_ZarnMainWindow> main_;
  // Owned by the main window's widget, which keeps it above itself.
  QPointer<CKV_ZarnPreviewDialog> preview_;
};

}  // namespace zarn::app
