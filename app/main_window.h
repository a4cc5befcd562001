#pragma once

#include <QString>
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "app/app_folders.h"
#include "app/preferences_record.h"
#include "engine/effects_library.h"
#include "engine/movie_settings.h"
#include "glyphs/system_font_service.h"
#include "gui/control_group.h"

class QSettings;
class QWidget;

namespace gui {
struct CKV_Surface;
class CKV_SkinWindow;
class CKV_GuiControl_Button;
class CKV_GuiControl_Checkbox;
class CKV_GuiControl_ColorChooser;
class CKV_GuiControl_FontChooser;
class CKV_GuiControl_ScrollList;
class CKV_GuiControl_TextEdit;
}  // namespace gui

namespace zarn::app {

class CKV_ZarnPreviewDialog;
class CKV_ZarnSplash;

// Ids of the main window's controls.
namespace control {
constexpr int kPreview = 1;
constexpr int kSave = 2;
constexpr int kClear = 3;
constexpr int kText = 4;
constexpr int kLetterSpace = 5;
constexpr int kLineSpace = 6;
constexpr int kOriginX = 7;
constexpr int kOriginY = 8;
constexpr int kTextColour = 9;
constexpr int kFont = 10;
constexpr int kMovieWidth = 11;
constexpr int kMovieHeight = 12;
constexpr int kFrameRate = 13;
constexpr int kBackgroundColour = 14;
constexpr int kLink = 15;
constexpr int kLinkUrl = 16;
constexpr int kLinkTarget = 17;
constexpr int kLoopPreview = 18;
constexpr int kShowCross = 19;
constexpr int kAutoPreview = 20;
constexpr int kLoopMovie = 21;
constexpr int kProtect = 22;
constexpr int kExportHtml = 23;
constexpr int kAllAtOnce = 24;
constexpr int kFrameDelay = 25;
constexpr int kEffectList = 26;
}  // namespace control

inline constexpr int kMainWidth = 718;
inline constexpr int kMainHeight = 448;

// The program's working surface: the skinned window with its menu, its controls and the
// movie settings they hold, the effects library, and the commands.
class CKV_ZarnMainWindow {
 public:
  CKV_ZarnMainWindow(Preferences& preferences, QSettings& store, const AppFolders& folders);
  CKV_ZarnMainWindow(const CKV_ZarnMainWindow&) = delete;
  CKV_ZarnMainWindow& operator=(const CKV_ZarnMainWindow&) = delete;
  ~CKV_ZarnMainWindow();

  void LinkPreview(CKV_ZarnPreviewDialog* preview) { preview_ = preview; }
  // Makes the window, its controls and the effect list (progress on the splash), removes the
  // splash and shows the window. False when the skin or a surface cannot be made.
  bool Build(CKV_ZarnSplash* splash);

  void Preview();
  void SaveAs();
  void Options();
  void ExitSequence();
  void Help();
  void Support();
  void About();
  enum class EditCommand { kUndo, kCut, kCopy, kPaste, kDelete, kSelectAll };
  void Edit(EditCommand command);

  // From the preview window: the dragged text position, and the size the user gave it.
  void SetTextPosition(int x, int y);
  void SetMovieSize(int width, int height);

  // The settings the controls hold now.
  const engine::MovieSettings& CollectSettings();
  const std::vector<engine::EffectEntry>& Effects() const { return effects_; }
  // The selected effect's file; empty when the list is empty.
  std::string SelectedEffectPath() const;
  int MovieCounter() const { return movieCounter_; }
  // What the window shows below the effect list: "30 fx" for 30 templates.
  QString EffectCountText() const;
  bool HasExited() const { return exited_; }

  QWidget* Window() const;
  gui::CKV_ControlGroup& Controls() { return group_; }
  gui::CKV_GuiControl_TextEdit* EditById(int id) const;
  gui::CKV_GuiControl_Checkbox* CheckboxById(int id) const;
  gui::CKV_GuiControl_ScrollList* EffectList() const { return effectList_; }
  gui::CKV_GuiControl_FontChooser* FontChooser() const { return fontChooser_; }
  gui::CKV_GuiControl_ColorChooser* ColourChooser(int id) const;
  // Hands the save dialog to the test before it runs; the test may accept or reject it.
  void SetSaveDialogHook(std::function<void(QWidget&)> hook) { saveHook_ = std::move(hook); }

 private:
  bool LoadSkin();
  bool MakeWindow();
  void AddMenu();
  void AddShortcuts();
  bool AddControls(CKV_ZarnSplash* splash);
  void ScanEffects(CKV_ZarnSplash* splash);
  void DrawEffectCount();
  void AutoPreview();
  void OnCheckbox(int id, bool state);
  void CopySettingsOut();
  void CopySettingsIn();
  void RunPreview();
  // The engine's version of the selected template (0 when it has none).
  int SelectedEffectVersion() const;

  Preferences& preferences_;
  QSettings& store_;
  AppFolders folders_;
  CKV_ZarnPreviewDialog* preview_ = nullptr;
  std::unique_ptr<gui::CKV_SkinWindow> window_;
  std::unique_ptr<gui::CKV_Surface> skin_;
  std::unique_ptr<gui::CKV_Surface> backBuffer_;
  gui::CKV_ControlGroup group_;
  gui::CKV_GuiControl_ScrollList* effectList_ = nullptr;
  gui::CKV_GuiControl_FontChooser* fontChooser_ = nullptr;
  glyphs::CKV_SystemFontService fonts_;
  engine::MovieSettings settings_;
  std::vector<engine::EffectEntry> effects_;
  int movieCounter_ = 0;
  // Where the last movie was saved; the user's documents folder at first.
  QString saveFolder_;
  // A preview asked for while one is built runs after it, never inside it.
  bool building_ = false;
  bool previewPending_ = false;
  bool asking_ = false;
  bool exited_ = false;
  std::function<void(QWidget&)> saveHook_;
};

}  // namespace zarn::app
