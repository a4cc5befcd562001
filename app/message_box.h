#pragma once

#include <QString>
#include <functional>
#include <string_view>

#include "engine/engine_messages.h"

class QWidget;

namespace zarn::app {

// The most characters an error box shows; a longer text is cut.
inline constexpr qsizetype kMaxErrorText = 255;

// The box's text: the message, a line break and the detail, cut to kMaxErrorText characters.
QString ErrorBoxText(std::string_view message, std::string_view detail);

// A modal box with the caption, the text and an OK button, owned by no window and kept above
// the splash, so that no message of the start-up hides behind it.
void ShowCaptionedError(std::string_view caption, std::string_view message,
                        std::string_view detail);
// The same with the caption "Error".
void ShowError(std::string_view message, std::string_view detail = {});

// Where the engine's messages go in the program: the same boxes.
engine::ErrorSink MessageBoxSink();

// A Yes/No question with a question or warning icon, owned by owner (none: by no window);
// true for Yes.
enum class QuestionKind { kQuestion, kWarningDefaultNo };
bool AskYesNo(QWidget* owner, const QString& caption, const QString& text, QuestionKind kind);

// Replace the boxes by functions that take caption and text (tests watch the messages and
// answer the questions without a modal loop); an empty function brings the box back.
using ErrorPresenter = std::function<void(const QString& caption, const QString& text)>;
using QuestionPresenter = std::function<bool(const QString& caption, const QString& text)>;
void SetErrorPresenter(ErrorPresenter presenter);
void SetQuestionPresenter(QuestionPresenter presenter);

}  // namespace zarn::app
