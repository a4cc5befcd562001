#pragma once

#include <QString>
#include <functional>
#include <string>

#include "app/preferences_record.h"
#include "engine/movie_settings.h"
#include "glyphs/font_service.h"

class QWidget;

namespace zarn::app {

// One Save As: what the main window hands over, and what it takes back.
struct SaveAsRequest {
  const engine::MovieSettings& settings;
  std::string effectPath;
  // The template's version: below 4 the user chooses Flash 3 or 4.
  int effectVersion = 0;
  StoredHtmlOptions html;
  // The number of the proposed "Untitled%d.swf"; counts every confirmed save.
  int movieCounter = 0;
  // The folder the dialog opens in; the chosen movie's folder afterwards.
  QString folder;
  // The window an export's progress dialog stands over.
  QWidget* owner = nullptr;
};

// Asks for the movie's name and type (and the page's options when HTML export is on), writes
// the page, then builds the movie; a video or animated image type exports the movie built.
// Cancelling writes nothing and counts nothing. The hook, when given, takes the dialog instead
// of the user (tests fill it in and accept or reject it), and then an export's progress dialog.
void RunSaveAs(SaveAsRequest& request, glyphs::CKV_FontService& fonts,
               const std::function<void(QWidget&)>& hook);

}  // namespace zarn::app
