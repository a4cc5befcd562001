#pragma once

// A data folder for the program made in a temporary folder (plain skins of the right sizes,
// two effects), a settings file beside it, and the program's messages and questions caught.

#include <gtest/gtest.h>

#include <QApplication>
#include <QDialog>
#include <QImage>
#include <QSettings>
#include <QTest>
#include <filesystem>
#include <memory>

#include "app/main_window.h"
#include "app/message_box.h"
#include "app/preferences_store.h"
#include "app/preview_dialog.h"
#include "app/zarn_app.h"
#include "gui/checkbox.h"
#include "gui/scroll_list.h"
#include "gui/skin_window.h"
#include "gui/text_edit.h"
#include "tests/engine/template_fixture.h"
#include "tests/support/temp_dir.h"

namespace zarn::app::test {

// A skin with a gradient, so that screenshots show where each control draws.
inline void SaveSkin(const std::string& path, int width, int height) {
  QImage image(width, height, QImage::Format_RGB32);
  for (int y = 0; y < height; ++y) {
    for (int x = 0; x < width; ++x) image.setPixel(x, y, qRgb(40 + x % 60, 60 + y % 80, 120));
  }
  image.save(QString::fromStdString(path), "PNG");
}

inline void SaveEffect(const std::string& path, const std::string& name,
                       const std::string& version) {
  engine::test::TemplateBuilder builder;
  builder.Variable("name", name).Variable("version", version);
  // With a text field, so that a Flash 3 effect can also be made as a Flash 4 movie.
  engine::test::AddStandardTemplate(builder, true);
  // ".kvx" templates are kept without the movie signature.
  builder.Save(path, !path.ends_with(".kvx"));
}

// The program's messages and questions, caught while it lives; questions get the answer.
struct CaughtMessages {
  CaughtMessages() {
    SetErrorPresenter([this](const QString&, const QString& text) { errors << text; });
    SetQuestionPresenter([this](const QString& caption, const QString& text) {
      questions << caption + ": " + text;
      return answer;
    });
  }
  CaughtMessages(const CaughtMessages&) = delete;
  CaughtMessages& operator=(const CaughtMessages&) = delete;
  ~CaughtMessages() {
    SetErrorPresenter({});
    SetQuestionPresenter({});
  }

  QStringList errors;
  QStringList questions;
  bool answer = true;
};

// Everything one run of the program needs; a test may make several.
struct AppHarness : CaughtMessages {
  AppHarness() {
    std::filesystem::create_directories(data.Path() / "effects");
    SaveSkin(data.File("kalvzarn.wui"), 1010, 460);
    SaveSkin(data.File("kalvsp.wui"), 600, 280);
    SaveEffect(data.File("effects/grow.kvx"), "Grow", "3");
    SaveEffect(data.File("effects/pop.swf"), "Pop", "4");
  }
  // The program goes before its messages stop being caught.
  ~AppHarness() { zarn.reset(); }

  QSettings& Store() {
    if (!store) {
      store = std::make_unique<QSettings>(QString::fromStdString(data.File("zarn.conf")),
                                          QSettings::IniFormat);
    }
    return *store;
  }
  // Stores a record the next start reads.
  void StorePrefs(const Preferences& preferences) {
    const PreferenceBytes bytes = EncodePreferences(preferences);
    Store().setValue(kPreferencesKey, QByteArray(reinterpret_cast<const char*>(bytes.data()),
                                                 static_cast<qsizetype>(bytes.size())));
    Store().sync();
  }
  Preferences StoredPrefs() {
    Store().sync();
    const QByteArray value = Store().value(kPreferencesKey).toByteArray();
    return DecodePreferences(std::span(reinterpret_cast<const uint8_t*>(value.constData()),
                                       static_cast<size_t>(value.size())))
        .value_or(Preferences{});
  }
  bool Start() {
    zarn = std::make_unique<CZarn_winApp>(Store(), AppFolders{data.Path(), data.Path()});
    return zarn->InitInstance();
  }
  CKV_ZarnMainWindow& Main() { return *zarn->MainWindow(); }
  gui::CKV_GuiControl_TextEdit& Edit(int id) { return *Main().EditById(id); }
  // A click at the middle of a control of the main window.
  void Click(int id) {
    const gui::KV_Rect r = Main().Controls().FindById(id)->Rect();
    auto* client = static_cast<gui::CKV_SkinWindow*>(Main().Window())->Client();
    const QPoint middle((r.left + r.right) / 2, (r.top + r.bottom) / 2);
    // A person's pointer always moves onto a control before it presses.
    QTest::mouseMove(client, middle);
    QTest::mouseClick(client, Qt::LeftButton, {}, middle);
  }
  bool PreviewBuilt() const { return std::filesystem::exists(data.Path() / "preview.swf"); }
  void ForgetPreview() { std::filesystem::remove(data.Path() / "preview.swf"); }

  zarn::test::TempDir data;
  std::unique_ptr<QSettings> store;
  std::unique_ptr<CZarn_winApp> zarn;
};

class AppTest : public ::testing::Test, public AppHarness {};

}  // namespace zarn::app::test
