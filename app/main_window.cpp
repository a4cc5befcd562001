#include "app/main_window.h"

#include <QApplication>
#include <QDesktopServices>
#include <QKeySequence>
#include <QLineEdit>
#include <QMenuBar>
#include <QSettings>
#include <QShortcut>
#include <QUrl>
#include <cmath>

#include "app/message_box.h"
#include "app/options_dialog.h"
#include "app/preferences_store.h"
#include "app/preview_dialog.h"
#include "app/save_as.h"
#include "app/settings_text.h"
#include "app/splash_window.h"
#include "engine/build_movie_file.h"
#include "engine/effect_variable.h"
#include "engine/windows1252_text.h"
#include "glyphs/windows1252.h"
#include "gui/button.h"
#include "gui/checkbox.h"
#include "gui/color_chooser.h"
#include "gui/cursors.h"
#include "gui/drawing_context.h"
#include "gui/font_chooser.h"
#include "gui/scroll_list.h"
#include "gui/skin_image.h"
#include "gui/skin_window.h"
#include "gui/surface.h"
#include "gui/text_edit.h"

namespace zarn::app {
namespace {

constexpr int kTickMilliseconds = 40;
constexpr uint32_t kMainWindowStyle =
    gui::kSkinMinimizeBox | gui::kSkinSystemMenu | gui::kSkinBorder | gui::kSkinMenuBar;
constexpr const char* kSupportAddress = "https://kalvoren.example/support/";
const gui::KV_Strip kCheckboxStrip{6, 937, 0};
const gui::KV_Point kEffectCountAt{170, 105};
constexpr int kPixelsPerInch = 96;

struct EditPlace {
  int id;
  gui::KV_Rect rect;
  std::optional<gui::KV_Cover> cover;
};
// The single-line edits in the order they are made.
const EditPlace kNumberEdits[] = {
    {control::kLetterSpace, {339, 229, 376, 244}, {}},
    {control::kLineSpace, {462, 229, 499, 244}, {}},
    {control::kOriginX, {652, 195, 689, 210}, {}},
    {control::kOriginY, {652, 230, 689, 245}, {}},
    {control::kMovieWidth, {306, 289, 343, 304}, {}},
    {control::kMovieHeight, {411, 289, 448, 304}, {}},
    {control::kFrameRate, {499, 289, 548, 304}, {}},
    {control::kFrameDelay, {124, 409, 153, 424}, gui::KV_Cover{120, 408, 844, 406, 34, 16}},
    {control::kLinkUrl, {315, 324, 545, 338}, gui::KV_Cover{312, 319, 718, 427, 238, 21}},
    {control::kLinkTarget, {610, 324, 686, 338}, gui::KV_Cover{564, 319, 718, 406, 127, 21}},
};

struct CheckPlace {
  int id;
  gui::KV_Rect rect;
};
const CheckPlace kCheckboxes[] = {
    {control::kLoopPreview, {342, 373, 359, 389}}, {control::kShowCross, {464, 373, 481, 389}},
    {control::kAutoPreview, {587, 373, 604, 389}}, {control::kLoopMovie, {342, 405, 359, 421}},
    {control::kProtect, {464, 405, 481, 421}},     {control::kExportHtml, {587, 405, 604, 421}},
    {control::kAllAtOnce, {110, 385, 127, 401}},   {control::kLink, {259, 321, 276, 337}},
};

template <class Control>
Control* AddTo(gui::CKV_ControlGroup& group, std::unique_ptr<Control> control) {
  Control* raw = control.get();
  group.Add(std::move(control));
  return raw;
}

void LimitLength(gui::CKV_GuiControl_TextEdit& edit, size_t length) {
  if (auto* line = qobject_cast<QLineEdit*>(edit.EditWidget())) {
    line->setMaxLength(static_cast<int>(length));
  }
}

}  // namespace

CKV_ZarnMainWindow::CKV_ZarnMainWindow(Preferences& preferences, QSettings& store,
                                       const AppFolders& folders)
    : preferences_(preferences), store_(store), folders_(folders) {}

CKV_ZarnMainWindow::~CKV_ZarnMainWindow() {
  // The controls' edit fields are children of the window: remove them first.
  group_.DeleteAll();
}

QWidget* CKV_ZarnMainWindow::Window() const {
  return window_.get();
}

bool CKV_ZarnMainWindow::Build(CKV_ZarnSplash* splash) {
  gui::LoadToolkitCursors();
  if (!LoadSkin() || !MakeWindow()) return false;
  AddMenu();
  AddShortcuts();
  window_->StartTicks(kTickMilliseconds);
  backBuffer_->font = gui::SkinFont("Arial", 8, 700);
  gui::SetDrawingContext(window_->Client(), backBuffer_.get(), skin_.get());
  window_->SetBackBuffer(backBuffer_.get());
  window_->SetControlGroup(&group_);
  if (!AddControls(splash)) return false;
  DrawEffectCount();
  if (splash != nullptr) splash->close();
  window_->show();
  window_->repaint();
  return true;
}

bool CKV_ZarnMainWindow::LoadSkin() {
  gui::CKV_SkinImage image;
  if (!image.Load(folders_.Data("kalvzarn.wui").string()) ||
      !gui::CreateSurface(skin_, static_cast<int32_t>(image.width),
                          static_cast<int32_t>(image.height), 16) ||
      !gui::CreateSurface(backBuffer_, kMainWidth, kMainHeight, 16)) {
    return false;
  }
  image.DrawTo(0, 0, *skin_);
  gui::CopyBlock(*backBuffer_, 0, 0, kMainWidth, kMainHeight, *skin_, 0, 0);
  return true;
}

bool CKV_ZarnMainWindow::MakeWindow() {
  if (!gui::CreateSkinWindow(window_, preferences_.mainWindow.x, preferences_.mainWindow.y,
                             kMainWidth, kMainHeight, "Kalvoren Zarn", kMainWindowStyle)) {
    return false;
  }
  window_->SetCloseHandler([this] { ExitSequence(); });
  return true;
}

void CKV_ZarnMainWindow::AddMenu() {
  QMenuBar* bar = window_->MenuBar();
  // The texts after the tab show the keys; the keys themselves are the shortcuts below.
  QMenu* file = bar->addMenu("&File");
  file->addAction("&Preview\tCtrl+P", [this] { Preview(); });
  file->addAction("&Save As\tCtrl+S", [this] { SaveAs(); });
  file->addSeparator();
  file->addAction("&Options\tCtrl+O", [this] { Options(); });
  file->addSeparator();
  file->addAction("E&xit", [this] { ExitSequence(); });
  QMenu* edit = bar->addMenu("&Edit");
  edit->addAction("&Undo\tCtrl+Z", [this] { Edit(EditCommand::kUndo); });
  edit->addSeparator();
  edit->addAction("Cu&t\tCtrl+X", [this] { Edit(EditCommand::kCut); });
  edit->addAction("&Copy\tCtrl+C", [this] { Edit(EditCommand::kCopy); });
  edit->addAction("&Paste\tCtrl+V", [this] { Edit(EditCommand::kPaste); });
  edit->addAction("Delete\tDelete", [this] { Edit(EditCommand::kDelete); });
  edit->addSeparator();
  edit->addAction("Select Al&l\tCtrl+A", [this] { Edit(EditCommand::kSelectAll); });
  QMenu* help = bar->addMenu("&Help");
  help->addAction("Kalvoren Zarn Help", [this] { Help(); });
  help->addAction("Kalvoren Zarn Support", [this] { Support(); });
  help->addSeparator();
  help->addAction("&About Kalvoren Zarn", [this] { About(); });
}

void CKV_ZarnMainWindow::AddShortcuts() {
  struct Binding {
    QKeySequence keys;
    std::function<void()> command;
  };
  const Binding bindings[] = {
      {QKeySequence(Qt::CTRL | Qt::Key_P), [this] { Preview(); }},
      {QKeySequence(Qt::CTRL | Qt::Key_Q), [this] { ExitSequence(); }},
      {QKeySequence(Qt::CTRL | Qt::Key_S), [this] { SaveAs(); }},
      {QKeySequence(Qt::CTRL | Qt::Key_O), [this] { Options(); }},
      {QKeySequence(Qt::CTRL | Qt::Key_A), [this] { Edit(EditCommand::kSelectAll); }},
      {QKeySequence(Qt::CTRL | Qt::Key_C), [this] { Edit(EditCommand::kCopy); }},
      {QKeySequence(Qt::CTRL | Qt::Key_Insert), [this] { Edit(EditCommand::kCopy); }},
      {QKeySequence(Qt::CTRL | Qt::Key_X), [this] { Edit(EditCommand::kCut); }},
      {QKeySequence(Qt::SHIFT | Qt::Key_Delete), [this] { Edit(EditCommand::kCut); }},
      {QKeySequence(Qt::CTRL | Qt::Key_V), [this] { Edit(EditCommand::kPaste); }},
      {QKeySequence(Qt::SHIFT | Qt::Key_Insert), [this] { Edit(EditCommand::kPaste); }},
      {QKeySequence(Qt::CTRL | Qt::Key_Z), [this] { Edit(EditCommand::kUndo); }},
      {QKeySequence(Qt::ALT | Qt::Key_Backspace), [this] { Edit(EditCommand::kUndo); }},
  };
  for (const Binding& binding : bindings) {
    // Application-wide, so that the keys work from the preview window too; nothing fires
    // while a modal dialog is open.
    auto* shortcut = new QShortcut(binding.keys, window_.get());
    shortcut->setContext(Qt::ApplicationShortcut);
    QObject::connect(shortcut, &QShortcut::activated, window_.get(), [command = binding.command] {
      if (QApplication::activeModalWidget() == nullptr) command();
    });
  }
}

bool CKV_ZarnMainWindow::AddControls(CKV_ZarnSplash* splash) {
  CopySettingsOut();
  const Preferences& p = preferences_;

  auto list = std::make_unique<gui::CKV_GuiControl_ScrollList>();
  if (!list->Setup({19, 121, 217, 363}, control::kEffectList, [this](int32_t) { AutoPreview(); },
                   {174, 22, 718, 0, 24, 6, 22, 954, 0, 978, 0, 913, 0, 22})) {
    return false;
  }
  effectList_ = AddTo(group_, std::move(list));
  ScanEffects(splash);
  effectList_->SelectItem(p.selectedEffect);

  struct ButtonPlace {
    int id;
    gui::KV_Rect rect;
    std::function<void()> action;
    gui::KV_Strip strip;
  };
  const ButtonPlace buttons[] = {
      {control::kPreview, {259, 372, 324, 393}, [this] { Preview(); }, {6, 718, 132}},
      {control::kSave, {259, 403, 324, 424}, [this] { SaveAs(); }, {6, 783, 132}},
      {control::kClear,
       {631, 10, 696, 31},
       [this] { EditById(control::kText)->SetText("", true); },
       {6, 848, 132}},
  };
  for (const ButtonPlace& place : buttons) {
    auto button = std::make_unique<gui::CKV_GuiControl_Button>();
    if (!button->Setup(place.rect, place.id, place.action, place.strip)) return false;
    AddTo(group_, std::move(button));
  }

  auto text = std::make_unique<gui::CKV_GuiControl_TextEdit>();
  if (!text->Setup({248, 43, 673, 158}, control::kText, true, false, std::nullopt)) return false;
  text->SetText(settings_.text, false);
  AddTo(group_, std::move(text));
  for (const EditPlace& place : kNumberEdits) {
    auto edit = std::make_unique<gui::CKV_GuiControl_TextEdit>();
    const bool shown = place.id == control::kFrameDelay ? !settings_.flags.allAtOnce
                       : place.cover                    ? settings_.flags.linkMovie
                                                        : true;
    if (!edit->Setup(place.rect, place.id, shown, true, place.cover)) return false;
    AddTo(group_, std::move(edit));
  }
  EditById(control::kLetterSpace)->SetInt(settings_.letterSpace, false);
  EditById(control::kLineSpace)->SetInt(settings_.lineSpace, false);
  EditById(control::kOriginX)->SetInt(settings_.originX, false);
  EditById(control::kOriginY)->SetInt(settings_.originY, false);
  EditById(control::kMovieWidth)->SetInt(settings_.movieWidth, false);
  EditById(control::kMovieHeight)->SetInt(settings_.movieHeight, false);
  EditById(control::kFrameRate)->SetFloatAsInt(settings_.frameRate, false);
  EditById(control::kFrameDelay)->SetInt(settings_.frameDelay, false);
  EditById(control::kLinkUrl)->SetText(settings_.linkUrl, false);
  EditById(control::kLinkTarget)->SetText(settings_.linkTarget, false);
  // The record keeps at most this much of each.
  LimitLength(*EditById(control::kLinkUrl), kMaxLinkUrlLength);
  LimitLength(*EditById(control::kLinkTarget), kMaxLinkTargetLength);

  const engine::MovieSettingsFlags& f = settings_.flags;
  const bool checked[] = {f.loopPreview, f.showCross,  f.autoPreview, f.loopMovie,
                          f.protect,     f.exportHtml, f.allAtOnce,   f.linkMovie};
  for (size_t i = 0; i < std::size(kCheckboxes); ++i) {
    const CheckPlace& place = kCheckboxes[i];
    auto box = std::make_unique<gui::CKV_GuiControl_Checkbox>();
    if (!box->Setup(
            place.rect, place.id, checked[i],
            [this, id = place.id](bool state) { OnCheckbox(id, state); }, kCheckboxStrip)) {
      return false;
    }
    AddTo(group_, std::move(box));
  }

  for (const auto& [id, rect, colour] :
       {std::tuple{control::kTextColour, gui::KV_Rect{551, 227, 592, 246}, settings_.textColor},
        std::tuple{control::kBackgroundColour, gui::KV_Rect{647, 287, 688, 306},
                   settings_.backgroundColor}}) {
    auto chooser = std::make_unique<gui::CKV_GuiControl_ColorChooser>();
    if (!chooser->Setup(rect, id, colour, [this] { AutoPreview(); }, {718, 384})) return false;
    AddTo(group_, std::move(chooser));
  }

  auto font = std::make_unique<gui::CKV_GuiControl_FontChooser>();
  if (!font->Setup({259, 196, 584, 210}, control::kFont, [this] { AutoPreview(); })) return false;
  fontChooser_ = AddTo(group_, std::move(font));
  fontChooser_->SetFont(p.fontFace, p.fontSize, p.fontStyle,
                        gui::kSetFace | gui::kSetSize | gui::kSetStyle);
  fontChooser_->Selection().font = EffectiveFont(p, kPixelsPerInch);
  return true;
}

void CKV_ZarnMainWindow::OnCheckbox(int id, bool state) {
  engine::MovieSettingsFlags& f = settings_.flags;
  switch (id) {
    case control::kShowCross:
      f.showCross = state;
      break;
    case control::kAutoPreview:
      f.autoPreview = state;
      if (state) Preview();
      return;
    case control::kAllAtOnce:
      EditById(control::kFrameDelay)->SetShown(!state);
      break;
    case control::kLink:
      EditById(control::kLinkUrl)->SetShown(state);
      EditById(control::kLinkTarget)->SetShown(state);
      break;
    case control::kLoopMovie:
    case control::kProtect:
    case control::kExportHtml:
      return;
    default:
      break;
  }
  AutoPreview();
}

void CKV_ZarnMainWindow::ScanEffects(CKV_ZarnSplash* splash) {
  engine::EffectScanProgress progress;
  if (splash != nullptr) {
    progress.firstLine = [splash](std::string_view text) {
      splash->StatusLine1(QString::fromUtf8(glyphs::Windows1252ToUtf8(text)));
    };
    progress.secondLine = [splash](std::string_view text) {
      splash->StatusLine2(QString::fromUtf8(glyphs::Windows1252ToUtf8(text)));
    };
  }
  effects_ = engine::ScanEffectsLibrary(folders_.data, MessageBoxSink(), progress);
  for (const engine::EffectEntry& entry : effects_) {
    effectList_->AddItem(glyphs::Windows1252ToUtf8(entry.DisplayText()), entry.Kind());
  }
  effectList_->Reset();
}

QString CKV_ZarnMainWindow::EffectCountText() const {
  return QString::asprintf("%d fx", static_cast<int>(effects_.size()));
}

void CKV_ZarnMainWindow::DrawEffectCount() {
  const QString count = EffectCountText();
  gui::DrawSurfaceText(
      *backBuffer_,
      {kEffectCountAt.x, kEffectCountAt.y, kEffectCountAt.x + 45, kEffectCountAt.y + 14}, count,
      backBuffer_->font, backBuffer_->textColour);
}

gui::CKV_GuiControl_TextEdit* CKV_ZarnMainWindow::EditById(int id) const {
  return dynamic_cast<gui::CKV_GuiControl_TextEdit*>(group_.FindById(id));
}

gui::CKV_GuiControl_Checkbox* CKV_ZarnMainWindow::CheckboxById(int id) const {
  return dynamic_cast<gui::CKV_GuiControl_Checkbox*>(group_.FindById(id));
}

gui::CKV_GuiControl_ColorChooser* CKV_ZarnMainWindow::ColourChooser(int id) const {
  return dynamic_cast<gui::CKV_GuiControl_ColorChooser*>(group_.FindById(id));
}

std::string CKV_ZarnMainWindow::SelectedEffectPath() const {
  const int selected = effectList_ != nullptr ? effectList_->SelectedItem() : 0;
  if (selected < 1 || static_cast<size_t>(selected) > effects_.size()) return {};
  return effects_[static_cast<size_t>(selected) - 1].path;
}

int CKV_ZarnMainWindow::SelectedEffectVersion() const {
  std::string version;
  engine::ReadEffectVariable("version", version, SelectedEffectPath());
  return engine::FieldToInt(version);
}

const engine::MovieSettings& CKV_ZarnMainWindow::CollectSettings() {
  engine::MovieSettings& s = settings_;
  s.text = EditTextToMovieText(EditById(control::kText)->GetText());
  s.letterSpace = EditById(control::kLetterSpace)->GetInt();
  s.lineSpace = EditById(control::kLineSpace)->GetInt();
  s.originX = EditById(control::kOriginX)->GetInt();
  s.originY = EditById(control::kOriginY)->GetInt();
  s.movieWidth = EditById(control::kMovieWidth)->GetInt();
  s.movieHeight = EditById(control::kMovieHeight)->GetInt();
  s.frameRate = static_cast<float>(EditById(control::kFrameRate)->GetFloat());
  s.frameDelay = EditById(control::kFrameDelay)->GetInt();
  s.linkUrl = EditById(control::kLinkUrl)->GetText();
  s.linkTarget = EditById(control::kLinkTarget)->GetText();
  s.textColor = ColourChooser(control::kTextColour)->GetColour();
  s.backgroundColor = ColourChooser(control::kBackgroundColour)->GetColour();
  s.fontSize = fontChooser_->GetPointSize();
  s.font = fontChooser_->Selection().font;
  engine::MovieSettingsFlags& f = s.flags;
  f.loopPreview = CheckboxById(control::kLoopPreview)->IsChecked();
  f.showCross = CheckboxById(control::kShowCross)->IsChecked();
  f.autoPreview = CheckboxById(control::kAutoPreview)->IsChecked();
  f.loopMovie = CheckboxById(control::kLoopMovie)->IsChecked();
  f.protect = CheckboxById(control::kProtect)->IsChecked();
  f.exportHtml = CheckboxById(control::kExportHtml)->IsChecked();
  f.allAtOnce = CheckboxById(control::kAllAtOnce)->IsChecked();
  f.linkMovie = CheckboxById(control::kLink)->IsChecked();
  return s;
}

void CKV_ZarnMainWindow::CopySettingsOut() {
  const Preferences& p = preferences_;
  engine::MovieSettings& s = settings_;
  s.text = MovieTextToEditText(glyphs::Windows1252ToUtf8(p.text));
  s.linkUrl = glyphs::Windows1252ToUtf8(p.linkUrl);
  s.linkTarget = glyphs::Windows1252ToUtf8(p.linkTarget);
  s.letterSpace = p.letterSpace;
  s.lineSpace = p.lineSpace;
  s.originX = p.originX;
  s.originY = p.originY;
  s.movieWidth = p.movieWidth;
  s.movieHeight = p.movieHeight;
  s.frameRate = p.frameRate;
  s.frameDelay = p.frameDelay;
  s.textColor = p.textColor;
  s.backgroundColor = p.backgroundColor;
  s.fontSize = p.fontSize;
  s.font = EffectiveFont(p, kPixelsPerInch);
  s.flags = p.flags;
}

void CKV_ZarnMainWindow::CopySettingsIn() {
  const engine::MovieSettings& s = CollectSettings();
  Preferences& p = preferences_;
  p.text = ToRecordText(s.text);
  p.linkUrl = ToRecordText(s.linkUrl);
  p.linkTarget = ToRecordText(s.linkTarget);
  p.letterSpace = s.letterSpace;
  p.lineSpace = s.lineSpace;
  p.originX = s.originX;
  p.originY = s.originY;
  p.movieWidth = s.movieWidth;
  p.movieHeight = s.movieHeight;
  p.frameRate = s.frameRate;
  p.frameDelay = s.frameDelay;
  p.textColor = s.textColor;
  p.backgroundColor = s.backgroundColor;
  p.fontSize = s.fontSize;
  p.fontFace = ToRecordText(fontChooser_->GetFaceName());
  p.fontStyle = fontChooser_->GetStyleFlags();
  p.chooserFont = s.font;
  p.flags = s.flags;
  p.selectedEffect = std::max(0, effectList_->SelectedItem() - 1);
}

void CKV_ZarnMainWindow::AutoPreview() {
  if (CheckboxById(control::kAutoPreview) != nullptr &&
      CheckboxById(control::kAutoPreview)->IsChecked()) {
    Preview();
  }
}

void CKV_ZarnMainWindow::Preview() {
  if (exited_) return;
  if (building_) {
    previewPending_ = true;
    return;
  }
  building_ = true;
  do {
    previewPending_ = false;
    RunPreview();
  } while (previewPending_ && !exited_);
  building_ = false;
}

void CKV_ZarnMainWindow::RunPreview() {
  const engine::MovieSettings& s = CollectSettings();
  const engine::MovieTarget target{SelectedEffectPath(), folders_.Work("preview.swf").string(),
                                   true, SelectedEffectVersion()};
  if (!engine::BuildMovieFile(s, target, fonts_, MessageBoxSink())) return;
  if (preview_ != nullptr) {
    preview_->ShowMovie({s.movieWidth, s.movieHeight, s.flags.showCross, s.originX, s.originY,
                         s.backgroundColor, s.frameRate});
  }
}

void CKV_ZarnMainWindow::SaveAs() {
  if (exited_) return;
  group_.OnMouseLeave();
  gui::SetArrowCursor();
  const engine::MovieSettings& s = CollectSettings();
  SaveAsRequest request{
      s,           SelectedEffectPath(), SelectedEffectVersion(), preferences_.html, movieCounter_,
      saveFolder_, window_.get()};
  RunSaveAs(request, fonts_, saveHook_);
  movieCounter_ = request.movieCounter;
  saveFolder_ = request.folder;
}

void CKV_ZarnMainWindow::Options() {
  if (exited_) return;
  CKV_ZarnOptionsDialog dialog(preferences_, window_.get());
  if (dialog.exec() == QDialog::Accepted) StorePreferences(store_, preferences_);
}

void CKV_ZarnMainWindow::Edit(EditCommand command) {
  auto* edit = dynamic_cast<gui::CKV_GuiControl_TextEdit*>(group_.ArmedControl());
  if (edit == nullptr || !edit->IsShown()) return;
  switch (command) {
    case EditCommand::kUndo:
      edit->Undo();
      break;
    case EditCommand::kCut:
      edit->Cut();
      break;
    case EditCommand::kCopy:
      edit->Copy();
      break;
    case EditCommand::kPaste:
      edit->Paste();
      break;
    case EditCommand::kDelete:
      edit->ClearSelection();
      break;
    case EditCommand::kSelectAll:
      edit->SelectAll();
      break;
  }
}

void CKV_ZarnMainWindow::Help() {
  const QUrl page =
      QUrl::fromLocalFile(QString::fromStdString(folders_.Data("help").string()) + "/index.html");
  if (!QDesktopServices::openUrl(page)) ShowError("Zarn Help failed");
}

void CKV_ZarnMainWindow::Support() {
  if (!QDesktopServices::openUrl(QUrl(kSupportAddress))) ShowError("Zarn Support failed");
}

void CKV_ZarnMainWindow::About() {
  if (exited_) return;
  group_.OnMouseLeave();
  CKV_ZarnAboutBox::Run(window_.get(), folders_.Data("kalvsp.wui").string());
}

void CKV_ZarnMainWindow::SetTextPosition(int x, int y) {
  EditById(control::kOriginX)->SetInt(x, true);
  EditById(control::kOriginY)->SetInt(y, true);
  AutoPreview();
}

void CKV_ZarnMainWindow::SetMovieSize(int width, int height) {
  settings_.movieWidth = width;
  settings_.movieHeight = height;
  EditById(control::kMovieWidth)->SetInt(width, true);
  EditById(control::kMovieHeight)->SetInt(height, true);
  Preview();
}

void CKV_ZarnMainWindow::ExitSequence() {
  // A close request while the question is open, or after the exit, starts nothing new.
  if (exited_ || asking_) return;
  asking_ = true;
  const bool quit =
      !preferences_.confirmExit || AskYesNo(window_.get(), "Kalvoren Zarn | Exit Program",
                                            "Quit Kalvoren Zarn?", QuestionKind::kQuestion);
  asking_ = false;
  if (!quit) return;
  exited_ = true;
  if (preferences_.rememberPositions) {
    const QPoint main = window_->frameGeometry().topLeft();
    preferences_.mainWindow = {main.x(), main.y()};
    if (preview_ != nullptr) {
      const QPoint preview = preview_->TopLeft();
      preferences_.previewWindow = {preview.x(), preview.y()};
    }
  }
  window_->StopTicks();
  if (preview_ != nullptr) preview_->Destroy();
  if (preferences_.saveSettingsOnExit) CopySettingsIn();
  StorePreferences(store_, preferences_);
  window_->SetControlGroup(nullptr);
  group_.DeleteAll();
  window_->hide();
  QCoreApplication::exit(0);
}

}  // namespace zarn::app
