#pragma once

#include <QString>
#include <functional>
#include <string>
#include <string_view>

#include "engine/movie_settings.h"
#include "glyphs/font_service.h"
#include "media/export_options.h"

class QWidget;

namespace zarn::app {

inline constexpr const char* kExportCaption = "Kalvoren Zarn | Export";

// "The movie cannot be exported to NAME:" with the export's reason below it.
void ShowExportError(const QString& path, std::string_view reason);

// Builds the movie through the engine into a temporary file, as a saved movie is built, and
// exports it to options.path. An export that takes more than a moment shows a progress dialog
// over owner; its Cancel stops the export and leaves no file. Failures are shown in a message
// box (a cancel is not one). The hook, when given, is handed the progress dialog after the
// first frame (tests press its Cancel). True when the file was written.
bool ExportMovieFile(const engine::MovieSettings& settings, const std::string& effectPath,
                     const media::ExportOptions& options, glyphs::CKV_FontService& fonts,
                     QWidget* owner, const std::function<void(QWidget&)>& hook);

}  // namespace zarn::app
